#pragma once
// The metrics of one rasterised character and of one font (glyphs by unsigned byte, line height,
// descent range), shared by update-side measuring and the render-side glyph atlas.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

struct GlyphRecord {
    std::uint32_t character = 0;
    // Atlas texture coordinates; 0 in the update side's copy, which has no atlas.
    float uMin = 0.0f;
    float vMin = 0.0f;
    float uMax = 0.0f;
    float vMax = 0.0f;
    std::uint32_t cellWidth = 0;
    std::uint32_t cellHeight = 0;
    // The part of the cell that holds coverage, in pixels from its bottom-left corner: text draws
    // only this, since the rest of the cell would leave every pixel as it was. The whole cell
    // unless the atlas found less.
    std::uint32_t inkLeft = 0;
    std::uint32_t inkBottom = 0;
    std::uint32_t inkWidth = 0;
    std::uint32_t inkHeight = 0;
    std::int32_t advanceX = 0;
    std::int32_t advanceY = 0;
    std::int32_t bearingX = 0;
    std::int32_t bearingY = 0;
    // Whole pixels, negative below the baseline.
    std::int32_t descent = 0;
    float cellWidthClip = 0.0f;
    float cellHeightClip = 0.0f;
    std::uint32_t glyphIndex = 0;
    // Whether the glyph's atlas cell holds any coverage. A cell without (a space) would draw
    // nothing, so text writes no quad for it; only the atlas knows, hence true elsewhere.
    bool inked = true;
};

class FontRecord {
public:
    FontRecord() { slots_.fill(-1); }

    // The glyph of a byte, or null when the font has none.
    const GlyphRecord* find(unsigned char character) const {
        std::int16_t slot = slots_[character];
        return slot < 0 ? nullptr : &glyphs_[static_cast<std::size_t>(slot)];
    }
    // Adds a glyph and widens the line height and descent range by its cell. A byte already
    // present keeps its first glyph.
    void add(const GlyphRecord& glyph, float screenHeight);
    std::size_t glyphCount() const { return glyphs_.size(); }

    std::string key;
    // Tallest cell, clip units.
    float lineHeight = 0.0f;
    // Clip units; smallestDescent is the lowest (most negative) reach below the baseline.
    float largestDescent = 0.0f;
    float smallestDescent = 0.0f;
    FT_Face face = nullptr;
    bool hasKerning = false;

private:
    std::array<std::int16_t, 256> slots_;
    std::vector<GlyphRecord> glyphs_;
};

// The record of a loaded glyph slot; the cell is the slot's bitmap (rendered or not) plus the
// atlas margins: width + |left| + 2 so a glyph with a large left bearing keeps its right columns.
GlyphRecord glyphRecordFromSlot(FT_GlyphSlot slot, unsigned char character, std::uint32_t glyphIndex,
                                std::uint32_t screenWidth, std::uint32_t screenHeight);

// Kerning between two glyphs of the font in clip units (0 without kerning).
float fontKerning(const FontRecord& font, std::uint32_t previousGlyph, std::uint32_t glyph, float pixelWidth);
