// Laying text out as glyph quads: lines, colour spans, bold, stand-ins for missing glyphs,
// alignment and the edit cursor.
#include <gtest/gtest.h>

#include <cmath>

#include "app/parameter_description.h"
#include "app/thread_resource_pool.h"
#include "render/render_interface.h"
#include "render/text_markup.h"
#include "ui_render/glyph_atlas.h"
#include "ui_render/text_layout.h"

namespace {

const std::string fontFolder = std::string(ZODERUD_SOURCE_DIR) + "/Data/fonts/";
const std::string glyphSet =
    " abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789?!.,;:'+-*&()<>%/_\\|[]{}#`=^\t$\xA3@~";

std::uint32_t packed(float r, float g, float b, float a) { return ColouredTexturedVertex(0, 0, 0, 0, r, g, b, a).colour; }
std::uint32_t packed(const TextColour& c) { return packed(c.r, c.g, c.b, c.a); }

class TextLayout : public ::testing::Test {
protected:
    TextLayout() : pool_("renderPool"), renderInterface_(&registry_, &pool_, 1280, 720, "") {
        atlas_.build(fontFolder, {{"EBGaramond-Regular", 48}, {"original-garamond-bold-bt", 48}}, glyphSet, 1280, 720);
        regular_ = atlas_.find("EBGaramond-Regular_48");
        bold_ = atlas_.find("original-garamond-bold-bt_48");
        colourIds_.set("TitleBarText", {0.9f, 0.8f, 0.05f, 1.0f});
    }

    TextLayoutRequest request(const std::string& text) const {
        TextLayoutRequest r;
        r.text = text;
        r.regular = regular_;
        r.bold = bold_;
        r.colourIds = &colourIds_;
        r.topLeft[0] = -0.5f;
        r.topLeft[1] = 0.5f;
        r.bottomRight[0] = 0.5f;
        r.bottomRight[1] = -0.5f;
        r.screenWidth = 1280;
        r.screenHeight = 720;
        return r;
    }
    TextBlock layout(const TextLayoutRequest& r) {
        TextBlock block;
        layoutTextQuads(block, r, &renderInterface_);
        return block;
    }
    // Whether the quad samples the glyph's atlas cell: all of it, or its ink only.
    static bool sameAtlasCell(const TextBlock& block, std::size_t quad, const GlyphRecord* glyph) {
        const ColouredTexturedVertex& low = block.vertices[quad * 4];
        const ColouredTexturedVertex& high = block.vertices[quad * 4 + 2];
        const float slack = 1e-6f;
        return glyph && low.u >= glyph->uMin - slack && low.v >= glyph->vMin - slack &&
               high.u <= glyph->uMax + slack && high.v <= glyph->vMax + slack && low.u < high.u && low.v < high.v;
    }
    float cursorX() const {
        float position[2];
        renderInterface_.editCursorPosition(position);
        return position[0];
    }
    float cursorY() const {
        float position[2];
        renderInterface_.editCursorPosition(position);
        return position[1];
    }

    static constexpr float px = 2.0f / 1280.0f;
    static constexpr float py = 2.0f / 720.0f;
    ParameterDescriptionRegistry registry_;
    ThreadResourcePool pool_;
    RenderInterface renderInterface_;
    GlyphAtlas atlas_;
    const FontRecord* regular_ = nullptr;
    const FontRecord* bold_ = nullptr;
    ColourIdTable colourIds_;
};

TEST_F(TextLayout, VertexPacksTruncatedChannelsAsArgb) {
    ColouredTexturedVertex vertex(0.1f, 0.2f, 0.3f, 0.4f, 1.0f, 0.5f, 0.0f, 1.0f);
    EXPECT_EQ(vertex.colour, 0xFFFF7F00u);
    EXPECT_EQ(vertex.z, 0.0f);
    EXPECT_EQ(vertex.u, 0.3f);
}

TEST_F(TextLayout, MarkupTable) {
    const TextColour colour{0.8f, 0.8f, 0.8f, 1.0f};
    const TextColour colour2{1.0f, 1.0f, 1.0f, 1.0f};
    const std::uint32_t base = packed(colour);
    const std::uint32_t base2 = packed(colour2);
    const std::uint32_t redBottom = packed(0.8f, 0.48f, 0.48f, 1.0f);
    const std::uint32_t redTop = packed(0.8f, 0.4f, 0.4f, 1.0f);
    const std::uint32_t title = packed(0.9f, 0.8f, 0.05f, 1.0f);
    const std::uint32_t titleTop = packed(0.9f - 0.1f, 0.8f - 0.1f, 0.0f, 1.0f);
    struct Quad {
        char character;
        bool bold;
        std::uint32_t bottom;
        std::uint32_t top;
        int line;
    };
    struct Case {
        std::string text;
        std::vector<Quad> quads;
        // Characters drawn without ink (spaces): they take their place but have no quad.
        std::size_t blanks = 0;
    };
    const Case cases[] = {
        {"a\nb", {{'a', false, base, base2, 0}, {'b', false, base, base2, 1}}},
        {"a\\nb", {{'a', false, base, base2, 0}, {'b', false, base, base2, 1}}},
        {"<rab>c", {{'a', false, redBottom, redTop, 0}, {'b', false, redBottom, redTop, 0}, {'c', false, base, base2, 0}}},
        {"<ra b>c d", {{'a', false, redBottom, redTop, 0}, {'b', false, redBottom, redTop, 0},
                       {'c', false, base, base2, 0}, {'d', false, base, base2, 0}}, 2},
        {"a \n b", {{'a', false, base, base2, 0}, {'b', false, base, base2, 1}}, 1},
        {"<id='TitleBarText'[*T]>", {{'T', true, title, titleTop, 0}}},
        {"<id='Unknown'x>y", {{'x', false, base, base2, 0}, {'y', false, base, base2, 0}}},
        {"<id='TitleBarText", {}},
        {"ab<id='", {{'a', false, base, base2, 0}, {'b', false, base, base2, 0}, {'<', false, base, base2, 0},
                     {'i', false, base, base2, 0}, {'d', false, base, base2, 0}, {'=', false, base, base2, 0},
                     {'\'', false, base, base2, 0}}},
    };
    for (const Case& c : cases) {
        TextBlock block = layout(request(c.text));
        ASSERT_EQ(block.quadCount(), c.quads.size()) << c.text;
        ASSERT_EQ(block.quadCount() + c.blanks, countDrawnCharacters(c.text)) << c.text;
        float firstLineY = c.quads.empty() ? 0.0f : block.vertices[0].y - regular_->find(c.quads[0].character)->descent * py;
        for (std::size_t q = 0; q < c.quads.size(); ++q) {
            const Quad& quad = c.quads[q];
            const FontRecord* font = quad.bold ? bold_ : regular_;
            EXPECT_TRUE(sameAtlasCell(block, q, font->find(quad.character))) << c.text << " quad " << q;
            EXPECT_EQ(block.vertices[q * 4].colour, quad.bottom) << c.text << " quad " << q;
            EXPECT_EQ(block.vertices[q * 4 + 3].colour, quad.bottom) << c.text << " quad " << q;
            EXPECT_EQ(block.vertices[q * 4 + 1].colour, quad.top) << c.text << " quad " << q;
            EXPECT_EQ(block.vertices[q * 4 + 2].colour, quad.top) << c.text << " quad " << q;
            const float baseline = block.vertices[q * 4].y - font->find(quad.character)->descent * py;
            EXPECT_NEAR(firstLineY - baseline, quad.line * regular_->lineHeight, py * 1.01f) << c.text << " quad " << q;
        }
    }
}

TEST_F(TextLayout, MissingGlyphsAndFonts) {
    // A character outside the glyph set shows the regular "?".
    TextBlock block = layout(request("a\"b"));
    ASSERT_EQ(block.quadCount(), 3u);
    EXPECT_TRUE(sameAtlasCell(block, 1, regular_->find('?')));

    // Without a bold font, bold spans use the regular one.
    TextLayoutRequest noBold = request("[*x]");
    noBold.bold = nullptr;
    block = layout(noBold);
    ASSERT_EQ(block.quadCount(), 1u);
    EXPECT_TRUE(sameAtlasCell(block, 0, regular_->find('x')));

    // A font without "?" skips what it can't show.
    FontRecord sparse;
    sparse.key = "sparse";
    sparse.add(*regular_->find('a'), 720.0f);
    TextLayoutRequest sparseRequest = request("a\"a");
    sparseRequest.regular = &sparse;
    sparseRequest.bold = nullptr;
    EXPECT_EQ(layout(sparseRequest).quadCount(), 2u);

    // No regular font: nothing at all.
    TextLayoutRequest none = request("abc");
    none.regular = nullptr;
    EXPECT_EQ(layout(none).quadCount(), 0u);
}

TEST_F(TextLayout, BlankGlyphsGetNoQuadButKeepTheirPlaceAndTheCursor) {
    // The same glyphs twice, once with the space marked inked: the quads of the real layout are
    // those of the other without the spaces', vertex for vertex, and the cursor stands alike.
    auto copyOfRegular = [this](bool inkedSpace) {
        FontRecord font;
        font.key = "copy";
        for (char c : std::string("abc?| ")) {
            GlyphRecord glyph = *regular_->find(static_cast<unsigned char>(c));
            if (c == ' ') glyph.inked = inkedSpace;
            font.add(glyph, 720.0f);
        }
        return font;
    };
    const FontRecord blankSpace = copyOfRegular(false);
    const FontRecord inkedSpace = copyOfRegular(true);
    ASSERT_FALSE(regular_->find(' ')->inked);
    // "a  b c": the cursor before the second space; the spaces are quads 1, 3 and 5 when inked.
    TextLayoutRequest r = request("a  b c");
    r.bold = nullptr;
    r.cursor.hasEditCursor = true;
    r.cursor.cursorLetterPosition = 2;
    r.regular = &inkedSpace;
    const TextBlock all = layout(r);
    const float inkedCursor[2] = {cursorX(), cursorY()};
    r.regular = &blankSpace;
    const TextBlock block = layout(r);
    ASSERT_EQ(all.quadCount(), 7u);
    ASSERT_EQ(block.quadCount(), 4u) << "a, the cursor, b and c";
    const std::size_t kept[] = {0, 2, 4, 6};
    for (std::size_t q = 0; q < 4; ++q) {
        for (std::size_t corner = 0; corner < 4; ++corner) {
            const ColouredTexturedVertex& got = block.vertices[q * 4 + corner];
            const ColouredTexturedVertex& want = all.vertices[kept[q] * 4 + corner];
            EXPECT_EQ(got.x, want.x) << "quad " << q;
            EXPECT_EQ(got.y, want.y) << "quad " << q;
            EXPECT_EQ(got.u, want.u) << "quad " << q;
            EXPECT_EQ(got.v, want.v) << "quad " << q;
            EXPECT_EQ(got.colour, want.colour) << "quad " << q;
        }
    }
    EXPECT_TRUE(sameAtlasCell(block, 1, regular_->find('|')));
    EXPECT_EQ(cursorX(), inkedCursor[0]);
    EXPECT_EQ(cursorY(), inkedCursor[1]);

    // With the atlas' own glyphs: a caption of spaces only has no quads; its cursor still moves.
    r = request("   ");
    r.cursor.hasEditCursor = true;
    r.cursor.cursorLetterPosition = 3;
    const TextBlock spaces = layout(r);
    ASSERT_EQ(spaces.quadCount(), 1u) << "the cursor only";
    EXPECT_TRUE(sameAtlasCell(spaces, 0, regular_->find('|')));
    EXPECT_NEAR(cursorX() - r.topLeft[0], 3.0f * static_cast<float>(regular_->find(' ')->advanceX) * px, 1e-5);
    EXPECT_EQ(layout(request("Roll Dice")).quadCount(), 8u);
}

TEST_F(TextLayout, QuadsSitOnWholePixelsPlusHalf) {
    TextLayoutRequest r = request("Ag");
    r.topLeft[0] = -0.5f + px * 0.3f;
    TextBlock block = layout(r);
    ASSERT_EQ(block.quadCount(), 2u);
    for (const ColouredTexturedVertex& vertex : block.vertices) {
        const float column = (vertex.x - px * 0.5f + 1.0f) / px;
        EXPECT_NEAR(column, std::round(column), 1e-3) << vertex.x;
    }
    const float row = (block.vertices[0].y - py * 0.5f + 1.0f) / py;
    EXPECT_NEAR(row, std::round(row), 1e-3);
}

TEST_F(TextLayout, OneColouredSnappedGlyphsDrawOnlyTheirInk) {
    // Blank texels change no pixel, so only a point-sampled glyph of one colour leaves them out;
    // a graded or filtered glyph keeps its cell, whose corners its colours and filtering run from.
    struct Case {
        bool snapped;
        bool oneColour;
        bool inkOnly;
    };
    const GlyphRecord* glyph = regular_->find('A');
    ASSERT_NE(glyph, nullptr);
    ASSERT_TRUE(glyph->inkWidth < glyph->cellWidth || glyph->inkHeight < glyph->cellHeight);
    const TextBlock cell = layout(request("A"));
    ASSERT_EQ(cell.quadCount(), 1u);
    for (const Case& c : {Case{true, true, true}, Case{true, false, false}, Case{false, true, false},
                          Case{false, false, false}}) {
        TextLayoutRequest r = request("A");
        r.snapToVertPixels = c.snapped;
        if (c.oneColour) r.colour2 = r.colour;
        const TextBlock block = layout(r);
        ASSERT_EQ(block.quadCount(), 1u);
        const ColouredTexturedVertex& low = block.vertices[0];
        const ColouredTexturedVertex& high = block.vertices[2];
        const std::uint32_t width = c.inkOnly ? glyph->inkWidth : glyph->cellWidth;
        const std::uint32_t height = c.inkOnly ? glyph->inkHeight : glyph->cellHeight;
        const std::string what = std::string(c.snapped ? "snapped" : "filtered") + (c.oneColour ? ", one colour" : ", graded");
        EXPECT_NEAR((high.x - low.x) / px, float(width), 1e-3) << what;
        EXPECT_NEAR((high.y - low.y) / py, float(height), 1e-3) << what;
        const float texel = 1.0f / float(atlas_.size());
        EXPECT_NEAR((high.u - low.u) / texel, float(width), 1e-3) << what;
        EXPECT_NEAR((high.v - low.v) / texel, float(height), 1e-3) << what;
        // The ink stays where it is in the cell: the quad and its texels start as far in.
        const float inX = c.inkOnly ? float(glyph->inkLeft) : 0.0f, inY = c.inkOnly ? float(glyph->inkBottom) : 0.0f;
        EXPECT_NEAR((low.u - glyph->uMin) / texel, inX, 1e-3) << what;
        EXPECT_NEAR((low.v - glyph->vMin) / texel, inY, 1e-3) << what;
        if (c.snapped) {
            EXPECT_NEAR((low.x - cell.vertices[0].x) / px, inX, 1e-3) << what;
            EXPECT_NEAR((low.y - cell.vertices[0].y) / py, inY, 1e-3) << what;
        }
    }
}

TEST_F(TextLayout, HorizontalAndVerticalAlignment) {
    struct Case {
        std::int32_t horizontal;
        std::int32_t vertical;
    };
    const std::string text = "Align me";
    TextLayoutRequest r = request(text);
    r.cursor.hasEditCursor = true;
    const float x0 = r.topLeft[0];
    for (const Case& c : {Case{-1, -1}, Case{1, -1}, Case{0, -1}, Case{-1, 0}}) {
        r.horizAlignment = c.horizontal;
        r.vertAlignment = c.vertical;
        r.cursor.cursorLetterPosition = 0;
        layout(r);
        const float start = cursorX();
        const float baseline = cursorY();
        r.cursor.cursorLetterPosition = static_cast<std::uint32_t>(text.size());
        layout(r);
        const float end = cursorX();
        EXPECT_FLOAT_EQ(baseline, cursorY()) << "one line";
        if (c.horizontal == -1) {
            EXPECT_NEAR(start, x0, 1e-6);
        } else if (c.horizontal == 1) {
            EXPECT_NEAR(end, r.bottomRight[0], 1e-5) << "right edge on the box's right";
        } else {
            EXPECT_NEAR((start + end) * 0.5f, (x0 + r.bottomRight[0]) * 0.5f, 1e-5);
        }
        const float y0 = std::round((r.topLeft[1] + std::fabs(regular_->smallestDescent)) / py) * py;
        if (c.vertical == -1) {
            EXPECT_NEAR(baseline, y0 - regular_->lineHeight, 1e-5);
        }
        if (c.vertical == 0) {
            const float boxHeight = std::fabs(r.bottomRight[1] - y0);
            EXPECT_NEAR(baseline, y0 - regular_->lineHeight - (boxHeight - regular_->lineHeight) * 0.5f, 1e-5);
        }
    }
}

TEST_F(TextLayout, EditCursorAddsOneQuadAndHidesWhileAClickWaits) {
    TextLayoutRequest r = request("abc");
    EXPECT_EQ(layout(r).quadCount(), 3u);
    r.cursor.hasEditCursor = true;
    r.cursor.cursorLetterPosition = 1;
    TextBlock block = layout(r);
    ASSERT_EQ(block.quadCount(), 4u) << "every letter and the cursor";
    EXPECT_TRUE(sameAtlasCell(block, 1, regular_->find('|'))) << "drawn before the letter at its index";
    EXPECT_TRUE(sameAtlasCell(block, 3, regular_->find('c'))) << "the last letter stays";
    r.cursor.cursorLetterPosition = 3;
    block = layout(r);
    EXPECT_TRUE(sameAtlasCell(block, 3, regular_->find('|'))) << "after the last letter";
    r.cursor.clickPending = true;
    EXPECT_EQ(layout(r).quadCount(), 3u);
}

TEST_F(TextLayout, MeasuredCursorPositionMatchesTheDrawnOne) {
    // The update side measures with the registered line height the render side draws with.
    renderInterface_.registerFontName(regular_->key, regular_->lineHeight);
    const std::string text = "Some words that wrap\\nand a second paragraph";
    TextLayoutRequest r = request(text);
    r.bottomRight[0] = r.topLeft[0] + 0.3f;
    r.snapToVertPixels = false;
    r.cursor.hasEditCursor = true;
    for (std::uint32_t index : {0u, 5u, 11u, 19u, 22u, 30u, static_cast<std::uint32_t>(text.size())}) {
        r.cursor.cursorLetterPosition = index;
        layout(r);
        float measured[2];
        renderInterface_.layoutWrappedText(measured, text, regular_->key, r.topLeft, r.bottomRight[0] - r.topLeft[0],
                                           index);
        EXPECT_NEAR(measured[0], cursorX(), px * 0.6f) << index;
        EXPECT_NEAR(measured[1], cursorY(), py * 0.6f) << index;
        EXPECT_EQ(renderInterface_.letterIndexAtPoint(text, regular_->key, r.topLeft, r.bottomRight[0] - r.topLeft[0],
                                                      cursorX() + px * 0.1f, cursorY() + regular_->lineHeight * 0.5f),
                  index);
    }
}

TEST_F(TextLayout, ClipRectangleInPixels) {
    TextLayoutRequest r = request("x");
    r.clip = true;
    r.clipTopLeft[0] = -0.5f;
    r.clipTopLeft[1] = 0.5f;
    r.clipBottomRight[0] = 0.25f;
    r.clipBottomRight[1] = -1.0f;
    TextBlock block = layout(r);
    EXPECT_TRUE(block.clip);
    EXPECT_EQ(block.scissor, (TextScissor{320, 180, 800, 720}));
    r.clip = false;
    layoutTextQuads(block, r, nullptr);
    EXPECT_FALSE(block.clip);
}

} // namespace
