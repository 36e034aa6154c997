#include "ui_render/ui_geographic_tintable_regions_map_renderable.h"

#include <cstring>

#include "platform/gfx/texture_file.h"
#include "render/device_global.h"
#include "ui_render/ui_asset_files.h"
#include "ui_render/ui_region_colours.h"

namespace {

gfx::Texture* loadImage(gfx::Device* device, const std::string& path) {
    gfx::Texture* texture = nullptr;
    if (!device || gfx::createTextureFromFile(device, path, &texture) != gfx::Result::Ok) return nullptr;
    return texture;
}

} // namespace

UIGeographicTintableRegionsMapRenderableAsset::UIGeographicTintableRegionsMapRenderableAsset(
    const std::string& name, const std::string& mapName, const std::string& mapFolder, RenderInterface* renderInterface)
    : UIPanZoomImageAsset(name, renderInterface), mapFolder_(mapFolder), mapName_(mapName),
      random_(42, 0, 100000) {
    // Every run colours the regions differently.
    random_.reseed();
}

UIGeographicTintableRegionsMapRenderableAsset::~UIGeographicTintableRegionsMapRenderableAsset() {
    UIGeographicTintableRegionsMapRenderableAsset::unload();
}

std::vector<std::uint32_t> UIGeographicTintableRegionsMapRenderableAsset::drawRegionColourImage() {
    return drawRegionColours(random_);
}

bool UIGeographicTintableRegionsMapRenderableAsset::load() {
    unload();
    gfx::Device* device = deviceGlobal;
    if (device && device->createTexture(regionColourImageSize, regionColourImageSize, 1, 0, gfx::Format::A8R8G8B8,
                                        gfx::Pool::Managed, &regionColours_) != gfx::Result::Ok) {
        regionColours_ = nullptr;
    }
    baseImageFile_ = mapFolder_ + mapName_ + "/" + mapName_ + "_base.tga";
    tintsImageFile_ = mapFolder_ + mapName_ + "/" + mapName_ + "_tints.tga";
    baseImage_ = loadImage(device, baseImageFile_);
    tintsImage_ = loadImage(device, tintsImageFile_);
    measure(baseImage_);
    loadQuadAndEffect("GeographicMapUI.fx");
    fillRegionColours();
    if (effect_) {
        effect_->setTexture(effect_->getParameterByName("gImageTexture"), baseImage_);
        effect_->setTexture(effect_->getParameterByName("gTintsImageTexture"), tintsImage_);
    }
    return true;
}

void UIGeographicTintableRegionsMapRenderableAsset::fillRegionColours() {
    if (!regionColours_) return;
    const std::vector<std::uint32_t> pixels = drawRegionColourImage();
    gfx::LockedRect locked;
    if (regionColours_->lockRect(0, locked, nullptr, 0) != gfx::Result::Ok) return;
    for (std::uint32_t row = 0; row < regionColourImageSize; ++row) {
        std::memcpy(static_cast<std::uint8_t*>(locked.bits) + static_cast<std::size_t>(row) * locked.pitch,
                    pixels.data() + static_cast<std::size_t>(row) * regionColourImageSize,
                    regionColourImageSize * sizeof(std::uint32_t));
    }
    regionColours_->unlockRect(0);
    if (effect_) effect_->setTexture(effect_->getParameterByName("gRegionColoursTexture"), regionColours_);
}

void UIGeographicTintableRegionsMapRenderableAsset::unload() {
    releaseQuadAndEffect();
    gfx::safeRelease(baseImage_);
    gfx::safeRelease(tintsImage_);
    gfx::safeRelease(regionColours_);
}

UIGeographicTintableRegionsMapRenderable::UIGeographicTintableRegionsMapRenderable(ThreadResourcePool* renderPool,
                                                                                   RenderInterface* renderInterface,
                                                                                   UIManager* manager)
    : UIImageFolderRenderable(renderPool, renderInterface, manager, "UIGeographicTintableRegionsMapRenderable") {}

std::list<std::string> UIGeographicTintableRegionsMapRenderable::entriesOf(const std::string& folder) const {
    return listUIAssetFolders(renderInterface_, folder);
}

UIRenderableAsset* UIGeographicTintableRegionsMapRenderable::makeAsset(const std::string& entry,
                                                                       const std::string& folder) {
    return new UIGeographicTintableRegionsMapRenderableAsset("geographic_map_" + entry, entry, folder,
                                                             renderInterface_);
}
