#include "ui_render/text_vertex.h"

#include <algorithm>

namespace {

std::uint32_t channel(float c) {
    // Clamped first only so that absurd values can't overflow the conversion.
    const float scaled = std::clamp(c * 255.0f, -1.0e9f, 1.0e9f);
    return static_cast<std::uint32_t>(static_cast<std::int64_t>(scaled)) & 0xFFu;
}

} // namespace

ColouredTexturedVertex::ColouredTexturedVertex(float x, float y, float u, float v, float r, float g, float b, float a)
    : x(x), y(y), z(0.0f), colour(channel(a) << 24 | channel(r) << 16 | channel(g) << 8 | channel(b)), u(u), v(v) {}
