// The game scene's full-screen passes: the final composition of the scene and UI layers
// (CopyPost), the ambient-occlusion chain over the depth pass's normals and positions (SSAOTech,
// SSAOBlurTech, FXAATech) and the blur of the shadow map (VSMShadowBlurTech). Every pass draws
// the six-vertex quad of positions and texture coordinates, with no depth test.

parameter texture gColourTex;
parameter texture gUITex;
parameter texture gNormalTexture;
parameter texture gPositionTexture;
parameter texture gSSAORandomTexture;
parameter texture gSSAOUnblurredTexture;
parameter vec3 gEyePosW;
parameter mat4 g_mat;
parameter vec4 gInvRenderDim = {0.00625, 0.0104167, 0, 0};
parameter vec4 g_screen_size = {160, 96, 0, 0};
// x: the scene's fade-in, y: the UI's; each grows past 1 on its last step, so both are clamped.
parameter vec4 gFadeInParams = {1, 1, 0, 0};

sampler2D ColourSampler {
    texture = gColourTex;
    MinFilter = Point; MagFilter = Point; MipFilter = None;
    AddressU = Clamp; AddressV = Clamp;
}

sampler2D UISampler {
    texture = gUITex;
    MinFilter = Point; MagFilter = Point; MipFilter = None;
    AddressU = Clamp; AddressV = Clamp;
}

sampler2D NormalSampler {
    texture = gNormalTexture;
    MinFilter = Point; MagFilter = Point; MipFilter = None;
    AddressU = Clamp; AddressV = Clamp;
}

sampler2D PositionSampler {
    texture = gPositionTexture;
    MinFilter = Point; MagFilter = Point; MipFilter = None;
    AddressU = Clamp; AddressV = Clamp;
}

sampler2D RandomSampler {
    texture = gSSAORandomTexture;
    MinFilter = Point; MagFilter = Point; MipFilter = None;
    AddressU = Wrap; AddressV = Wrap;
}

sampler2D UnblurredSampler {
    texture = gSSAOUnblurredTexture;
    MinFilter = Linear; MagFilter = Linear; MipFilter = None;
    AddressU = Clamp; AddressV = Clamp;
}

vertex QuadVS {
in vec3 inPosition;
in vec2 inTexCoord0;
out vec2 uv;
void main() {
    gl_Position = vec4(inPosition.xy, 0.0, 1.0);
    uv = inTexCoord0;
}
}

// The UI is premultiplied: it covers the scene by its alpha.
fragment CopyPostFS {
in vec2 uv;
void main() {
    float sceneFade = min(gFadeInParams.x, 1.0);
    float uiFade = min(gFadeInParams.y, 1.0);
    vec4 ui = texture(UISampler, uv) * uiFade;
    vec3 scene = texture(ColourSampler, uv).rgb * sceneFade;
    outColour = vec4(ui.rgb + scene * (1.0 - ui.a), 1.0);
}
}

// Eight samples around each pixel, turned by the noise texture: a neighbour in front of the
// pixel's surface (along its normal) occludes it, more the nearer it is.
fragment SSAOFS {
in vec2 uv;
void main() {
    vec3 position = texture(PositionSampler, uv).xyz;
    vec3 normal = normalize(texture(NormalSampler, uv).xyz + vec3(0.0, 0.0, 1e-4));
    vec2 noiseScale = g_screen_size.xy / 64.0;
    vec2 turn = normalize(texture(RandomSampler, uv * noiseScale).xy * 2.0 - 1.0 + vec2(1e-4, 0.0));
    const vec2 kernel[8] = vec2[8](vec2(1, 0), vec2(-1, 0), vec2(0, 1), vec2(0, -1),
                                   vec2(0.7, 0.7), vec2(-0.7, 0.7), vec2(0.7, -0.7), vec2(-0.7, -0.7));
    float occlusion = 0.0;
    for (int i = 0; i < 8; ++i) {
        vec2 k = kernel[i] * float(1 + i % 3);
        vec2 offset = vec2(k.x * turn.x - k.y * turn.y, k.x * turn.y + k.y * turn.x) * 3.0 * gInvRenderDim.xy;
        vec3 toNeighbour = texture(PositionSampler, uv + offset).xyz - position;
        float distanceToNeighbour = length(toNeighbour) + 1e-4;
        occlusion += max(dot(normal, toNeighbour / distanceToNeighbour), 0.0) / (1.0 + distanceToNeighbour);
    }
    float ambient = 1.0 - occlusion / 8.0;
    outColour = vec4(ambient, ambient, ambient, 1.0);
}
}

// A 3x3 blur that keeps to one surface: neighbours facing another way count less.
fragment SSAOBlurFS {
in vec2 uv;
void main() {
    vec3 normal = texture(NormalSampler, uv).xyz;
    vec4 sum = vec4(0.0);
    float weights = 0.0;
    for (int y = -1; y <= 1; ++y) {
        for (int x = -1; x <= 1; ++x) {
            vec2 at = uv + vec2(float(x), float(y)) * gInvRenderDim.xy;
            float weight = max(dot(normal, texture(NormalSampler, at).xyz), 0.0) + 0.05;
            sum += texture(UnblurredSampler, at) * weight;
            weights += weight;
        }
    }
    outColour = sum / weights;
}
}

// Edges found by luminance are softened toward their neighbours.
fragment FXAAFS {
in vec2 uv;
void main() {
    vec2 texel = gInvRenderDim.xy;
    vec4 centre = texture(UnblurredSampler, uv);
    vec4 left = texture(UnblurredSampler, uv - vec2(texel.x, 0.0));
    vec4 right = texture(UnblurredSampler, uv + vec2(texel.x, 0.0));
    vec4 up = texture(UnblurredSampler, uv - vec2(0.0, texel.y));
    vec4 down = texture(UnblurredSampler, uv + vec2(0.0, texel.y));
    const vec3 luma = vec3(0.299, 0.587, 0.114);
    float lc = dot(centre.rgb, luma);
    float contrast = max(max(abs(dot(left.rgb, luma) - lc), abs(dot(right.rgb, luma) - lc)),
                         max(abs(dot(up.rgb, luma) - lc), abs(dot(down.rgb, luma) - lc)));
    float blend = clamp(contrast * 4.0, 0.0, 1.0) * 0.5;
    outColour = mix(centre, (left + right + up + down) * 0.25, blend);
}
}

// Five taps each way over the shadow map's own texels.
fragment ShadowBlurFS {
in vec2 uv;
void main() {
    vec2 texel = 1.0 / vec2(textureSize(UnblurredSampler, 0));
    float sum = 0.0;
    for (int y = -2; y <= 2; ++y) {
        for (int x = -2; x <= 2; ++x) sum += texture(UnblurredSampler, uv + vec2(float(x), float(y)) * texel).r;
    }
    outColour = vec4(sum / 25.0, 0.0, 0.0, 1.0);
}
}

technique CopyPost {
    pass P0 { vertex = QuadVS; fragment = CopyPostFS; CullMode = None; ZEnable = false; ZWriteEnable = false; AlphaBlendEnable = false; }
}

technique SSAOTech {
    pass P0 { vertex = QuadVS; fragment = SSAOFS; CullMode = None; ZEnable = false; ZWriteEnable = false; AlphaBlendEnable = false; }
}

technique SSAOBlurTech {
    pass P0 { vertex = QuadVS; fragment = SSAOBlurFS; CullMode = None; ZEnable = false; ZWriteEnable = false; AlphaBlendEnable = false; }
}

technique FXAATech {
    pass P0 { vertex = QuadVS; fragment = FXAAFS; CullMode = None; ZEnable = false; ZWriteEnable = false; AlphaBlendEnable = false; }
}

technique VSMShadowBlurTech {
    pass P0 { vertex = QuadVS; fragment = ShadowBlurFS; CullMode = None; ZEnable = false; ZWriteEnable = false; AlphaBlendEnable = false; }
}
