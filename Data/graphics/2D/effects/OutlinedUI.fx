// Bevelled UI frames, one quad each, covering the frame only (ShadowedOutlinedUI.fx adds the
// shadow band). Every vertex carries the whole frame, its corners already snapped to pixels and
// its colours premultiplied, so that many frames draw in one call; the fragment stage picks each
// pixel's colour.
//
// The frame was once drawn as strips and corner triangles, one after another, and its pixels are
// still those the last of them to cover each pixel gave: the left and top edges in the border
// colour, the right and bottom ones in the second, meeting on the mitre from each outer corner to
// its inner one, the fill inside. Where edges are wider than the frame the strips overlap, some
// reversed, in that order.
//
// Software GL pays for every value passed to the fragment stage at every pixel, so there are few:
// the outer distances, the edges, the rounding flag and the three colours packed in one vector.

vertex FrameVS {
in vec4 inPosition;  // x, y (UI units), then the pixel position from the outer top-left corner
in vec3 inTexCoord0; // width and height in pixels, rounded corners (1 or 0)
in vec4 inTexCoord1; // left, top, right and bottom edge thickness, pixels
in vec4 inTexCoord2; // per channel: fill * 65536 + border * 256 + second border, bytes
noperspective out vec4 outer;
flat out vec4 edges;
flat out float rounded;
flat out vec4 colours;
void main() {
    gl_Position = vec4(inPosition.xy, 0.0, 1.0);
    outer = vec4(inPosition.zw, inTexCoord0.xy - inPosition.zw);
    edges = inTexCoord1;
    rounded = inTexCoord0.z;
    colours = inTexCoord2;
}
}

fragment FrameFS {
noperspective in vec4 outer; // pixels from the left, top, right and bottom outer edges
flat in vec4 edges;
flat in float rounded;
flat in vec4 colours;
void main() {
    // Which colour's bytes to take from colours.
    const float none = 0.0, fill = 1.0 / 65536.0, border = 1.0 / 256.0, border2 = 1.0;
    // At pixel centres the distances are odd halves, never 0, and the mitre products differ by
    // a half or more, so these comparisons are exact.
    vec4 inner = outer - edges;
    bvec4 strip = lessThan(inner, vec4(0.0)); // within the left, top, right, bottom edge
    // Between the inner left and right (top and bottom) edges, in either order.
    bool acrossX = strip.x == strip.z, acrossY = strip.y == strip.w;
    float pick = none;
    if (strip.x && !strip.w) pick = border;
    if (acrossX && strip.y) pick = border;
    if (strip.z && !strip.y) pick = border2;
    if (acrossX && strip.w) pick = border2;
    if (acrossX && acrossY) pick = fill;
    // A pixel centred on a mitre goes to the right or bottom edge.
    if (strip.z && strip.y) pick = edges.z * outer.y < edges.y * outer.z - 0.25 ? border : border2;
    if (strip.x && strip.w) pick = edges.w * outer.x < edges.x * outer.w - 0.25 ? border : border2;
    if (rounded > 0.5 && min(outer.x, outer.z) < 1.0 && min(outer.y, outer.w) < 1.0) pick = none;
    outColour = mod(floor(colours * pick), 256.0) / 255.0;
}
}

technique SimpleTech {
    pass P0 { vertex = FrameVS; fragment = FrameFS; CullMode = None; ZEnable = false; ZWriteEnable = false; }
}
