#pragma once
// The region colours of a regions map: a 256 x 256 image of 16 by 16 cells, each of one random
// colour with alpha 80 (every channel a draw modulo 255, so never 255), the bottom-right cell
// white with alpha 0.
#include <cstdint>
#include <vector>

#include "app/random_source.h"

inline constexpr std::uint32_t regionColourImageSize = 256;
inline constexpr std::uint32_t regionColourCells = 16;

// A8R8G8B8 values, row 0 first. Cells are drawn column by column, each column from row 0 down,
// red, green then blue.
std::vector<std::uint32_t> drawRegionColours(RandomSource& random);
