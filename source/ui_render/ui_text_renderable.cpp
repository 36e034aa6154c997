#include "ui_render/ui_text_renderable.h"

#include "app/parameter_description.h"
#include "app/typed_parameters.h"
#include "render/renderable_factory.h"
#include "ui_render/font_list.h"
#include "ui_render/text_colour_ids.h"
#include "ui_render/ui_manager.h"
#include "ui_render/ui_parameters.h"
#include "ui_render/ui_text_renderable_asset.h"

namespace {

UIRenderableFactory<UITextRenderable> factory("UITextRenderable");

using uiparam::add;

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
    auto* text = new ParameterDescription("TextBox", renderPool_, true);
    add<StringParameter>(*text, renderPool_, "string", "default string");
    add<StringParameter>(*text, renderPool_, "font", renderInterface_->mainFontName());
    add<StringParameter>(*text, renderPool_, "boldFont", renderInterface_->boldFontName());
    add<Vector2Parameter>(*text, renderPool_, "topLeft", {0.0f, 0.0f});
    add<Vector2Parameter>(*text, renderPool_, "bottomRight", {0.0f, 0.0f});
    add<IntParameter>(*text, renderPool_, "horizAlignment", -1);
    add<IntParameter>(*text, renderPool_, "vertAlignment", -1);
    add<Vector4Parameter>(*text, renderPool_, "colour", {0.8f, 0.8f, 0.8f, 1.0f});
    add<Vector4Parameter>(*text, renderPool_, "colour2", {1.0f, 1.0f, 1.0f, 1.0f});
    add<BoolParameter>(*text, renderPool_, "hasEditCursor", false);
    add<BoolParameter>(*text, renderPool_, "shouldSnapToVertPixels", true);
    add<Vector2Parameter>(*text, renderPool_, "cursorMouseClickPosition", {0.0f, 0.0f});
    add<UnsignedIntParameter>(*text, renderPool_, "cursorLetterPosition", 0u);
    add<BoolParameter>(*text, renderPool_, "shouldClipToRectangle", false);
    add<Vector2Parameter>(*text, renderPool_, "clipTopLeft", {-1.0f, 1.0f});
    add<Vector2Parameter>(*text, renderPool_, "clipBottomRight", {1.0f, -1.0f});
    registerParameterDescription(*registry, text);

    auto* atlasView = new ParameterDescription("FontTexture", renderPool_, true);
    add<Vector2Parameter>(*atlasView, renderPool_, "topLeft", {-1.0f, -1.0f});
    add<Vector2Parameter>(*atlasView, renderPool_, "bottomRight", {1.0f, 1.0f});
    add<BoolParameter>(*atlasView, renderPool_, "usePointSampler", false);
    registerParameterDescription(*registry, atlasView);
}

void UITextRenderable::draw(std::uint32_t layer) {
    UIRenderable::draw(layer);
    if (!manager_) return;
    for (UIRenderableAsset* asset : assets_) {
        static_cast<UITextRenderableAsset*>(asset)->drawAtlasViews(layer, manager_->batchWriter());
    }
}
