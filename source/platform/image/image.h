#pragma once
// A picture held in memory as 32-bit ARGB pixels: what textures are made from and saved as.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace image {

struct Image {
    int width = 0;
    int height = 0;
    // Rows top-down, each pixel 0xAARRGGBB (A8R8G8B8, the byte order B, G, R, A in memory).
    std::vector<uint32_t> argb;

    Image() = default;
    // Every pixel set to fill (transparent black by default).
    Image(int width, int height, uint32_t fill = 0);

    bool empty() const { return width <= 0 || height <= 0; }
    uint32_t& at(int x, int y) { return argb[static_cast<std::size_t>(y) * width + x]; }
    uint32_t at(int x, int y) const { return argb[static_cast<std::size_t>(y) * width + x]; }
};

} // namespace image
