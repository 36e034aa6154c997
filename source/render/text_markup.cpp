#include "render/text_markup.h"

#include <algorithm>

namespace {

bool isColourLetter(unsigned char c) { return c == 'r' || c == 'g' || c == 'b'; }

float mean(const TextColour& colour) { return (colour.r + colour.g + colour.b) / 3.0f; }

} // namespace

bool MarkupScanner::next(MarkupToken& token) {
    const std::size_t size = text_.size();
    if (position_ >= size) return false;
    const std::size_t i = position_;
    const unsigned char c = at(i);
    const unsigned char following = at(i + 1);
    token = MarkupToken{};
    token.start = i;
    token.character = c;

    auto finish = [&](MarkupToken::Kind kind, std::size_t end) {
        token.kind = kind;
        token.end = end;
        position_ = end;
        return true;
    };
    auto lineBreak = [&](std::size_t end) {
        while (end < size && text_[end] == ' ') ++end;
        return finish(MarkupToken::Kind::LineBreak, end);
    };

    if (c == static_cast<unsigned char>(literalMark) && i + 1 < size) {
        token.character = following;
        return finish(MarkupToken::Kind::Character, i + 2);
    }
    if (c == '\n') return lineBreak(i + 1);
    if (c == '\\' && following == 'n' && i + 1 < size) return lineBreak(i + 2);

    if (c == '<' || c == '{') {
        if (isColourLetter(following) && i + 1 < size) {
            colourOpen_ = true;
            token.character = following;
            return finish(MarkupToken::Kind::ColourSpan, i + 2);
        }
        if (size - i > 6 && text_.substr(i + 1, 4) == "id='") {
            // The name runs to the closing quote or a space; an unterminated one ends with the text.
            std::size_t nameStart = i + 5;
            std::size_t nameEnd = nameStart;
            while (nameEnd < size && text_[nameEnd] != '\'' && text_[nameEnd] != ' ') ++nameEnd;
            token.name = text_.substr(nameStart, nameEnd - nameStart);
            colourOpen_ = true;
            return finish(MarkupToken::Kind::NamedColour,
                          nameEnd < size && text_[nameEnd] == '\'' ? nameEnd + 1 : nameEnd);
        }
        if (following == 'i' && text_.substr(i + 1, 4) != "id='") {
            colourOpen_ = true;
            return finish(MarkupToken::Kind::Skipped, i + 1);
        }
        return finish(MarkupToken::Kind::Character, i + 1);
    }
    if ((c == '>' || c == '}') && colourOpen_) {
        colourOpen_ = false;
        return finish(MarkupToken::Kind::SpanEnd, i + 1);
    }
    if (c == '[') {
        if (following == '*' && i + 1 < size) {
            boldOpen_ = true;
            return finish(MarkupToken::Kind::BoldStart, i + 2);
        }
    }
    if (c == ']' && boldOpen_) {
        boldOpen_ = false;
        return finish(MarkupToken::Kind::BoldEnd, i + 1);
    }
    return finish(MarkupToken::Kind::Character, i + 1);
}

void applyMarkupColour(const MarkupToken& token, const TextColour& baseBottom, const TextColour& baseTop,
                       const ColourIdTable* colourIds, TextColour& bottom, TextColour& top) {
    switch (token.kind) {
    case MarkupToken::Kind::ColourSpan: {
        const float a = mean(baseBottom);
        const float b = mean(baseTop);
        if (token.character == 'r') {
            bottom = {a, 0.6f * a, 0.6f * a, 1.0f};
            top = {0.8f * b, 0.4f * b, 0.4f * b, 1.0f};
        } else if (token.character == 'g') {
            bottom = {0.8f * a, a, 0.8f * a, 1.0f};
            top = {0.6f * b, 0.8f * b, 0.6f * b, 1.0f};
        } else {
            bottom = {0.8f * a, 0.8f * a, a, 1.0f};
            top = {0.6f * b, 0.6f * b, 0.8f * b, 1.0f};
        }
        break;
    }
    case MarkupToken::Kind::NamedColour: {
        const TextColour* named = colourIds ? colourIds->find(std::string(token.name)) : nullptr;
        if (!named) break;
        bottom = *named;
        top = {std::max(0.0f, named->r - 0.1f), std::max(0.0f, named->g - 0.1f), std::max(0.0f, named->b - 0.1f),
               named->a};
        break;
    }
    case MarkupToken::Kind::SpanEnd:
        bottom = baseBottom;
        top = baseTop;
        break;
    default:
        break;
    }
}

std::size_t countDrawnCharacters(std::string_view text) {
    MarkupScanner scanner(text);
    MarkupToken token;
    std::size_t count = 0;
    while (scanner.next(token)) {
        if (token.kind == MarkupToken::Kind::Character) ++count;
    }
    return count;
}

namespace {

bool isMarkupCharacter(char c) {
    switch (c) {
    case '<': case '{': case '>': case '}': case '[': case ']': case '\\': case '\n': case literalMark:
        return true;
    default:
        return false;
    }
}

// Whether the character at index gets the mark; line breaks stay themselves when kept.
bool marked(std::string_view text, std::size_t index, bool linesKept) {
    const char c = text[index];
    if (!isMarkupCharacter(c)) return false;
    if (!linesKept) return true;
    if (c == '\n') return false;
    if (c == '\\' && index + 1 < text.size() && text[index + 1] == 'n') return false;
    // The "n" of a kept "\\" + "n" is no markup character; a lone one is.
    return true;
}

std::string escaped(std::string_view text, bool linesKept) {
    std::string out;
    out.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (marked(text, i, linesKept)) out += literalMark;
        out += text[i];
    }
    return out;
}

} // namespace

std::string literalText(std::string_view text) { return escaped(text, false); }

std::string literalLines(std::string_view text) { return escaped(text, true); }

std::size_t literalIndex(std::string_view text, std::size_t index, bool linesKept) {
    const std::size_t end = std::min(index, text.size());
    std::size_t out = index;
    for (std::size_t i = 0; i < end; ++i) {
        if (marked(text, i, linesKept)) ++out;
    }
    return out;
}

std::size_t indexInText(std::string_view literal, std::size_t literalIndex) {
    std::size_t index = 0;
    for (std::size_t i = 0; i < literal.size() && i < literalIndex; ++i, ++index) {
        if (literal[i] == literalMark && i + 1 < literal.size()) ++i;
    }
    return index;
}
