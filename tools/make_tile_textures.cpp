// Paints the tile textures of the 3D data at build time, premultiplied, as uncompressed DDS files:
// the flat tile "grass.dds", and the static tiles' atlas page "tiles.dds" whose left half is
// grass and right half stone (as "tiles.tai" beside it says).
// Usage: make_tile_textures <Data/graphics/3d folder>
#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/image/dds_writer.h"
#include "platform/image/image.h"

namespace {

constexpr int kSide = 64;

uint32_t argb(int r, int g, int b) { return 0xFF000000u | uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b); }

// A fixed scatter, so the pictures are the same on every build.
uint32_t speckle(int x, int y) {
    uint32_t h = uint32_t(x) * 73856093u ^ uint32_t(y) * 19349663u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    return h ^ (h >> 15);
}

uint32_t grass(int x, int y) {
    const int shade = int(speckle(x, y) % 40);
    return argb(40 + shade / 2, 110 + shade, 30);
}

uint32_t stone(int x, int y) {
    const bool joint = y % 16 == 0 || (x + (y / 16 % 2) * 8) % 16 == 0;
    const int shade = int(speckle(x, y) % 24);
    return joint ? argb(70, 70, 74) : argb(140 + shade, 138 + shade, 130 + shade);
}

bool write(const std::string& path, const image::Image& picture) {
    std::string error;
    if (image::saveDdsFile(path, {picture}, &error)) return true;
    std::fprintf(stderr, "make_tile_textures: %s: %s\n", path.c_str(), error.c_str());
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_tile_textures <Data/graphics/3d folder>\n");
        return 2;
    }
    const std::string root = argv[1];
    image::Image flat(kSide, kSide), page(2 * kSide, kSide);
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
            flat.at(x, y) = grass(x, y);
            page.at(x, y) = grass(x, y);
            page.at(kSide + x, y) = stone(x, y);
        }
    bool ok = write(root + "/tiles/flat/grass.dds", flat);
    ok = write(root + "/tiles/static/tiles.dds", page) && ok;
    return ok ? 0 : 1;
}
