#include "ui_render/ui_screen_image_asset.h"

#include "platform/gfx/texture_file.h"
#include "render/device_global.h"
#include "ui_render/ui_effect.h"
#include "ui_render/ui_image_quads.h"

UIScreenImageAsset::UIScreenImageAsset(const std::string& name, const std::string& imageFolder,
                                       RenderInterface* renderInterface)
    : UIRenderableAsset(name), renderInterface_(renderInterface), imageFolder_(imageFolder) {}

UIScreenImageAsset::~UIScreenImageAsset() { UIScreenImageAsset::unload(); }

void UIScreenImageAsset::onLostDevice() {
    if (effect_) effect_->onLostDevice();
}

void UIScreenImageAsset::onResetDevice() {
    if (effect_) effect_->onResetDevice();
}

void UIScreenImageAsset::unload() {
    gfx::safeRelease(effect_);
    quad_.release();
    gfx::safeRelease(image_);
}

void UIScreenImageAsset::loadQuadImageAndEffect(const char* effectFile, bool showErrors) {
    unload();
    gfx::Device* device = deviceGlobal;
    if (!device) return;
    const RenderSettings& settings = renderInterface_->renderSettings();
    const auto vertices = fullscreenQuadVertices(settings.width, settings.height);
    quad_.create(device, vertices.data(), static_cast<std::uint32_t>(vertices.size()), sizeof(UIImageVertex),
                 uiQuadIndices.data(), static_cast<std::uint32_t>(uiQuadIndices.size()));
    if (gfx::createTextureFromFile(device, imageFolder_ + name() + ".tga", &image_) != gfx::Result::Ok) image_ = nullptr;
    effect_ = loadUIEffect(effectFile, showErrors);
    if (!effect_) return;
    technique_ = effect_->getTechniqueByName("SimpleTech");
    imageTexture_ = effect_->getParameterByName("gImageTexture");
    effect_->setTexture(imageTexture_, image_);
}

void UIScreenImageAsset::drawQuad() {
    gfx::Device* device = deviceGlobal;
    if (!device || !drawable()) return;
    quad_.bind(device, vdPositionTex);
    effect_->setTechnique(technique_);
    std::uint32_t passes = 0;
    if (effect_->begin(&passes, 0) != gfx::Result::Ok) return;
    if (effect_->beginPass(0) == gfx::Result::Ok) {
        setInstanceParameters();
        effect_->commitChanges();
        quad_.draw(device);
        effect_->endPass();
    }
    effect_->end();
}
