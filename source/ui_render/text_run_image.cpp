#include "ui_render/text_run_image.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

std::int32_t whole(float value) { return static_cast<std::int32_t>(std::lround(value)); }

struct Colour {
    float a, r, g, b;
};

Colour unpack(std::uint32_t argb) {
    auto channel = [argb](int shift) { return static_cast<float>((argb >> shift) & 0xFFu) / 255.0f; };
    return {channel(24), channel(16), channel(8), channel(0)};
}

std::uint32_t toByte(float value) {
    return static_cast<std::uint32_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

// What the blend leaves of one channel of the destination under a source of alpha sourceAlpha.
std::uint32_t remaining(std::uint32_t destination, std::uint32_t sourceAlpha) {
    return (destination * (255u - sourceAlpha) + 127u) / 255u;
}

} // namespace

void shapeTextRun(const ColouredTexturedVertex* quads, const TextQuadInk* inks, std::size_t count, float px,
                  float py, std::uint32_t atlasSize, TextRunShape& shape) {
    shape.glyphs.clear();
    std::int32_t left = std::numeric_limits<std::int32_t>::max(), bottom = left;
    std::int32_t right = std::numeric_limits<std::int32_t>::min(), top = right;
    const auto texels = static_cast<float>(atlasSize);
    for (std::size_t q = 0; q < count; ++q) {
        // Corners lower-left, upper-left, upper-right, lower-right; snapped corners sit half a
        // pixel off whole multiples of a pixel.
        const ColouredTexturedVertex* v = quads + q * 4;
        const TextQuadInk& ink = inks[q];
        if (ink.width == 0 || ink.height == 0) continue;
        TextRunGlyph glyph;
        glyph.x = whole(v[0].x / px - 0.5f) + ink.left;
        glyph.y = whole(v[0].y / py - 0.5f) + ink.bottom;
        glyph.width = ink.width;
        glyph.height = ink.height;
        glyph.atlasX = whole(v[0].u * texels) + ink.left;
        glyph.atlasY = whole(v[0].v * texels) + ink.bottom;
        glyph.rampStart = ink.bottom;
        glyph.rampHeight = whole((v[1].y - v[0].y) / py);
        glyph.bottomColour = v[0].colour;
        glyph.topColour = v[1].colour;
        left = std::min(left, glyph.x);
        bottom = std::min(bottom, glyph.y);
        right = std::max(right, glyph.x + glyph.width);
        top = std::max(top, glyph.y + glyph.height);
        shape.glyphs.push_back(glyph);
    }
    if (shape.glyphs.empty()) left = bottom = right = top = 0;
    shape.left = left;
    shape.bottom = bottom;
    shape.width = right - left;
    shape.height = top - bottom;
    for (TextRunGlyph& glyph : shape.glyphs) {
        glyph.x -= left;
        glyph.y -= bottom;
    }
}

std::string textRunKey(const TextRunShape& shape) {
    static_assert(sizeof(TextRunGlyph) == 40, "glyphs are keyed by their bytes, which have no padding");
    std::string key(shape.glyphs.size() * sizeof(TextRunGlyph), '\0');
    if (!shape.glyphs.empty()) std::memcpy(key.data(), shape.glyphs.data(), key.size());
    return key;
}

void composeTextRun(const TextRunShape& shape, const std::uint8_t* atlasPixels, std::uint32_t atlasSize,
                    std::uint32_t* destination, std::size_t pitch) {
    for (std::int32_t row = 0; row < shape.height; ++row) {
        std::fill_n(destination + static_cast<std::size_t>(row) * pitch, shape.width, 0u);
    }
    for (const TextRunGlyph& glyph : shape.glyphs) {
        const Colour bottom = unpack(glyph.bottomColour);
        const Colour top = unpack(glyph.topColour);
        for (std::int32_t row = 0; row < glyph.height; ++row) {
            // The vertex colours interpolated at the centres of the quad's pixel row.
            const float t = (static_cast<float>(glyph.rampStart + row) + 0.5f) / static_cast<float>(glyph.rampHeight);
            const Colour colour{bottom.a + (top.a - bottom.a) * t, bottom.r + (top.r - bottom.r) * t,
                                bottom.g + (top.g - bottom.g) * t, bottom.b + (top.b - bottom.b) * t};
            const std::uint8_t* coverage =
                atlasPixels + static_cast<std::size_t>(glyph.atlasY + row) * atlasSize + glyph.atlasX;
            std::uint32_t* texel = destination + static_cast<std::size_t>(glyph.y + row) * pitch + glyph.x;
            for (std::int32_t column = 0; column < glyph.width; ++column) {
                if (coverage[column] == 0) continue;
                const float alpha = static_cast<float>(coverage[column]) / 255.0f * colour.a;
                const std::uint32_t a = toByte(alpha);
                const std::uint32_t below = texel[column];
                auto over = [&](float source, int shift) {
                    const std::uint32_t sum = toByte(source) + remaining((below >> shift) & 0xFFu, a);
                    return std::min(sum, 255u) << shift;
                };
                texel[column] = over(alpha, 24) | over(colour.r * alpha, 16) | over(colour.g * alpha, 8) |
                                over(colour.b * alpha, 0);
            }
        }
    }
}
