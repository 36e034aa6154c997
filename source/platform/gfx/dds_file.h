#pragma once
// DDS files checked and split into the levels of a texture: shared by the texture-from-file path
// and the engine's staged DDS loader, so both refuse the same corrupt files.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/gfx/types.h"

namespace gfx {

constexpr std::size_t kDdsHeaderOffset = 4;  // after the magic "DDS "
constexpr std::size_t kDdsDataOffset = 128;  // magic and the 124-byte header
// Larger sides are taken as corruption rather than pictures.
constexpr uint32_t kDdsMaxSide = 16384;

struct DdsPixelFormat {
    uint32_t size = 0, flags = 0, fourCC = 0, bitCount = 0;
    uint32_t redMask = 0, greenMask = 0, blueMask = 0, alphaMask = 0;
};

struct DdsLevel {
    uint32_t width = 0, height = 0;
    uint32_t rowBytes = 0; // a row of pixels, or of 4x4 blocks
    uint32_t rows = 0;
    std::size_t offset = 0; // from the start of the pixel data
    std::size_t bytes() const { return std::size_t(rowBytes) * rows; }
};

struct DdsImage {
    Format format = Format::Unknown;
    uint32_t width = 0, height = 0;
    // A cube map holds six faces (+X, -X, +Y, -Y, +Z, -Z), each with every level, one face after
    // another; a plain texture one.
    bool cubeMap = false;
    uint32_t faces = 1;
    std::vector<DdsLevel> levels; // of one face, tightly packed, one after another
    std::size_t faceBytes = 0;     // all levels of one face
    const uint8_t* data = nullptr; // the pixel data inside the caller's bytes
    std::size_t dataSize = 0;
    const uint8_t* levelData(uint32_t level) const { return levelData(0, level); }
    const uint8_t* levelData(uint32_t face, uint32_t level) const {
        return data + std::size_t(face) * faceBytes + levels.at(level).offset;
    }
};

// The device format a DDS pixel format describes; Unknown when none matches.
Format ddsFormatFromPixelFormat(const DdsPixelFormat& pixelFormat);

// Checks the header against the data and lists the levels. False, with the reason in error,
// for anything the pixel data cannot honestly fill: no magic, a bad header, an unknown format,
// absurd sizes or level counts, levels that run past the end of the file, or a cube map without
// all six faces.
bool parseDds(const uint8_t* bytes, std::size_t size, DdsImage& out, std::string& error);

} // namespace gfx
