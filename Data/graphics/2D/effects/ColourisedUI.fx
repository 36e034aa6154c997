// Colourisable images, placed as textured rectangles: each vertex's z is its corner number (0
// top left, 1 top right, 2 bottom right, 3 bottom left) into gVertPositions. Every texel is
// recoloured channel by channel: red * gRedChannelColour + green * gGreenChannelColour +
// blue * gBlueChannelColour (the colours' own alpha is not used), with the texel's alpha,
// written premultiplied. With the three colours white a pure red, green or blue texel draws
// white. SimpleTech filters linearly; PointSampleTech takes the nearest texel, so the image's
// texel edges stay hard.

parameter texture gImageTexture;
parameter vec2 gVertPositions[4];
parameter vec4 gRedChannelColour = { 1, 1, 1, 1 };
parameter vec4 gGreenChannelColour = { 1, 1, 1, 1 };
parameter vec4 gBlueChannelColour = { 1, 1, 1, 1 };

sampler2D LinearImageSampler {
    texture = gImageTexture;
    MinFilter = Linear; MagFilter = Linear; MipFilter = Linear;
    AddressU = Clamp; AddressV = Clamp;
}

sampler2D PointImageSampler {
    texture = gImageTexture;
    MinFilter = Point; MagFilter = Point; MipFilter = None;
    AddressU = Clamp; AddressV = Clamp;
}

common {
vec4 colourise(vec4 texel) {
    vec3 colour = texel.r * gRedChannelColour.rgb + texel.g * gGreenChannelColour.rgb +
                  texel.b * gBlueChannelColour.rgb;
    return vec4(colour * texel.a, texel.a);
}
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

fragment LinearFS {
in vec2 uv;
void main() { outColour = colourise(texture(LinearImageSampler, uv)); }
}

fragment PointFS {
in vec2 uv;
void main() { outColour = colourise(texture(PointImageSampler, uv)); }
}

technique SimpleTech {
    pass P0 { vertex = CornerVS; fragment = LinearFS; CullMode = None; ZEnable = false; ZWriteEnable = false;
              AlphaBlendEnable = true; SrcBlend = One; DestBlend = InvSrcAlpha; }
}

technique PointSampleTech {
    pass P0 { vertex = CornerVS; fragment = PointFS; CullMode = None; ZEnable = false; ZWriteEnable = false;
              AlphaBlendEnable = true; SrcBlend = One; DestBlend = InvSrcAlpha; }
}
