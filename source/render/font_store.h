#pragma once
// The update side's fonts: FreeType faces and glyph metrics by font key, for measuring text
// without the GPU. Built for one screen size; rebuilt when the size changes.
#include <cstdint>
#include <list>
#include <string>
#include <unordered_map>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "render/font_list.h"
#include "render/font_records.h"

class FontStore {
public:
    FontStore();
    ~FontStore();
    FontStore(const FontStore&) = delete;
    FontStore& operator=(const FontStore&) = delete;

    // Reads folder + "fonts_to_load.xml" and loads every usable entry for that screen size, with
    // the glyphs of the glyph set.
    void loadFontList(const std::string& folder, const std::string& glyphSet, std::uint32_t screenWidth,
                      std::uint32_t screenHeight);
    // One font from the folder at that pixel size, keyed name + "_" + size; false when skipped.
    bool loadFont(std::uint32_t size, std::uint32_t pixelSize, const std::string& name);
    // Loads the same list again for another screen size.
    void rebuild(std::uint32_t screenWidth, std::uint32_t screenHeight);

    const FontRecord* find(const std::string& key) const;
    const std::vector<FontListEntry>& entries() const { return entries_; }
    std::uint32_t screenWidth() const { return screenWidth_; }
    std::uint32_t screenHeight() const { return screenHeight_; }
    std::size_t fontCount() const { return records_.size(); }

private:
    void releaseFonts();

    FT_Library library_ = nullptr;
    std::string folder_;
    std::string glyphSet_;
    std::vector<FontListEntry> entries_;
    std::list<FT_Face> faces_;
    std::list<FontRecord> records_;
    std::unordered_map<std::string, FontRecord*> index_;
    std::uint32_t screenWidth_ = 0;
    std::uint32_t screenHeight_ = 0;
};
