#pragma once
// Gathers the quads the UI assets write for a frame and draws them from dynamic vertex buffers
// filled once, one per vertex layout: consecutive quads that share effect, technique, texture and
// scissor are one draw, and draws keep the order they were added in whatever their layouts.
// Every value of an instance (corners, colours, texture coordinates, a rectangle's edges) travels
// as vertex data, so no effect parameter changes between the instances of a draw.
#include <cstdint>
#include <vector>

#include "platform/gfx/device.h"
#include "platform/gfx/effect.h"
#include "ui_render/text_quad_buffer.h"
#include "ui_render/text_vertex.h"
#include "ui_render/ui_rectangle_vertex.h"

// How a run of quads is drawn.
struct UIDrawKey {
    gfx::Effect* effect = nullptr;
    gfx::EffectHandle technique = 0;
    // The effect's texture parameter and what it is set to for the run; 0 and null for none.
    gfx::EffectHandle textureParameter = 0;
    gfx::BaseTexture* texture = nullptr;
    bool scissorEnabled = false;
    gfx::Rect scissor{};
    // The GPU debugger's name of the run; not part of the comparison.
    const char* eventName = "UI";

    bool sameDrawAs(const UIDrawKey& other) const;
};

// A premultiplied colour as A8R8G8B8, each channel rounded to the nearest of 256 steps.
std::uint32_t packUIColour(float r, float g, float b, float a);

class UIBatchWriter {
public:
    // A run goes to GL in calls of at most this many quads (1,020 indices). Software GL
    // (llvmpipe) cuts a longer call into pieces of 1,023 indices, which splits the triangle
    // pairs it would otherwise draw as rectangles, much faster.
    static constexpr std::uint32_t maxQuadsPerCall = 170;

    // Quads added after this belong to a run drawn with key; a key equal to the current one
    // continues the run.
    void setKey(const UIDrawKey& key);
    // Room for count quads (four vertices each, drawn as triangles 0 1 2 and 2 3 0) at the end
    // of the current run. Valid until the next call on the writer. Null without a key.
    ColouredTexturedVertex* addQuads(std::uint32_t count);
    // The same for quads of rectangle vertices; a run holds vertices of one layout only.
    UIRectangleVertex* addRectangleQuads(std::uint32_t count);
    // One quad of one colour; corners as x, y pairs in UI units.
    void addQuad(const float (&corners)[8], std::uint32_t colour);
    // One white quad showing the whole texture; corners as x, y pairs in UI units, top-left
    // first and clockwise. The texture coordinates are moved by (uOffset, vOffset).
    void addTexturedQuad(const float (&corners)[8], float uOffset = 0.0f, float vOffset = 0.0f);

    // Runs added after this are not merged with earlier ones: what one renderable writes for
    // one layer stays apart from what the next writes, so others may draw in between. Gives the
    // index of the section's first run.
    std::uint32_t beginSection();
    std::uint32_t runCount() const { return static_cast<std::uint32_t>(runs_.size()); }
    // Writes every quad added into the vertex buffers at once; false when there is nothing to
    // draw or the device refused.
    bool upload(gfx::Device* device);
    // Draws runs [first, end) of what was uploaded.
    void drawRuns(gfx::Device* device, std::uint32_t first, std::uint32_t end);
    // Forgets everything added.
    void clear();
    // The vertex buffers are in the default pool: let go of them before a reset.
    void releaseDeviceResources() {
        buffer_.release();
        rectangleBuffer_.release();
    }

    std::uint32_t pendingQuads() const {
        return static_cast<std::uint32_t>((vertices_.size() + rectangleVertices_.size()) / 4);
    }
    // Batched draws (runs drawn, each in one or more GL calls) since the counter was last reset.
    std::uint32_t drawCalls() const { return drawCalls_; }
    void resetDrawCalls() { drawCalls_ = 0; }

private:
    enum class Layout : std::uint8_t { ColouredTextured, Rectangle, None };

    struct Run {
        UIDrawKey key;
        Layout layout;
        // Counted in the vertices of the run's layout.
        std::uint32_t firstVertex;
        std::uint32_t vertexCount;
    };

    // Starts a run for count more quads of the layout, or lengthens the current one; false
    // without a key.
    bool extendRun(Layout layout, std::uint32_t firstVertex, std::uint32_t count);

    std::vector<ColouredTexturedVertex> vertices_;
    std::vector<UIRectangleVertex> rectangleVertices_;
    std::vector<Run> runs_;
    std::uint32_t sectionStart_ = 0;
    // Where each layout's vertices start in its buffer; only layouts with vertices are uploaded.
    std::uint32_t uploadedBase_ = 0;
    std::uint32_t uploadedRectangleBase_ = 0;
    bool uploaded_ = false;
    bool haveKey_ = false;
    UIDrawKey key_;
    TextQuadBuffer buffer_{sizeof(ColouredTexturedVertex)};
    TextQuadBuffer rectangleBuffer_{sizeof(UIRectangleVertex)};
    std::uint32_t drawCalls_ = 0;
};
