#include "ui_render/ui_textured_rectangle_renderable.h"

#include <cmath>

#include "app/parameter_description.h"
#include "platform/file_time.h"
#include "render/render_interface.h"
#include "ui_render/ui_asset_files.h"
#include "ui_render/ui_parameters.h"
#include "ui_render/ui_textured_rectangle_renderable_asset.h"

namespace {

void applyResizeRequest(const SimpleParameterGroup* group, UITexturedRectangleRenderableAsset& asset) {
    if (!uiparam::read(group, TexturedRectangleParameters::shouldResizeTexture)) return;
    const Vector2Value size = uiparam::read(group, TexturedRectangleParameters::texturePixelDimensions);
    asset.requestSize(static_cast<std::int32_t>(std::trunc(size[0])), static_cast<std::int32_t>(std::trunc(size[1])));
}

} // namespace

UITexturedRectangleRenderable::UITexturedRectangleRenderable(ThreadResourcePool* renderPool,
                                                             RenderInterface* renderInterface, UIManager* manager)
    : UIRenderable(renderPool, manager, "UITexturedRectangleRenderable"), renderInterface_(renderInterface) {}

void UITexturedRectangleRenderable::loadAssets() {
    for (const std::string& folder : paths()) {
        for (const FileEntry& file : listUIAssetFiles(renderInterface_, folder, "dds")) {
            std::uint64_t time = 0;
            platform::lastWriteTime(folder + file.fileName, time);
            auto* asset = new UITexturedRectangleRenderableAsset("tex_rect_" + file.name, file.fileName, folder, time,
                                                                 renderInterface_);
            asset->afterCreate();
            addAsset(asset);
        }
    }
}

UITexturedRectangleRenderableAsset* UITexturedRectangleRenderable::findAsset(const std::string& folder,
                                                                             const std::string& file) const {
    for (UIRenderableAsset* asset : assets_) {
        auto* image = static_cast<UITexturedRectangleRenderableAsset*>(asset);
        if (image->shows(folder, file)) return image;
    }
    return nullptr;
}

bool UITexturedRectangleRenderable::prepareObject(const std::string& folder, const std::string& file,
                                                  SimpleParameterGroup* group) {
    std::uint64_t time = 0;
    if (!platform::lastWriteTime(folder + file, time)) return false;
    if (UITexturedRectangleRenderableAsset* asset = findAsset(folder, file)) {
        if (asset->lastWriteTime() == time) return true;
        asset->unload();
        applyResizeRequest(group, *asset);
        if (!asset->load()) return false;
        asset->setLastWriteTime(time);
        return true;
    }
    auto* asset =
        new UITexturedRectangleRenderableAsset(RenderInterface::texturedRectName(file), file, folder, time, renderInterface_);
    applyResizeRequest(group, *asset);
    if (!asset->afterCreate() || !asset->load()) {
        asset->beforeDelete();
        delete asset;
        return false;
    }
    addAsset(asset);
    return true;
}

bool UITexturedRectangleRenderable::assetForObject(const RenderInterface::UIObject& object, UIRenderableAsset*& asset) {
    // Objects made for a file are drawn by the asset of that folder and file, or not at all.
    asset = findAsset(object.folder(), object.fileName());
    return true;
}

std::vector<UIImageSaveOutcome> UITexturedRectangleRenderable::takeSaveOutcomes() {
    std::vector<UIImageSaveOutcome> outcomes;
    for (UIRenderableAsset* asset : assets_) {
        for (const UIImageSaveOutcome& outcome : static_cast<UITexturedRectangleRenderableAsset*>(asset)->takeSaveOutcomes()) {
            outcomes.push_back(outcome);
        }
    }
    return outcomes;
}

void UITexturedRectangleRenderable::setUpParamDescriptions(ParameterDescriptionRegistry* registry) {
    registerParameterDescription(*registry,
                                 TexturedRectangleParameters::describe("UITexturedRectangleRenderable", renderPool_));
    for (const std::string& folder : paths()) {
        for (const FileEntry& file : listUIAssetFiles(renderInterface_, folder, "dds")) {
            registerParameterDescription(*registry,
                                         TexturedRectangleParameters::describe("tex_rect_" + file.name, renderPool_));
        }
    }
}
