#pragma once
// "ui_outlined_rectangle" and "ui_compressed_outlined_rectangle": a filled rectangle whose left
// and top edges take one colour and whose right and bottom edges take another, each edge with
// its own thickness in pixels.
#include "ui_render/ui_renderable.h"
#include "ui_render/ui_solid_rectangle_asset.h"

class UIOutlinedRectangleRenderableAsset : public UISolidRectangleAsset {
public:
    UIOutlinedRectangleRenderableAsset(const std::string& name, RenderInterface* renderInterface);
    ~UIOutlinedRectangleRenderableAsset() override;

    void renderInstance(UIRenderableInstance& record, UIBatchWriter& writer) override;
    // The frame's quad, made at filing and rebuilt only when the object's parameters changed.
    void createInstanceData(UIRenderableInstance& record) override;
    void destroyInstanceData(UIRenderableInstance& record) override;
    void updateInstanceData(UIRenderableInstance& record) override;

private:
    bool packed_;
};

class UIOutlinedRectangleRenderable : public UIRenderable {
public:
    UIOutlinedRectangleRenderable(ThreadResourcePool* renderPool, RenderInterface* renderInterface,
                                  UIManager* manager);

    void loadAssets() override;
    void setUpParamDescriptions(ParameterDescriptionRegistry* registry) override;
    bool drawsThroughBatchWriter() const override { return true; }

private:
    RenderInterface* renderInterface_;
};
