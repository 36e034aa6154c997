// Full-screen images. The quad arrives in UI units. The image's colour is multiplied by
// gFadeToBlackLerp: 1 shows the image, 0 draws black where it is opaque. The texel's alpha is
// kept, and the result is written premultiplied.

parameter texture gImageTexture;
parameter float gFadeToBlackLerp = 1.0;

sampler2D ImageSampler {
    texture = gImageTexture;
    MinFilter = Linear; MagFilter = Linear; MipFilter = None;
    AddressU = Clamp; AddressV = Clamp;
}

vertex ScreenVS {
in vec3 inPosition;
in vec2 inTexCoord0;
out vec2 uv;
void main() {
    gl_Position = vec4(inPosition.xy, 0.0, 1.0);
    uv = inTexCoord0;
}
}

fragment FadeFS {
in vec2 uv;
void main() {
    vec4 texel = texture(ImageSampler, uv);
    outColour = vec4(texel.rgb * (gFadeToBlackLerp * texel.a), texel.a);
}
}

technique SimpleTech {
    pass P0 { vertex = ScreenVS; fragment = FadeFS; CullMode = None; ZEnable = false; ZWriteEnable = false;
              AlphaBlendEnable = true; SrcBlend = One; DestBlend = InvSrcAlpha; }
}
