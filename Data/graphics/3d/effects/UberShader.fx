// The lit colour pass of the scene's meshes: the directional light with its shadow map, four
// point lights, the environment map, the colour and normal atlases and, with SSAO on, the
// ambient-occlusion map. Colours leave premultiplied (the passes blend One, InvSrcAlpha).
//
// LightShadowTech draws one mesh instance in its own space. Compiled with SHADER_INSTANCED 1 it
// draws many instances of one mesh in one call instead: each instance's world matrix (its
// transpose's first three rows, inTexCoord1 to inTexCoord3), highlight colour (inColour1) and
// four indices into gScenePointLights (inBlendIndices, -1 for none) come from a second vertex
// stream, and the scene's lights are one array set once per pass.
// BatchedLightmappedShadowTech and BatchedLightShadowTech draw static batches, whose vertices are
// already in world space: lit by the baked lightmap (second texture coordinates, gLightMapTex),
// or by the light baked into each vertex (a four-float colour, inColour). Below shader level 3
// (SM3_ENABLED 0) batches are vertex-lit in the compact 16-byte vertex: (x, y, z, u) and
// (red, green, blue, v) as half floats.
//
// Records as the engine lays them out: gLight is the directional light's 76 bytes (ambient,
// specular, diffuse, then specular power and position, then direction); each point light is 32
// bytes (colour, then position and squared radius).

parameter mat4 gWVP;
parameter mat4 gWorld;
parameter mat4 gLightWVP;
parameter mat4 gViewProj;
parameter mat4 gLightVP;
parameter vec4 gMtrl[4];
parameter vec4 gLight[5] = {0.3, 0.3, 0.3, 1,  0.4, 0.4, 0.4, 1,  0.8, 0.8, 0.8, 1,  16, 0, 0, 0,  0, -1, 0, 0};
parameter vec4 gPointLight1[2];
parameter vec4 gPointLight2[2];
parameter vec4 gPointLight3[2];
parameter vec4 gPointLight4[2];
parameter vec4 gScenePointLights[64] : INSTANCE_POINTLIGHTS_ARRAY;
parameter vec4 gHighlightColour = {0, 0, 0, 1};
parameter vec3 gEyePosW;
parameter vec4 gDiffLightCol = {1, 1, 1, 1};
parameter vec4 gInvRenderDim = {0.003125, 0.0041667, 0, 0};
parameter float gShadowMapSize = 512;
parameter float gShadowMapEpsilon = 0.002;
parameter texture gTex;
parameter texture gNormalTex;
parameter texture gLightMapTex;
parameter texture gShadowMap;
parameter texture gDepthMap;
parameter texture gLowDepthMap;
parameter textureCube gEnvTex;

sampler2D TexSampler { texture = gTex; MinFilter = Linear; MagFilter = Linear; AddressU = Clamp; AddressV = Clamp; }
sampler2D NormalSampler { texture = gNormalTex; MinFilter = Linear; MagFilter = Linear; AddressU = Clamp; AddressV = Clamp; }
sampler2D LightMapSampler { texture = gLightMapTex; MinFilter = Linear; MagFilter = Linear; AddressU = Clamp; AddressV = Clamp; }
sampler2D ShadowSampler { texture = gShadowMap; MinFilter = Point; MagFilter = Point; AddressU = Clamp; AddressV = Clamp; }
sampler2D OcclusionSampler { texture = gLowDepthMap; MinFilter = Linear; MagFilter = Linear; AddressU = Clamp; AddressV = Clamp; }
samplerCube EnvSampler { texture = gEnvTex; MinFilter = Linear; MagFilter = Linear; }

common {
// Clip position to the engine's texture coordinates: (0, 0) at the top left.
vec2 screenUv(vec4 clip) { return vec2(clip.x / clip.w * 0.5 + 0.5, 0.5 - clip.y / clip.w * 0.5); }

// What a point light (colour; position and squared radius) adds at a point.
vec3 pointLight(vec4 colour, vec4 where, vec3 position, vec3 normal) {
    if (where.w <= 0.0) return vec3(0.0);
    vec3 toLight = where.xyz - position;
    float s = dot(toLight, toLight);
    float attenuation = 1.0 - min(1.0, s / where.w);
    float nDotL = max(dot(normal, toLight * inversesqrt(max(s, 1e-8))), 0.0);
    return colour.rgb * nDotL * attenuation;
}

// 1 where the directional light reaches, less in the blurred shadow.
float shadowFactor(vec4 shadowClip) {
#if SHADOWS_ENABLED
    vec3 p = shadowClip.xyz / shadowClip.w;
    vec2 at = vec2(p.x * 0.5 + 0.5, 0.5 - p.y * 0.5);
    if (at.x < 0.0 || at.x > 1.0 || at.y < 0.0 || at.y > 1.0) return 1.0;
    float occluder = texture(ShadowSampler, at).r;
    return p.z - gShadowMapEpsilon > occluder ? 0.35 : 1.0;
#else
    return 1.0;
#endif
}

float ambientOcclusion(vec4 screenClip) {
#if SSAO_ENABLED
    return texture(OcclusionSampler, screenUv(screenClip)).r;
#else
    return 1.0;
#endif
}

vec3 surfaceNormal(vec3 normal, vec3 tangent, vec2 uv) {
    vec3 n = normalize(normal);
    vec3 t = tangent - n * dot(n, tangent);
    if (dot(t, t) < 1e-8) return n;
    t = normalize(t);
    vec3 b = cross(n, t);
    vec3 bump = texture(NormalSampler, uv).xyz * 2.0 - 1.0;
    if (dot(bump, bump) < 1e-4) return n;
    return normalize(t * bump.x + b * bump.y + n * bump.z);
}

// The directional light, its highlight and the environment over one texel of the surface.
vec3 directionalLight(vec3 albedo, vec3 normal, vec3 position, float shadow, float occlusion) {
    vec3 toLight = -normalize(gLight[4].xyz);
    vec3 toEye = normalize(gEyePosW - position);
    float nDotL = max(dot(normal, toLight), 0.0);
    float specular = nDotL > 0.0 ? pow(max(dot(normal, normalize(toLight + toEye)), 0.0), max(gLight[3].x, 1.0)) : 0.0;
    vec3 environment = texture(EnvSampler, reflect(-toEye, normal)).rgb;
    return albedo * (gLight[0].rgb * occlusion + gLight[2].rgb * gDiffLightCol.rgb * nDotL * shadow) +
           gLight[1].rgb * specular * shadow + environment * 0.05 * occlusion;
}
}

vertex MeshVS {
in vec3 inPosition;
in vec3 inNormal;
in vec3 inTangent;
in vec2 inTexCoord0;
#if SHADER_INSTANCED
in vec4 inTexCoord1;
in vec4 inTexCoord2;
in vec4 inTexCoord3;
in vec4 inColour1;
in vec4 inBlendIndices;
flat out vec4 lightIndices;
#endif
out vec3 worldPosition;
out vec3 worldNormal;
out vec3 worldTangent;
out vec2 uv;
out vec4 shadowClip;
out vec4 screenClip;
flat out vec4 highlight;
void main() {
#if SHADER_INSTANCED
    vec4 p = vec4(inPosition, 1.0);
    worldPosition = vec3(dot(p, inTexCoord1), dot(p, inTexCoord2), dot(p, inTexCoord3));
    worldNormal = vec3(dot(inNormal, inTexCoord1.xyz), dot(inNormal, inTexCoord2.xyz), dot(inNormal, inTexCoord3.xyz));
    worldTangent = vec3(dot(inTangent, inTexCoord1.xyz), dot(inTangent, inTexCoord2.xyz), dot(inTangent, inTexCoord3.xyz));
    gl_Position = gViewProj * vec4(worldPosition, 1.0);
    shadowClip = gLightVP * vec4(worldPosition, 1.0);
    highlight = inColour1;
    lightIndices = inBlendIndices;
#else
    worldPosition = (gWorld * vec4(inPosition, 1.0)).xyz;
    worldNormal = (gWorld * vec4(inNormal, 0.0)).xyz;
    worldTangent = (gWorld * vec4(inTangent, 0.0)).xyz;
    gl_Position = gWVP * vec4(inPosition, 1.0);
    shadowClip = gLightWVP * vec4(inPosition, 1.0);
    highlight = gHighlightColour;
#endif
    uv = inTexCoord0;
    screenClip = gl_Position;
}
}

vertex BatchedVS {
#if SM3_ENABLED
in vec3 inPosition;
in vec3 inNormal;
in vec3 inTangent;
in vec2 inTexCoord0;
in vec2 inTexCoord1;
in vec4 inColour;
#else
// The compact vertex: (x, y, z, u) and (red, green, blue, v) as half floats.
in vec4 inPosition;
in vec4 inColour;
#endif
out vec3 worldPosition;
out vec3 worldNormal;
out vec3 worldTangent;
out vec2 uv;
out vec2 lightmapUv;
out vec3 bakedLight;
out vec4 shadowClip;
out vec4 screenClip;
void main() {
#if SM3_ENABLED
    worldPosition = inPosition;
    worldNormal = inNormal;
    worldTangent = inTangent;
    uv = inTexCoord0;
    lightmapUv = inTexCoord1;
#else
    worldPosition = inPosition.xyz;
    worldNormal = vec3(0.0);
    worldTangent = vec3(0.0);
    uv = vec2(inPosition.w, inColour.w);
    lightmapUv = vec2(0.0);
#endif
    bakedLight = inColour.rgb;
    gl_Position = gViewProj * vec4(worldPosition, 1.0);
    shadowClip = gLightVP * vec4(worldPosition, 1.0);
    screenClip = gl_Position;
}
}

fragment LitFS {
in vec3 worldPosition;
in vec3 worldNormal;
in vec3 worldTangent;
in vec2 uv;
in vec4 shadowClip;
in vec4 screenClip;
flat in vec4 highlight;
#if SHADER_INSTANCED
flat in vec4 lightIndices;
#endif
void main() {
    vec4 albedo = texture(TexSampler, uv);
    vec3 normal = surfaceNormal(worldNormal, worldTangent, uv);
    vec3 lit = directionalLight(albedo.rgb, normal, worldPosition, shadowFactor(shadowClip), ambientOcclusion(screenClip));
#if SHADER_INSTANCED
    for (int k = 0; k < 4; ++k) {
        int light = int(lightIndices[k]);
        if (light >= 0 && light < 32)
            lit += albedo.rgb * pointLight(gScenePointLights[2 * light], gScenePointLights[2 * light + 1], worldPosition, normal);
    }
#else
    lit += albedo.rgb * (pointLight(gPointLight1[0], gPointLight1[1], worldPosition, normal) +
                         pointLight(gPointLight2[0], gPointLight2[1], worldPosition, normal) +
                         pointLight(gPointLight3[0], gPointLight3[1], worldPosition, normal) +
                         pointLight(gPointLight4[0], gPointLight4[1], worldPosition, normal));
#endif
    float alpha = albedo.a * highlight.a;
    outColour = vec4((lit + highlight.rgb) * alpha, alpha);
    outColour1 = vec4(0.0);
}
}

fragment LightmappedFS {
in vec3 worldPosition;
in vec3 worldNormal;
in vec3 worldTangent;
in vec2 uv;
in vec2 lightmapUv;
in vec3 bakedLight;
in vec4 shadowClip;
in vec4 screenClip;
void main() {
    vec4 albedo = texture(TexSampler, uv);
    vec3 normal = surfaceNormal(worldNormal, worldTangent, uv);
    vec3 lit = directionalLight(albedo.rgb, normal, worldPosition, shadowFactor(shadowClip), ambientOcclusion(screenClip));
    lit += albedo.rgb * texture(LightMapSampler, lightmapUv).rgb;
    outColour = vec4(lit * albedo.a, albedo.a);
    outColour1 = vec4(0.0);
}
}

fragment VertexLitFS {
in vec3 worldPosition;
in vec3 worldNormal;
in vec3 worldTangent;
in vec2 uv;
in vec2 lightmapUv;
in vec3 bakedLight;
in vec4 shadowClip;
in vec4 screenClip;
void main() {
    vec4 albedo = texture(TexSampler, uv);
#if SM3_ENABLED
    vec3 normal = surfaceNormal(worldNormal, worldTangent, uv);
    vec3 lit = directionalLight(albedo.rgb, normal, worldPosition, shadowFactor(shadowClip), ambientOcclusion(screenClip));
#else
    // Below shader level 3 the vertices carry no normal: the ambient light and what was baked.
    vec3 lit = albedo.rgb * gLight[0].rgb;
#endif
    lit += albedo.rgb * bakedLight;
    outColour = vec4(lit * albedo.a, albedo.a);
    outColour1 = vec4(0.0);
}
}

technique LightShadowTech {
    pass P0 { vertex = MeshVS; fragment = LitFS; }
}

technique BatchedLightmappedShadowTech {
    pass P0 { vertex = BatchedVS; fragment = LightmappedFS; }
}

technique BatchedLightShadowTech {
    pass P0 { vertex = BatchedVS; fragment = VertexLitFS; }
}
