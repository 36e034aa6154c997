#pragma once
// The vertex of every glyph quad: position, packed A8R8G8B8 colour and atlas coordinate (24 bytes).
#include <cstdint>

struct ColouredTexturedVertex {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    std::uint32_t colour = 0;
    float u = 0.0f;
    float v = 0.0f;

    ColouredTexturedVertex() = default;
    // Each channel is trunc(c * 255), of which the low 8 bits are kept.
    ColouredTexturedVertex(float x, float y, float u, float v, float r, float g, float b, float a);
};
static_assert(sizeof(ColouredTexturedVertex) == 24, "the vertex declaration of text expects 24 bytes");
