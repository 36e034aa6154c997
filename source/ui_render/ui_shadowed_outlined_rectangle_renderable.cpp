#include "ui_render/ui_shadowed_outlined_rectangle_renderable.h"

#include "app/parameter_description.h"
#include "app/simple_parameter_group.h"
#include "ui_render/ui_batch_writer.h"
#include "ui_render/ui_rectangle_descriptions.h"

UIShadowedOutlinedRectangleRenderableAsset::UIShadowedOutlinedRectangleRenderableAsset(
    const std::string& name, RenderInterface* renderInterface)
    : UISolidRectangleAsset(name, renderInterface, "ShadowedOutlinedUI.fx") {}

void UIShadowedOutlinedRectangleRenderableAsset::beginBatch(UIBatchWriter& writer) {
    packed_ = name() == "ui_shadowed_compressed_outlined_rectangle";
    UISolidRectangleAsset::beginBatch(writer);
}

void UIShadowedOutlinedRectangleRenderableAsset::renderInstance(UIRenderableInstance& record,
                                                                UIBatchWriter& writer) {
    const RenderSettings& settings = renderInterface_->renderSettings();
    const float px = 2.0f / static_cast<float>(settings.width), py = 2.0f / static_cast<float>(settings.height);
    readOutlinedRectangle(record.pair ? record.pair->renderGroup() : nullptr, packed_, px, py, shape_);
    // The outlined frame's effect draws the band where the quad reaches past the rectangle.
    UIRectangleVertex* out = writer.addRectangleQuads(1);
    if (out) writeRectangleQuad(shape_, px, py, shadowBandPixels, out);
}

UIShadowedOutlinedRectangleRenderable::UIShadowedOutlinedRectangleRenderable(ThreadResourcePool* renderPool,
                                                                             RenderInterface* renderInterface,
                                                                             UIManager* manager)
    : UIRenderable(renderPool, manager, "UIShadowedOutlinedRectangleRenderable"), renderInterface_(renderInterface) {}

void UIShadowedOutlinedRectangleRenderable::loadAssets() {
    for (const char* name : {"ui_shadowed_outlined_rectangle", "ui_shadowed_compressed_outlined_rectangle"}) {
        auto* asset = new UIShadowedOutlinedRectangleRenderableAsset(name, renderInterface_);
        asset->afterCreate();
        addAsset(asset);
    }
}

void UIShadowedOutlinedRectangleRenderable::setUpParamDescriptions(ParameterDescriptionRegistry* registry) {
    registerParameterDescription(*registry,
                                 OutlinedRectangleParameters::describe("ui_shadowed_outlined_rectangle", renderPool_));
    registerParameterDescription(*registry, CompressedOutlinedRectangleParameters::describe(
                                                "ui_shadowed_compressed_outlined_rectangle", renderPool_));
}
