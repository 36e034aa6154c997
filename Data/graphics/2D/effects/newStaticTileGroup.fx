// Static 2D tiles: batches of tiles baked in world space, each vertex carrying its tile's tint as
// its colour and its place in the atlas page as its texture coordinate. The tint is added under
// the page's coverage. The program draws with the first technique without setting it.

parameter mat4 gViewProj;
parameter texture gImageTexture;

sampler2D PageSampler { texture = gImageTexture; MinFilter = Linear; MagFilter = Linear; AddressU = Clamp; AddressV = Clamp; }

vertex BatchVS {
in vec3 inPosition;
in vec4 inColour;
in vec2 inTexCoord0;
out vec2 uv;
out vec4 tint;
void main() {
    gl_Position = gViewProj * vec4(inPosition, 1.0);
    uv = inTexCoord0;
    tint = inColour;
}
}

fragment BatchFS {
in vec2 uv;
in vec4 tint;
void main() {
    vec4 picture = texture(PageSampler, uv);
    outColour = vec4(picture.rgb + tint.rgb * picture.a, picture.a);
    outColour1 = vec4(0.0);
}
}

technique BakedTech {
    pass P0 { vertex = BatchVS; fragment = BatchFS; CullMode = None; }
}
