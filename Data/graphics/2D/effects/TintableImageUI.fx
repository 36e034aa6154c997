// Tintable images over the whole screen. The quad arrives in UI units. Each texel's colour is
// its red, green and blue used as weights of entries 0, 1 and 2 of the colour table
// (gColourArrayIndex): red * c0 + green * c1 + blue * c2. The program fills entries 0 to 3 with
// red, green, blue and white, so the image shows as it is; entries 4 to 9 are zero and unused.
// The texel's alpha is kept, and the result is written premultiplied.

parameter texture gImageTexture;
parameter vec4 gColourArrayIndex[10];

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

fragment TintFS {
in vec2 uv;
void main() {
    vec4 texel = texture(ImageSampler, uv);
    vec3 tinted = texel.r * gColourArrayIndex[0].rgb + texel.g * gColourArrayIndex[1].rgb +
                  texel.b * gColourArrayIndex[2].rgb;
    outColour = vec4(tinted * texel.a, texel.a);
}
}

technique SimpleTech {
    pass P0 { vertex = ScreenVS; fragment = TintFS; CullMode = None; ZEnable = false; ZWriteEnable = false;
              AlphaBlendEnable = true; SrcBlend = One; DestBlend = InvSrcAlpha; }
}
