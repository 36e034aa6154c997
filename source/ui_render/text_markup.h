#pragma once
// The inline markup of UI strings: line breaks, colour spans, named colours and bold spans. One
// scanner serves drawing, measuring and counting a text block's quads, so all three agree.
#include <cstddef>
#include <string_view>

#include "ui_render/text_colour_ids.h"

// Drawing shows a stray "<", "{" or "[" as a character; measuring counts none of them.
enum class MarkupMode { Draw, Measure };

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
    MarkupScanner(std::string_view text, MarkupMode mode) : text_(text), mode_(mode) {}

    // The next token; false at the end of the text. Never reads past the end.
    bool next(MarkupToken& token);
    // The byte at a raw index, or "?" past the end.
    unsigned char at(std::size_t index) const {
        return index < text_.size() ? static_cast<unsigned char>(text_[index]) : '?';
    }
    std::size_t position() const { return position_; }
    bool inColourSpan() const { return colourOpen_; }
    bool inBoldSpan() const { return boldOpen_; }
    MarkupMode mode() const { return mode_; }

private:
    std::string_view text_;
    MarkupMode mode_;
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
