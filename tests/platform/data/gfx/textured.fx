parameter vec2 gVertPositions[4];
parameter texture gImageTexture;

sampler2D ImageSampler {
    texture = gImageTexture;
    MinFilter = Linear; MagFilter = Linear; AddressU = Clamp; AddressV = Clamp;
}

vertex QuadVS {
in vec3 inPosition;   // (1, 1, corner) { a brace in a comment }
in vec2 inTexCoord0;
out vec2 uv;
void main() {
    gl_Position = vec4(gVertPositions[int(inPosition.z)], 0.0, 1.0);
    uv = inTexCoord0;
}
}

fragment QuadFS {
in vec2 uv;
void main() { outColour = texture(ImageSampler, uv); }
}

technique SimpleTech {
    pass P0 { vertex = QuadVS; fragment = QuadFS; }
}
