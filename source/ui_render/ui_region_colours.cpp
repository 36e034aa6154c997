#include "ui_render/ui_region_colours.h"

std::vector<std::uint32_t> drawRegionColours(RandomSource& random) {
    constexpr std::uint32_t size = regionColourImageSize;
    constexpr std::uint32_t cell = size / regionColourCells;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size) * size, 0);
    for (std::uint32_t column = 0; column < regionColourCells; ++column) {
        for (std::uint32_t row = 0; row < regionColourCells; ++row) {
            const std::uint32_t red = random.draw() % 255;
            const std::uint32_t green = random.draw() % 255;
            const std::uint32_t blue = random.draw() % 255;
            std::uint32_t colour = 80u << 24 | red << 16 | green << 8 | blue;
            if (column == regionColourCells - 1 && row == regionColourCells - 1) colour = 0x00FFFFFFu;
            for (std::uint32_t y = row * cell; y < (row + 1) * cell; ++y) {
                for (std::uint32_t x = column * cell; x < (column + 1) * cell; ++x) {
                    pixels[static_cast<std::size_t>(y) * size + x] = colour;
                }
            }
        }
    }
    return pixels;
}
