#include "ui_render/ui_multi_colour_tintable_image_renderable.h"

#include <algorithm>

UIMultiColourTintableImageRenderableAsset::UIMultiColourTintableImageRenderableAsset(const std::string& name,
                                                                                     const std::string& imageFolder,
                                                                                     RenderInterface* renderInterface)
    : UIScreenImageAsset(name, imageFolder, renderInterface) {}

bool UIMultiColourTintableImageRenderableAsset::load() {
    loadQuadImageAndEffect("TintableImageUI.fx", true);
    static const float firstColours[16] = {1, 0, 0, 1, 0, 1, 0, 1, 0, 0, 1, 1, 1, 1, 1, 1};
    std::copy(firstColours, firstColours + 16, colours_.begin());
    if (effect_) effect_->setVectorArray(effect_->getParameterByName("gColourArrayIndex"), colours_.data(), colourCount);
    return true;
}

void UIMultiColourTintableImageRenderableAsset::renderInstance(UIRenderableInstance& record, UIBatchWriter& writer) {
    (void)record;
    (void)writer;
    drawQuad();
}

UIMultiColourTintableImageRenderable::UIMultiColourTintableImageRenderable(ThreadResourcePool* renderPool,
                                                                           RenderInterface* renderInterface,
                                                                           UIManager* manager)
    : UIImageFolderRenderable(renderPool, renderInterface, manager, "UIMultiColourTintableImageRenderable") {}

UIRenderableAsset* UIMultiColourTintableImageRenderable::makeAsset(const std::string& entry,
                                                                   const std::string& folder) {
    return new UIMultiColourTintableImageRenderableAsset(entry, folder, renderInterface_);
}
