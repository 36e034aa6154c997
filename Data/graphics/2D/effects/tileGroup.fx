// Flat tiles: a premultiplied picture on the tile quad, blended one and inverse source alpha. The
// tiles of one type arrive in one instanced draw: each tile's world matrix (three columns), its
// texture rectangle (u0, v0, u1, v1, as COLOR1) and its tint (COLOR0) come from the second vertex
// stream. The tint is added under the picture's coverage, so a tint of zero shows the picture as it is.

parameter mat4 gViewProj;
parameter texture gImageTexture;

sampler2D ImageSampler { texture = gImageTexture; MinFilter = Linear; MagFilter = Linear; AddressU = Clamp; AddressV = Clamp; }

vertex TileVS {
in vec3 inPosition;
in vec2 inTexCoord0;
in vec4 inTexCoord1;
in vec4 inTexCoord2;
in vec4 inTexCoord3;
in vec4 inColour1;
in vec4 inColour;
out vec2 uv;
flat out vec4 tint;
void main() {
    vec4 p = vec4(inPosition, 1.0);
    vec3 world = vec3(dot(p, inTexCoord1), dot(p, inTexCoord2), dot(p, inTexCoord3));
    gl_Position = gViewProj * vec4(world, 1.0);
    uv = mix(inColour1.xy, inColour1.zw, inTexCoord0);
    tint = inColour;
}
}

fragment TileFS {
in vec2 uv;
flat in vec4 tint;
void main() {
    vec4 picture = texture(ImageSampler, uv);
    outColour = vec4(picture.rgb + tint.rgb * picture.a, picture.a);
    outColour1 = vec4(0.0);
}
}

technique Tech {
    pass P0 { vertex = TileVS; fragment = TileFS; CullMode = None; }
}
