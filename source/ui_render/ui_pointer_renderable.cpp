#include "ui_render/ui_pointer_renderable.h"

#include "app/log.h"
#include "app/parameter_description.h"
#include "app/program_pointer.h"
#include "platform/gfx/texture_file.h"
#include "render/device_global.h"
#include "ui_render/ui_asset_files.h"
#include "ui_render/ui_batch_writer.h"
#include "ui_render/ui_effect.h"
#include "ui_render/ui_parameters.h"

UIPointerRenderableAsset::UIPointerRenderableAsset(const std::string& name, const std::string& imageFolder,
                                                   const std::vector<std::string>& imageNames,
                                                   RenderInterface* renderInterface)
    : UIRenderableAsset(name), renderInterface_(renderInterface), imageFolder_(imageFolder), imageNames_(imageNames) {}

UIPointerRenderableAsset::~UIPointerRenderableAsset() { unload(); }

bool UIPointerRenderableAsset::load() {
    unload();
    const RenderSettings& settings = renderInterface_->renderSettings();
    halfPixelX_ = static_cast<float>(0.5 * 2.0 / static_cast<double>(settings.width));
    halfPixelY_ = static_cast<float>(0.5 * 2.0 / static_cast<double>(settings.height));
    gfx::Device* device = deviceGlobal;
    if (!device) return true;
    gfx::TextureFileOptions options;
    options.mipLevels = 1;
    options.format = gfx::Format::A8R8G8B8;
    options.scale = false;
    // Opaque magenta is the transparent colour of pointer bitmaps.
    options.colourKey = 0xFFFF00FF;
    for (const std::string& name : imageNames_) {
        if (images_.count(name)) continue;
        gfx::Texture* texture = nullptr;
        if (gfx::createTextureFromFileEx(device, imageFolder_ + name + ".bmp", options, &texture) != gfx::Result::Ok ||
            !texture) {
            LOG_MESSAGE("Unable to load pointer image %s%s.bmp", imageFolder_.c_str(), name.c_str());
            continue;
        }
        images_.emplace(name, texture);
    }
    auto normal = images_.find("normal");
    currentImage_ = normal == images_.end() ? nullptr : normal->second;
    effect_ = loadUIEffect("TexturedUINew.fx", false);
    if (effect_) {
        technique_ = effect_->getTechniqueByName("SimpleTech");
        imageTexture_ = effect_->getParameterByName("gImageTexture");
    }
    return true;
}

void UIPointerRenderableAsset::unload() {
    gfx::safeRelease(effect_);
    for (auto& entry : images_) gfx::safeRelease(entry.second);
    images_.clear();
    currentImage_ = nullptr;
    if (hasDrawn_) programpointer::setDrawn(false);
    hasDrawn_ = false;
}

void UIPointerRenderableAsset::beginBatch(UIBatchWriter& writer) { (void)writer; }

void UIPointerRenderableAsset::renderInstance(UIRenderableInstance& record, UIBatchWriter& writer) {
    if (const SimpleParameterGroup* group = record.pair ? record.pair->renderGroup() : nullptr) {
        const std::uint32_t x = uiparam::read(group, PointerParameters::xPos);
        const std::uint32_t y = uiparam::read(group, PointerParameters::yPos);
        const std::int32_t horizAlign = uiparam::read(group, PointerParameters::horizAlign);
        const std::int32_t vertAlign = uiparam::read(group, PointerParameters::vertAlign);
        // A name with no image keeps the image drawn before.
        auto image = images_.find(uiparam::read(group, PointerParameters::pointerType));
        if (image != images_.end()) currentImage_ = image->second;

        const RenderSettings& settings = renderInterface_->renderSettings();
        const float width = static_cast<float>(settings.width), height = static_cast<float>(settings.height);
        const float sizeX = 64.0f / width, sizeY = 64.0f / height;
        const float pointerX = static_cast<float>(x) * (2.0f / width) - 1.0f;
        const float pointerY = 1.0f - static_cast<float>(y) * (2.0f / height);
        if (horizAlign == -1) {
            corners_[0] = corners_[6] = pointerX;
            corners_[2] = corners_[4] = pointerX + sizeX;
        } else if (horizAlign == 1) {
            corners_[2] = corners_[4] = pointerX;
            corners_[0] = corners_[6] = pointerX - sizeX;
        }
        if (vertAlign == -1) {
            corners_[1] = corners_[3] = pointerY;
            corners_[5] = corners_[7] = pointerY - sizeY;
        } else if (vertAlign == 1) {
            corners_[5] = corners_[7] = pointerY;
            corners_[1] = corners_[3] = pointerY + sizeY;
        }
    }
    if (!effect_ || !currentImage_) return;
    UIDrawKey key;
    key.effect = effect_;
    key.technique = technique_;
    key.textureParameter = imageTexture_;
    key.texture = currentImage_;
    key.eventName = "UI Pointer Rectangle";
    writer.setKey(key);
    writer.addTexturedQuad(corners_, -halfPixelX_, -halfPixelY_);
    if (!hasDrawn_) programpointer::setDrawn(true);
    hasDrawn_ = true;
}

UIPointerRenderable::UIPointerRenderable(ThreadResourcePool* renderPool, RenderInterface* renderInterface,
                                         UIManager* manager)
    : UIRenderable(renderPool, manager, "UIPointerRenderable"), renderInterface_(renderInterface) {}

void UIPointerRenderable::createDeviceResources() {
    for (const std::string& folder : paths()) {
        std::vector<std::string> names;
        for (const FileEntry& file : listUIAssetFiles(renderInterface_, folder, "bmp")) names.push_back(file.name);
        auto* asset = new UIPointerRenderableAsset("mousePointer", folder, names, renderInterface_);
        asset->load();
        addAsset(asset);
    }
}

void UIPointerRenderable::releaseDeviceResources() {
    for (UIRenderableAsset* asset : assets_) asset->unload();
}

void UIPointerRenderable::setUpParamDescriptions(ParameterDescriptionRegistry* registry) {
    registerParameterDescription(*registry, PointerParameters::describe("mousePointer", renderPool_));
    LOG_MESSAGE("Added mouse pointer description initialise");
}
