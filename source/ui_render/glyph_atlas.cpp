#include "ui_render/glyph_atlas.h"

#include <algorithm>
#include <cstdlib>

#include "app/log.h"
#include "render/font_face.h"

namespace {

// Narrows the glyph's ink rectangle to the cell's texels with coverage (x, y: the cell's
// bottom-left texel); false when there are none.
bool findInk(const std::vector<std::uint8_t>& pixels, std::uint32_t atlasSize, std::uint32_t x, std::uint32_t y,
             GlyphRecord& glyph) {
    std::uint32_t left = glyph.cellWidth, right = 0, bottom = glyph.cellHeight, top = 0;
    for (std::uint32_t r = 0; r < glyph.cellHeight; ++r) {
        const std::uint8_t* row = pixels.data() + static_cast<std::size_t>(y + r) * atlasSize + x;
        for (std::uint32_t c = 0; c < glyph.cellWidth; ++c) {
            if (row[c] == 0) continue;
            left = std::min(left, c);
            right = std::max(right, c + 1);
            bottom = std::min(bottom, r);
            top = std::max(top, r + 1);
        }
    }
    if (right == 0) return false;
    glyph.inkLeft = left;
    glyph.inkBottom = bottom;
    glyph.inkWidth = right - left;
    glyph.inkHeight = top - bottom;
    return true;
}

} // namespace

GlyphAtlas::GlyphAtlas(std::uint32_t maxSize) : maxSize_(std::max(maxSize, baseSize)) {
    if (FT_Init_FreeType(&library_) != 0) {
        LOG_MESSAGE("Unable to start FreeType; no glyphs can be drawn");
        library_ = nullptr;
    }
}

GlyphAtlas::~GlyphAtlas() {
    releaseFonts();
    if (library_) FT_Done_FreeType(library_);
}

void GlyphAtlas::releaseFonts() {
    index_.clear();
    records_.clear();
    for (FT_Face face : faces_) FT_Done_Face(face);
    faces_.clear();
}

void GlyphAtlas::clear() {
    releaseFonts();
    pixels_.clear();
    size_ = 0;
    overflowed_ = false;
}

void GlyphAtlas::build(const std::string& folder, const std::vector<FontListEntry>& entries,
                       const std::string& glyphSet, std::uint32_t screenWidth, std::uint32_t screenHeight) {
    folder_ = folder;
    entries_ = entries;
    glyphSet_ = glyphSet;
    screenWidth_ = screenWidth;
    screenHeight_ = screenHeight;
    for (std::uint32_t size = baseSize; size <= maxSize_; size *= 2) {
        if (tryBuild(size)) return;
    }
    LOG_MESSAGE("Glyph atlas full at %u x %u: glyphs left out for a %u pixel wide screen", size_, size_, screenWidth);
}

bool GlyphAtlas::tryBuild(std::uint32_t size) {
    clear();
    size_ = size;
    pixels_.assign(static_cast<std::size_t>(size) * size, 0);
    if (screenWidth_ == 0 || screenHeight_ == 0) return true;
    Pen pen;
    for (const FontListEntry& entry : entries_) buildFont(entry, pen);
    return !overflowed_;
}

void GlyphAtlas::newRow(Pen& pen, std::uint32_t pixelSize) const {
    pen.x = pixelSize;
    pen.y += std::max(pixelSize + 2, pen.rowHeight + 1);
    pen.rowHeight = 0;
}

void GlyphAtlas::buildFont(const FontListEntry& entry, Pen& pen) {
    const std::uint32_t pixelSize = fontEntryPixelSize(entry, screenWidth_);
    const std::string key = fontEntryKey(entry);
    FT_Face face = openFontFace(library_, folder_, entry.name, key, pixelSize);
    if (!face) return;
    faces_.push_back(face);
    if (pixelSize > pen.previousPixelSize) newRow(pen, pixelSize);
    pen.previousPixelSize = pixelSize;

    FontRecord record;
    record.key = key;
    record.face = face;
    record.hasKerning = FT_HAS_KERNING(face);
    const float texel = 1.0f / static_cast<float>(size_);
    for (char byte : glyphSet_) {
        if (overflowed_) break;
        const unsigned char character = static_cast<unsigned char>(byte);
        const FT_UInt index = FT_Get_Char_Index(face, character);
        if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0) continue;
        if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) continue;
        GlyphRecord glyph = glyphRecordFromSlot(face->glyph, character, index, screenWidth_, screenHeight_);
        if (pen.x + 1 + glyph.cellWidth > size_) newRow(pen, pixelSize);
        if (pen.x + 1 + glyph.cellWidth > size_ || pen.y + glyph.cellHeight > size_) {
            overflowed_ = true;
            break;
        }
        glyph.uMin = static_cast<float>(pen.x) * texel;
        glyph.vMin = static_cast<float>(pen.y) * texel;
        glyph.uMax = static_cast<float>(pen.x + glyph.cellWidth) * texel;
        glyph.vMax = static_cast<float>(pen.y + glyph.cellHeight) * texel;
        blit(face->glyph->bitmap, pen.x + static_cast<std::uint32_t>(std::abs(face->glyph->bitmap_left)), pen.y);
        glyph.inked = findInk(pixels_, size_, pen.x, pen.y, glyph);
        pen.x += glyph.cellWidth + 1;
        pen.y += static_cast<std::uint32_t>(std::max(0, glyph.advanceY));
        pen.rowHeight = std::max(pen.rowHeight, glyph.cellHeight);
        record.add(glyph, static_cast<float>(screenHeight_));
    }
    records_.push_back(std::move(record));
    index_.emplace(records_.back().key, &records_.back());
}

void GlyphAtlas::blit(const FT_Bitmap& bitmap, std::uint32_t x, std::uint32_t y) {
    // Rows go in bottom-up: the quad's bottom edge takes the low texture coordinate.
    const std::uint32_t rows = bitmap.rows;
    const std::uint32_t width = bitmap.width;
    for (std::uint32_t r = 0; r < rows; ++r) {
        const std::uint8_t* source = bitmap.buffer + static_cast<std::ptrdiff_t>(rows - 1 - r) * bitmap.pitch;
        std::uint8_t* destination = pixels_.data() + static_cast<std::size_t>(y + 1 + r) * size_ + x;
        for (std::uint32_t c = 0; c < width; ++c) {
            destination[c] = static_cast<std::uint8_t>(std::min(255, destination[c] + source[c]));
        }
    }
}

const FontRecord* GlyphAtlas::find(const std::string& key) const {
    auto found = index_.find(key);
    return found == index_.end() ? nullptr : found->second;
}
