// The markup scanner: what each sequence means (drawing and measuring read it alike), the literal
// mark that shows text of the player's as it is, and the colours the spans give.
#include <gtest/gtest.h>

#include "render/text_markup.h"

namespace {

// One word per token: a character as itself, "/" a line break, "r(" a colour span, "id(Name)",
// ")" a span end, "*(" and "*)" bold, "~" skipped markup.
std::string tokens(const std::string& text) {
    MarkupScanner scanner(text);
    MarkupToken token;
    std::string out;
    std::size_t last = 0;
    while (scanner.next(token)) {
        EXPECT_EQ(token.start, last) << "tokens cover the text without gaps";
        EXPECT_GT(token.end, token.start);
        EXPECT_LE(token.end, text.size());
        last = token.end;
        if (!out.empty()) out += ' ';
        switch (token.kind) {
        case MarkupToken::Kind::Character: out += static_cast<char>(token.character); break;
        case MarkupToken::Kind::LineBreak: out += '/'; break;
        case MarkupToken::Kind::ColourSpan: out += std::string(1, static_cast<char>(token.character)) + "("; break;
        case MarkupToken::Kind::NamedColour: out += "id(" + std::string(token.name) + ")"; break;
        case MarkupToken::Kind::SpanEnd: out += ')'; break;
        case MarkupToken::Kind::BoldStart: out += "*("; break;
        case MarkupToken::Kind::BoldEnd: out += "*)"; break;
        case MarkupToken::Kind::Skipped: out += '~'; break;
        }
    }
    EXPECT_EQ(last, text.size());
    return out;
}

TEST(TextMarkup, Sequences) {
    struct Case {
        std::string text;
        std::string read;
    };
    const std::string mark(1, literalMark);
    const Case cases[] = {
        {"a\nb", "a / b"},
        {"a\\n   b", "a / b"},
        {"a\\x", "a \\ x"},
        {"end\\", "e n d \\"},
        {"<rab>c", "r( a b ) c"},
        {"{gx}", "g( x )"},
        {"<id='TitleBarText'[*T]>", "id(TitleBarText) *( T *) )"},
        {"<id='Nowhere'x>y", "id(Nowhere) x ) y"},
        // Closers outside a span are ordinary characters.
        {"x>y]}", "x > y ] }"},
        // Unterminated markup ends with the text.
        {"<id='Title", "id(Title)"},
        // A stray opener is a character, measured as it is drawn.
        {"a<", "a <"},
        {"[", "["},
        {"<id='a", "< i d = ' a"},
        // The name stops at a space, which stays a character.
        {"<id='ab cd'>", "id(ab)   c d ' )"},
        {"<ix>", "~ i x )"},
        {"<x[y", "< x [ y"},
        {"[*a]]", "*( a *) ]"},
        // The literal mark makes the character after it an ordinary one, the mark itself too.
        {mark + "<r" + mark + ">", "< r >"},
        {"[*" + mark + "]]", "*( ] *)"},
        {mark + "\\n" + mark + "\n", "\\ n \n"},
        {mark + mark, std::string(1, literalMark)},
        {"x" + mark, "x " + mark},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(tokens(c.text), c.read) << c.text;
}

TEST(TextMarkup, LiteralTextShowsEveryCharacterItHolds) {
    const std::string typed[] = {"Bob <rogue> {x} [y]", "a<b>.xml", "[*bold]", "<id='TitleBarText'x>", "\\n\n",
                                 std::string("odd ") + literalMark + "mark", "plain name"};
    for (const std::string& text : typed) {
        SCOPED_TRACE(text);
        const std::string literal = literalText(text);
        EXPECT_EQ(countDrawnCharacters(literal), text.size());
        // Shown inside a caption's markup, it still shows as itself and closes nothing.
        EXPECT_EQ(countDrawnCharacters("<id='TitleBarText'[*Sell " + literal + "]>"), text.size() + 5);
        for (std::size_t i = 0; i <= text.size(); ++i) EXPECT_EQ(indexInText(literal, literalIndex(text, i, false)), i);
    }
    EXPECT_EQ(literalText("plain name"), "plain name") << "text without markup characters is left as it is";
    // Multi-line text keeps its line breaks, and only them.
    EXPECT_EQ(tokens(literalLines("a\\nb<r\nc\\x")), "a / b < r / c \\ x");
    EXPECT_EQ(literalIndex("a\\nb<r", 5, true), 6u);
}

TEST(TextMarkup, CountsTheCharactersItDraws) {
    EXPECT_EQ(countDrawnCharacters("<id='TitleBarText'[*Spells]>"), 6u);
    EXPECT_EQ(countDrawnCharacters("a\\n  b\nc"), 3u);
    EXPECT_EQ(countDrawnCharacters("<r>"), 0u);
    EXPECT_EQ(countDrawnCharacters("<id='Unterminated"), 0u);
    EXPECT_EQ(countDrawnCharacters("<x"), 2u);
}

TEST(TextMarkup, SpanColours) {
    const TextColour base{0.3f, 0.6f, 0.9f, 1.0f};
    const TextColour base2{1.0f, 1.0f, 1.0f, 0.5f};
    ColourIdTable ids;
    ids.set("TitleBarText", {0.9f, 0.05f, 0.5f, 0.8f});
    struct Case {
        std::string text;
        TextColour bottom;
        TextColour top;
    };
    const Case cases[] = {
        {"<r", {0.6f, 0.36f, 0.36f, 1.0f}, {0.8f, 0.4f, 0.4f, 1.0f}},
        {"<g", {0.48f, 0.6f, 0.48f, 1.0f}, {0.6f, 0.8f, 0.6f, 1.0f}},
        {"{b", {0.48f, 0.48f, 0.6f, 1.0f}, {0.6f, 0.6f, 0.8f, 1.0f}},
        {"<id='TitleBarText'", {0.9f, 0.05f, 0.5f, 0.8f}, {0.8f, 0.0f, 0.4f, 0.8f}},
        // An unknown id keeps the colours in force.
        {"<id='Unknown'", base, base2},
    };
    for (const Case& c : cases) {
        MarkupScanner scanner(c.text);
        MarkupToken token;
        ASSERT_TRUE(scanner.next(token));
        TextColour bottom = base;
        TextColour top = base2;
        applyMarkupColour(token, base, base2, &ids, bottom, top);
        EXPECT_NEAR(bottom.r, c.bottom.r, 1e-6) << c.text;
        EXPECT_NEAR(bottom.g, c.bottom.g, 1e-6) << c.text;
        EXPECT_NEAR(bottom.b, c.bottom.b, 1e-6) << c.text;
        EXPECT_NEAR(bottom.a, c.bottom.a, 1e-6) << c.text;
        EXPECT_NEAR(top.r, c.top.r, 1e-6) << c.text;
        EXPECT_NEAR(top.g, c.top.g, 1e-6) << c.text;
        EXPECT_NEAR(top.b, c.top.b, 1e-6) << c.text;
        EXPECT_NEAR(top.a, c.top.a, 1e-6) << c.text;
        EXPECT_TRUE(scanner.inColourSpan());
    }
    // A span end restores the text's own colours.
    MarkupScanner scanner("<r>");
    MarkupToken token;
    TextColour bottom = base;
    TextColour top = base2;
    while (scanner.next(token)) applyMarkupColour(token, base, base2, &ids, bottom, top);
    EXPECT_FLOAT_EQ(bottom.g, base.g);
    EXPECT_FLOAT_EQ(top.a, base2.a);
}

} // namespace
