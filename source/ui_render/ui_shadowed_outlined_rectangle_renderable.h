#pragma once
// "ui_shadowed_outlined_rectangle" and "ui_shadowed_compressed_outlined_rectangle": the outlined
// frame with a 4-pixel band around it that fades from black at the edge to clear.
#include "ui_render/ui_renderable.h"
#include "ui_render/ui_rectangle_geometry.h"
#include "ui_render/ui_solid_rectangle_asset.h"

class UIShadowedOutlinedRectangleRenderableAsset : public UISolidRectangleAsset {
public:
    UIShadowedOutlinedRectangleRenderableAsset(const std::string& name, RenderInterface* renderInterface);

    void beginBatch(UIBatchWriter& writer) override;
    // Reads every parameter at every draw: the geometry follows a change of screen size at once.
    void renderInstance(UIRenderableInstance& record, UIBatchWriter& writer) override;

private:
    bool packed_ = false;
    // The instance drawn last: an object without a render-side group is drawn like it.
    OutlinedRectangleShape shape_;
};

class UIShadowedOutlinedRectangleRenderable : public UIRenderable {
public:
    UIShadowedOutlinedRectangleRenderable(ThreadResourcePool* renderPool, RenderInterface* renderInterface,
                                          UIManager* manager);

    void loadAssets() override;
    void setUpParamDescriptions(ParameterDescriptionRegistry* registry) override;
    bool drawsThroughBatchWriter() const override { return true; }

private:
    RenderInterface* renderInterface_;
};
