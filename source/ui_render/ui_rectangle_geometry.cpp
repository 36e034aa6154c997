#include "ui_render/ui_rectangle_geometry.h"

#include <algorithm>
#include <cmath>

#include "app/simple_parameter_group.h"
#include "render/ui_pixel_snap.h"
#include "ui_render/ui_batch_writer.h"
#include "ui_render/ui_parameters.h"
#include "ui_render/ui_rectangle_descriptions.h"

namespace {

UIColour colourOf(const Vector4Value& value) { return {value[0], value[1], value[2], value[3]}; }

std::uint32_t pack(const UIColour& colour) { return packUIColour(colour.r, colour.g, colour.b, colour.a); }

// One channel (the byte at shift) of the three A8R8G8B8 colours, as a rectangle vertex carries it.
float channel(std::uint32_t fill, std::uint32_t border, std::uint32_t border2, int shift) {
    const auto byte = [shift](std::uint32_t colour) { return (colour >> shift) & 255u; };
    return static_cast<float>(byte(fill) << 16 | byte(border) << 8 | byte(border2));
}

std::uint32_t pixels(float value) { return static_cast<std::uint32_t>(std::fabs(std::trunc(value))); }

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
        const Vector4Value position = uiparam::read(group, CompressedOutlinedRectangleParameters::position);
        const Vector4Value colours = uiparam::read(group, CompressedOutlinedRectangleParameters::colours);
        const Vector4Value widths = uiparam::read(group, CompressedOutlinedRectangleParameters::borderWidths);
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
    const Vector2Value topLeft = uiparam::read(group, OutlinedRectangleParameters::topLeft);
    const Vector2Value bottomRight = uiparam::read(group, OutlinedRectangleParameters::bottomRight);
    shape.left = snapCornerX(topLeft[0], px);
    shape.top = snapCornerY(topLeft[1], py);
    shape.right = snapCornerX(bottomRight[0], px);
    shape.bottom = snapCornerY(bottomRight[1], py);
    shape.fill = colourOf(uiparam::read(group, OutlinedRectangleParameters::colour));
    shape.border = colourOf(uiparam::read(group, OutlinedRectangleParameters::borderColour));
    shape.border2 = colourOf(uiparam::read(group, OutlinedRectangleParameters::borderColour2));
    shape.borders = {uiparam::read(group, OutlinedRectangleParameters::border1Width),
                     uiparam::read(group, OutlinedRectangleParameters::border1Height),
                     uiparam::read(group, OutlinedRectangleParameters::border2Width),
                     uiparam::read(group, OutlinedRectangleParameters::border2Height)};
    shape.roundedCorners = uiparam::read(group, OutlinedRectangleParameters::roundedCorners);
    return true;
}

void writeRectangleQuad(const OutlinedRectangleShape& s, float px, float py, float bandPixels,
                        UIRectangleVertex* out) {
    const float left = std::min(s.left, s.right), right = std::max(s.left, s.right);
    const float top = std::max(s.top, s.bottom), bottom = std::min(s.top, s.bottom);
    UIRectangleVertex vertex;
    // The corners are snapped: the size is a whole number of pixels but for rounding.
    vertex.width = std::round((right - left) / px);
    vertex.height = std::round((top - bottom) / py);
    vertex.roundedCorners = s.roundedCorners ? 1.0f : 0.0f;
    vertex.left = static_cast<float>(s.borders[0]);
    vertex.top = static_cast<float>(s.borders[1]);
    vertex.right = static_cast<float>(s.borders[2]);
    vertex.bottom = static_cast<float>(s.borders[3]);
    const std::uint32_t fill = pack(s.fill), border = pack(s.border), border2 = pack(s.border2);
    vertex.colours[0] = channel(fill, border, border2, 16);
    vertex.colours[1] = channel(fill, border, border2, 8);
    vertex.colours[2] = channel(fill, border, border2, 0);
    vertex.colours[3] = channel(fill, border, border2, 24);
    const float outerLeft = left - bandPixels * px, outerRight = right + bandPixels * px;
    const float outerTop = top + bandPixels * py, outerBottom = bottom - bandPixels * py;
    const float firstPixel = -bandPixels, lastX = vertex.width + bandPixels, lastY = vertex.height + bandPixels;
    // Left-bottom, left-top, right-top, right-bottom, as every UI quad.
    const float corners[4][4] = {{outerLeft, outerBottom, firstPixel, lastY},
                                 {outerLeft, outerTop, firstPixel, firstPixel},
                                 {outerRight, outerTop, lastX, firstPixel},
                                 {outerRight, outerBottom, lastX, lastY}};
    for (int i = 0; i < 4; ++i) {
        out[i] = vertex;
        out[i].x = corners[i][0];
        out[i].y = corners[i][1];
        out[i].pixelX = corners[i][2];
        out[i].pixelY = corners[i][3];
    }
}
