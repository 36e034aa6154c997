// The arrows over the grid: a premultiplied texture on flat quads, its v running along a path
// (the ribbon's dots repeat every unit), blended one and inverse source alpha.

parameter mat4 gWVP;
parameter texture gTex;

sampler2D TexSampler { texture = gTex; MinFilter = Linear; MagFilter = Linear; AddressU = Clamp; AddressV = Wrap; }

vertex FlatVS {
in vec3 inPosition;
in vec2 inTexCoord0;
out vec2 uv;
void main() { gl_Position = gWVP * vec4(inPosition, 1.0); uv = inTexCoord0; }
}

fragment FlatFS {
in vec2 uv;
void main() {
    outColour = texture(TexSampler, uv);
    outColour1 = vec4(0.0);
}
}

technique BaseTech {
    pass P0 { vertex = FlatVS; fragment = FlatFS; CullMode = None; ZWriteEnable = false; }
}
