#pragma once
// Measuring marked-up text against one font's metrics, as the widgets need it on the update
// thread: size, characters that fit, the letter under a point and the pen at a letter.
#include <cstdint>
#include <string_view>

#include "render/font_records.h"
#include "render/render_interface.h"

// The font and units a measurement uses: lineHeight is the registered line height (clip units,
// -1 when none), px and py one pixel in clip units.
struct TextMeasureFont {
    const FontRecord* font = nullptr;
    // Bold spans ("[*...]") are drawn in the bold font, so they are measured in it too.
    const FontRecord* bold = nullptr;
    float lineHeight = -1.0f;
    float px = 0.0f;
    float py = 0.0f;
};

// Size of the text wrapped at maxWidth (singleLine: no breaks, no wrapping); without a font:
// no characters, no width, one line high.
TextMeasure measureTextWithFont(const TextMeasureFont& font, std::string_view text, bool singleLine, float maxWidth);

// The first line of a box starts here: x snapped to a pixel, y raised by the font's lowest
// descent.
float textBoxStartX(const TextMeasureFont& font, float left);
float textBoxTopY(const TextMeasureFont& font, float top);

// The raw index before which a click at (x, y) puts the cursor, in the text wrapped to boxWidth
// from topLeft: a click on a glyph goes before it, a click past a line's end to that end, one
// below the text to its end.
std::uint32_t letterIndexAtPointWithFont(const TextMeasureFont& font, std::string_view text, const float topLeft[2],
                                         float boxWidth, float x, float y);

// The pen (x, baseline y) at which the character at that raw index stands; the end of the text
// for an index past it. The drawn edit cursor stands at the same place.
void layoutWrappedTextWithFont(float out[2], const TextMeasureFont& font, std::string_view text,
                               const float topLeft[2], float boxWidth, std::uint32_t letterIndex);
