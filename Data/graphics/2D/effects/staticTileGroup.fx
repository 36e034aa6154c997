// Flat tiles by constant arrays: each tile's world matrix, texture rectangle (u0, v0, u1, v1) and
// tint in arrays found by semantic, picked by the copy index in the position's w. The tile
// classes look this effect up but draw with the vertex-stream instancing of tileGroup.fx.

parameter mat4 gViewProj;
parameter mat4 gWorlds[32] : INSTANCE_WORLDMATRIX_ARRAY;
parameter vec4 gUVs[32] : INSTANCE_UV_ARRAY;
parameter vec4 gColours[32] : INSTANCE_COLOUR_ARRAY;
parameter texture gImageTexture;

sampler2D ImageSampler { texture = gImageTexture; MinFilter = Linear; MagFilter = Linear; AddressU = Clamp; AddressV = Clamp; }

vertex TileVS {
in vec4 inPosition;
in vec2 inTexCoord0;
out vec2 uv;
flat out vec4 tint;
void main() {
    int tile = int(inPosition.w + 0.5);
    gl_Position = gViewProj * (gWorlds[tile] * vec4(inPosition.xyz, 1.0));
    uv = mix(gUVs[tile].xy, gUVs[tile].zw, inTexCoord0);
    tint = gColours[tile];
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
