// Measuring on the update thread through the render interface: size, characters that fit, the
// letter under a click and the pen at a letter, and the line-height registry they read.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/parameter_description.h"
#include "app/thread_resource_pool.h"
#include "render/font_records.h"
#include "render/render_interface.h"
#include "render/text_markup.h"

namespace {

const std::string regular = "EBGaramond-Regular_48";

class TextMeasuring : public ::testing::Test {
protected:
    TextMeasuring() : pool_("renderPool"), renderInterface_(&registry_, &pool_, 1280, 720, "") {
        renderInterface_.registerFontName(regular, lineHeight);
    }

    // The width of a run of ordinary characters, as the font's advances give it.
    float width(const std::string& text) const {
        const FontRecord* font = renderInterface_.findFontRecord(regular);
        float total = 0.0f;
        for (char c : text) total += static_cast<float>(font->find(static_cast<unsigned char>(c))->advanceX) * px;
        return total;
    }

    static constexpr float px = 2.0f / 1280.0f;
    static constexpr float lineHeight = 30.0f * 2.0f / 720.0f;
    ParameterDescriptionRegistry registry_;
    ThreadResourcePool pool_;
    RenderInterface renderInterface_;
};

TEST_F(TextMeasuring, LinesWidthAndHeight) {
    struct Case {
        std::string text;
        bool singleLine;
        float maxWidth;
        std::uint32_t fitCount;
        float width;
        int lines;
    };
    const float oneTwo = width("one two");
    const Case cases[] = {
        {"a\\nbcd", false, 20000.0f, 4, width("bcd"), 2},
        {"abc\nd", false, 20000.0f, 4, width("abc"), 2},
        {"a\\n  b", false, 20000.0f, 2, width("b"), 2},
        // A single line ignores breaks: the widths add up.
        {"abc\nd", true, 20000.0f, 4, width("abcd"), 1},
        // Markup is neither counted nor measured.
        {"<id='TitleBarText'[*abc]>", false, 20000.0f, 3, width("abc"), 1},
        {"<rab>", false, 20000.0f, 2, width("ab"), 1},
        // A stray opener is measured as the character it is drawn as.
        {"<x", false, 20000.0f, 2, width("<x"), 1},
        {literalText("Bob <rogue> {x} [y]"), true, 20000.0f, 19, width("Bob <rogue> {x} [y]"), 1},
        {std::string(1, literalMark) + "<rab" + literalMark + ">", false, 20000.0f, 5, width("<rab>"), 1},
        // Wrapping at spaces when the next word would pass the width.
        // The first line keeps its trailing space; the width is capped at the limit.
        {"one two three", false, oneTwo + px, 13, oneTwo + px, 2},
        {"one two three", false, oneTwo + width(" ") + px, 13, oneTwo + width(" "), 2},
        {"one two three", true, oneTwo + px, 7, oneTwo + px, 1},
        // A first word wider than the box is never wrapped.
        {"unbreakable", false, width("un") + px * 0.5f, 2, width("un") + px * 0.5f, 1},
        {"", false, 20000.0f, 0, 0.0f, 1},
    };
    for (const Case& c : cases) {
        TextMeasure measure;
        renderInterface_.measureText(measure, regular, c.text, c.singleLine, c.maxWidth);
        EXPECT_EQ(measure.fitCount, c.fitCount) << c.text;
        EXPECT_NEAR(measure.width, c.width, 1e-5) << c.text;
        EXPECT_NEAR(measure.height, c.lines * lineHeight, 1e-5) << c.text;
    }
}

TEST_F(TextMeasuring, CharactersThatFitIgnoreBreaks) {
    EXPECT_EQ(renderInterface_.countFittingCharacters("abcdef", regular, width("abc") + px * 0.5f), 3u);
    EXPECT_EQ(renderInterface_.countFittingCharacters("ab\\ncdef", regular, width("abc") + px * 0.5f), 3u);
    EXPECT_EQ(renderInterface_.countFittingCharacters("a b c d", regular, 20000.0f), 7u);
}

TEST_F(TextMeasuring, UnknownFontMeasuresNothing) {
    TextMeasure measure{9, 9.0f, 9.0f};
    renderInterface_.measureText(measure, "NoSuchFont_48", "abc", false, 20000.0f);
    EXPECT_EQ(measure.fitCount, 0u);
    EXPECT_EQ(measure.width, 0.0f);
    EXPECT_GT(measure.height, 0.0f) << "no registered line height still measures one positive line";
    const float topLeft[2] = {-0.5f, 0.5f};
    EXPECT_EQ(renderInterface_.letterIndexAtPoint("abc", "NoSuchFont_48", topLeft, 1.0f, 0.0f, 0.0f), 0u);
    float pen[2];
    renderInterface_.layoutWrappedText(pen, "abc", "NoSuchFont_48", topLeft, 1.0f, 2);
    EXPECT_EQ(pen[0], topLeft[0]);
}

TEST_F(TextMeasuring, EveryLetterIndexRoundTripsThroughItsPenPosition) {
    const std::string text = "The quick brown fox jumps over\\nthe lazy dog and  keeps on running";
    const float topLeft[2] = {-0.8f, 0.6f};
    const float boxWidth = width("The quick brown") + px;
    std::vector<std::string> lines;
    float previousY = 1.0f;
    for (std::uint32_t index = 0; index <= text.size(); ++index) {
        // Indices inside a line break's characters stand where the break stands.
        if (index > 0 && text[index - 1] == '\\' && text[index] == 'n') continue;
        float pen[2];
        renderInterface_.layoutWrappedText(pen, text, regular, topLeft, boxWidth, index);
        if (lines.empty() || pen[1] < previousY - lineHeight * 0.5f) lines.emplace_back();
        previousY = pen[1];
        if (index < text.size()) lines.back() += text[index];
        EXPECT_EQ(renderInterface_.letterIndexAtPoint(text, regular, topLeft, boxWidth, pen[0] + px * 0.1f,
                                                      pen[1] + lineHeight * 0.5f),
                  index)
            << "index " << index << " '" << text.substr(index, 1) << "'";
    }
    // Wrapped where the next word would pass the box; the break's own characters end their line.
    const std::vector<std::string> expected = {"The quick brown ", "fox jumps over\\", "the lazy dog and  ",
                                               "keeps on running"};
    EXPECT_EQ(lines, expected);
}

TEST_F(TextMeasuring, ClicksBesideAndBelowTheText) {
    const std::string text = "ab\\ncdef";
    const float topLeft[2] = {0.0f, 0.0f};
    float firstLine[2];
    renderInterface_.layoutWrappedText(firstLine, text, regular, topLeft, 1.0f, 0);
    const float middle = firstLine[1] + lineHeight * 0.5f;
    // Right of a line that ends in a break: the end of that line, before the break.
    EXPECT_EQ(renderInterface_.letterIndexAtPoint(text, regular, topLeft, 1.0f, 0.9f, middle), 2u);
    // Left of the text, and above it: the first letter.
    EXPECT_EQ(renderInterface_.letterIndexAtPoint(text, regular, topLeft, 1.0f, -0.5f, middle), 0u);
    EXPECT_EQ(renderInterface_.letterIndexAtPoint(text, regular, topLeft, 1.0f, px, 0.5f), 0u);
    // Below the last line: the end of the text.
    EXPECT_EQ(renderInterface_.letterIndexAtPoint(text, regular, topLeft, 1.0f, px, -0.9f), text.size());
    // On the second half of a glyph the cursor still goes before it.
    EXPECT_EQ(renderInterface_.letterIndexAtPoint(text, regular, topLeft, 1.0f, firstLine[0] + width("a") * 0.9f,
                                                  middle),
              0u);
}

TEST_F(TextMeasuring, MovingTheCursorByWrappedLines) {
    const std::string text = "alpha beta gamma";
    const float topLeft[2] = {-0.5f, 0.5f};
    const float boxWidth = width("alpha beta") + px;
    const std::uint32_t inGamma = 13; // "gamma"'s "m", on the second line
    EXPECT_EQ(renderInterface_.letterIndexAtPointWrapped(text, regular, topLeft, boxWidth, inGamma, 0), inGamma);
    std::uint32_t up = renderInterface_.letterIndexAtPointWrapped(text, regular, topLeft, boxWidth, inGamma, 1);
    EXPECT_LT(up, 11u) << "on the first line";
    EXPECT_GE(up, 1u);
    // Down from the first line comes back near the same x.
    EXPECT_EQ(renderInterface_.letterIndexAtPointWrapped(text, regular, topLeft, boxWidth, 0, -1), 11u);
    // Up from the first line stays on it.
    EXPECT_EQ(renderInterface_.letterIndexAtPointWrapped(text, regular, topLeft, boxWidth, 3, 1), 3u);
    // Down from the last line reaches the end.
    EXPECT_EQ(renderInterface_.letterIndexAtPointWrapped(text, regular, topLeft, boxWidth, inGamma, -1),
              text.size());
}

TEST_F(TextMeasuring, RegistryOverwritesKeysAndAnswersMinusOneForUnknownOnes) {
    EXPECT_FLOAT_EQ(renderInterface_.registeredLineHeight(regular), lineHeight);
    renderInterface_.registerFontName(regular, 0.25f);
    EXPECT_FLOAT_EQ(renderInterface_.registeredLineHeight(regular), 0.25f);
    EXPECT_FLOAT_EQ(renderInterface_.registeredLineHeight("Unregistered_12"), -1.0f);
}

TEST_F(TextMeasuring, RegistryIsSafeToReadWhileTheRenderThreadRebuildsIt) {
    std::atomic<bool> done{false};
    std::thread renderThread([&] {
        for (int round = 0; round < 2000; ++round) {
            renderInterface_.registerFontName("Font_" + std::to_string(round % 50), 0.1f);
            renderInterface_.registerFontName(regular, round % 2 ? lineHeight : 2 * lineHeight);
        }
        done = true;
    });
    while (!done) {
        float height = renderInterface_.registeredLineHeight(regular);
        ASSERT_TRUE(height == lineHeight || height == 2 * lineHeight);
        TextMeasure measure;
        renderInterface_.measureText(measure, regular, "ab\\ncd", false, 20000.0f);
        ASSERT_GT(measure.height, 0.0f);
    }
    renderThread.join();
    EXPECT_FLOAT_EQ(renderInterface_.registeredLineHeight("Font_49"), 0.1f);
}

} // namespace
