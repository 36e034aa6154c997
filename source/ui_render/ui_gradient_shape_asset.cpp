#include "ui_render/ui_gradient_shape_asset.h"

#include "render/device_global.h"
#include "ui_render/ui_effect.h"

UIGradientShapeAsset::UIGradientShapeAsset(const std::string& typeName, RenderInterface* renderInterface, Shape shape)
    : UIRenderableAsset(typeName), positions_(static_cast<std::size_t>(shape.corners) * 2, 0.0f),
      colours_(static_cast<std::size_t>(shape.corners) * 4, 0.0f), renderInterface_(renderInterface),
      shape_(std::move(shape)) {}

UIGradientShapeAsset::~UIGradientShapeAsset() { UIGradientShapeAsset::unload(); }

void UIGradientShapeAsset::onLostDevice() {
    if (effect_) effect_->onLostDevice();
}

void UIGradientShapeAsset::onResetDevice() {
    if (effect_) effect_->onResetDevice();
}

bool UIGradientShapeAsset::load() {
    unload();
    gfx::Device* device = deviceGlobal;
    if (!device) return true;
    buffers_.create(device, shape_.vertices.data(), static_cast<std::uint32_t>(shape_.vertices.size()) / shape_.stride,
                    shape_.stride, shape_.indices.data(), static_cast<std::uint32_t>(shape_.indices.size()));
    effect_ = loadUIEffect(shape_.effectFile, true);
    if (!effect_) return true;
    technique_ = effect_->getTechniqueByName("SimpleTech");
    colourArray_ = effect_->getParameterByName("gColourArray");
    vertPositions_ = effect_->getParameterByName("gVertPositions");
    return true;
}

void UIGradientShapeAsset::unload() {
    gfx::safeRelease(effect_);
    buffers_.release();
    passOpen_ = false;
}

void UIGradientShapeAsset::beginBatch(UIBatchWriter& writer) {
    (void)writer;
    gfx::beginPerfEvent(0xFF22FFFF, shape_.eventName);
    gfx::Device* device = deviceGlobal;
    if (!device || !effect_ || !buffers_.ready()) return;
    buffers_.bind(device, *shape_.declaration);
    effect_->setTechnique(technique_);
    std::uint32_t passes = 0;
    if (effect_->begin(&passes, 0) != gfx::Result::Ok) return;
    passOpen_ = effect_->beginPass(0) == gfx::Result::Ok;
    if (!passOpen_) effect_->end();
}

void UIGradientShapeAsset::renderInstance(UIRenderableInstance& record, UIBatchWriter& writer) {
    (void)writer;
    if (const SimpleParameterGroup* group = record.pair ? record.pair->renderGroup() : nullptr) {
        const RenderSettings& settings = renderInterface_->renderSettings();
        readCorners(*group, 2.0f / static_cast<float>(settings.width), 2.0f / static_cast<float>(settings.height));
    }
    if (!passOpen_) return;
    effect_->setFloatArray(vertPositions_, positions_.data(), static_cast<std::uint32_t>(positions_.size()));
    effect_->setVectorArray(colourArray_, colours_.data(), shape_.corners);
    effect_->commitChanges();
    buffers_.draw(deviceGlobal);
}

void UIGradientShapeAsset::endBatch(UIBatchWriter& writer) {
    (void)writer;
    if (passOpen_) {
        effect_->endPass();
        effect_->end();
        passOpen_ = false;
    }
    gfx::endPerfEvent();
}
