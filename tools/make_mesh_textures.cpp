// Paints the textures of the project's 3D data at build time: the colour and normal atlases of
// each mesh folder at the three texture details, the crate picture and the environment cube map.
// Usage: make_mesh_textures <Data/graphics/3d folder>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/image/dds_writer.h"
#include "platform/image/image.h"
#include "platform/image/image_file.h"
#include "platform/paths.h"

namespace {

// Each painter gets the texel and the side of its square, so every detail shows the same picture.
using Painter = std::function<uint32_t(int x, int y, int side)>;

uint32_t argb(int r, int g, int b) { return 0xFF000000u | uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b); }

// A fixed scatter, so the pictures are the same on every build.
uint32_t speckle(int x, int y) {
    uint32_t h = uint32_t(x) * 73856093u ^ uint32_t(y) * 19349663u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    return h ^ (h >> 15);
}

uint32_t crate(int x, int y, int side) {
    const int border = side / 10;
    const bool frame = x < border || y < border || x >= side - border || y >= side - border;
    const bool brace = std::abs(x - y) < border / 2 + 1;
    if (frame || brace) return argb(110, 74, 42);
    return (y * 8 / side) % 2 ? argb(200, 160, 112) : argb(188, 150, 104);
}

uint32_t stone(int x, int y, int side) {
    const int block = side / 4;
    const bool mortar = x % block == 0 || y % block == 0;
    if (mortar) return argb(120, 120, 118);
    const int shade = 150 + int(speckle(x / block, y / block) % 40);
    return argb(shade, shade, shade - 6);
}

uint32_t earth(int x, int y, int) {
    const int shade = int(speckle(x, y) % 24);
    return argb(96 + shade, 128 + shade, 60);
}

// Flat normals with raised borders, in the usual packing (x, y, z from -1..1 into 0..255).
uint32_t bumpyNormals(int x, int y, int side) {
    const int border = side / 10;
    if (x < border) return argb(64, 128, 222);
    if (x >= side - border) return argb(192, 128, 222);
    if (y < border) return argb(128, 64, 222);
    if (y >= side - border) return argb(128, 192, 222);
    return argb(128, 128, 255);
}

// A square picture made of two painted halves side by side (each painted as a square).
image::Image atlas(int side, const Painter& left, const Painter& right) {
    image::Image picture(side, side);
    const int half = side / 2;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const int sy = y * half / side;
            picture.at(x, y) = x < half ? left(x, sy, half) : right(x - half, sy, half);
        }
    return picture;
}

image::Image painted(int side, const Painter& painter) {
    image::Image picture(side, side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) picture.at(x, y) = painter(x, y, side);
    return picture;
}

// Sky above, grass below, the horizon across the side faces.
std::vector<image::Image> environment(int side) {
    const uint32_t sky = argb(135, 190, 235), grass = argb(76, 122, 44);
    std::vector<image::Image> faces;
    for (int face = 0; face < 6; ++face) {
        image::Image picture(side, side);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                picture.at(x, y) = face == 2 ? sky : face == 3 ? grass : (y < side / 2 ? sky : grass);
        faces.push_back(std::move(picture));
    }
    return faces;
}

bool write(const std::string& path, const std::vector<image::Image>& faces) {
    std::string error;
    if (image::saveDdsFile(path, faces, &error)) return true;
    std::fprintf(stderr, "make_mesh_textures: %s: %s\n", path.c_str(), error.c_str());
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_mesh_textures <graphics/3d folder>\n");
        return 2;
    }
    const std::string root = std::string(argv[1]) + "/";
    struct Folder {
        const char* name;
        Painter left, right;
    };
    const Folder folders[] = {{"meshes/dynamic/", crate, stone}, {"meshes/static/", stone, earth}};
    struct Detail {
        const char* folder;
        int side;
    };
    const Detail details[] = {{"large_tex/", 128}, {"medium_tex/", 64}, {"small_tex/", 32}};
    bool ok = true;
    for (const Folder& folder : folders)
        for (const Detail& detail : details) {
            const std::string base = root + folder.name + detail.folder;
            platform::createDirectories(base);
            ok = write(base + "atlas_texture0.dds", {atlas(detail.side, folder.left, folder.right)}) && ok;
            ok = write(base + "atlas_normal_texture0.dds", {atlas(detail.side, bumpyNormals, bumpyNormals)}) && ok;
        }
    platform::createDirectories(root + "global");
    ok = write(root + "global/grassenvmap1024.dds", environment(16)) && ok;
    std::string error;
    if (!image::saveJpegFile(root + "global/crate.jpg", painted(64, crate), 90, &error)) {
        std::fprintf(stderr, "make_mesh_textures: crate.jpg: %s\n", error.c_str());
        ok = false;
    }
    return ok ? 0 : 1;
}
