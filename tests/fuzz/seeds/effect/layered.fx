// Every kind of declaration: parameters with arrays, semantics and defaults, both samplers,
// a common block, stages and a technique of two passes with render states.
parameter vec2 gVertPositions[4];
parameter vec4 gColour : DIFFUSE = {1, 0, 0, 1};
parameter mat4 gWorld[2] : WORLD;
parameter bool gFlag = true;
parameter int gCount = 3;
parameter texture gImage;
parameter textureCube gSky;

sampler2D ImageSampler {
    texture = gImage;
    MinFilter = Anisotropic; MagFilter = Linear; MipFilter = Point;
    AddressU = Border; AddressV = Mirror; BorderColor = 0xFF000000; MaxAnisotropy = 4;
}
samplerCube SkySampler { texture = gSky; AddressW = Clamp; }

common {
vec4 tint(vec4 c) { return c * gColour; } /* a } in a comment */
}

vertex QuadVS {
in vec3 inPosition;
void main() { gl_Position = gWorld[0] * vec4(gVertPositions[int(inPosition.z)], 0.0, 1.0); }
}
fragment QuadFS {
void main() { outColour = tint(texture(ImageSampler, vec2(0.5))); outColour1 = texture(SkySampler, vec3(1.0)); }
}

technique Layered {
    pass Base { vertex = QuadVS; fragment = QuadFS; ZEnable = false; CullMode = None; }
    pass Add {
        vertex = QuadVS; fragment = QuadFS;
        AlphaBlendEnable = true; SrcBlend = One; DestBlend = InvSrcAlpha; BlendOp = RevSubtract;
        SeparateAlphaBlendEnable = 1; ZFunc = LessEqual; ScissorTestEnable = TRUE;
    }
}
