// Packing the glyph atlas: where the first glyphs go, where rows break, and that every glyph
// stays inside its cell and the atlas, on narrow and wide screens.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "support/log_capture.h"
#include "ui_render/glyph_atlas.h"

namespace {

const std::string fontFolder = std::string(ZODERUD_SOURCE_DIR) + "/Data/fonts/";
const std::string glyphSet =
    " abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789?!.,;:'+-*&()<>%/_\\|[]{}#`=^\t$\xA3@~";
const std::vector<FontListEntry> shippedFonts = {{"EBGaramond-Regular", 48},
                                                 {"EBGaramond-Regular", 64},
                                                 {"original-garamond-bold-bt", 48},
                                                 {"original-garamond-bold-bt", 64}};

struct Cell {
    std::uint32_t x, y, width, height;
};

Cell cellOf(const GlyphRecord& glyph, std::uint32_t size) {
    auto pixel = [size](float t) { return static_cast<std::uint32_t>(t * static_cast<float>(size) + 0.5f); };
    return {pixel(glyph.uMin), pixel(glyph.vMin), glyph.cellWidth, glyph.cellHeight};
}

// The glyphs of a font in glyph-set order.
std::vector<const GlyphRecord*> glyphsOf(const FontRecord& font) {
    std::vector<const GlyphRecord*> glyphs;
    for (char c : glyphSet) {
        if (const GlyphRecord* glyph = font.find(static_cast<unsigned char>(c))) glyphs.push_back(glyph);
    }
    return glyphs;
}

// Every cell lies inside the atlas, no two overlap, and no coverage lies outside the cells.
void expectCellsHoldAllInk(const GlyphAtlas& atlas) {
    const std::uint32_t size = atlas.size();
    std::vector<std::uint8_t> owner(static_cast<std::size_t>(size) * size, 0);
    for (const FontRecord& font : atlas.fonts()) {
        for (const GlyphRecord* glyph : glyphsOf(font)) {
            const Cell cell = cellOf(*glyph, size);
            ASSERT_LE(cell.x + cell.width, size) << font.key << " '" << char(glyph->character) << "'";
            ASSERT_LE(cell.y + cell.height, size) << font.key << " '" << char(glyph->character) << "'";
            for (std::uint32_t y = cell.y; y < cell.y + cell.height; ++y) {
                for (std::uint32_t x = cell.x; x < cell.x + cell.width; ++x) {
                    ASSERT_EQ(owner[static_cast<std::size_t>(y) * size + x], 0)
                        << "cells overlap at " << x << "," << y << " (" << font.key << " '"
                        << char(glyph->character) << "')";
                    owner[static_cast<std::size_t>(y) * size + x] = 1;
                }
            }
        }
    }
    std::size_t stray = 0;
    for (std::size_t i = 0; i < owner.size(); ++i) {
        if (!owner[i] && atlas.pixels()[i] != 0) ++stray;
    }
    EXPECT_EQ(stray, 0u) << "coverage outside every glyph cell";
}

TEST(GlyphAtlas, PackingTable) {
    // 26, 20 and 40 pixels on a 1280 wide screen.
    const std::vector<FontListEntry> entries = {
        {"EBGaramond-Regular", 48}, {"EBGaramond-Regular", 64}, {"original-garamond-bold-bt", 32}};
    GlyphAtlas atlas;
    atlas.build(fontFolder, entries, glyphSet, 1280, 720);
    ASSERT_EQ(atlas.size(), 1024u);
    ASSERT_FALSE(atlas.overflowed());
    const FontRecord* first = atlas.find("EBGaramond-Regular_48");
    const FontRecord* smaller = atlas.find("EBGaramond-Regular_64");
    const FontRecord* larger = atlas.find("original-garamond-bold-bt_32");
    ASSERT_TRUE(first && smaller && larger);

    // The first font starts at pen (12, 0).
    const std::vector<const GlyphRecord*> firstGlyphs = glyphsOf(*first);
    const Cell start = cellOf(*firstGlyphs.front(), 1024);
    EXPECT_EQ(start.x, 12u);
    EXPECT_EQ(start.y, 0u);

    // Row breaks inside a font: the next cell would pass 1024; the new row starts at x = pixel
    // size, below the tallest cell of the row before.
    // A row is shared by the fonts that continue it: its height is the tallest cell of any.
    std::map<std::uint32_t, std::uint32_t> rowTallest;
    for (const FontRecord& font : atlas.fonts()) {
        for (const GlyphRecord* glyph : glyphsOf(font)) {
            const Cell cell = cellOf(*glyph, 1024);
            rowTallest[cell.y] = std::max(rowTallest[cell.y], cell.height);
        }
    }
    auto checkRows = [&rowTallest](const FontRecord& font, std::uint32_t pixelSize) {
        const std::vector<const GlyphRecord*> glyphs = glyphsOf(font);
        int breaks = 0;
        for (std::size_t i = 1; i < glyphs.size(); ++i) {
            const Cell before = cellOf(*glyphs[i - 1], 1024);
            const Cell cell = cellOf(*glyphs[i], 1024);
            if (cell.y == before.y) {
                EXPECT_EQ(cell.x, before.x + before.width + 1) << font.key << " '" << char(glyphs[i]->character) << "'";
                continue;
            }
            ++breaks;
            EXPECT_GT(before.x + before.width + 1 + 1 + cell.width, 1024u) << "broke a row with room left";
            EXPECT_EQ(cell.x, pixelSize);
            EXPECT_EQ(cell.y, before.y + std::max(pixelSize + 2, rowTallest[before.y] + 1));
        }
        return breaks;
    };
    EXPECT_GE(checkRows(*first, 26), 1);
    checkRows(*smaller, 20);
    checkRows(*larger, 40);

    // A smaller font continues the row of the one before; a larger one opens a new row at x =
    // its pixel size.
    const Cell lastOfFirst = cellOf(*firstGlyphs.back(), 1024);
    const Cell firstOfSmaller = cellOf(*glyphsOf(*smaller).front(), 1024);
    EXPECT_EQ(firstOfSmaller.y, lastOfFirst.y);
    EXPECT_EQ(firstOfSmaller.x, lastOfFirst.x + lastOfFirst.width + 1);
    const std::vector<const GlyphRecord*> smallerGlyphs = glyphsOf(*smaller);
    const Cell lastOfSmaller = cellOf(*smallerGlyphs.back(), 1024);
    const Cell firstOfLarger = cellOf(*glyphsOf(*larger).front(), 1024);
    EXPECT_EQ(firstOfLarger.x, 40u);
    EXPECT_EQ(firstOfLarger.y, lastOfSmaller.y + std::max(42u, rowTallest[lastOfSmaller.y] + 1));

    // Texture coordinates are pixels / 1024; the line height is the tallest cell.
    std::uint32_t tallest = 0;
    for (const GlyphRecord* glyph : firstGlyphs) tallest = std::max(tallest, glyph->cellHeight);
    EXPECT_FLOAT_EQ(first->lineHeight, static_cast<float>(tallest) * 2.0f / 720.0f);
    EXPECT_FLOAT_EQ(firstGlyphs.front()->uMin, 12.0f * 0.0009765625f);
    expectCellsHoldAllInk(atlas);
}

// The ink rectangle is what text draws of a one-coloured glyph: it must hold every texel with
// coverage, and no blank row or column at its edges.
TEST(GlyphAtlas, GlyphsAreInkedExactlyWhenTheirCellHoldsCoverageAndTheInkRectangleIsTight) {
    GlyphAtlas atlas;
    atlas.build(fontFolder, shippedFonts, glyphSet, 1280, 720);
    const std::uint32_t size = atlas.size();
    for (const FontRecord& font : atlas.fonts()) {
        for (const GlyphRecord* glyph : glyphsOf(font)) {
            const Cell cell = cellOf(*glyph, size);
            bool coverage = false;
            std::uint32_t left = cell.width, right = 0, bottom = cell.height, top = 0;
            for (std::uint32_t y = 0; y < cell.height; ++y) {
                for (std::uint32_t x = 0; x < cell.width; ++x) {
                    if (atlas.pixels()[static_cast<std::size_t>(cell.y + y) * size + cell.x + x] == 0) continue;
                    coverage = true;
                    left = std::min(left, x);
                    right = std::max(right, x + 1);
                    bottom = std::min(bottom, y);
                    top = std::max(top, y + 1);
                }
            }
            EXPECT_EQ(glyph->inked, coverage) << font.key << " '" << char(glyph->character) << "'";
            if (!coverage) continue;
            EXPECT_EQ(glyph->inkLeft, left) << font.key << " '" << char(glyph->character) << "'";
            EXPECT_EQ(glyph->inkBottom, bottom) << font.key << " '" << char(glyph->character) << "'";
            EXPECT_EQ(glyph->inkLeft + glyph->inkWidth, right) << font.key << " '" << char(glyph->character) << "'";
            EXPECT_EQ(glyph->inkBottom + glyph->inkHeight, top) << font.key << " '" << char(glyph->character) << "'";
        }
        ASSERT_NE(font.find(' '), nullptr);
        EXPECT_FALSE(font.find(' ')->inked) << font.key;
        EXPECT_TRUE(font.find('.')->inked) << font.key;
    }
}

TEST(GlyphAtlas, WideScreenGrowsTheAtlasAndKeepsEveryGlyphInBounds) {
    GlyphAtlas atlas;
    atlas.build(fontFolder, shippedFonts, glyphSet, 3840, 2160);
    EXPECT_EQ(atlas.size(), 2048u);
    EXPECT_FALSE(atlas.overflowed());
    for (const FontListEntry& entry : shippedFonts) {
        const FontRecord* font = atlas.find(fontKey(entry.name, entry.size));
        ASSERT_NE(font, nullptr);
        EXPECT_NE(font->find(0xA3), nullptr) << "the pound sign";
        EXPECT_NE(font->find('~'), nullptr);
    }
    expectCellsHoldAllInk(atlas);
}

TEST(GlyphAtlas, FullAtlasStopsAddingGlyphsAndLogsOnce) {
    LogCapture log;
    GlyphAtlas atlas(GlyphAtlas::baseSize);
    atlas.build(fontFolder, shippedFonts, glyphSet, 3840, 2160);
    EXPECT_EQ(atlas.size(), 1024u);
    EXPECT_TRUE(atlas.overflowed());
    EXPECT_EQ(std::count_if(log.lines().begin(), log.lines().end(),
                            [](const std::string& line) { return line.find("Glyph atlas full") != std::string::npos; }),
              1);
    ASSERT_NE(atlas.find("EBGaramond-Regular_48"), nullptr) << "the fonts that fit are kept";
    const FontRecord* last = atlas.find("original-garamond-bold-bt_64");
    EXPECT_TRUE(!last || last->glyphCount() < atlas.find("EBGaramond-Regular_48")->glyphCount())
        << "glyphs left out";
    expectCellsHoldAllInk(atlas);
}

TEST(GlyphAtlas, BadEntriesAreSkipped) {
    LogCapture log;
    GlyphAtlas atlas;
    atlas.build(fontFolder, {{"EBGaramond-Regular", 0}, {"no-such-font", 48}, {"EBGaramond-Regular", 48}}, glyphSet,
                1280, 720);
    EXPECT_EQ(atlas.fonts().size(), 1u);
    EXPECT_NE(atlas.find("EBGaramond-Regular_48"), nullptr);
    EXPECT_TRUE(log.contains("Skipping font EBGaramond-Regular_0"));
    EXPECT_TRUE(log.contains("Skipping font no-such-font_48"));
    // The skipped ones leave the pen where it was.
    EXPECT_EQ(cellOf(*atlas.find("EBGaramond-Regular_48")->find(' '), 1024).x, 12u);
}

TEST(GlyphAtlas, AnEntryOfFixedPixelHeightKeepsItsSizeOnEveryScreen) {
    const FontListEntry fixed{"DejaVuSans", 0, 32};
    EXPECT_EQ(fontEntryKey(fixed), "DejaVuSans_32px");
    std::uint32_t cellHeights[2] = {};
    const std::uint32_t widths[2] = {640, 1920};
    for (int i = 0; i < 2; ++i) {
        GlyphAtlas atlas;
        atlas.build(fontFolder, {fixed, {"EBGaramond-Regular", 48}}, glyphSet, widths[i], 720);
        const FontRecord* font = atlas.find("DejaVuSans_32px");
        ASSERT_NE(font, nullptr) << widths[i];
        // FreeType's 32-pixel em: a capital stands about 23 pixels high.
        ASSERT_NE(font->find('M'), nullptr);
        cellHeights[i] = font->find('M')->cellHeight;
        EXPECT_NEAR(double(cellHeights[i]), 24.0, 2.0) << widths[i];
        expectCellsHoldAllInk(atlas);
    }
    EXPECT_EQ(cellHeights[0], cellHeights[1]);
}

} // namespace
