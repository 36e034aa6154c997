#pragma once
// Builds DDS file bytes for tests: a header from the given fields, then the pixel data.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace ddstest {

struct Header {
    uint32_t width = 4, height = 4, mipCount = 1;
    uint32_t pixelFlags = 0x4; // FourCC
    uint32_t fourCC = 0, bitCount = 0, red = 0, green = 0, blue = 0, alpha = 0;
    uint32_t headerSize = 124, pixelFormatSize = 32;
    // 0xFE00 for a cube map with all six faces.
    uint32_t caps2 = 0;
};

inline uint32_t code(const char* four) {
    return uint32_t(uint8_t(four[0])) | uint32_t(uint8_t(four[1])) << 8 | uint32_t(uint8_t(four[2])) << 16 |
           uint32_t(uint8_t(four[3])) << 24;
}

inline Header dxt(const char* four, uint32_t width, uint32_t height, uint32_t mips) {
    Header h;
    h.fourCC = code(four);
    h.width = width;
    h.height = height;
    h.mipCount = mips;
    return h;
}

inline Header argb32(uint32_t width, uint32_t height, uint32_t mips = 1) {
    Header h;
    h.pixelFlags = 0x41; // RGB with alpha
    h.bitCount = 32;
    h.red = 0x00FF0000;
    h.green = 0x0000FF00;
    h.blue = 0x000000FF;
    h.alpha = 0xFF000000;
    h.width = width;
    h.height = height;
    h.mipCount = mips;
    return h;
}

inline std::string file(const Header& h, const std::vector<uint8_t>& data) {
    std::string bytes(128, '\0');
    auto put = [&bytes](std::size_t offset, uint32_t value) { std::memcpy(&bytes[offset], &value, 4); };
    std::memcpy(&bytes[0], "DDS ", 4);
    put(4, h.headerSize);
    put(8, 0x1007 | (h.mipCount > 1 ? 0x20000u : 0u));
    put(12, h.height);
    put(16, h.width);
    put(28, h.mipCount);
    put(76, h.pixelFormatSize);
    put(80, h.pixelFlags);
    put(84, h.fourCC);
    put(88, h.bitCount);
    put(92, h.red);
    put(96, h.green);
    put(100, h.blue);
    put(104, h.alpha);
    put(112, h.caps2);
    bytes.append(data.begin(), data.end());
    return bytes;
}

// A DXT1 block of one opaque R5G6B5 colour (the first of its two colours, every index 0).
inline std::vector<uint8_t> dxt1Block(uint16_t colour) {
    return {uint8_t(colour), uint8_t(colour >> 8), 0, 0, 0, 0, 0, 0};
}

inline void append(std::vector<uint8_t>& to, const std::vector<uint8_t>& bytes) {
    to.insert(to.end(), bytes.begin(), bytes.end());
}

} // namespace ddstest
