#include "platform/gfx/sphere_geometry.h"

#include <cmath>
#include <numbers>

namespace gfx {

SphereGeometry makeSphere(float radius, std::uint32_t slices, std::uint32_t stacks) {
    SphereGeometry sphere;
    if (slices < 3 || stacks < 2) return sphere;
    const std::uint64_t vertexCount = std::uint64_t(slices) * (stacks - 1) + 2;
    if (vertexCount > 65536) return sphere;
    const auto add = [&](float x, float y, float z) {
        sphere.vertices.push_back({{x * radius, y * radius, z * radius}, {x, y, z}, {0, 0, 0}, {0, 0}});
    };
    add(0.0f, 1.0f, 0.0f);
    for (std::uint32_t stack = 1; stack < stacks; ++stack) {
        const float polar = std::numbers::pi_v<float> * float(stack) / float(stacks);
        for (std::uint32_t slice = 0; slice < slices; ++slice) {
            const float around = 2.0f * std::numbers::pi_v<float> * float(slice) / float(slices);
            add(std::sin(polar) * std::cos(around), std::cos(polar), std::sin(polar) * std::sin(around));
        }
    }
    add(0.0f, -1.0f, 0.0f);
    const auto ring = [slices](std::uint32_t stack, std::uint32_t slice) {
        return std::uint16_t(1 + (stack - 1) * slices + slice % slices);
    };
    const auto triangle = [&](std::uint16_t a, std::uint16_t b, std::uint16_t c) {
        sphere.indices.insert(sphere.indices.end(), {a, c, b});
    };
    // Each triangle is listed against the order its corners are named in here, which runs
    // anticlockwise seen from outside.
    for (std::uint32_t slice = 0; slice < slices; ++slice) triangle(0, ring(1, slice), ring(1, slice + 1));
    for (std::uint32_t stack = 1; stack + 1 < stacks; ++stack)
        for (std::uint32_t slice = 0; slice < slices; ++slice) {
            triangle(ring(stack, slice), ring(stack + 1, slice), ring(stack + 1, slice + 1));
            triangle(ring(stack, slice), ring(stack + 1, slice + 1), ring(stack, slice + 1));
        }
    const auto south = std::uint16_t(vertexCount - 1);
    for (std::uint32_t slice = 0; slice < slices; ++slice) triangle(south, ring(stacks - 1, slice + 1), ring(stacks - 1, slice));
    return sphere;
}

} // namespace gfx
