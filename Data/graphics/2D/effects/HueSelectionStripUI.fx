// The colour picker's hue strip: fourteen corners of six bands. Each vertex's z is its corner
// number, which picks its position from gVertPositions and its colour from gColourArray; the
// colours are interpolated down each band (red, magenta, blue, cyan, green, yellow, red from the
// top). Written premultiplied.

parameter vec2 gVertPositions[14];
parameter vec4 gColourArray[14];

vertex CornerVS {
in vec3 inPosition;
out vec4 colour;
void main() {
    int corner = int(inPosition.z);
    gl_Position = vec4(gVertPositions[corner], 0.0, 1.0);
    colour = gColourArray[corner];
}
}

fragment HueFS {
in vec4 colour;
void main() { outColour = vec4(colour.rgb * colour.a, colour.a); }
}

technique SimpleTech {
    pass P0 { vertex = CornerVS; fragment = HueFS; CullMode = None; ZEnable = false; ZWriteEnable = false;
              AlphaBlendEnable = true; SrcBlend = One; DestBlend = InvSrcAlpha; }
}
