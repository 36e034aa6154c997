#include "ui_render/ui_solid_rectangle_asset.h"

#include "ui_render/ui_batch_writer.h"
#include "ui_render/ui_effect.h"

UISolidRectangleAsset::UISolidRectangleAsset(const std::string& name, RenderInterface* renderInterface,
                                             const char* effectFile)
    : UIRenderableAsset(name), renderInterface_(renderInterface), effectFile_(effectFile) {}

UISolidRectangleAsset::~UISolidRectangleAsset() { UISolidRectangleAsset::unload(); }

bool UISolidRectangleAsset::load() {
    unload();
    effect_ = loadUIEffect(effectFile_, true);
    if (effect_) technique_ = effect_->getTechniqueByName("SimpleTech");
    return effect_ != nullptr;
}

void UISolidRectangleAsset::unload() { gfx::safeRelease(effect_); }

void UISolidRectangleAsset::beginBatch(UIBatchWriter& writer) {
    UIDrawKey key;
    key.effect = effect_;
    key.technique = technique_;
    key.eventName = "UI Simple Rectangle";
    writer.setKey(key);
}
