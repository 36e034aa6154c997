#include "ui_render/ui_fullscreen_image_renderable.h"

UIFullscreenImageRenderableAsset::UIFullscreenImageRenderableAsset(const std::string& name,
                                                                   const std::string& imageFolder,
                                                                   RenderInterface* renderInterface)
    : UIScreenImageAsset(name, imageFolder, renderInterface) {}

bool UIFullscreenImageRenderableAsset::load() {
    loadQuadImageAndEffect("FullscreenImageUI.fx", false);
    if (effect_) {
        fadeToBlackLerp_ = effect_->getParameterByName("gFadeToBlackLerp");
        effect_->setFloat(fadeToBlackLerp_, fade_);
    }
    return true;
}

void UIFullscreenImageRenderableAsset::renderInstance(UIRenderableInstance& record, UIBatchWriter& writer) {
    (void)writer;
    if (const SimpleParameterGroup* group = record.pair ? record.pair->renderGroup() : nullptr) {
        fade_ = uiparam::read(group, FullscreenImageParameters::fadeToBlackLerp);
        visible_ = uiparam::read(group, FullscreenImageParameters::isVisible);
    }
    if (visible_) drawQuad();
}

void UIFullscreenImageRenderableAsset::setInstanceParameters() { effect_->setFloat(fadeToBlackLerp_, fade_); }

UIFullscreenImageRenderable::UIFullscreenImageRenderable(ThreadResourcePool* renderPool,
                                                         RenderInterface* renderInterface, UIManager* manager)
    : UIImageFolderRenderable(renderPool, renderInterface, manager, "UIFullscreenImageRenderable") {}

UIRenderableAsset* UIFullscreenImageRenderable::makeAsset(const std::string& entry, const std::string& folder) {
    return new UIFullscreenImageRenderableAsset(entry, folder, renderInterface_);
}
