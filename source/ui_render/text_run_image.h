#pragma once
// One line of pixel-snapped text as one image: where each glyph quad of the line lands, in whole
// pixels, and the premultiplied pixels those quads leave when drawn point-sampled, in order, over
// nothing. A quad showing that image draws what the glyph quads draw.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ui_render/text_block.h"
#include "ui_render/text_vertex.h"

// The inked part of one glyph quad of a run, in pixels from the run's bottom-left corner.
struct TextRunGlyph {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    // The glyph atlas texel under the part's bottom-left pixel; rows go up with the quad.
    std::int32_t atlasX = 0;
    std::int32_t atlasY = 0;
    // The quad's colours run from its bottom edge (bottomColour, A8R8G8B8 as its vertices carry
    // it) to its top edge, rampHeight rows up; the part starts rampStart rows above the bottom.
    std::int32_t rampStart = 0;
    std::int32_t rampHeight = 0;
    std::uint32_t bottomColour = 0;
    std::uint32_t topColour = 0;
};

struct TextRunShape {
    // The run's bottom-left pixel, counted from the screen's centre (x right, y up).
    std::int32_t left = 0;
    std::int32_t bottom = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<TextRunGlyph> glyphs;
};

// The shape of count snapped glyph quads (four vertices each, as text layout writes them) and
// their inked parts on a screen whose pixels are px by py clip units, sampling a glyph atlas
// atlasSize texels a side. Only the inked parts count: the rest leaves pixels as they were.
void shapeTextRun(const ColouredTexturedVertex* quads, const TextQuadInk* inks, std::size_t count, float px,
                  float py, std::uint32_t atlasSize, TextRunShape& shape);

// Equal for two shapes exactly when they compose to the same image.
std::string textRunKey(const TextRunShape& shape);

// Writes the run's width x height image, bottom row first, rows pitch texels apart: A8R8G8B8
// premultiplied, each glyph blended over the ones before it as the UI's "over" blend does.
void composeTextRun(const TextRunShape& shape, const std::uint8_t* atlasPixels, std::uint32_t atlasSize,
                    std::uint32_t* destination, std::size_t pitch);
