#include "ui_render/ui_image_quads.h"

std::array<UIImageVertex, 4> fullscreenQuadVertices(std::uint32_t width, std::uint32_t height) {
    const float hx = 0.5f * 2.0f / static_cast<float>(width);
    const float hy = 0.5f * 2.0f / static_cast<float>(height);
    return {{{-1.0f - hx, -1.0f + hy, 0.0f, 0.0f, 1.0f},
             {-1.0f - hx, 1.0f + hy, 0.0f, 0.0f, 0.0f},
             {1.0f - hx, 1.0f + hy, 0.0f, 1.0f, 0.0f},
             {1.0f - hx, -1.0f + hy, 0.0f, 1.0f, 1.0f}}};
}

std::array<UIImageVertex, 4> cornerIndexedQuadVertices() {
    return {{{1.0f, 1.0f, 0.0f, 0.0f, 0.0f},
             {1.0f, 1.0f, 1.0f, 1.0f, 0.0f},
             {1.0f, 1.0f, 2.0f, 1.0f, 1.0f},
             {1.0f, 1.0f, 3.0f, 0.0f, 1.0f}}};
}
