#pragma once
// A sphere around the origin in the 44-byte mesh layout (position, normal, tangent, texture
// coordinate), built as the drawing layer's stand-in for a generated sphere mesh: a vertex at
// each pole, rings of `slices` vertices between them, triangles wound clockwise seen from outside.
// Tangents and texture coordinates are zero, as in a position-and-normal mesh cloned to the layout.
#include <cstdint>
#include <vector>

namespace gfx {

struct SphereVertex {
    float position[3];
    float normal[3];
    float tangent[3];
    float uv[2];
};
static_assert(sizeof(SphereVertex) == 44);

struct SphereGeometry {
    std::vector<SphereVertex> vertices;
    std::vector<std::uint16_t> indices;
};

// slices around the axis (y), stacks from pole to pole; at least 3 and 2. Empty beyond what
// 16-bit indices reach.
SphereGeometry makeSphere(float radius, std::uint32_t slices, std::uint32_t stacks);

} // namespace gfx
