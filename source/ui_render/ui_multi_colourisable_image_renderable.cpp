#include "ui_render/ui_multi_colourisable_image_renderable.h"

#include "platform/gfx/texture_file.h"
#include "render/device_global.h"
#include "ui_render/ui_asset_files.h"
#include "ui_render/ui_effect.h"
#include "ui_render/ui_image_quads.h"
#include "ui_render/ui_textured_rectangle_renderable_asset.h"

UIMultiColourisableImageRenderableAsset::UIMultiColourisableImageRenderableAsset(const std::string& typeName,
                                                                                 const std::string& file,
                                                                                 const std::string& folder,
                                                                                 RenderInterface* renderInterface)
    : UIRenderableAsset(typeName), renderInterface_(renderInterface), folder_(folder), file_(file) {}

UIMultiColourisableImageRenderableAsset::~UIMultiColourisableImageRenderableAsset() {
    UIMultiColourisableImageRenderableAsset::unload();
}

void UIMultiColourisableImageRenderableAsset::onLostDevice() {
    if (effect_) effect_->onLostDevice();
}

void UIMultiColourisableImageRenderableAsset::onResetDevice() {
    if (effect_) effect_->onResetDevice();
}

bool UIMultiColourisableImageRenderableAsset::load() {
    unload();
    gfx::Device* device = deviceGlobal;
    if (!device) return true;
    if (gfx::createTextureFromFile(device, folder_ + file_, &texture_) != gfx::Result::Ok) texture_ = nullptr;
    const auto vertices = cornerIndexedQuadVertices();
    quad_.create(device, vertices.data(), static_cast<std::uint32_t>(vertices.size()), sizeof(UIImageVertex),
                 uiQuadIndices.data(), static_cast<std::uint32_t>(uiQuadIndices.size()));
    effect_ = loadUIEffect("ColourisedUI.fx", false);
    if (!effect_) return true;
    simpleTechnique_ = effect_->getTechniqueByName("SimpleTech");
    pointTechnique_ = effect_->getTechniqueByName("PointSampleTech");
    redChannel_ = effect_->getParameterByName("gRedChannelColour");
    greenChannel_ = effect_->getParameterByName("gGreenChannelColour");
    blueChannel_ = effect_->getParameterByName("gBlueChannelColour");
    vertPositions_ = effect_->getParameterByName("gVertPositions");
    effect_->setTexture(effect_->getParameterByName("gImageTexture"), texture_);
    return true;
}

void UIMultiColourisableImageRenderableAsset::unload() {
    gfx::safeRelease(effect_);
    quad_.release();
    gfx::safeRelease(texture_);
}

void UIMultiColourisableImageRenderableAsset::beginBatch(UIBatchWriter& writer) {
    (void)writer;
    gfx::beginPerfEvent(0xFF22FFFF, "UI Textured Rectangle");
    quad_.bind(deviceGlobal, vdPositionTex);
}

void UIMultiColourisableImageRenderableAsset::renderInstance(UIRenderableInstance& record, UIBatchWriter& writer) {
    (void)writer;
    if (const SimpleParameterGroup* group = record.pair ? record.pair->renderGroup() : nullptr) {
        red_ = uiparam::read(group, ColourisableImageParameters::redChannelColour);
        green_ = uiparam::read(group, ColourisableImageParameters::greenChannelColour);
        blue_ = uiparam::read(group, ColourisableImageParameters::blueChannelColour);
        pointSampler_ = uiparam::read(group, ColourisableImageParameters::usePointSampler);
        const RenderSettings& settings = renderInterface_->renderSettings();
        texturedRectangleCorners(uiparam::read(group, ColourisableImageParameters::topLeft),
                                 uiparam::read(group, ColourisableImageParameters::bottomRight),
                                 2.0f / static_cast<float>(settings.width), 2.0f / static_cast<float>(settings.height),
                                 corners_);
    }
    gfx::Device* device = deviceGlobal;
    if (!device || !texture_ || !effect_ || !quad_.ready()) return;
    effect_->setFloatArray(vertPositions_, corners_, 8);
    effect_->setTechnique(pointSampler_ ? pointTechnique_ : simpleTechnique_);
    effect_->setVector(redChannel_, red_.data());
    effect_->setVector(greenChannel_, green_.data());
    effect_->setVector(blueChannel_, blue_.data());
    std::uint32_t passes = 0;
    if (effect_->begin(&passes, 0) != gfx::Result::Ok) return;
    if (effect_->beginPass(0) == gfx::Result::Ok) {
        effect_->commitChanges();
        quad_.draw(device);
        effect_->endPass();
    }
    effect_->end();
}

void UIMultiColourisableImageRenderableAsset::endBatch(UIBatchWriter& writer) {
    (void)writer;
    gfx::endPerfEvent();
}

UIMultiColourisableImageRenderable::UIMultiColourisableImageRenderable(ThreadResourcePool* renderPool,
                                                                       RenderInterface* renderInterface,
                                                                       UIManager* manager)
    : UIRenderable(renderPool, manager, "UIMultiColourisableImageRenderable"), renderInterface_(renderInterface) {}

void UIMultiColourisableImageRenderable::loadAssets() {
    for (const std::string& folder : paths()) {
        for (const FileEntry& file : listUIAssetFiles(renderInterface_, folder, "dds")) {
            auto* asset = new UIMultiColourisableImageRenderableAsset("colourisable_image_" + file.name, file.fileName,
                                                                      folder, renderInterface_);
            asset->afterCreate();
            addAsset(asset);
        }
    }
}

void UIMultiColourisableImageRenderable::setUpParamDescriptions(ParameterDescriptionRegistry* registry) {
    for (const UIRenderableAsset* asset : assets_) {
        registerParameterDescription(*registry, ColourisableImageParameters::describe(asset->name(), renderPool_));
    }
}
