#include "ui_render/ui_simple_rectangle_renderable.h"

#include "app/parameter_description.h"
#include "render/ui_pixel_snap.h"
#include "ui_render/ui_batch_writer.h"
#include "ui_render/ui_parameters.h"
#include "ui_render/ui_rectangle_descriptions.h"

UISimpleRectangleRenderableAsset::UISimpleRectangleRenderableAsset(const std::string& name,
                                                                   RenderInterface* renderInterface)
    : UISolidRectangleAsset(name, renderInterface, "SimpleUI.fx") {}

void UISimpleRectangleRenderableAsset::renderInstance(UIRenderableInstance& record, UIBatchWriter& writer) {
    if (!effect_) return;
    if (const SimpleParameterGroup* group = record.pair ? record.pair->renderGroup() : nullptr) {
        const RenderSettings& settings = renderInterface_->renderSettings();
        const float px = 2.0f / static_cast<float>(settings.width), py = 2.0f / static_cast<float>(settings.height);
        const Vector2Value topLeft = uiparam::read(group, SimpleRectangleParameters::topLeft);
        const Vector2Value bottomRight = uiparam::read(group, SimpleRectangleParameters::bottomRight);
        const Vector4Value colour = uiparam::read(group, SimpleRectangleParameters::colour);
        corners_[0] = snapCornerX(topLeft[0], px);
        corners_[1] = snapCornerY(topLeft[1], py);
        corners_[2] = snapCornerX(bottomRight[0], px);
        corners_[3] = snapCornerY(bottomRight[1], py);
        for (int i = 0; i < 4; ++i) colour_[i] = colour[static_cast<std::size_t>(i)];
    }
    const float left = corners_[0], top = corners_[1], right = corners_[2], bottom = corners_[3];
    const float quad[8] = {left, bottom, left, top, right, top, right, bottom};
    writer.addQuad(quad, packUIColour(colour_[0], colour_[1], colour_[2], colour_[3]));
}

UISimpleRectangleRenderable::UISimpleRectangleRenderable(ThreadResourcePool* renderPool,
                                                         RenderInterface* renderInterface, UIManager* manager)
    : UIRenderable(renderPool, manager, "UISimpleRectangleRenderable"), renderInterface_(renderInterface) {}

void UISimpleRectangleRenderable::loadAssets() {
    auto* asset = new UISimpleRectangleRenderableAsset("ui_simple_rectangle", renderInterface_);
    asset->afterCreate();
    addAsset(asset);
}

void UISimpleRectangleRenderable::setUpParamDescriptions(ParameterDescriptionRegistry* registry) {
    registerParameterDescription(*registry, SimpleRectangleParameters::describe("ui_simple_rectangle", renderPool_));
}
