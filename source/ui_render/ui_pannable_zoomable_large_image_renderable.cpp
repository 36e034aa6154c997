#include "ui_render/ui_pannable_zoomable_large_image_renderable.h"

#include "platform/gfx/texture_file.h"
#include "render/device_global.h"

UIPannableZoomableLargeImageRenderableAsset::UIPannableZoomableLargeImageRenderableAsset(
    const std::string& name, const std::string& imageFolder, RenderInterface* renderInterface)
    : UIPanZoomImageAsset(name, renderInterface), imageFolder_(imageFolder) {}

UIPannableZoomableLargeImageRenderableAsset::~UIPannableZoomableLargeImageRenderableAsset() {
    UIPannableZoomableLargeImageRenderableAsset::unload();
}

bool UIPannableZoomableLargeImageRenderableAsset::load() {
    unload();
    gfx::Device* device = deviceGlobal;
    if (device && gfx::createTextureFromFile(device, imageFolder_ + name() + ".tga", &image_) != gfx::Result::Ok) {
        image_ = nullptr;
    }
    measure(image_);
    loadQuadAndEffect("ScrollablePannableUI.fx");
    if (effect_) effect_->setTexture(effect_->getParameterByName("gImageTexture"), image_);
    return true;
}

void UIPannableZoomableLargeImageRenderableAsset::unload() {
    releaseQuadAndEffect();
    gfx::safeRelease(image_);
}

UIPannableZoomableLargeImageRenderable::UIPannableZoomableLargeImageRenderable(ThreadResourcePool* renderPool,
                                                                               RenderInterface* renderInterface,
                                                                               UIManager* manager)
    : UIImageFolderRenderable(renderPool, renderInterface, manager, "UIPannableZoomableLargeImageRenderable") {}

UIRenderableAsset* UIPannableZoomableLargeImageRenderable::makeAsset(const std::string& entry,
                                                                     const std::string& folder) {
    return new UIPannableZoomableLargeImageRenderableAsset(entry, folder, renderInterface_);
}
