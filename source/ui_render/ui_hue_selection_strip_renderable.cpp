#include "ui_render/ui_hue_selection_strip_renderable.h"

#include <algorithm>
#include <cstring>

#include "render/device_global.h"
#include "ui_render/ui_colour_picker_shapes.h"

namespace {

constexpr const char* typeName = "ui_hue_selection_strip";
constexpr std::uint32_t cornerCount = 14;

// Position-only vertices (1, 1, corner number).
std::vector<std::uint8_t> stripVertices() {
    float vertices[cornerCount * 3];
    for (std::uint32_t corner = 0; corner < cornerCount; ++corner) {
        vertices[corner * 3] = 1.0f;
        vertices[corner * 3 + 1] = 1.0f;
        vertices[corner * 3 + 2] = static_cast<float>(corner);
    }
    std::vector<std::uint8_t> bytes(sizeof vertices);
    std::memcpy(bytes.data(), vertices, sizeof vertices);
    return bytes;
}

} // namespace

UIHueSelectionStripRenderableAsset::UIHueSelectionStripRenderableAsset(const std::string& name,
                                                                       RenderInterface* renderInterface)
    : UIGradientShapeAsset(name, renderInterface,
                           Shape{"HueSelectionStripUI.fx", "UI Simple Rectangle", stripVertices(), 12, &vdPosition,
                                 std::vector<std::uint16_t>(hueStripIndices.begin(), hueStripIndices.end()),
                                 cornerCount}) {}

void UIHueSelectionStripRenderableAsset::readCorners(const SimpleParameterGroup& group, float pixelWidth,
                                                     float pixelHeight) {
    const UISnappedRectangle rectangle =
        snapRectangleCorners(uiparam::read(&group, HueSelectionStripParameters::topLeft),
                             uiparam::read(&group, HueSelectionStripParameters::bottomRight), pixelWidth, pixelHeight);
    const UIGradientCorners<cornerCount> corners = hueStripCorners(rectangle);
    std::copy(corners.positions.begin(), corners.positions.end(), positions_.begin());
    std::copy(corners.colours.begin(), corners.colours.end(), colours_.begin());
}

UIHueSelectionStripRenderable::UIHueSelectionStripRenderable(ThreadResourcePool* renderPool,
                                                             RenderInterface* renderInterface, UIManager* manager)
    : UIRenderable(renderPool, manager, "UIHueSelectionStripRenderable"), renderInterface_(renderInterface) {}

void UIHueSelectionStripRenderable::loadAssets() {
    auto* asset = new UIHueSelectionStripRenderableAsset(typeName, renderInterface_);
    asset->afterCreate();
    addAsset(asset);
}

void UIHueSelectionStripRenderable::setUpParamDescriptions(ParameterDescriptionRegistry* registry) {
    registerParameterDescription(*registry, HueSelectionStripParameters::describe(typeName, renderPool_));
}
