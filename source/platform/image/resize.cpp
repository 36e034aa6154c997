#include "platform/image/resize.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace image {
namespace {

struct Tap {
    int index;
    float weight;
};

// For each result position, the source positions it draws on and their weights (summing to 1).
std::vector<std::vector<Tap>> filterTaps(int sourceSize, int resultSize) {
    std::vector<std::vector<Tap>> taps(static_cast<std::size_t>(resultSize));
    const double scale = double(sourceSize) / resultSize;
    const double radius = std::max(1.0, scale);
    for (int i = 0; i < resultSize; ++i) {
        const double centre = (i + 0.5) * scale - 0.5;
        const int first = int(std::floor(centre - radius));
        const int last = int(std::ceil(centre + radius));
        double total = 0.0;
        std::vector<Tap>& row = taps[static_cast<std::size_t>(i)];
        for (int j = first; j <= last; ++j) {
            const double weight = 1.0 - std::fabs(j - centre) / radius;
            if (weight <= 0.0) continue;
            row.push_back({std::clamp(j, 0, sourceSize - 1), float(weight)});
            total += weight;
        }
        for (Tap& tap : row) tap.weight = float(tap.weight / total);
    }
    return taps;
}

using Channels = std::array<float, 4>; // a, r, g, b

Channels split(uint32_t pixel) {
    return {float(pixel >> 24), float((pixel >> 16) & 0xFF), float((pixel >> 8) & 0xFF), float(pixel & 0xFF)};
}

uint32_t join(const Channels& c) {
    uint32_t pixel = 0;
    for (float value : c) pixel = pixel << 8 | uint32_t(std::clamp(std::lround(value), 0L, 255L));
    return pixel;
}

} // namespace

Image resizeImage(const Image& source, int width, int height) {
    if (width <= 0 || height <= 0 || source.empty()) return Image();
    if (width == source.width && height == source.height) return source;

    const auto across = filterTaps(source.width, width);
    const auto down = filterTaps(source.height, height);

    // Rows first, then columns; only a few filtered source rows are kept at a time, so the
    // memory used follows the result's width and not the source's height. Result rows draw
    // on source rows in rising order; a shrink's neighbouring rows share a few of them.
    constexpr std::size_t kKeptRows = 8;
    std::vector<std::vector<Channels>> kept(kKeptRows, std::vector<Channels>(static_cast<std::size_t>(width)));
    std::vector<int> keptIndex(kKeptRows, -1);
    const auto filteredRow = [&](int y) -> const std::vector<Channels>& {
        std::vector<Channels>& row = kept[static_cast<std::size_t>(y) % kKeptRows];
        int& index = keptIndex[static_cast<std::size_t>(y) % kKeptRows];
        if (index == y) return row;
        index = y;
        for (int x = 0; x < width; ++x) {
            Channels sum{};
            for (const Tap& tap : across[static_cast<std::size_t>(x)]) {
                const Channels c = split(source.at(tap.index, y));
                for (int k = 0; k < 4; ++k) sum[k] += c[k] * tap.weight;
            }
            row[static_cast<std::size_t>(x)] = sum;
        }
        return row;
    };

    Image result(width, height);
    std::vector<Channels> sums(static_cast<std::size_t>(width));
    for (int y = 0; y < height; ++y) {
        std::fill(sums.begin(), sums.end(), Channels{});
        for (const Tap& tap : down[static_cast<std::size_t>(y)]) {
            const std::vector<Channels>& row = filteredRow(tap.index);
            for (int x = 0; x < width; ++x)
                for (int k = 0; k < 4; ++k) sums[static_cast<std::size_t>(x)][k] += row[static_cast<std::size_t>(x)][k] * tap.weight;
        }
        for (int x = 0; x < width; ++x) result.at(x, y) = join(sums[static_cast<std::size_t>(x)]);
    }
    return result;
}

} // namespace image
