#pragma once
// The shapes of the colour picker's parts: the colour-selection rectangle (black, black, the
// chosen colour and white at its corners) and the hue strip (six bands through the primary and
// secondary hues, red at both ends), as corner positions and colours for their effects.
#include <array>
#include <cstddef>
#include <cstdint>

#include "app/parameter_kind.h"

// Corners in UI units, both on pixel edges.
struct UISnappedRectangle {
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
};

// Each corner taken to the nearest pixel edge (halves away from zero), then half a pixel left
// and up, where the device puts the edges of pixels.
UISnappedRectangle snapRectangleCorners(const Vector2Value& topLeft, const Vector2Value& bottomRight,
                                        float pixelWidth, float pixelHeight);

// N corners: x, y of each, and r, g, b, a of each, in corner order.
template <std::size_t N>
struct UIGradientCorners {
    std::array<float, N * 2> positions{};
    std::array<float, N * 4> colours{};
};

// Corners 0 to 3: (left, bottom) black, (left, top) black, (right, top) colour, (right, bottom)
// white.
UIGradientCorners<4> colourRectangleCorners(const UISnappedRectangle& rectangle, const Vector4Value& colour);

// Fourteen corners of six bands, each a sixth of the height, from the top: red to magenta,
// magenta to blue, blue to cyan, cyan to green, green to yellow, yellow to red.
UIGradientCorners<14> hueStripCorners(const UISnappedRectangle& rectangle);
// The strip's twelve triangles over its fourteen corners.
extern const std::array<std::uint16_t, 36> hueStripIndices;
