#pragma once
// The glyph atlas: every font of a font list rasterised with FreeType into one square 8-bit
// coverage image, packed in rows, with each font's glyph records pointing into it. Built on the
// CPU; the text asset uploads the image as its "FontTexture" texture.
#include <cstdint>
#include <list>
#include <string>
#include <unordered_map>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "render/font_list.h"
#include "render/font_records.h"

class GlyphAtlas {
public:
    static constexpr std::uint32_t baseSize = 1024;
    static constexpr std::uint32_t largeSize = 2048;

    // maxSize caps how far the atlas may grow (a test can keep it at 1024).
    explicit GlyphAtlas(std::uint32_t maxSize = largeSize);
    ~GlyphAtlas();
    GlyphAtlas(const GlyphAtlas&) = delete;
    GlyphAtlas& operator=(const GlyphAtlas&) = delete;

    // Discards what was built and packs every entry of the list (fonts from folder + name +
    // ".ttf") for that screen size: in a 1024 atlas, in a 2048 one when they don't fit, and when
    // even the largest allowed is too small, as many glyphs as fit (logged once).
    void build(const std::string& folder, const std::vector<FontListEntry>& entries, const std::string& glyphSet,
               std::uint32_t screenWidth, std::uint32_t screenHeight);
    void clear();

    const FontRecord* find(const std::string& key) const;
    const std::list<FontRecord>& fonts() const { return records_; }
    // size x size coverage bytes, row 0 first.
    const std::vector<std::uint8_t>& pixels() const { return pixels_; }
    std::uint32_t size() const { return size_; }
    // Whether the last build left glyphs out for want of room.
    bool overflowed() const { return overflowed_; }

private:
    struct Pen {
        std::uint32_t x = 12;
        std::uint32_t y = 0;
        std::uint32_t previousPixelSize = 200;
        // The tallest cell placed on the current row.
        std::uint32_t rowHeight = 0;
    };
    bool tryBuild(std::uint32_t size);
    void buildFont(const FontListEntry& entry, Pen& pen);
    void newRow(Pen& pen, std::uint32_t pixelSize) const;
    void blit(const FT_Bitmap& bitmap, std::uint32_t x, std::uint32_t y);
    void releaseFonts();

    std::uint32_t maxSize_;
    FT_Library library_ = nullptr;
    std::string folder_;
    std::vector<FontListEntry> entries_;
    std::string glyphSet_;
    std::uint32_t screenWidth_ = 0;
    std::uint32_t screenHeight_ = 0;

    std::uint32_t size_ = 0;
    std::vector<std::uint8_t> pixels_;
    bool overflowed_ = false;
    std::list<FT_Face> faces_;
    std::list<FontRecord> records_;
    std::unordered_map<std::string, FontRecord*> index_;
};
