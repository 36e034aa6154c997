// Debug squares: one flat colour. Compiled with SHADER_INSTANCED 1 the vertices are 32 copies of
// the square, each carrying its copy's index in the position's w, which picks the square's world
// matrix from the array found by the semantic INSTANCE_WORLDMATRIX_ARRAY.

parameter mat4 gWVP;
parameter mat4 gViewProj;
parameter mat4 gWorlds[32] : INSTANCE_WORLDMATRIX_ARRAY;
parameter vec4 gColour = {0.3, 0.7, 1.0, 1.0};

vertex SquareVS {
in vec4 inPosition;
in vec3 inNormal;
void main() {
#if SHADER_INSTANCED
    int square = int(inPosition.w + 0.5);
    gl_Position = gViewProj * (gWorlds[square] * vec4(inPosition.xyz, 1.0));
#else
    gl_Position = gWVP * vec4(inPosition.xyz, 1.0);
#endif
}
}

fragment SquareFS {
void main() {
    outColour = vec4(gColour.rgb * gColour.a, gColour.a);
    outColour1 = vec4(0.0);
}
}

technique BaseTech {
    pass P0 { vertex = SquareVS; fragment = SquareFS; CullMode = None; }
}
