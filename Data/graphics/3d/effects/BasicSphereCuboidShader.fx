// The built-in sphere: one flat colour, premultiplied by the instance's alpha, for a blend of
// one and inverse source alpha that the sphere sets around its draws.

parameter mat4 gWVP;
parameter mat4 gWorld;
parameter float gAlpha = 1;
parameter vec4 gColour = {0.25, 0.55, 1.0, 1.0};

vertex SphereVS {
in vec3 inPosition;
void main() { gl_Position = gWVP * vec4(inPosition, 1.0); }
}

fragment SphereFS {
void main() {
    outColour = vec4(gColour.rgb * gAlpha, gAlpha);
    outColour1 = vec4(0.0);
}
}

technique BaseTech {
    pass P0 { vertex = SphereVS; fragment = SphereFS; }
}
