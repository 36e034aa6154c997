#include "render/font_records.h"

#include <cstdlib>

void FontRecord::add(const GlyphRecord& glyph, float screenHeight) {
    unsigned char character = static_cast<unsigned char>(glyph.character);
    if (slots_[character] >= 0) return;
    slots_[character] = static_cast<std::int16_t>(glyphs_.size());
    glyphs_.push_back(glyph);
    float descent = static_cast<float>(glyph.descent) * 2.0f / screenHeight;
    if (glyphs_.size() == 1) {
        lineHeight = glyph.cellHeightClip;
        largestDescent = smallestDescent = descent;
        return;
    }
    if (glyph.cellHeightClip > lineHeight) lineHeight = glyph.cellHeightClip;
    if (descent > largestDescent) largestDescent = descent;
    if (descent < smallestDescent) smallestDescent = descent;
}

GlyphRecord glyphRecordFromSlot(FT_GlyphSlot slot, unsigned char character, std::uint32_t glyphIndex,
                                std::uint32_t screenWidth, std::uint32_t screenHeight) {
    GlyphRecord glyph;
    glyph.character = character;
    glyph.cellWidth = slot->bitmap.width + static_cast<std::uint32_t>(std::abs(slot->bitmap_left)) + 2;
    glyph.cellHeight = slot->bitmap.rows + 1;
    glyph.inkWidth = glyph.cellWidth;
    glyph.inkHeight = glyph.cellHeight;
    glyph.advanceX = static_cast<std::int32_t>(slot->advance.x >> 6);
    glyph.advanceY = static_cast<std::int32_t>(slot->advance.y >> 6);
    glyph.bearingX = static_cast<std::int32_t>(slot->metrics.horiBearingX >> 6);
    glyph.bearingY = static_cast<std::int32_t>(slot->metrics.horiBearingY >> 6);
    glyph.descent = static_cast<std::int32_t>((slot->metrics.horiBearingY - slot->metrics.height) / 64);
    glyph.cellWidthClip = static_cast<float>(glyph.cellWidth) * 2.0f / static_cast<float>(screenWidth);
    glyph.cellHeightClip = static_cast<float>(glyph.cellHeight) * 2.0f / static_cast<float>(screenHeight);
    glyph.glyphIndex = glyphIndex;
    return glyph;
}

float fontKerning(const FontRecord& font, std::uint32_t previousGlyph, std::uint32_t glyph, float pixelWidth) {
    if (!font.hasKerning || !font.face || previousGlyph == 0) return 0.0f;
    FT_Vector delta{};
    if (FT_Get_Kerning(font.face, previousGlyph, glyph, FT_KERNING_DEFAULT, &delta) != 0) return 0.0f;
    return static_cast<float>(delta.x) / 64.0f * pixelWidth;
}
