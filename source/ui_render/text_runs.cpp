#include "ui_render/text_runs.h"

#include <algorithm>
#include <utility>

#include "ui_render/glyph_atlas.h"
#include "ui_render/text_run_atlas.h"
#include "ui_render/text_run_image.h"

namespace {

struct ClipArea {
    float left, bottom, right, top;

    bool overlaps(const ClipArea& other) const {
        return other.right > left && other.left < right && other.top > bottom && other.bottom < top;
    }
};

// Where a quad could still touch a pixel: the screen, and a pixel more all round.
ClipArea visibleArea(float px, float py) { return {-1.0f - px, -1.0f - py, 1.0f + px, 1.0f + py}; }

ClipArea extentOf(const ColouredTexturedVertex* vertices, std::size_t quads) {
    ClipArea extent{vertices[0].x, vertices[0].y, vertices[0].x, vertices[0].y};
    for (std::size_t i = 0; i < quads * 4; ++i) {
        extent.left = std::min(extent.left, vertices[i].x);
        extent.right = std::max(extent.right, vertices[i].x);
        extent.bottom = std::min(extent.bottom, vertices[i].y);
        extent.top = std::max(extent.top, vertices[i].y);
    }
    return extent;
}

void addRunQuad(TextBlock& block, const TextRunShape& shape, const PackedRect& rect, std::uint32_t atlasSize, float px,
                float py) {
    const float left = (static_cast<float>(shape.left) + 0.5f) * px;
    const float right = left + static_cast<float>(shape.width) * px;
    const float lower = (static_cast<float>(shape.bottom) + 0.5f) * py;
    const float upper = lower + static_cast<float>(shape.height) * py;
    const float texel = 1.0f / static_cast<float>(atlasSize);
    const float u0 = static_cast<float>(rect.x) * texel, u1 = static_cast<float>(rect.x + rect.width) * texel;
    const float v0 = static_cast<float>(rect.y) * texel, v1 = static_cast<float>(rect.y + rect.height) * texel;
    auto& v = block.runVertices;
    v.emplace_back(left, lower, u0, v0, 1.0f, 1.0f, 1.0f, 1.0f);
    v.emplace_back(left, upper, u0, v1, 1.0f, 1.0f, 1.0f, 1.0f);
    v.emplace_back(right, upper, u1, v1, 1.0f, 1.0f, 1.0f, 1.0f);
    v.emplace_back(right, lower, u1, v0, 1.0f, 1.0f, 1.0f, 1.0f);
}

void releaseAll(std::vector<std::uint32_t>& ids, TextRunAtlas& runs) {
    for (std::uint32_t id : ids) runs.releaseRun(id);
    ids.clear();
}

} // namespace

void attachTextRuns(TextBlock& block, TextRunAtlas& runs, const GlyphAtlas& glyphs, std::uint32_t screenWidth,
                    std::uint32_t screenHeight) {
    std::vector<std::uint32_t> previous = std::move(block.runIds);
    block.runIds.clear();
    block.runVertices.clear();
    block.byRuns = false;
    if (block.snapToVertPixels && runs.texture() && screenWidth > 0 && screenHeight > 0 && glyphs.size() > 0) {
        const float px = 2.0f / static_cast<float>(screenWidth);
        const float py = 2.0f / static_cast<float>(screenHeight);
        const ClipArea visible = visibleArea(px, py);
        const std::size_t quads = block.quadCount();
        TextRunShape shape;
        bool complete = true;
        for (std::size_t line = 0; line < block.lineStarts.size() && complete; ++line) {
            const std::size_t first = block.lineStarts[line];
            const std::size_t end = line + 1 < block.lineStarts.size() ? block.lineStarts[line + 1] : quads;
            const ColouredTexturedVertex* vertices = block.vertices.data() + first * 4;
            if (end <= first || !visible.overlaps(extentOf(vertices, end - first))) continue;
            shapeTextRun(vertices, block.inks.data() + first, end - first, px, py, glyphs.size(), shape);
            if (shape.width == 0) continue;
            std::uint32_t id = 0;
            PackedRect rect;
            complete = runs.acquire(shape, glyphs, id, rect);
            if (!complete) break;
            block.runIds.push_back(id);
            addRunQuad(block, shape, rect, runs.size(), px, py);
        }
        block.byRuns = complete;
        if (!complete) {
            releaseAll(block.runIds, runs);
            block.runVertices.clear();
        }
    }
    releaseAll(previous, runs);
}

void detachTextRuns(TextBlock& block, TextRunAtlas& runs) {
    releaseAll(block.runIds, runs);
    block.runVertices.clear();
    block.byRuns = false;
}
