#pragma once
// The UI renderable of text: one "TextBox" asset per folder of its render path group, drawing
// "TextBox" objects and the "FontTexture" view of the glyph atlas.
#include "render/render_interface.h"
#include "ui_render/ui_renderable.h"

class UITextRenderableAsset;

class UITextRenderable : public UIRenderable {
public:
    UITextRenderable(ThreadResourcePool* renderPool, RenderInterface* renderInterface, UIManager* manager);

    void loadAssets() override;
    void setUpParamDescriptions(ParameterDescriptionRegistry* registry) override;
    // The layer's texts, then its atlas views.
    void draw(std::uint32_t layer) override;
    bool drawsThroughBatchWriter() const override { return true; }

private:
    RenderInterface* renderInterface_;
};
