#pragma once
// The base of the colour picker's assets: a fixed shape whose corners an effect takes from
// "gVertPositions" and "gColourArray" (entry chosen by the corner number in each vertex's z),
// drawn in one effect pass per batch with the corners of each instance set before its draw.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/gfx/effect.h"
#include "platform/gfx/vertex_declaration.h"
#include "ui_render/ui_renderable_asset.h"
#include "ui_render/ui_shape_buffers.h"

class SimpleParameterGroup;

class UIGradientShapeAsset : public UIRenderableAsset {
public:
    ~UIGradientShapeAsset() override;

    void onLostDevice() override;
    void onResetDevice() override;
    // The shape's buffers and the effect (its errors shown in a message box).
    bool load() override;
    void unload() override;
    // The performance event, the buffers and the pass that serves every instance of the batch.
    void beginBatch(UIBatchWriter& writer) override;
    // The instance's corners, or those of the previous draw for an object without a render-side
    // group; nothing is drawn without the effect.
    void renderInstance(UIRenderableInstance& record, UIBatchWriter& writer) override;
    void endBatch(UIBatchWriter& writer) override;

protected:
    struct Shape {
        const char* effectFile;
        const char* eventName;
        // Vertices of stride bytes, bound with the declaration found at *declaration.
        std::vector<std::uint8_t> vertices;
        std::uint32_t stride;
        gfx::VertexDeclaration** declaration;
        std::vector<std::uint16_t> indices;
        std::uint32_t corners;
    };
    UIGradientShapeAsset(const std::string& typeName, RenderInterface* renderInterface, Shape shape);

    // Fills positions_ and colours_ from the object's parameters (pixel sizes in UI units).
    virtual void readCorners(const SimpleParameterGroup& group, float pixelWidth, float pixelHeight) = 0;

    // x, y of each corner, and r, g, b, a of each, from the last instance read.
    std::vector<float> positions_;
    std::vector<float> colours_;

private:
    RenderInterface* renderInterface_;
    Shape shape_;
    UIShapeBuffers buffers_;
    gfx::Effect* effect_ = nullptr;
    gfx::EffectHandle technique_ = 0;
    gfx::EffectHandle colourArray_ = 0;
    gfx::EffectHandle vertPositions_ = 0;
    bool passOpen_ = false;
};
