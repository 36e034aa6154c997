#pragma once
// What one "TextBox" object draws: the glyph quads of its last layout, how (snapping, clip), and
// the run quads that draw the same pixels from the run atlas when it holds the block's runs.
#include <cstdint>
#include <string>
#include <vector>

#include "render/text_colour_ids.h"
#include "ui_render/text_vertex.h"

struct TextScissor {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool operator==(const TextScissor&) const = default;
};

// The part of a glyph quad that holds coverage, in pixels from the quad's bottom-left corner.
struct TextQuadInk {
    std::uint16_t left = 0;
    std::uint16_t bottom = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
};

class TextBlock {
public:
    // Four vertices per quad, in drawing order.
    std::vector<ColouredTexturedVertex> vertices;
    bool snapToVertPixels = true;
    bool clip = false;
    TextScissor scissor;
    // One per quad.
    std::vector<TextQuadInk> inks;
    // The first quad of every line that has quads, in order.
    std::vector<std::uint32_t> lineStarts;

    // One quad per visible line, drawn instead of the glyph quads when byRuns is set; the runs
    // they show are held in the run atlas until released.
    std::vector<ColouredTexturedVertex> runVertices;
    std::vector<std::uint32_t> runIds;
    bool byRuns = false;

    // What the block was built from, to tell a re-layout from a rebuild.
    std::string text;
    std::string fontKey;
    TextColour bottomColour{1.0f, 1.0f, 1.0f, 1.0f};
    TextColour topColour{1.0f, 1.0f, 1.0f, 1.0f};

    std::size_t quadCount() const { return vertices.size() / 4; }
};
