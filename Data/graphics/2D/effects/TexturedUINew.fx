// UI images: the mouse pointer and textured rectangles. Each quad's corners and texture
// coordinates arrive as vertex data; SimpleTech filters linearly, PointSampleTech takes the
// nearest texel (image buttons, whose pixels should stay sharp). The image is taken as
// premultiplied: colour-keyed texels are transparent black.

parameter texture gImageTexture;

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

vertex ImageVS {
in vec3 inPosition;
in vec2 inTexCoord0;
out vec2 uv;
void main() {
    gl_Position = vec4(inPosition.xy, 0.0, 1.0);
    uv = inTexCoord0;
}
}

fragment LinearImageFS {
in vec2 uv;
void main() { outColour = texture(LinearImageSampler, uv); }
}

fragment PointImageFS {
in vec2 uv;
void main() { outColour = texture(PointImageSampler, uv); }
}

technique SimpleTech {
    pass P0 { vertex = ImageVS; fragment = LinearImageFS; CullMode = None; ZEnable = false; ZWriteEnable = false; }
}

technique PointSampleTech {
    pass P0 { vertex = ImageVS; fragment = PointImageFS; CullMode = None; ZEnable = false; ZWriteEnable = false; }
}
