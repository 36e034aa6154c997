#pragma once
// Lays a marked-up string out as glyph quads in a box: alignment, word wrap, pixel snapping,
// colour spans, bold spans and the edit cursor.
#include <cstdint>
#include <string>

#include "render/font_records.h"
#include "render/text_colour_ids.h"
#include "ui_render/text_block.h"

class RenderInterface;

struct TextCursorInput {
    bool hasEditCursor = false;
    // A click waits to become a letter index: the cursor stays hidden meanwhile.
    bool clickPending = false;
    float clickX = 0.0f;
    float clickY = 0.0f;
    // The raw index before which the cursor stands.
    std::uint32_t cursorLetterPosition = 0;
};

struct TextLayoutRequest {
    TextColour colour{0.8f, 0.8f, 0.8f, 1.0f};
    TextColour colour2{1.0f, 1.0f, 1.0f, 1.0f};
    std::string text;
    const FontRecord* regular = nullptr;
    // Null: bold spans use the regular font.
    const FontRecord* bold = nullptr;
    const ColourIdTable* colourIds = nullptr;
    float topLeft[2] = {0.0f, 0.0f};
    float bottomRight[2] = {0.0f, 0.0f};
    // 0 centres; anything else keeps the text at the top.
    std::int32_t vertAlignment = -1;
    // 0 centres, 1 right-aligns, anything else is left-aligned.
    std::int32_t horizAlignment = -1;
    TextCursorInput cursor;
    bool snapToVertPixels = true;
    bool clip = false;
    float clipTopLeft[2] = {-1.0f, 1.0f};
    float clipBottomRight[2] = {1.0f, -1.0f};
    std::uint32_t screenWidth = 0;
    std::uint32_t screenHeight = 0;
};

// Replaces the block's quads with the layout of the request (none for glyphs without ink, whose
// pen advance still counts); stores where the edit cursor was drawn in the render interface
// (when given).
void layoutTextQuads(TextBlock& block, const TextLayoutRequest& request, RenderInterface* renderInterface);

// The scissor rectangle in pixels of clip-space corners on a screen of that size.
TextScissor textScissorRect(const float clipTopLeft[2], const float clipBottomRight[2], std::uint32_t screenWidth,
                            std::uint32_t screenHeight);
