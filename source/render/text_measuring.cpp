#include "render/text_measuring.h"

#include <algorithm>
#include <cmath>

#include "render/text_walk.h"
#include "render/ui_pixel_snap.h"

TextMeasure measureTextWithFont(const TextMeasureFont& font, std::string_view text, bool singleLine, float maxWidth) {
    TextMeasure result{0, font.lineHeight, 0.0f};
    if (!font.font) return result;
    TextWalkOptions options;
    options.wrap = !singleLine;
    options.boxWidth = maxWidth;
    options.lineBreaks = !singleLine;
    options.questionMarkForMissing = false;
    options.bold = font.bold;
    TextWalk walk(text, *font.font, font.px, options);
    TextWalkStep step;
    float widest = 0.0f;
    while (walk.next(step)) {
        if (step.token.kind == MarkupToken::Kind::LineBreak) {
            if (!singleLine) widest = std::max(widest, step.penX);
            continue;
        }
        if (step.token.kind != MarkupToken::Kind::Character) continue;
        if (step.wrapsAfter) widest = std::max(widest, step.penX + step.advance);
        if (walk.penX() < maxWidth) ++result.fitCount;
    }
    result.width = std::min(std::max(walk.penX(), widest), maxWidth);
    result.height = static_cast<float>(walk.line() + 1) * font.lineHeight;
    return result;
}

float textBoxStartX(const TextMeasureFont& font, float left) { return snapToPixel(left, font.px); }

float textBoxTopY(const TextMeasureFont& font, float top) {
    return top + (font.font ? std::fabs(font.font->smallestDescent) : 0.0f);
}

namespace {

TextWalkOptions wrappedDrawOptions(const TextMeasureFont& font, float boxWidth) {
    TextWalkOptions options;
    options.boxWidth = boxWidth;
    options.bold = font.bold;
    return options;
}

} // namespace

std::uint32_t letterIndexAtPointWithFont(const TextMeasureFont& font, std::string_view text, const float topLeft[2],
                                         float boxWidth, float x, float y) {
    if (!font.font) return 0;
    const float x0 = textBoxStartX(font, topLeft[0]);
    const float y0 = textBoxTopY(font, topLeft[1]);
    // The hit line is the first whose bottom lies below the point.
    auto onHitLine = [&](std::size_t line) { return y0 - static_cast<float>(line + 1) * font.lineHeight < y; };
    TextWalk walk(text, *font.font, font.px, wrappedDrawOptions(font, boxWidth));
    TextWalkStep step;
    while (walk.next(step)) {
        if (step.token.kind == MarkupToken::Kind::LineBreak) {
            if (onHitLine(step.line)) return static_cast<std::uint32_t>(step.token.start);
            continue;
        }
        if (step.token.kind != MarkupToken::Kind::Character || !onHitLine(step.line)) continue;
        if (x0 + step.penX + step.advance > x) return static_cast<std::uint32_t>(step.token.start);
        if (step.wrapsAfter) return static_cast<std::uint32_t>(step.token.end);
    }
    return static_cast<std::uint32_t>(text.size());
}

void layoutWrappedTextWithFont(float out[2], const TextMeasureFont& font, std::string_view text,
                               const float topLeft[2], float boxWidth, std::uint32_t letterIndex) {
    out[0] = topLeft[0];
    out[1] = topLeft[1];
    if (!font.font) return;
    const float x0 = textBoxStartX(font, topLeft[0]);
    const float y0 = textBoxTopY(font, topLeft[1]);
    auto place = [&](float penX, std::size_t line) {
        out[0] = x0 + penX;
        out[1] = y0 - static_cast<float>(line + 1) * font.lineHeight;
    };
    TextWalk walk(text, *font.font, font.px, wrappedDrawOptions(font, boxWidth));
    TextWalkStep step;
    while (walk.next(step)) {
        const bool placed =
            step.token.kind == MarkupToken::Kind::Character || step.token.kind == MarkupToken::Kind::LineBreak;
        if (placed && step.token.start >= letterIndex) {
            place(step.penX, step.line);
            return;
        }
    }
    place(walk.penX(), walk.line());
}
