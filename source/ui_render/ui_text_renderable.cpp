#include "ui_render/ui_text_renderable.h"

#include "app/parameter_description.h"
#include "app/typed_parameters.h"
#include "render/font_list.h"
#include "render/renderable_factory.h"
#include "render/text_colour_ids.h"
#include "ui_render/ui_manager.h"
#include "ui_render/ui_text_parameters.h"
#include "ui_render/ui_text_renderable_asset.h"

namespace {

UIRenderableFactory<UITextRenderable> factory("UITextRenderable");

} // namespace

// Named on the engine's link line, so this file (and with it the factory above) is part of every
// program even though nothing calls into it directly.
extern "C" void zoderud_link_ui_text_renderable() {}

UITextRenderable::UITextRenderable(ThreadResourcePool* renderPool, RenderInterface* renderInterface,
                                   UIManager* manager)
    : UIRenderable(renderPool, manager, "UITextRenderable"), renderInterface_(renderInterface) {}

void UITextRenderable::loadAssets() {
    for (const std::string& folder : paths()) {
        auto* asset = new UITextRenderableAsset(folder, readFontList(folder + "fonts_to_load.xml"),
                                                &renderInterface_->renderColourIds(), renderInterface_);
        asset->afterCreate();
        addAsset(asset);
        // "FontTexture" objects reach the same asset and land in its secondary lists.
        if (manager_) manager_->registerAssetAlias(asset, "FontTexture");
    }
}

void UITextRenderable::setUpParamDescriptions(ParameterDescriptionRegistry* registry) {
    registerParameterDescription(*registry,
                                 TextBoxParameters::describe("TextBox", renderPool_, renderInterface_->mainFontName(),
                                                             renderInterface_->boldFontName()));
    registerParameterDescription(*registry, FontTextureParameters::describe("FontTexture", renderPool_));
}

void UITextRenderable::draw(std::uint32_t layer) {
    UIRenderable::draw(layer);
    if (!manager_) return;
    for (UIRenderableAsset* asset : assets_) {
        static_cast<UITextRenderableAsset*>(asset)->drawAtlasViews(layer, manager_->batchWriter());
    }
}
