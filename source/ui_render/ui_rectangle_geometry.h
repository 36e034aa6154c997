#pragma once
// The geometry of the rectangle assets as quads of coloured vertices: the bevelled frame (four
// edge strips and the fill), its shadow band, and the reading of their parameters.
#include <array>
#include <cstdint>

#include "ui_render/text_vertex.h"

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

// The most quads writeOutlinedRectangle writes.
constexpr std::uint32_t outlinedRectangleQuads = 9;
constexpr std::uint32_t shadowBandQuads = 4;
constexpr float shadowBandPixels = 4.0f;

// How many quads writeOutlinedRectangle writes for the shape.
std::uint32_t outlinedRectangleQuadCount(const OutlinedRectangleShape& shape);
// The bevelled frame: the left and top edges in the border colour, the right and bottom ones in
// the second, meeting on the mitre from each outer corner to its inner one, and the fill inside.
// Rounded corners move the outer ends of the edges one pixel in, so each outer corner pixel is
// cut. Gives the number of quads written (outlinedRectangleQuadCount).
std::uint32_t writeOutlinedRectangle(const OutlinedRectangleShape& shape, float px, float py,
                                     ColouredTexturedVertex* out);
// The band around the exact corners, opaque black at the edge to clear outside: 16 vertices.
void writeShadowBand(const OutlinedRectangleShape& shape, float px, float py, ColouredTexturedVertex* out);
// One flat quad: 4 vertices in the given corner order.
void writeFlatQuad(const float (&corners)[8], std::uint32_t colour, ColouredTexturedVertex* out);
