#include "ui_render/text_layout.h"

#include <algorithm>
#include <cmath>

#include "render/render_interface.h"
#include "render/text_walk.h"
#include "render/ui_pixel_snap.h"

namespace {

struct BlockSize {
    float width = 0.0f;
    std::size_t lines = 1;
};

TextWalkOptions drawOptions(const TextLayoutRequest& request, float boxWidth) {
    TextWalkOptions options;
    options.boxWidth = boxWidth;
    options.bold = request.bold;
    return options;
}

// The widest line and the number of lines, wrapped as the quads will be.
BlockSize measureBlock(const TextLayoutRequest& request, float px, float boxWidth) {
    BlockSize size;
    TextWalk walk(request.text, *request.regular, px, drawOptions(request, boxWidth));
    TextWalkStep step;
    while (walk.next(step)) {
        if (step.token.kind == MarkupToken::Kind::LineBreak) size.width = std::max(size.width, step.penX);
        if (step.wrapsAfter) size.width = std::max(size.width, step.penX + step.advance);
    }
    size.width = std::max(size.width, walk.penX());
    size.lines = walk.line() + 1;
    return size;
}

class QuadWriter {
public:
    QuadWriter(TextBlock& block, float px, float py, bool snapVertically)
        : block_(block), px_(px), py_(py), snapVertically_(snapVertically) {}

    void glyph(const GlyphRecord& glyph, float x, float y, std::size_t line, const TextColour& bottom,
               const TextColour& top) {
        // A blank cell leaves every pixel as it was; its quad would only cost fill.
        if (!glyph.inked) return;
        if (block_.lineStarts.empty() || line != line_) {
            block_.lineStarts.push_back(static_cast<std::uint32_t>(block_.quadCount()));
            line_ = line;
        }
        x = snapToPixel(x, px_) + px_ * 0.5f;
        if (snapVertically_) y = snapToPixel(y, py_);
        y += py_ * 0.5f;
        // Software GL pays for every pixel of a quad, and a blank texel changes nothing, so a
        // glyph drawn point-sampled in one colour is drawn over its inked texels only. A filtered
        // or graded glyph keeps its whole cell: GL interpolates its texture coordinates and
        // colours from the corners, and other corners could move a pixel by a step.
        const bool oneColour = bottom.r == top.r && bottom.g == top.g && bottom.b == top.b && bottom.a == top.a;
        float left = x, right = x + glyph.cellWidthClip, lower = y, upper = y + glyph.cellHeightClip;
        float uMin = glyph.uMin, uMax = glyph.uMax, vMin = glyph.vMin, vMax = glyph.vMax;
        TextQuadInk ink{static_cast<std::uint16_t>(glyph.inkLeft), static_cast<std::uint16_t>(glyph.inkBottom),
                        static_cast<std::uint16_t>(glyph.inkWidth), static_cast<std::uint16_t>(glyph.inkHeight)};
        if (snapVertically_ && oneColour) {
            ink.left = ink.bottom = 0;
            const float du = (glyph.uMax - glyph.uMin) / static_cast<float>(glyph.cellWidth);
            const float dv = (glyph.vMax - glyph.vMin) / static_cast<float>(glyph.cellHeight);
            const auto inkRight = static_cast<float>(glyph.inkLeft + glyph.inkWidth);
            const auto inkTop = static_cast<float>(glyph.inkBottom + glyph.inkHeight);
            left = x + static_cast<float>(glyph.inkLeft) * px_;
            right = x + inkRight * px_;
            lower = y + static_cast<float>(glyph.inkBottom) * py_;
            upper = y + inkTop * py_;
            uMin = glyph.uMin + static_cast<float>(glyph.inkLeft) * du;
            uMax = glyph.uMin + inkRight * du;
            vMin = glyph.vMin + static_cast<float>(glyph.inkBottom) * dv;
            vMax = glyph.vMin + inkTop * dv;
        }
        block_.inks.push_back(ink);
        auto& v = block_.vertices;
        v.emplace_back(left, lower, uMin, vMin, bottom.r, bottom.g, bottom.b, bottom.a);
        v.emplace_back(left, upper, uMin, vMax, top.r, top.g, top.b, top.a);
        v.emplace_back(right, upper, uMax, vMax, top.r, top.g, top.b, top.a);
        v.emplace_back(right, lower, uMax, vMin, bottom.r, bottom.g, bottom.b, bottom.a);
    }

private:
    TextBlock& block_;
    float px_;
    float py_;
    bool snapVertically_;
    std::size_t line_ = 0;
};

} // namespace

TextScissor textScissorRect(const float clipTopLeft[2], const float clipBottomRight[2], std::uint32_t screenWidth,
                            std::uint32_t screenHeight) {
    const float w = static_cast<float>(screenWidth);
    const float h = static_cast<float>(screenHeight);
    TextScissor scissor;
    scissor.left = static_cast<std::int32_t>((clipTopLeft[0] + 1.0f) * 0.5f * w);
    scissor.top = static_cast<std::int32_t>((clipTopLeft[1] - 1.0f) * -0.5f * h);
    scissor.right = static_cast<std::int32_t>((clipBottomRight[0] + 1.0f) * 0.5f * w);
    scissor.bottom = static_cast<std::int32_t>((clipBottomRight[1] - 1.0f) * -0.5f * h);
    return scissor;
}

void layoutTextQuads(TextBlock& block, const TextLayoutRequest& request, RenderInterface* renderInterface) {
    block.vertices.clear();
    block.inks.clear();
    block.lineStarts.clear();
    block.snapToVertPixels = request.snapToVertPixels;
    block.clip = request.clip;
    if (request.clip) {
        block.scissor = textScissorRect(request.clipTopLeft, request.clipBottomRight, request.screenWidth,
                                        request.screenHeight);
    }
    if (!request.regular || request.screenWidth == 0 || request.screenHeight == 0) return;
    const FontRecord& regular = *request.regular;
    const float px = 2.0f / static_cast<float>(request.screenWidth);
    const float py = 2.0f / static_cast<float>(request.screenHeight);
    const float lineHeight = regular.lineHeight;

    // Box placement.
    const float x0 = snapToPixel(request.topLeft[0], px);
    float y0 = request.topLeft[1] + std::fabs(regular.smallestDescent);
    if (request.snapToVertPixels) y0 = snapToPixel(y0, py);
    const float boxWidth = std::fabs(request.bottomRight[0] - x0);
    const float boxHeight = request.bottomRight[1] - y0;
    const BlockSize size = measureBlock(request, px, boxWidth);
    const float textHeight = static_cast<float>(size.lines) * lineHeight;
    float startX = x0;
    float startY = y0 - lineHeight;
    if (request.vertAlignment == 0) startY -= (std::fabs(boxHeight) - textHeight) * 0.5f;
    if (request.horizAlignment == 0) {
        startX += (boxWidth - size.width) * 0.5f;
    } else if (request.horizAlignment == 1) {
        startX += boxWidth - size.width;
    }

    QuadWriter quads(block, px, py, request.snapToVertPixels);
    const bool wantsCursor = request.cursor.hasEditCursor && !request.cursor.clickPending;
    const GlyphRecord* cursorGlyph = regular.find('|');
    bool cursorDrawn = false;
    TextColour bottom = request.colour;
    TextColour top = request.colour2;
    auto lineY = [&](std::size_t line) { return startY - static_cast<float>(line) * lineHeight; };
    auto drawCursor = [&](float penX, std::size_t line) {
        cursorDrawn = true;
        if (cursorGlyph) {
            quads.glyph(*cursorGlyph, startX + penX - px, lineY(line) + static_cast<float>(cursorGlyph->descent) * py,
                        line, bottom, top);
        }
        if (renderInterface) renderInterface->setEditCursorPosition(startX + penX, lineY(line));
    };

    TextWalk walk(request.text, regular, px, drawOptions(request, boxWidth));
    TextWalkStep step;
    while (walk.next(step)) {
        const MarkupToken& token = step.token;
        const bool placed = token.kind == MarkupToken::Kind::Character || token.kind == MarkupToken::Kind::LineBreak;
        if (wantsCursor && !cursorDrawn && placed && token.start >= request.cursor.cursorLetterPosition) {
            drawCursor(step.penX, step.line);
        }
        if (token.kind != MarkupToken::Kind::Character) {
            applyMarkupColour(token, request.colour, request.colour2, request.colourIds, bottom, top);
            continue;
        }
        if (!step.glyph) continue;
        float quadX = step.penX;
        // The atlas cell holds the ink |bearing| in from its left edge, so a glyph reaching left
        // of its pen moves left twice that far.
        if (!step.standIn && step.glyph->bearingX < 0) quadX -= 2.0f * static_cast<float>(-step.glyph->bearingX) * px;
        quads.glyph(*step.glyph, startX + quadX, lineY(step.line) + static_cast<float>(step.glyph->descent) * py,
                    step.line, bottom, top);
    }
    if (wantsCursor && !cursorDrawn) drawCursor(walk.penX(), walk.line());
}
