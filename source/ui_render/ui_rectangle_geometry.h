#pragma once
// The bevelled frames' parameters and their one quad of rectangle vertices each.
#include <array>
#include <cstdint>

#include "ui_render/ui_rectangle_vertex.h"

class SimpleParameterGroup;

struct UIColour {
    float r = 0.0f, g = 0.0f, b = 0.0f, a = 0.0f;
};

struct OutlinedRectangleShape {
    // Snapped corners, UI units.
    float left = 0.0f, top = 0.0f, right = 0.0f, bottom = 0.0f;
    UIColour fill, border, border2;
    // Left, top, right and bottom edge thickness in pixels.
    std::array<std::uint32_t, 4> borders{};
    bool roundedCorners = false;
};

// A packed colour: the integer R * 65536 + G * 256 + B (of |value|, truncated), with alpha.
UIColour unpackUIColour(float packed, float alpha);

// Reads an outlined rectangle's parameters, separate ("topLeft", "bottomRight", "colour", ...)
// or packed ("position", "colours", "borderWidths"), snapping the corners for a screen whose
// pixel is px by py UI units. False (shape untouched) without a group.
bool readOutlinedRectangle(const SimpleParameterGroup* group, bool packed, float px, float py,
                           OutlinedRectangleShape& shape);

// The width of the shadowed rectangle's band.
constexpr float shadowBandPixels = 4.0f;

// The frame as one quad of rectangle vertices, whose fragment stage draws the left and top edges
// in the border colour and the right and bottom ones in the second, meeting on the mitre from
// each outer corner to its inner one, and the fill inside; rounded corners leave each outer
// corner pixel undrawn. With a band, the quad reaches that many pixels further out on every side
// for the shadow there. Corners in either order make the same rectangle.
void writeRectangleQuad(const OutlinedRectangleShape& shape, float px, float py, float bandPixels,
                        UIRectangleVertex* out);
