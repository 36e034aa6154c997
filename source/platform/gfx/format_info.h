#pragma once
// How each pixel format is laid out in CPU memory and stored in GL (device-internal).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gfx/types.h"

namespace gfx {

struct FormatInfo {
    Format format = Format::Unknown;
    uint32_t bytesPerPixel = 0; // 0 for block-compressed formats
    uint32_t blockBytes = 0;    // bytes per 4x4 block for DXT, else 0
    bool depth = false;
    // GL storage: internal format, upload format and type, and the swizzle that makes shaders
    // sample what the original hardware returned (missing channels read as 1, L8 spread).
    unsigned glInternal = 0;
    unsigned glFormat = 0;
    unsigned glType = 0;
    int swizzle[4] = {0, 0, 0, 0};
    bool isCompressed() const { return blockBytes != 0; }
};

// Null for formats the device can't hold.
const FormatInfo* formatInfo(Format format);

// Bytes from one row to the next (rows of 4x4 blocks for DXT), number of such rows, and the
// bytes of a whole level, all tightly packed.
uint32_t rowPitch(const FormatInfo& info, uint32_t width);
uint32_t rowCount(const FormatInfo& info, uint32_t height);
std::size_t levelBytes(const FormatInfo& info, uint32_t width, uint32_t height);

// Converts tightly packed pixels of a level into top-down 0xAARRGGBB values, reading them as
// a shader would sample them. False for formats it can't read.
bool convertToArgb(const FormatInfo& info, const uint8_t* data, uint32_t width, uint32_t height,
                   std::vector<uint32_t>& out);

} // namespace gfx

namespace gfx {
// Turns GL read-back values (RGBA floats) into 0xAARRGGBB through a format's swizzle.
void argbFromRgbaFloats(const float* rgba, std::size_t count, const int swizzle[4], std::vector<uint32_t>& out);
} // namespace gfx
