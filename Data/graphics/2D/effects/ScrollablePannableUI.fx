// Pannable images larger than the screen. Each vertex's z is its corner number (0 top left,
// 1 top right, 2 bottom right, 3 bottom left), which picks its position in UI units from
// gVertPositions, set by the program for every instance. The image is drawn as it is
// (premultiplied by its alpha).

parameter texture gImageTexture;
parameter vec2 gVertPositions[4];

sampler2D ImageSampler {
    texture = gImageTexture;
    MinFilter = Linear; MagFilter = Linear; MipFilter = None;
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

fragment ImageFS {
in vec2 uv;
void main() {
    vec4 texel = texture(ImageSampler, uv);
    outColour = vec4(texel.rgb * texel.a, texel.a);
}
}

technique SimpleTech {
    pass P0 { vertex = CornerVS; fragment = ImageFS; CullMode = None; ZEnable = false; ZWriteEnable = false;
              AlphaBlendEnable = true; SrcBlend = One; DestBlend = InvSrcAlpha; }
}
