#include "ui_render/ui_outlined_rectangle_renderable.h"

#include <algorithm>
#include <array>

#include "app/parameter_description.h"
#include "app/simple_parameter_group.h"
#include "ui_render/ui_batch_writer.h"
#include "ui_render/ui_rectangle_descriptions.h"
#include "ui_render/ui_rectangle_geometry.h"

namespace {

using FrameVertices = std::array<UIRectangleVertex, 4>;

} // namespace

UIOutlinedRectangleRenderableAsset::UIOutlinedRectangleRenderableAsset(const std::string& name,
                                                                       RenderInterface* renderInterface)
    : UISolidRectangleAsset(name, renderInterface, "OutlinedUI.fx"), packed_(name != "ui_outlined_rectangle") {}

UIOutlinedRectangleRenderableAsset::~UIOutlinedRectangleRenderableAsset() {
    for (bool secondary : {false, true}) {
        for (UIRenderableInstance* record : mainList(secondary)) destroyInstanceData(*record);
    }
}

void UIOutlinedRectangleRenderableAsset::createInstanceData(UIRenderableInstance& record) {
    if (!record.instanceData) record.instanceData = new FrameVertices();
}

void UIOutlinedRectangleRenderableAsset::destroyInstanceData(UIRenderableInstance& record) {
    delete static_cast<FrameVertices*>(record.instanceData);
    record.instanceData = nullptr;
}

void UIOutlinedRectangleRenderableAsset::updateInstanceData(UIRenderableInstance& record) {
    SimpleParameterGroup* group = record.pair ? record.pair->renderGroup() : nullptr;
    if (!group || !record.instanceData) return;
    if (!group->takeChanged() && !record.firstUpdate) return;
    const RenderSettings& settings = renderInterface_->renderSettings();
    const float px = 2.0f / static_cast<float>(settings.width), py = 2.0f / static_cast<float>(settings.height);
    OutlinedRectangleShape shape;
    readOutlinedRectangle(group, packed_, px, py, shape);
    writeRectangleQuad(shape, px, py, 0.0f, static_cast<FrameVertices*>(record.instanceData)->data());
}

void UIOutlinedRectangleRenderableAsset::renderInstance(UIRenderableInstance& record, UIBatchWriter& writer) {
    if (!record.instanceData) return;
    const FrameVertices& frame = *static_cast<const FrameVertices*>(record.instanceData);
    UIRectangleVertex* out = writer.addRectangleQuads(1);
    if (!out) return;
    std::copy(frame.begin(), frame.end(), out);
}

UIOutlinedRectangleRenderable::UIOutlinedRectangleRenderable(ThreadResourcePool* renderPool,
                                                             RenderInterface* renderInterface, UIManager* manager)
    : UIRenderable(renderPool, manager, "UIOutlinedRectangleRenderable"), renderInterface_(renderInterface) {}

void UIOutlinedRectangleRenderable::loadAssets() {
    for (const char* name : {"ui_outlined_rectangle", "ui_compressed_outlined_rectangle"}) {
        auto* asset = new UIOutlinedRectangleRenderableAsset(name, renderInterface_);
        asset->afterCreate();
        addAsset(asset);
    }
}

void UIOutlinedRectangleRenderable::setUpParamDescriptions(ParameterDescriptionRegistry* registry) {
    registerParameterDescription(*registry,
                                 OutlinedRectangleParameters::describe("ui_outlined_rectangle", renderPool_));
    registerParameterDescription(
        *registry, CompressedOutlinedRectangleParameters::describe("ui_compressed_outlined_rectangle", renderPool_));
}
