// A hull handed over by the update side: one translucent colour, premultiplied, blended one and
// inverse source alpha.

parameter mat4 gWVP;
parameter vec4 gColour = {0.2, 0.6, 1.0, 0.4};

vertex HullVS {
in vec3 inPosition;
in vec2 inTexCoord0;
void main() { gl_Position = gWVP * vec4(inPosition, 1.0); }
}

fragment HullFS {
void main() {
    outColour = vec4(gColour.rgb * gColour.a, gColour.a);
    outColour1 = vec4(0.0);
}
}

technique BaseTech {
    pass P0 { vertex = HullVS; fragment = HullFS; CullMode = None; ZWriteEnable = false; }
}
