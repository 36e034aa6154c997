#pragma once
// Drawing a pixel-snapped text block by runs: one quad per line, showing the line's image in the
// run atlas, in place of one quad per glyph. Software GL pays for every quad far more than for
// the few extra blank pixels of a line.
#include <cstdint>

#include "ui_render/text_block.h"

class GlyphAtlas;
class TextRunAtlas;

// Gives the block a run quad for each of its lines that can show on a screen of that size,
// holding their runs in the run atlas; when the atlas lacks room for one, the block gets none and
// draws its glyph quads. The runs the block held before are let go only after, so lines that did
// not change keep their runs.
void attachTextRuns(TextBlock& block, TextRunAtlas& runs, const GlyphAtlas& glyphs, std::uint32_t screenWidth,
                    std::uint32_t screenHeight);
// Lets go of the block's runs; it draws its glyph quads.
void detachTextRuns(TextBlock& block, TextRunAtlas& runs);
