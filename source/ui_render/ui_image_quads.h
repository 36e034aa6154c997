#pragma once
// The quads the UI's image assets draw: 20-byte vertices (position, texture coordinate), the
// full-screen quad and the quad whose corners an effect takes from its "gVertPositions" array.
#include <array>
#include <cstdint>

struct UIImageVertex {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float u = 0.0f;
    float v = 0.0f;
};
static_assert(sizeof(UIImageVertex) == 20, "the position-and-texture-coordinate layout expects 20 bytes");

// Two triangles over four vertices: 0 1 2 and 2 3 0.
inline constexpr std::array<std::uint16_t, 6> uiQuadIndices{0, 1, 2, 2, 3, 0};

// The whole screen of that size in pixels, moved half a pixel left and up so that texels fall on
// pixel centres: bottom left, top left, top right, bottom right.
std::array<UIImageVertex, 4> fullscreenQuadVertices(std::uint32_t width, std::uint32_t height);

// Positions (1, 1, corner) for corners 0 to 3 (top left, top right, bottom right, bottom left),
// with the texture coordinates of those corners.
std::array<UIImageVertex, 4> cornerIndexedQuadVertices();
