#include "platform/image/dxt.h"

#include <array>

namespace image {
namespace {

uint32_t readLittle16(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
uint32_t readLittle32(const uint8_t* p) { return readLittle16(p) | readLittle16(p + 2) << 16; }

struct Rgb {
    uint32_t r, g, b;
};

Rgb expand565(uint32_t c) {
    const uint32_t r = (c >> 11) & 0x1F, g = (c >> 5) & 0x3F, b = c & 0x1F;
    return {r << 3 | r >> 2, g << 2 | g >> 4, b << 3 | b >> 2};
}

uint32_t opaque(const Rgb& c) { return 0xFF000000u | c.r << 16 | c.g << 8 | c.b; }

Rgb mix(const Rgb& a, const Rgb& b, uint32_t wa, uint32_t wb) {
    const uint32_t total = wa + wb;
    return {(a.r * wa + b.r * wb + total / 2) / total, (a.g * wa + b.g * wb + total / 2) / total,
            (a.b * wa + b.b * wb + total / 2) / total};
}

// The 16 colours of a colour block; in DXT1's three-colour mode index 3 is transparent black.
std::array<uint32_t, 16> decodeColourBlock(const uint8_t* block, bool allowThreeColourMode) {
    const uint32_t raw0 = readLittle16(block), raw1 = readLittle16(block + 2);
    const Rgb c0 = expand565(raw0), c1 = expand565(raw1);
    std::array<uint32_t, 4> palette;
    palette[0] = opaque(c0);
    palette[1] = opaque(c1);
    if (raw0 > raw1 || !allowThreeColourMode) {
        palette[2] = opaque(mix(c0, c1, 2, 1));
        palette[3] = opaque(mix(c0, c1, 1, 2));
    } else {
        palette[2] = opaque(mix(c0, c1, 1, 1));
        palette[3] = 0x00000000;
    }
    const uint32_t indices = readLittle32(block + 4);
    std::array<uint32_t, 16> pixels;
    for (int i = 0; i < 16; ++i) pixels[i] = palette[(indices >> (2 * i)) & 3];
    return pixels;
}

std::array<uint32_t, 16> explicitAlpha(const uint8_t* block) {
    std::array<uint32_t, 16> alpha;
    for (int i = 0; i < 16; ++i) alpha[i] = ((block[i / 2] >> (4 * (i % 2))) & 0xF) * 17;
    return alpha;
}

std::array<uint32_t, 16> interpolatedAlpha(const uint8_t* block) {
    const uint32_t a0 = block[0], a1 = block[1];
    std::array<uint32_t, 8> palette{a0, a1};
    if (a0 > a1) {
        for (uint32_t i = 1; i < 7; ++i) palette[i + 1] = ((7 - i) * a0 + i * a1 + 3) / 7;
    } else {
        for (uint32_t i = 1; i < 5; ++i) palette[i + 1] = ((5 - i) * a0 + i * a1 + 2) / 5;
        palette[6] = 0;
        palette[7] = 255;
    }
    uint64_t indices = 0;
    for (int i = 0; i < 6; ++i) indices |= uint64_t(block[2 + i]) << (8 * i);
    std::array<uint32_t, 16> alpha;
    for (int i = 0; i < 16; ++i) alpha[i] = palette[(indices >> (3 * i)) & 7];
    return alpha;
}

std::array<uint32_t, 16> decodeBlock(DxtFormat format, const uint8_t* block) {
    if (format == DxtFormat::Dxt1) return decodeColourBlock(block, true);
    std::array<uint32_t, 16> pixels = decodeColourBlock(block + 8, false);
    const bool explicitKind = format == DxtFormat::Dxt2 || format == DxtFormat::Dxt3;
    const std::array<uint32_t, 16> alpha = explicitKind ? explicitAlpha(block) : interpolatedAlpha(block);
    for (int i = 0; i < 16; ++i) pixels[i] = (pixels[i] & 0x00FFFFFFu) | alpha[i] << 24;
    return pixels;
}

int blocksFor(int pixels) { return (pixels + 3) / 4; }

} // namespace

std::size_t dxtBlockSize(DxtFormat format) { return format == DxtFormat::Dxt1 ? 8 : 16; }

std::size_t dxtLevelSize(DxtFormat format, int width, int height) {
    if (width <= 0 || height <= 0) return 0;
    return static_cast<std::size_t>(blocksFor(width)) * blocksFor(height) * dxtBlockSize(format);
}

bool decodeDxt(DxtFormat format, int width, int height, const uint8_t* data, std::size_t size, Image& out) {
    out = Image();
    if (width <= 0 || height <= 0 || !data || size < dxtLevelSize(format, width, height)) return false;
    out = Image(width, height);
    const std::size_t blockSize = dxtBlockSize(format);
    const uint8_t* block = data;
    for (int by = 0; by < blocksFor(height); ++by) {
        for (int bx = 0; bx < blocksFor(width); ++bx, block += blockSize) {
            const std::array<uint32_t, 16> pixels = decodeBlock(format, block);
            for (int i = 0; i < 16; ++i) {
                const int x = bx * 4 + i % 4, y = by * 4 + i / 4;
                if (x < width && y < height) out.at(x, y) = pixels[i];
            }
        }
    }
    return true;
}

} // namespace image
