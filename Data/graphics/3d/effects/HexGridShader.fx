// The map grid's cells: the hexagon's premultiplied outline texture over the cell's tint (its
// "highlightColour", premultiplied here by its alpha), blended one and inverse source alpha.
//
// Compiled with SHADER_INSTANCED 1 the vertices are 124 copies of the hexagon, each carrying its
// copy's index in the position's w; the index picks the cell's translation and tint from the
// arrays found by the semantics INSTANCE_WORLDMATRIX_ARRAY and INSTANCE_COLOURTINT_ARRAY.

parameter mat4 gWVP;
parameter mat4 gViewProj;
parameter vec4 gColour = {0, 0, 0, 0};
parameter vec4 gTranslations[124] : INSTANCE_WORLDMATRIX_ARRAY;
parameter vec4 gColours[124] : INSTANCE_COLOURTINT_ARRAY;
parameter texture gTex;

sampler2D TexSampler { texture = gTex; MinFilter = Linear; MagFilter = Linear; AddressU = Clamp; AddressV = Clamp; }

vertex HexVS {
#if SHADER_INSTANCED
in vec4 inPosition;
#else
in vec3 inPosition;
#endif
in vec2 inTexCoord0;
out vec2 uv;
flat out vec4 tint;
void main() {
#if SHADER_INSTANCED
    int cell = int(inPosition.w + 0.5);
    gl_Position = gViewProj * vec4(inPosition.xyz + gTranslations[cell].xyz, 1.0);
    tint = gColours[cell];
#else
    gl_Position = gWVP * vec4(inPosition, 1.0);
    tint = gColour;
#endif
    uv = inTexCoord0;
}
}

fragment HexFS {
in vec2 uv;
flat in vec4 tint;
void main() {
    vec4 outline = texture(TexSampler, uv);
    vec4 fill = vec4(tint.rgb * tint.a, tint.a);
    outColour = outline + fill * (1.0 - outline.a);
    outColour1 = vec4(0.0);
}
}

technique BaseTech {
    pass P0 { vertex = HexVS; fragment = HexFS; CullMode = None; ZWriteEnable = false; }
}
