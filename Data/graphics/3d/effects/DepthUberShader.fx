// The depth pass of the scene's meshes: view-space positions into the first target, view-space
// normals into the second, for the ambient occlusion.
//
// BuildDepthMapTech draws a mesh in its own space: g_local_to_screen (world, view, projection)
// and g_local_to_camera (world and view). A static mesh drawn instance by instance sets only
// gWVP; the matrices a renderable never sets stay the identity, so each product is the one it
// means (its positions are then world-space ones). Compiled with SHADER_INSTANCED 1 the world
// matrix comes from the instance stream (inTexCoord1 to inTexCoord3) and gDepthViewProj and
// gDepthView are the camera's. BuildDepthMapBatchedTech draws static batches, already in world
// space, with gDepthViewProj and gDepthView.

parameter mat4 g_local_to_screen = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
parameter mat4 g_local_to_camera = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
parameter mat4 gWVP = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
parameter mat4 gDepthViewProj = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
parameter mat4 gDepthView = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

vertex DepthVS {
in vec3 inPosition;
in vec3 inNormal;
#if SHADER_INSTANCED
in vec4 inTexCoord1;
in vec4 inTexCoord2;
in vec4 inTexCoord3;
#endif
out vec3 viewPosition;
out vec3 viewNormal;
void main() {
#if SHADER_INSTANCED
    vec4 p = vec4(inPosition, 1.0);
    vec4 world = vec4(dot(p, inTexCoord1), dot(p, inTexCoord2), dot(p, inTexCoord3), 1.0);
    vec3 worldNormal = vec3(dot(inNormal, inTexCoord1.xyz), dot(inNormal, inTexCoord2.xyz), dot(inNormal, inTexCoord3.xyz));
    gl_Position = gDepthViewProj * world;
    viewPosition = (gDepthView * world).xyz;
    viewNormal = (gDepthView * vec4(worldNormal, 0.0)).xyz;
#else
    gl_Position = gWVP * (g_local_to_screen * vec4(inPosition, 1.0));
    viewPosition = (g_local_to_camera * vec4(inPosition, 1.0)).xyz;
    viewNormal = (g_local_to_camera * vec4(inNormal, 0.0)).xyz;
#endif
}
}

vertex BatchedDepthVS {
in vec3 inPosition;
in vec3 inNormal;
out vec3 viewPosition;
out vec3 viewNormal;
void main() {
    gl_Position = gDepthViewProj * vec4(inPosition, 1.0);
    viewPosition = (gDepthView * vec4(inPosition, 1.0)).xyz;
    viewNormal = (gDepthView * vec4(inNormal, 0.0)).xyz;
}
}

fragment DepthFS {
in vec3 viewPosition;
in vec3 viewNormal;
void main() {
    outColour = vec4(viewPosition, 1.0);
    outColour1 = vec4(normalize(viewNormal), 1.0);
}
}

technique BuildDepthMapTech {
    pass P0 { vertex = DepthVS; fragment = DepthFS; AlphaBlendEnable = false; }
}

technique BuildDepthMapBatchedTech {
    pass P0 { vertex = BatchedDepthVS; fragment = DepthFS; AlphaBlendEnable = false; }
}
