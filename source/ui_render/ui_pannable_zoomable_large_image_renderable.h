#pragma once
// ".tga" image names: an image larger than the screen, panned and zoomed, through
// "ScrollablePannableUI.fx".
#include "ui_render/ui_image_folder_renderable.h"
#include "ui_render/ui_pan_zoom_image_asset.h"

class UIPannableZoomableLargeImageRenderableAsset : public UIPanZoomImageAsset {
public:
    UIPannableZoomableLargeImageRenderableAsset(const std::string& name, const std::string& imageFolder,
                                                RenderInterface* renderInterface);
    ~UIPannableZoomableLargeImageRenderableAsset() override;

    // The quad, the image (folder + name + ".tga") and its size, the effect.
    bool load() override;
    void unload() override;

    gfx::Texture* image() const { return image_; }

private:
    bool hasImages() const override { return image_ != nullptr; }

    std::string imageFolder_;
    gfx::Texture* image_ = nullptr;
};

class UIPannableZoomableLargeImageRenderable : public UIImageFolderRenderable {
public:
    UIPannableZoomableLargeImageRenderable(ThreadResourcePool* renderPool, RenderInterface* renderInterface,
                                           UIManager* manager);

protected:
    UIRenderableAsset* makeAsset(const std::string& entry, const std::string& folder) override;
    ParameterDescription* describe(const std::string& typeName) const override {
        return PanZoomImageParameters::describe(typeName, renderPool_);
    }
};
