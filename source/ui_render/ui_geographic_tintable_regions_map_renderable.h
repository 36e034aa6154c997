#pragma once
// "geographic_map_" + sub-folder name: a map of a base image and a tints image kept in a
// sub-folder of a render-path folder (S/S_base.tga, S/S_tints.tga), panned and zoomed, drawn
// through "GeographicMapUI.fx" with a texture of randomly coloured regions that the tints pick.
#include <string>

#include "app/random_source.h"
#include "ui_render/ui_image_folder_renderable.h"
#include "ui_render/ui_pan_zoom_image_asset.h"

class UIGeographicTintableRegionsMapRenderableAsset : public UIPanZoomImageAsset {
public:
    // mapFolder ends with its separator; mapName is the sub-folder's name.
    UIGeographicTintableRegionsMapRenderableAsset(const std::string& name, const std::string& mapName,
                                                  const std::string& mapFolder, RenderInterface* renderInterface);
    ~UIGeographicTintableRegionsMapRenderableAsset() override;

    // The region colour texture (colours drawn afresh), the quad, both images and the base
    // image's size, the effect.
    bool load() override;
    void unload() override;

    const std::string& baseImageFile() const { return baseImageFile_; }
    const std::string& tintsImageFile() const { return tintsImageFile_; }
    gfx::Texture* baseImage() const { return baseImage_; }
    gfx::Texture* tintsImage() const { return tintsImage_; }
    gfx::Texture* regionColours() const { return regionColours_; }
    // A new set of region colours from the asset's own random source (A8R8G8B8, row 0 first).
    std::vector<std::uint32_t> drawRegionColourImage();

private:
    bool hasImages() const override { return baseImage_ && tintsImage_ && regionColours_; }
    void fillRegionColours();

    std::string mapFolder_;
    std::string mapName_;
    std::string baseImageFile_;
    std::string tintsImageFile_;
    gfx::Texture* baseImage_ = nullptr;
    gfx::Texture* tintsImage_ = nullptr;
    gfx::Texture* regionColours_ = nullptr;
    RandomSource random_;
};

class UIGeographicTintableRegionsMapRenderable : public UIImageFolderRenderable {
public:
    UIGeographicTintableRegionsMapRenderable(ThreadResourcePool* renderPool, RenderInterface* renderInterface,
                                             UIManager* manager);

protected:
    // The visible sub-folders: hidden ones (".git") hold no map.
    std::list<std::string> entriesOf(const std::string& folder) const override;
    UIRenderableAsset* makeAsset(const std::string& entry, const std::string& folder) override;
    ParameterDescription* describe(const std::string& typeName) const override {
        return PanZoomImageParameters::describe(typeName, renderPool_);
    }
};
