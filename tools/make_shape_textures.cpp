// Paints the textures of the flat shapes of the 3D scene at build time, premultiplied, as
// uncompressed 32-bit TGA files: the path arrow's dot and head, the facing arrow, the decal and
// the map grid's cell outline.
// Usage: make_shape_textures <Data/graphics/3d folder>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kSide = 64;

struct Colour {
    float r, g, b, a;
};

// Colour at texel centre (u, v), both in 0..1, v = 0 on the first row.
using Painter = std::function<Colour(float u, float v)>;

float smooth(float edge0, float edge1, float x) {
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

Colour dot(float u, float v) {
    // One round dot a unit of path, in the middle of the ribbon.
    const float du = u - 0.5f, dv = v - 0.5f;
    const float a = 1.0f - smooth(0.22f, 0.28f, std::sqrt(du * du + dv * dv));
    return {1.0f, 0.85f, 0.2f, a};
}

// A head whose point is at t = 0 and whose base runs across t = 1.
Colour triangle(float u, float t, Colour colour) {
    const float halfWidth = 0.5f * t;
    const float inside = std::abs(u - 0.5f) <= halfWidth ? 1.0f : 0.0f;
    colour.a *= inside;
    return colour;
}

// The path's end is at v = 0.
Colour arrowhead(float u, float v) { return triangle(u, v, {1.0f, 0.85f, 0.2f, 1.0f}); }

Colour facing(float u, float v) {
    // From the base at v = 0: a shaft over the first half, the head pointing to v = 1.
    if (v < 0.5f) return {0.3f, 0.8f, 1.0f, std::abs(u - 0.5f) < 0.15f ? 1.0f : 0.0f};
    return triangle(u, (1.0f - v) * 2.0f, {0.3f, 0.8f, 1.0f, 1.0f});
}

Colour blood(float u, float v) {
    // A splash: a disc with lobes, darker at the rim.
    const float du = u - 0.5f, dv = v - 0.5f;
    const float r = std::sqrt(du * du + dv * dv);
    const float angle = std::atan2(dv, du);
    const float reach = 0.32f + 0.08f * std::sin(angle * 5.0f) + 0.04f * std::sin(angle * 11.0f + 1.0f);
    const float a = 1.0f - smooth(reach - 0.03f, reach, r);
    const float shade = 0.55f + 0.2f * (1.0f - r / 0.5f);
    return {shade, 0.02f, 0.03f, a};
}

Colour hex(float u, float v) {
    // The cell's outline, along the hexagon its texture coordinates span: corners at u = 0.015
    // and 0.985 on the middle row, flat edges at v = 0.015 and 0.985.
    const float du = std::abs(u - 0.5f) / 0.485f, dv = std::abs(v - 0.5f) / 0.485f;
    const float distance = std::max(dv, du + 0.5f * dv);
    const float a = 0.85f * smooth(0.84f, 0.9f, distance) * (1.0f - smooth(0.98f, 1.0f, distance));
    return {0.9f, 0.9f, 0.85f, a};
}

bool writeTga(const std::string& path, const Painter& paint) {
    std::vector<std::uint8_t> bytes(18, 0);
    bytes[2] = 2; // uncompressed true colour
    bytes[12] = kSide & 255;
    bytes[13] = kSide >> 8;
    bytes[14] = kSide & 255;
    bytes[15] = kSide >> 8;
    bytes[16] = 32;
    bytes[17] = 8 | 0x20; // eight alpha bits, first row at the top
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
            const Colour c = paint((float(x) + 0.5f) / kSide, (float(y) + 0.5f) / kSide);
            const auto byte = [](float value) { return std::uint8_t(std::clamp(value, 0.0f, 1.0f) * 255.0f + 0.5f); };
            bytes.insert(bytes.end(), {byte(c.b * c.a), byte(c.g * c.a), byte(c.r * c.a), byte(c.a)});
        }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_shape_textures <Data/graphics/3d folder>\n");
        return 2;
    }
    const std::string global = std::string(argv[1]) + "/global/";
    bool ok = true;
    for (const auto& [name, painter] : {std::pair<const char*, Painter>{"dot.tga", dot}, {"arrowhead.tga", arrowhead},
                                        {"facing_arrow.tga", facing}, {"blood.tga", blood},
                                        {"hex.tga", hex}}) {
        if (!writeTga(global + name, painter)) {
            std::fprintf(stderr, "make_shape_textures: cannot write %s%s\n", global.c_str(), name);
            ok = false;
        }
    }
    return ok ? 0 : 1;
}
