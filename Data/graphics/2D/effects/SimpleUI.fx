// Solid UI rectangles. Corners arrive already
// snapped to pixels, in UI units, and colours premultiplied, one quad after another in a shared
// vertex buffer, so many rectangles draw in one call.

vertex RectangleVS {
in vec3 inPosition;
in vec4 inColour;
out vec4 colour;
void main() {
    gl_Position = vec4(inPosition.xy, 0.0, 1.0);
    colour = inColour;
}
}

fragment RectangleFS {
in vec4 colour;
void main() { outColour = colour; }
}

technique SimpleTech {
    pass P0 { vertex = RectangleVS; fragment = RectangleFS; CullMode = None; ZEnable = false; ZWriteEnable = false; }
}
