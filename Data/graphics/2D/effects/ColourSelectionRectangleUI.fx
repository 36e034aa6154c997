// The colour picker's field. Each vertex's z is its corner number, which picks its position
// from gVertPositions and its colour from gColourArray (0 bottom left, 1 top left, 2 top right,
// 3 bottom right; the program gives black, black, the chosen colour and white). The fragment
// blends the four corner colours bilinearly by the texture coordinate (u across from the left,
// v down from the top), so each edge runs straight from one corner's colour to the next one's.
// Written premultiplied.

parameter vec2 gVertPositions[4];
parameter vec4 gColourArray[4];

vertex CornerVS {
in vec3 inPosition;
in vec2 inTexCoord0;
out vec2 uv;
void main() {
    gl_Position = vec4(gVertPositions[int(inPosition.z)], 0.0, 1.0);
    uv = inTexCoord0;
}
}

fragment BlendFS {
in vec2 uv;
void main() {
    vec4 top = mix(gColourArray[1], gColourArray[2], uv.x);
    vec4 bottom = mix(gColourArray[0], gColourArray[3], uv.x);
    vec4 colour = mix(top, bottom, uv.y);
    outColour = vec4(colour.rgb * colour.a, colour.a);
}
}

technique SimpleTech {
    pass P0 { vertex = CornerVS; fragment = BlendFS; CullMode = None; ZEnable = false; ZWriteEnable = false;
              AlphaBlendEnable = true; SrcBlend = One; DestBlend = InvSrcAlpha; }
}
