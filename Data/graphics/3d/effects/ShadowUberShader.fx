// The shadow-map pass of the scene's meshes: the depth seen from the directional light, in the
// red channel, for the blur and the lit passes to compare against.
//
// A mesh drawn in its own space sets gLightWVP (world times the light's view-projection); a
// static batch, already in world space, sets gLightVP. Each renderable has its own effect, so
// the matrix it never sets stays the identity and the product is the one it means. Compiled
// with SHADER_INSTANCED 1, the world matrix comes from the instance stream (the transpose's
// first three rows, inTexCoord1 to inTexCoord3) and gLightVP is the light's view-projection.

parameter mat4 gLightWVP = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
parameter mat4 gLightVP = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

vertex ShadowVS {
in vec3 inPosition;
#if SHADER_INSTANCED
in vec4 inTexCoord1;
in vec4 inTexCoord2;
in vec4 inTexCoord3;
#endif
out float depth;
void main() {
#if SHADER_INSTANCED
    vec4 p = vec4(inPosition, 1.0);
    vec4 world = vec4(dot(p, inTexCoord1), dot(p, inTexCoord2), dot(p, inTexCoord3), 1.0);
    gl_Position = gLightVP * world;
#else
    gl_Position = gLightVP * (gLightWVP * vec4(inPosition, 1.0));
#endif
    depth = gl_Position.z / gl_Position.w;
}
}

fragment ShadowFS {
in float depth;
void main() {
    outColour = vec4(depth, 0.0, 0.0, 1.0);
    outColour1 = vec4(0.0);
}
}

technique BuildShadowMapTech {
    pass P0 { vertex = ShadowVS; fragment = ShadowFS; AlphaBlendEnable = false; }
}
