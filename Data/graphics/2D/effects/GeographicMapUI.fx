// Regions maps. The quad is placed as the pannable image's: each vertex's z is its corner number
// into gVertPositions. The tints image says which region a texel belongs to: its red picks the
// column and its green the row (each of the 256 levels / 16) of a cell of the 16 x 16 region
// colour texture. The cell's colour is blended over the base image by the cell's alpha (80 of
// 255 for every region; the last cell, tints red and green 255, has alpha 0 and leaves the base
// as it is). The base image's alpha is kept, and the result is written premultiplied.

parameter texture gImageTexture;
parameter texture gTintsImageTexture;
parameter texture gRegionColoursTexture;
parameter vec2 gVertPositions[4];

sampler2D BaseSampler {
    texture = gImageTexture;
    MinFilter = Linear; MagFilter = Linear; MipFilter = None;
    AddressU = Clamp; AddressV = Clamp;
}

// Region ids must not blend into one another.
sampler2D TintsSampler {
    texture = gTintsImageTexture;
    MinFilter = Point; MagFilter = Point; MipFilter = None;
    AddressU = Clamp; AddressV = Clamp;
}

sampler2D RegionSampler {
    texture = gRegionColoursTexture;
    MinFilter = Point; MagFilter = Point; MipFilter = None;
    AddressU = Clamp; AddressV = Clamp;
}

vertex CornerVS {
in vec3 inPosition;
in vec2 inTexCoord0;
out vec2 uv;
void main() {
    gl_Position = vec4(gVertPositions[int(inPosition.z)], 0.0, 1.0);
    uv = inTexCoord0;
}
}

fragment MapFS {
in vec2 uv;
void main() {
    vec4 base = texture(BaseSampler, uv);
    vec2 tint = texture(TintsSampler, uv).rg;
    vec2 cell = floor(tint * 255.0 / 16.0 + 0.001);
    vec4 region = texture(RegionSampler, (cell + 0.5) / 16.0);
    vec3 colour = mix(base.rgb, region.rgb, region.a);
    outColour = vec4(colour * base.a, base.a);
}
}

technique SimpleTech {
    pass P0 { vertex = CornerVS; fragment = MapFS; CullMode = None; ZEnable = false; ZWriteEnable = false;
              AlphaBlendEnable = true; SrcBlend = One; DestBlend = InvSrcAlpha; }
}
