#include "ui_render/ui_colour_picker_shapes.h"

#include <cmath>

#include "render/ui_pixel_snap.h"

namespace {

template <std::size_t N>
void setCorner(UIGradientCorners<N>& corners, std::size_t index, float x, float y, const Vector4Value& colour) {
    corners.positions[index * 2] = x;
    corners.positions[index * 2 + 1] = y;
    for (std::size_t channel = 0; channel < 4; ++channel) corners.colours[index * 4 + channel] = colour[channel];
}

const Vector4Value black{0.0f, 0.0f, 0.0f, 1.0f};
const Vector4Value white{1.0f, 1.0f, 1.0f, 1.0f};
const Vector4Value red{1.0f, 0.0f, 0.0f, 1.0f};
const Vector4Value magenta{1.0f, 0.0f, 1.0f, 1.0f};
const Vector4Value blue{0.0f, 0.0f, 1.0f, 1.0f};
const Vector4Value cyan{0.0f, 1.0f, 1.0f, 1.0f};
const Vector4Value green{0.0f, 1.0f, 0.0f, 1.0f};
const Vector4Value yellow{1.0f, 1.0f, 0.0f, 1.0f};

} // namespace

const std::array<std::uint16_t, 36> hueStripIndices{0, 1, 2,  2,  3,  0, 5,  0, 3,  3,  6,  5,
                                                     4, 5, 6,  6,  7,  4, 9,  4, 7,  7,  10, 9,
                                                     8, 9, 10, 10, 11, 8, 12, 8, 11, 11, 13, 12};

UISnappedRectangle snapRectangleCorners(const Vector2Value& topLeft, const Vector2Value& bottomRight,
                                        float pixelWidth, float pixelHeight) {
    return {snapCornerX(topLeft[0], pixelWidth), snapCornerY(topLeft[1], pixelHeight),
            snapCornerX(bottomRight[0], pixelWidth), snapCornerY(bottomRight[1], pixelHeight)};
}

UIGradientCorners<4> colourRectangleCorners(const UISnappedRectangle& r, const Vector4Value& colour) {
    UIGradientCorners<4> corners;
    setCorner(corners, 0, r.left, r.bottom, black);
    setCorner(corners, 1, r.left, r.top, black);
    setCorner(corners, 2, r.right, r.top, colour);
    setCorner(corners, 3, r.right, r.bottom, white);
    return corners;
}

UIGradientCorners<14> hueStripCorners(const UISnappedRectangle& r) {
    const float s = std::fabs(r.top - r.bottom) * 0.16666667f;
    UIGradientCorners<14> corners;
    setCorner(corners, 0, r.left, r.top - s, magenta);
    setCorner(corners, 1, r.left, r.top, red);
    setCorner(corners, 2, r.right, r.top, red);
    setCorner(corners, 3, r.right, r.top - s, magenta);
    setCorner(corners, 4, r.left, r.top - 3 * s, cyan);
    setCorner(corners, 5, r.left, r.top - 2 * s, blue);
    setCorner(corners, 6, r.right, r.top - 2 * s, blue);
    setCorner(corners, 7, r.right, r.top - 3 * s, cyan);
    setCorner(corners, 8, r.left, r.top - 5 * s, yellow);
    setCorner(corners, 9, r.left, r.top - 4 * s, green);
    setCorner(corners, 10, r.right, r.top - 4 * s, green);
    setCorner(corners, 11, r.right, r.top - 5 * s, yellow);
    setCorner(corners, 12, r.left, r.top - 6 * s, red);
    setCorner(corners, 13, r.right, r.top - 6 * s, red);
    return corners;
}
