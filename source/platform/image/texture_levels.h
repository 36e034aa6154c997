#pragma once
// Turning a decoded picture into the levels of a texture, the way "create texture from file"
// sizes, keys and filters them.
#include <cstdint>
#include <vector>

#include "platform/image/image.h"

namespace image {

enum class LevelFilter {
    Triangle, // level 0 is resampled to the texture size
    None,     // level 0 holds the picture unscaled at its top-left, the rest transparent black
};

struct TextureLevelOptions {
    int width = 0;  // 0 or less: the picture's width rounded up to a power of two
    int height = 0; // 0 or less: the picture's height rounded up to a power of two
    int mipLevels = 0; // 0 or less: the full chain down to 1 x 1; more than that is cut to it
    LevelFilter filter = LevelFilter::Triangle;
    // Pixels exactly equal to this ARGB value become transparent black; 0 keys nothing.
    uint32_t colourKey = 0;
};

// The largest side a texture is given, so a corrupt or absurd size can't exhaust memory.
constexpr int kMaxTextureSide = 8192;

// The smallest power of two at or above size (1 for sizes below 1).
int roundUpToPowerOfTwo(int size);
// Levels from width x height down to 1 x 1, each side halved (rounded down, at least 1).
int fullMipChainLength(int width, int height);

// Level 0 at the chosen size, then each further level filtered down from the one above.
// Empty when the picture is.
std::vector<Image> prepareTextureLevels(const Image& picture, const TextureLevelOptions& options);

} // namespace image
