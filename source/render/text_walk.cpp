#include "render/text_walk.h"

TextWalk::TextWalk(std::string_view text, const FontRecord& regular, float px, const TextWalkOptions& options)
    : text_(text), regular_(regular), px_(px), options_(options), scanner_(text) {}

float TextWalk::nextWordWidth() const {
    MarkupScanner ahead = scanner_;
    MarkupToken token;
    float width = 0.0f;
    while (ahead.next(token)) {
        if (token.kind == MarkupToken::Kind::LineBreak) break;
        if (token.kind != MarkupToken::Kind::Character) continue;
        if (token.character == ' ') break;
        if (const GlyphRecord* glyph = regular_.find(token.character)) {
            width += static_cast<float>(glyph->advanceX) * px_;
        }
    }
    return width;
}

bool TextWalk::next(TextWalkStep& step) {
    step = TextWalkStep{};
    if (!scanner_.next(step.token)) return false;
    const MarkupToken& token = step.token;
    step.penX = penX_;
    step.line = line_;

    if (token.kind == MarkupToken::Kind::LineBreak) {
        if (options_.lineBreaks) {
            ++line_;
            penX_ = 0.0f;
        }
        wordHasCharacters_ = false;
        previousGlyph_ = 0;
        return true;
    }
    if (token.kind != MarkupToken::Kind::Character) return true;

    const unsigned char c = token.character;
    const FontRecord* font = &regular_;
    if (scanner_.inBoldSpan() && options_.bold) font = options_.bold;
    const GlyphRecord* glyph = font->find(c);
    if (!glyph && font != &regular_) {
        font = &regular_;
        glyph = font->find(c);
    }
    if (!glyph && options_.questionMarkForMissing) {
        glyph = regular_.find('?');
        step.standIn = glyph != nullptr;
    }
    if (glyph && !step.standIn && previousFont_ == font) {
        penX_ += fontKerning(*font, previousGlyph_, glyph->glyphIndex, px_);
    }
    previousFont_ = glyph ? font : nullptr;
    previousGlyph_ = glyph ? glyph->glyphIndex : 0;
    step.glyph = glyph;
    step.font = glyph ? font : nullptr;
    step.penX = penX_;
    step.advance = glyph ? static_cast<float>(glyph->advanceX) * px_ : 0.0f;
    penX_ += step.advance;

    if (c == ' ') {
        if (scanner_.at(token.end) != ' ' && wordHasCharacters_) {
            wordHasCharacters_ = false;
            if (options_.wrap && nextWordWidth() + penX_ > options_.boxWidth) {
                step.wrapsAfter = true;
                penX_ = 0.0f;
                ++line_;
                previousGlyph_ = 0;
            }
        }
    } else {
        wordHasCharacters_ = true;
    }
    return true;
}
