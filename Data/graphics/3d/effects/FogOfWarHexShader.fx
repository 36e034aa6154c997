// Fog of war over the map cells: each cell's copy of the fog mesh writes (f, f, f, 1) for its
// fog value f, and the blend (reverse subtract, destination alpha, one; alpha to zero) leaves what
// is under it less f times its alpha.
//
// Drawn only instanced: the vertices are copies of the fog mesh, each carrying its copy's index
// in the position's w; the index picks the cell's translation and fog value from the arrays
// found by the semantics INSTANCE_WORLDMATRIX_ARRAY and INSTANCE_COLOURTINT_ARRAY.

parameter mat4 gWVP;
parameter mat4 gViewProj;
parameter vec4 gTranslations[124] : INSTANCE_WORLDMATRIX_ARRAY;
parameter vec4 gFogValues[124] : INSTANCE_COLOURTINT_ARRAY;

vertex FogVS {
in vec4 inPosition;
in vec2 inTexCoord0;
flat out float fog;
void main() {
    int cell = int(inPosition.w + 0.5);
    gl_Position = gViewProj * vec4(inPosition.xyz + gTranslations[cell].xyz, 1.0);
    fog = gFogValues[cell].x;
}
}

fragment FogFS {
flat in float fog;
void main() {
    outColour = vec4(fog, fog, fog, 1.0);
    outColour1 = vec4(0.0);
}
}

technique BaseTech {
    pass P0 { vertex = FogVS; fragment = FogFS; CullMode = None; ZWriteEnable = false; }
}
