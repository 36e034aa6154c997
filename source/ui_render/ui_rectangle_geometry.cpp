#include "ui_render/ui_rectangle_geometry.h"

#include <cmath>

#include "app/simple_parameter_group.h"
#include "ui_render/ui_batch_writer.h"
#include "ui_render/ui_parameters.h"
#include "ui_render/ui_pixel_snap.h"

namespace {

UIColour colourOf(const Vector4Value& value) { return {value[0], value[1], value[2], value[3]}; }

std::uint32_t pack(const UIColour& colour) { return packUIColour(colour.r, colour.g, colour.b, colour.a); }

std::uint32_t pixels(float value) { return static_cast<std::uint32_t>(std::fabs(std::trunc(value))); }

struct Point {
    float x, y;
};

void vertex(ColouredTexturedVertex& out, Point point, std::uint32_t colour) {
    out.x = point.x;
    out.y = point.y;
    out.z = 0.0f;
    out.colour = colour;
    out.u = 0.0f;
    out.v = 0.0f;
}

// A quad a b c d is drawn as the triangles a b c and c d a.
ColouredTexturedVertex* quad(ColouredTexturedVertex* out, Point a, Point b, Point c, Point d, std::uint32_t ca,
                             std::uint32_t cb, std::uint32_t cc, std::uint32_t cd) {
    vertex(out[0], a, ca);
    vertex(out[1], b, cb);
    vertex(out[2], c, cc);
    vertex(out[3], d, cd);
    return out + 4;
}

ColouredTexturedVertex* quad(ColouredTexturedVertex* out, Point a, Point b, Point c, Point d, std::uint32_t colour) {
    return quad(out, a, b, c, d, colour, colour, colour, colour);
}

} // namespace

UIColour unpackUIColour(float packed, float alpha) {
    const double n = std::fabs(std::trunc(static_cast<double>(packed)));
    const double red = std::floor(n / 65536.0);
    const double rest = n - 65536.0 * red;
    const double green = std::floor(rest / 256.0);
    const double blue = rest - 256.0 * green;
    return {static_cast<float>(red / 255.0), static_cast<float>(green / 255.0), static_cast<float>(blue / 255.0),
            alpha};
}

bool readOutlinedRectangle(const SimpleParameterGroup* group, bool packed, float px, float py,
                           OutlinedRectangleShape& shape) {
    if (!group) return false;
    if (packed) {
        const Vector4Value position = uiparam::read<Vector4Parameter>(group, "position", {1, 1, 1, 1});
        const Vector4Value colours = uiparam::read<Vector4Parameter>(group, "colours", {1, 1, 1, 1});
        const Vector4Value widths = uiparam::read<Vector4Parameter>(group, "borderWidths", {1, 1, 1, 1});
        shape.left = snapCornerX(position[0], px);
        shape.top = snapCornerY(position[1], py);
        shape.right = snapCornerX(position[2], px);
        shape.bottom = snapCornerY(position[3], py);
        shape.fill = unpackUIColour(colours[0], colours[3]);
        shape.border = unpackUIColour(colours[1], colours[3]);
        shape.border2 = unpackUIColour(colours[2], colours[3]);
        shape.borders = {pixels(widths[0]), pixels(widths[1]), pixels(widths[2]), pixels(widths[3])};
        shape.roundedCorners = false;
        return true;
    }
    const Vector2Value topLeft = uiparam::read<Vector2Parameter>(group, "topLeft", {-1, -1});
    const Vector2Value bottomRight = uiparam::read<Vector2Parameter>(group, "bottomRight", {1, 1});
    shape.left = snapCornerX(topLeft[0], px);
    shape.top = snapCornerY(topLeft[1], py);
    shape.right = snapCornerX(bottomRight[0], px);
    shape.bottom = snapCornerY(bottomRight[1], py);
    shape.fill = colourOf(uiparam::read<Vector4Parameter>(group, "colour", {1, 0, 0, 1}));
    shape.border = colourOf(uiparam::read<Vector4Parameter>(group, "borderColour", {1, 1, 1, 1}));
    shape.border2 = colourOf(uiparam::read<Vector4Parameter>(group, "borderColour2", {1, 1, 1, 1}));
    shape.borders = {uiparam::read<UnsignedIntParameter>(group, "border1Width", 1),
                     uiparam::read<UnsignedIntParameter>(group, "border1Height", 1),
                     uiparam::read<UnsignedIntParameter>(group, "border2Width", 1),
                     uiparam::read<UnsignedIntParameter>(group, "border2Height", 1)};
    shape.roundedCorners = uiparam::read<BoolParameter>(group, "roundedCorners", false);
    return true;
}

namespace {

// Whether every edge is at most a pixel thick, so that each corner where the two colours meet on
// the mitre is one pixel or none.
bool thinEdges(const OutlinedRectangleShape& s) {
    return s.borders[0] <= 1 && s.borders[1] <= 1 && s.borders[2] <= 1 && s.borders[3] <= 1;
}

} // namespace

std::uint32_t outlinedRectangleQuadCount(const OutlinedRectangleShape& shape) {
    return shape.roundedCorners || thinEdges(shape) ? 5 : outlinedRectangleQuads;
}

std::uint32_t writeOutlinedRectangle(const OutlinedRectangleShape& s, float px, float py,
                                     ColouredTexturedVertex* out) {
    const float xl = s.left + static_cast<float>(s.borders[0]) * px;
    const float yt = s.top - static_cast<float>(s.borders[1]) * py;
    const float xr = s.right - static_cast<float>(s.borders[2]) * px;
    const float yb = s.bottom + static_cast<float>(s.borders[3]) * py;
    const std::uint32_t border = pack(s.border), border2 = pack(s.border2), fill = pack(s.fill);
    const Point innerTL{xl, yt}, innerTR{xr, yt}, innerBR{xr, yb}, innerBL{xl, yb};
    if (!s.roundedCorners) {
        // Square corners: the pixels of the four mitred strips, drawn as rectangles, which
        // software GL draws far faster than thin slanted strips. The top-left corner goes with
        // the left edge and the bottom-right one with the right edge (one colour either way).
        const Point outerTL{s.left, s.top}, outerTR{s.right, s.top}, outerBR{s.right, s.bottom};
        const Point outerBL{s.left, s.bottom};
        const Point leftAtYb{s.left, yb}, xlAtTop{xl, s.top}, xrAtTop{xr, s.top}, rightAtYt{s.right, yt};
        const Point xlAtBottom{xl, s.bottom}, xrAtBottom{xr, s.bottom};
        if (thinEdges(s)) {
            // The mitre gives a one-pixel top-right or bottom-left corner to the right or
            // bottom edge, so those edges run the whole height and width.
            out = quad(out, leftAtYb, outerTL, xlAtTop, innerBL, border);
            out = quad(out, innerTL, xlAtTop, xrAtTop, innerTR, border);
            out = quad(out, xrAtBottom, xrAtTop, outerTR, outerBR, border2);
            out = quad(out, outerBL, leftAtYb, innerBR, xrAtBottom, border2);
            quad(out, innerBL, innerTL, innerTR, innerBR, fill);
            return 5;
        }
        // Thicker edges: the corners where the colours meet keep the two triangles of the
        // mitre, each as a quad whose second triangle has no area.
        out = quad(out, leftAtYb, outerTL, xlAtTop, innerBL, border);
        out = quad(out, innerTL, xlAtTop, xrAtTop, innerTR, border);
        out = quad(out, xrAtBottom, innerTR, rightAtYt, outerBR, border2);
        out = quad(out, xlAtBottom, innerBL, innerBR, xrAtBottom, border2);
        out = quad(out, innerBL, innerTL, innerTR, innerBR, fill);
        out = quad(out, xrAtTop, outerTR, innerTR, innerTR, border);
        out = quad(out, outerTR, rightAtYt, innerTR, innerTR, border2);
        out = quad(out, leftAtYb, outerBL, innerBL, innerBL, border);
        quad(out, outerBL, xlAtBottom, innerBL, innerBL, border2);
        return outlinedRectangleQuads;
    }
    // The outer ends of the strips; rounded corners move each a pixel in along its edge.
    const Point leftBottom{s.left, s.bottom + py}, leftTop{s.left, s.top - py};
    const Point topLeft{s.left + px, s.top}, topRight{s.right - px, s.top};
    const Point rightTop{s.right, s.top - py}, rightBottom{s.right, s.bottom + py};
    const Point bottomLeft{s.left + px, s.bottom}, bottomRight{s.right - px, s.bottom};
    out = quad(out, leftBottom, leftTop, innerTL, innerBL, border);
    out = quad(out, topRight, innerTR, innerTL, topLeft, border);
    out = quad(out, innerTR, rightTop, rightBottom, innerBR, border2);
    out = quad(out, bottomRight, bottomLeft, innerBL, innerBR, border2);
    quad(out, innerBL, innerTL, innerTR, innerBR, fill);
    return 5;
}

void writeShadowBand(const OutlinedRectangleShape& s, float px, float py, ColouredTexturedVertex* out) {
    const float sx = shadowBandPixels * px, sy = shadowBandPixels * py;
    const Point outerTL{s.left - sx, s.top + sy}, outerBL{s.left - sx, s.bottom - sy};
    const Point outerTR{s.right + sx, s.top + sy}, outerBR{s.right + sx, s.bottom - sy};
    const Point tl{s.left, s.top}, bl{s.left, s.bottom}, tr{s.right, s.top}, br{s.right, s.bottom};
    const std::uint32_t dark = packUIColour(0, 0, 0, 1), clear = 0;
    // Each band is split along the diagonal from its inner corner to its outer corner.
    out = quad(out, tl, bl, outerBL, outerTL, dark, dark, clear, clear);
    out = quad(out, outerTR, tr, tl, outerTL, clear, dark, dark, clear);
    out = quad(out, br, tr, outerTR, outerBR, dark, dark, clear, clear);
    quad(out, outerBL, bl, br, outerBR, clear, dark, dark, clear);
}

void writeFlatQuad(const float (&corners)[8], std::uint32_t colour, ColouredTexturedVertex* out) {
    quad(out, {corners[0], corners[1]}, {corners[2], corners[3]}, {corners[4], corners[5]}, {corners[6], corners[7]},
         colour);
}
