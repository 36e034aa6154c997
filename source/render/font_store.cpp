#include "render/font_store.h"

#include "app/log.h"
#include "render/font_face.h"

FontStore::FontStore() {
    if (FT_Init_FreeType(&library_) != 0) {
        LOG_MESSAGE("Unable to start FreeType; text cannot be measured");
        library_ = nullptr;
    }
}

FontStore::~FontStore() {
    releaseFonts();
    if (library_) FT_Done_FreeType(library_);
}

void FontStore::releaseFonts() {
    index_.clear();
    records_.clear();
    for (FT_Face face : faces_) FT_Done_Face(face);
    faces_.clear();
}

void FontStore::loadFontList(const std::string& folder, const std::string& glyphSet, std::uint32_t screenWidth,
                             std::uint32_t screenHeight) {
    folder_ = folder;
    glyphSet_ = glyphSet;
    entries_ = readFontList(folder + "fonts_to_load.xml");
    rebuild(screenWidth, screenHeight);
}

void FontStore::rebuild(std::uint32_t screenWidth, std::uint32_t screenHeight) {
    releaseFonts();
    screenWidth_ = screenWidth;
    screenHeight_ = screenHeight;
    for (const FontListEntry& entry : entries_) loadFont(entry.size, fontPixelSize(screenWidth, entry.size), entry.name);
}

bool FontStore::loadFont(std::uint32_t size, std::uint32_t pixelSize, const std::string& name) {
    if (screenWidth_ == 0 || screenHeight_ == 0) return false;
    FT_Face face = openFontFace(library_, folder_, name, fontKey(name, size), pixelSize);
    if (!face) return false;
    faces_.push_back(face);
    FontRecord record;
    record.key = fontKey(name, size);
    record.face = face;
    record.hasKerning = FT_HAS_KERNING(face);
    for (char byte : glyphSet_) {
        unsigned char character = static_cast<unsigned char>(byte);
        FT_UInt index = FT_Get_Char_Index(face, character);
        // Metrics only: measuring needs the advance, not the coverage.
        if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0) continue;
        record.add(glyphRecordFromSlot(face->glyph, character, index, screenWidth_, screenHeight_),
                   static_cast<float>(screenHeight_));
    }
    records_.push_back(std::move(record));
    // Two entries with one key: the first stays the one found.
    index_.emplace(records_.back().key, &records_.back());
    return true;
}

const FontRecord* FontStore::find(const std::string& key) const {
    auto found = index_.find(key);
    return found == index_.end() ? nullptr : found->second;
}
