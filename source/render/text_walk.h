#pragma once
// Walks a marked-up string glyph by glyph: the pen position of every character on its line,
// kerning, line breaks and the word wrap rule. Drawing, measuring and cursor placement all walk
// with it, so a text wraps the same way wherever it is looked at.
#include <cstddef>
#include <string_view>

#include "render/font_records.h"
#include "render/text_markup.h"

struct TextWalkOptions {
    // Wrap at spaces when the next word would pass boxWidth.
    bool wrap = true;
    float boxWidth = 0.0f;
    // Line breaks start new lines; when false they only consume their characters.
    bool lineBreaks = true;
    // A character without a glyph shows the regular font's "?"; when false it has no width.
    bool questionMarkForMissing = true;
    // Bold spans use this font; null (or no bold record) keeps the regular font.
    const FontRecord* bold = nullptr;
};

struct TextWalkStep {
    MarkupToken token;
    // The glyph drawn for a character: its own, the "?" stand-in, or null (nothing drawn).
    const GlyphRecord* glyph = nullptr;
    // The font the glyph comes from.
    const FontRecord* font = nullptr;
    bool standIn = false;
    // Where the character (or line break) stands, in clip units from the line's start, and the
    // pen movement after it.
    float penX = 0.0f;
    float advance = 0.0f;
    std::size_t line = 0;
    // A space at which the text wraps: the next character starts the next line.
    bool wrapsAfter = false;
};

class TextWalk {
public:
    // px: the width of one pixel in clip units.
    TextWalk(std::string_view text, const FontRecord& regular, float px, const TextWalkOptions& options);

    bool next(TextWalkStep& step);
    // The pen after the last step, and its line.
    float penX() const { return penX_; }
    std::size_t line() const { return line_; }
    bool inBoldSpan() const { return scanner_.inBoldSpan(); }

private:
    // The width of the word after the scanner's position, in the regular font (markup and
    // characters without a glyph add nothing), up to the next space or line break.
    float nextWordWidth() const;

    std::string_view text_;
    const FontRecord& regular_;
    float px_;
    TextWalkOptions options_;
    MarkupScanner scanner_;
    float penX_ = 0.0f;
    std::size_t line_ = 0;
    bool wordHasCharacters_ = false;
    const FontRecord* previousFont_ = nullptr;
    std::uint32_t previousGlyph_ = 0;
};
