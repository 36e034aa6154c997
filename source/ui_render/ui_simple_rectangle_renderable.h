#pragma once
// "ui_simple_rectangle": a solid rectangle of one colour.
#include "ui_render/ui_renderable.h"
#include "ui_render/ui_solid_rectangle_asset.h"

class UISimpleRectangleRenderableAsset : public UISolidRectangleAsset {
public:
    UISimpleRectangleRenderableAsset(const std::string& name, RenderInterface* renderInterface);

    void renderInstance(UIRenderableInstance& record, UIBatchWriter& writer) override;

private:
    // Corners (left, top, right, bottom) and colour of the last instance drawn: an object
    // without a render-side group is drawn with them.
    float corners_[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float colour_[4] = {0.0f, 1.0f, 0.0f, 1.0f};
};

class UISimpleRectangleRenderable : public UIRenderable {
public:
    UISimpleRectangleRenderable(ThreadResourcePool* renderPool, RenderInterface* renderInterface, UIManager* manager);

    void loadAssets() override;
    void setUpParamDescriptions(ParameterDescriptionRegistry* registry) override;
    bool drawsThroughBatchWriter() const override { return true; }

private:
    RenderInterface* renderInterface_;
};
