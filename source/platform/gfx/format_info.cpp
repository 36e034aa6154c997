#include "platform/gfx/format_info.h"

#include "platform/image/dxt.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace gfx {
namespace {

constexpr int R = GL_RED, G = GL_GREEN, B = GL_BLUE, A = GL_ALPHA, ONE = GL_ONE, ZERO = GL_ZERO;

const FormatInfo kFormats[] = {
    {Format::A8R8G8B8, 4, 0, false, GL_RGBA8, GL_BGRA, GL_UNSIGNED_BYTE, {R, G, B, A}},
    // No alpha channel in GL either, so blending reads destination alpha as 1, as the original did.
    {Format::X8R8G8B8, 4, 0, false, GL_RGB8, GL_BGRA, GL_UNSIGNED_BYTE, {R, G, B, ONE}},
    {Format::A8B8G8R8, 4, 0, false, GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE, {R, G, B, A}},
    {Format::X8B8G8R8, 4, 0, false, GL_RGB8, GL_RGBA, GL_UNSIGNED_BYTE, {R, G, B, ONE}},
    {Format::R8G8B8, 3, 0, false, GL_RGB8, GL_BGR, GL_UNSIGNED_BYTE, {R, G, B, ONE}},
    {Format::R5G6B5, 2, 0, false, GL_RGB565, GL_RGB, GL_UNSIGNED_SHORT_5_6_5, {R, G, B, ONE}},
    {Format::L8, 1, 0, false, GL_R8, GL_RED, GL_UNSIGNED_BYTE, {R, R, R, ONE}},
    {Format::A8, 1, 0, false, GL_R8, GL_RED, GL_UNSIGNED_BYTE, {ZERO, ZERO, ZERO, R}},
    {Format::R32F, 4, 0, false, GL_R32F, GL_RED, GL_FLOAT, {R, ONE, ONE, ONE}},
    {Format::A32B32G32R32F, 16, 0, false, GL_RGBA32F, GL_RGBA, GL_FLOAT, {R, G, B, A}},
    {Format::D24S8, 4, 0, true, GL_DEPTH24_STENCIL8, GL_DEPTH_STENCIL, GL_UNSIGNED_INT_24_8, {R, G, B, A}},
    {Format::D24X8, 4, 0, true, GL_DEPTH24_STENCIL8, GL_DEPTH_STENCIL, GL_UNSIGNED_INT_24_8, {R, G, B, A}},
    {Format::Dxt1, 0, 8, false, GL_COMPRESSED_RGBA_S3TC_DXT1_EXT, 0, 0, {R, G, B, A}},
    {Format::Dxt2, 0, 16, false, GL_COMPRESSED_RGBA_S3TC_DXT3_EXT, 0, 0, {R, G, B, A}},
    {Format::Dxt3, 0, 16, false, GL_COMPRESSED_RGBA_S3TC_DXT3_EXT, 0, 0, {R, G, B, A}},
    {Format::Dxt4, 0, 16, false, GL_COMPRESSED_RGBA_S3TC_DXT5_EXT, 0, 0, {R, G, B, A}},
    {Format::Dxt5, 0, 16, false, GL_COMPRESSED_RGBA_S3TC_DXT5_EXT, 0, 0, {R, G, B, A}},
};

uint8_t toByte(float v) { return uint8_t(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); }

} // namespace

const FormatInfo* formatInfo(Format format) {
    for (const FormatInfo& info : kFormats)
        if (info.format == format) return &info;
    return nullptr;
}

uint32_t rowPitch(const FormatInfo& info, uint32_t width) {
    if (info.isCompressed()) return std::max(1u, (width + 3) / 4) * info.blockBytes;
    return width * info.bytesPerPixel;
}

uint32_t rowCount(const FormatInfo& info, uint32_t height) {
    return info.isCompressed() ? std::max(1u, (height + 3) / 4) : height;
}

std::size_t levelBytes(const FormatInfo& info, uint32_t width, uint32_t height) {
    return std::size_t(rowPitch(info, width)) * rowCount(info, height);
}

bool convertToArgb(const FormatInfo& info, const uint8_t* data, uint32_t width, uint32_t height,
                   std::vector<uint32_t>& out) {
    out.assign(std::size_t(width) * height, 0);
    if (info.isCompressed()) {
        image::DxtFormat dxt = image::DxtFormat::Dxt1;
        switch (info.format) {
        case Format::Dxt1: dxt = image::DxtFormat::Dxt1; break;
        case Format::Dxt2: dxt = image::DxtFormat::Dxt2; break;
        case Format::Dxt3: dxt = image::DxtFormat::Dxt3; break;
        case Format::Dxt4: dxt = image::DxtFormat::Dxt4; break;
        default: dxt = image::DxtFormat::Dxt5; break;
        }
        image::Image decoded;
        if (!image::decodeDxt(dxt, int(width), int(height), data, levelBytes(info, width, height), decoded))
            return false;
        out = std::move(decoded.argb);
        return true;
    }
    if (info.depth) return false;
    auto argb = [](uint32_t a, uint32_t r, uint32_t g, uint32_t b) { return a << 24 | r << 16 | g << 8 | b; };
    const uint32_t pitch = rowPitch(info, width);
    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t* row = data + std::size_t(y) * pitch;
        for (uint32_t x = 0; x < width; ++x) {
            const uint8_t* p = row + std::size_t(x) * info.bytesPerPixel;
            uint32_t value = 0;
            switch (info.format) {
            case Format::A8R8G8B8: value = argb(p[3], p[2], p[1], p[0]); break;
            case Format::X8R8G8B8: value = argb(255, p[2], p[1], p[0]); break;
            case Format::A8B8G8R8: value = argb(p[3], p[0], p[1], p[2]); break;
            case Format::X8B8G8R8: value = argb(255, p[0], p[1], p[2]); break;
            case Format::R8G8B8: value = argb(255, p[2], p[1], p[0]); break;
            case Format::R5G6B5: {
                uint32_t v = uint32_t(p[0]) | uint32_t(p[1]) << 8;
                uint32_t r = (v >> 11) & 31, g = (v >> 5) & 63, b = v & 31;
                value = argb(255, (r * 527 + 23) >> 6, (g * 259 + 33) >> 6, (b * 527 + 23) >> 6);
                break;
            }
            case Format::L8: value = argb(255, p[0], p[0], p[0]); break;
            case Format::A8: value = argb(p[0], 0, 0, 0); break;
            case Format::R32F: {
                float f;
                std::memcpy(&f, p, 4);
                value = argb(255, toByte(f), 255, 255);
                break;
            }
            case Format::A32B32G32R32F: {
                float f[4];
                std::memcpy(f, p, 16);
                value = argb(toByte(f[3]), toByte(f[0]), toByte(f[1]), toByte(f[2]));
                break;
            }
            default: return false;
            }
            out[std::size_t(y) * width + x] = value;
        }
    }
    return true;
}

} // namespace gfx

namespace gfx {

void argbFromRgbaFloats(const float* rgba, std::size_t count, const int swizzle[4], std::vector<uint32_t>& out) {
    out.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const float* p = rgba + i * 4;
        uint32_t c[4];
        for (int k = 0; k < 4; ++k) {
            float v = 0.0f;
            switch (swizzle[k]) {
            case GL_RED: v = p[0]; break;
            case GL_GREEN: v = p[1]; break;
            case GL_BLUE: v = p[2]; break;
            case GL_ALPHA: v = p[3]; break;
            case GL_ONE: v = 1.0f; break;
            default: break;
            }
            c[k] = toByte(v);
        }
        out[i] = c[3] << 24 | c[0] << 16 | c[1] << 8 | c[2];
    }
}

} // namespace gfx
