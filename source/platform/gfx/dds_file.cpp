#include "platform/gfx/dds_file.h"

#include <algorithm>
#include <cstring>

#include "platform/gfx/format_info.h"

namespace gfx {
namespace {

constexpr uint32_t kFlagAlpha = 0x2, kFlagFourCC = 0x4, kFlagRgb = 0x40, kFlagLuminance = 0x20000;
// The header's second caps word: a cube map, and which of its faces the file holds.
constexpr uint32_t kCaps2CubeMap = 0x200, kCaps2AllFaces = 0xFC00;

uint32_t word(const uint8_t* bytes, std::size_t offset) {
    uint32_t value;
    std::memcpy(&value, bytes + offset, 4);
    return value;
}

uint32_t fullChain(uint32_t width, uint32_t height) {
    uint32_t levels = 1;
    for (uint32_t side = std::max(width, height); side > 1; side /= 2) ++levels;
    return levels;
}

} // namespace

Format ddsFormatFromPixelFormat(const DdsPixelFormat& p) {
    struct Masked {
        uint32_t bits, red, green, blue, alpha;
        Format format;
    };
    static constexpr Masked kRgb[] = {
        {32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000, Format::A8R8G8B8},
        {32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0, Format::X8R8G8B8},
        {32, 0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000, Format::A8B8G8R8},
        {32, 0x000000FF, 0x0000FF00, 0x00FF0000, 0, Format::X8B8G8R8},
        {32, 0xFFFFFFFF, 0, 0, 0, Format::R32F},
        {24, 0x00FF0000, 0x0000FF00, 0x000000FF, 0, Format::R8G8B8},
        {16, 0xF800, 0x07E0, 0x001F, 0, Format::R5G6B5},
    };
    if (p.flags & kFlagRgb) {
        for (const Masked& m : kRgb)
            if (p.bitCount == m.bits && p.redMask == m.red && p.greenMask == m.green && p.blueMask == m.blue &&
                p.alphaMask == m.alpha)
                return m.format;
        return Format::Unknown;
    }
    if (p.flags & kFlagLuminance) return p.bitCount == 8 ? Format::L8 : Format::Unknown;
    if (p.flags & kFlagAlpha) return p.bitCount == 8 ? Format::A8 : Format::Unknown;
    if (p.flags & kFlagFourCC) {
        for (Format dxt : {Format::Dxt1, Format::Dxt2, Format::Dxt3, Format::Dxt4, Format::Dxt5})
            if (p.fourCC == uint32_t(dxt)) return dxt;
    }
    return Format::Unknown;
}

bool parseDds(const uint8_t* bytes, std::size_t size, DdsImage& out, std::string& error) {
    out = DdsImage{};
    error.clear();
    if (!bytes || size < kDdsDataOffset) {
        error = "shorter than a DDS header (" + std::to_string(size) + " bytes)";
        return false;
    }
    if (std::memcmp(bytes, "DDS ", 4) != 0) {
        error = "no \"DDS \" magic";
        return false;
    }
    const std::size_t h = kDdsHeaderOffset;
    if (word(bytes, h) != 124 || word(bytes, h + 72) != 32) {
        error = "header or pixel-format size is wrong";
        return false;
    }
    const uint32_t height = word(bytes, h + 8), width = word(bytes, h + 12);
    uint32_t levelCount = word(bytes, h + 24);
    DdsPixelFormat pixelFormat{word(bytes, h + 72), word(bytes, h + 76), word(bytes, h + 80), word(bytes, h + 84),
                               word(bytes, h + 88), word(bytes, h + 92), word(bytes, h + 96), word(bytes, h + 100)};
    const Format format = ddsFormatFromPixelFormat(pixelFormat);
    const FormatInfo* info = formatInfo(format);
    if (!info) {
        error = "unsupported pixel format";
        return false;
    }
    if (width == 0 || height == 0 || width > kDdsMaxSide || height > kDdsMaxSide) {
        error = "absurd size " + std::to_string(width) + " x " + std::to_string(height);
        return false;
    }
    if (levelCount == 0) levelCount = 1;
    if (levelCount > fullChain(width, height)) {
        error = std::to_string(levelCount) + " mip levels for a " + std::to_string(width) + " x " +
                std::to_string(height) + " picture";
        return false;
    }
    const uint32_t caps2 = word(bytes, h + 108);
    const bool cubeMap = (caps2 & kCaps2CubeMap) != 0;
    if (cubeMap && ((caps2 & kCaps2AllFaces) != kCaps2AllFaces || width != height)) {
        error = "a cube map needs six square faces";
        return false;
    }
    const uint32_t faces = cubeMap ? 6 : 1;
    const std::size_t dataSize = size - kDdsDataOffset;
    std::vector<DdsLevel> levels;
    std::size_t offset = 0;
    uint32_t w = width, hgt = height;
    for (uint32_t level = 0; level < levelCount; ++level) {
        DdsLevel entry{w, hgt, rowPitch(*info, w), rowCount(*info, hgt), offset};
        offset += entry.bytes();
        levels.push_back(entry);
        w = std::max(1u, w / 2);
        hgt = std::max(1u, hgt / 2);
    }
    // Levels are at most 16384 x 16384 x 16 bytes, so six faces of them cannot overflow.
    if (offset * faces > dataSize) {
        error = "pixel data ends inside the " + std::to_string(faces) + " face(s) of " + std::to_string(levelCount) +
                " level(s) (" + std::to_string(dataSize) + " bytes of data)";
        return false;
    }
    out.cubeMap = cubeMap;
    out.faces = faces;
    out.faceBytes = offset;
    out.levels = std::move(levels);
    out.format = format;
    out.width = width;
    out.height = height;
    out.data = bytes + kDdsDataOffset;
    out.dataSize = dataSize;
    return true;
}

} // namespace gfx
