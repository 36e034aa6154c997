#include "platform/image/texture_levels.h"

#include <algorithm>

#include "platform/image/resize.h"

namespace image {

int roundUpToPowerOfTwo(int size) {
    int result = 1;
    while (result < size && result < (1 << 30)) result <<= 1;
    return result;
}

int fullMipChainLength(int width, int height) {
    int levels = 1;
    while (width > 1 || height > 1) {
        width = std::max(1, width / 2);
        height = std::max(1, height / 2);
        ++levels;
    }
    return levels;
}

std::vector<Image> prepareTextureLevels(const Image& picture, const TextureLevelOptions& options) {
    if (picture.empty()) return {};
    const int width = std::min(kMaxTextureSide, options.width > 0 ? options.width : roundUpToPowerOfTwo(picture.width));
    const int height = std::min(kMaxTextureSide, options.height > 0 ? options.height : roundUpToPowerOfTwo(picture.height));

    // The key is applied to the file's own pixels, before any filtering spreads them.
    Image keyed = picture;
    if (options.colourKey != 0)
        std::replace(keyed.argb.begin(), keyed.argb.end(), options.colourKey, uint32_t(0));

    std::vector<Image> levels;
    if (options.filter == LevelFilter::None) {
        Image top(width, height);
        const int copyWidth = std::min(width, keyed.width);
        for (int y = 0; y < std::min(height, keyed.height); ++y)
            std::copy_n(&keyed.argb[static_cast<std::size_t>(y) * keyed.width], copyWidth, &top.at(0, y));
        levels.push_back(std::move(top));
    } else {
        levels.push_back(resizeImage(keyed, width, height));
    }

    const int chain = fullMipChainLength(width, height);
    const int count = options.mipLevels > 0 ? std::min(options.mipLevels, chain) : chain;
    for (int level = 1; level < count; ++level) {
        const Image& above = levels.back();
        levels.push_back(resizeImage(above, std::max(1, above.width / 2), std::max(1, above.height / 2)));
    }
    return levels;
}

} // namespace image
