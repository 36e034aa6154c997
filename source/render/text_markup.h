#pragma once
// The inline markup of UI strings: line breaks, colour spans, named colours and bold spans, and
// the escape that shows text of the player's or of a file as the characters it holds. One scanner
// serves drawing, measuring and counting a text block's quads, so all three agree.
#include <cstddef>
#include <string>
#include <string_view>

#include "render/text_colour_ids.h"

// Before any character, makes it an ordinary one. No font has a glyph for it and no key types it.
constexpr char literalMark = '\x1b';

struct MarkupToken {
    enum class Kind {
        Character,   // an ordinary character, drawn and measured
        LineBreak,   // a newline or "\" + "n", with the spaces after it
        ColourSpan,  // "<" or "{" + "r", "g" or "b" (letter in character)
        NamedColour, // "<id='" + name + "'" (name)
        SpanEnd,     // ">" or "}" closing a colour span
        BoldStart,   // "[*"
        BoldEnd,     // "]" closing a bold span
        Skipped,     // markup that only changes the scanner's state, or that measuring ignores
    };
    Kind kind = Kind::Character;
    // Raw indices: the first character consumed and one past the last.
    std::size_t start = 0;
    std::size_t end = 0;
    unsigned char character = 0;
    std::string_view name;
};

class MarkupScanner {
public:
    explicit MarkupScanner(std::string_view text) : text_(text) {}

    // The next token; false at the end of the text. Never reads past the end.
    bool next(MarkupToken& token);
    // The byte at a raw index, or "?" past the end.
    unsigned char at(std::size_t index) const {
        return index < text_.size() ? static_cast<unsigned char>(text_[index]) : '?';
    }
    std::size_t position() const { return position_; }
    bool inColourSpan() const { return colourOpen_; }
    bool inBoldSpan() const { return boldOpen_; }

private:
    std::string_view text_;
    std::size_t position_ = 0;
    bool colourOpen_ = false;
    bool boldOpen_ = false;
};

// The bottom and top colours of the glyphs that follow a token: colour spans tint the text's own
// colours (base bottom, base top), a named colour found in the table sets them, a span end
// restores the base. Other tokens and unknown names change nothing.
void applyMarkupColour(const MarkupToken& token, const TextColour& baseBottom, const TextColour& baseTop,
                       const ColourIdTable* colourIds, TextColour& bottom, TextColour& top);

// How many characters of the text are drawn as glyphs (markup excluded).
std::size_t countDrawnCharacters(std::string_view text);

// The text as a UI string that shows each of its characters and no markup: every character that
// could open, close or break markup gets the literal mark before it.
std::string literalText(std::string_view text);
// The same for multi-line text, whose line breaks (a newline, or "\\" + "n") stay line breaks.
std::string literalLines(std::string_view text);
// Where the character at index of text stands in literalText(text) (or literalLines(text)), and
// back: the index in text of the character at an index of the literal string.
std::size_t literalIndex(std::string_view text, std::size_t index, bool linesKept);
std::size_t indexInText(std::string_view literal, std::size_t literalIndex);
