#include "ui_render/ui_colour_selection_rectangle_renderable.h"

#include <algorithm>
#include <cstring>

#include "render/device_global.h"
#include "ui_render/ui_colour_picker_shapes.h"
#include "ui_render/ui_image_quads.h"

namespace {

constexpr const char* typeName = "ui_colour_selection_rectangle";

// Corner numbers in z (the entries of "gVertPositions" and "gColourArray"), with the texture
// coordinates of the corners: bottom left, top left, top right, bottom right.
std::vector<std::uint8_t> rectangleVertices() {
    const UIImageVertex vertices[4] = {{1.0f, 1.0f, 0.0f, 0.0f, 1.0f},
                                       {1.0f, 1.0f, 1.0f, 0.0f, 0.0f},
                                       {1.0f, 1.0f, 2.0f, 1.0f, 0.0f},
                                       {1.0f, 1.0f, 3.0f, 1.0f, 1.0f}};
    std::vector<std::uint8_t> bytes(sizeof vertices);
    std::memcpy(bytes.data(), vertices, sizeof vertices);
    return bytes;
}

} // namespace

UIColourSelectionRectangleRenderableAsset::UIColourSelectionRectangleRenderableAsset(const std::string& name,
                                                                                     RenderInterface* renderInterface)
    : UIGradientShapeAsset(name, renderInterface,
                           Shape{"ColourSelectionRectangleUI.fx", "UI Colour Selection Rectangle", rectangleVertices(),
                                 sizeof(UIImageVertex), &vdPositionTex,
                                 std::vector<std::uint16_t>(uiQuadIndices.begin(), uiQuadIndices.end()), 4}) {}

void UIColourSelectionRectangleRenderableAsset::readCorners(const SimpleParameterGroup& group, float pixelWidth,
                                                            float pixelHeight) {
    const UISnappedRectangle rectangle =
        snapRectangleCorners(uiparam::read(&group, ColourSelectionRectangleParameters::topLeft),
                             uiparam::read(&group, ColourSelectionRectangleParameters::bottomRight), pixelWidth,
                             pixelHeight);
    const UIGradientCorners<4> corners =
        colourRectangleCorners(rectangle, uiparam::read(&group, ColourSelectionRectangleParameters::colour));
    std::copy(corners.positions.begin(), corners.positions.end(), positions_.begin());
    std::copy(corners.colours.begin(), corners.colours.end(), colours_.begin());
}

UIColourSelectionRectangleRenderable::UIColourSelectionRectangleRenderable(ThreadResourcePool* renderPool,
                                                                           RenderInterface* renderInterface,
                                                                           UIManager* manager)
    : UIRenderable(renderPool, manager, "UIColourSelectionRectangleRenderable"), renderInterface_(renderInterface) {}

void UIColourSelectionRectangleRenderable::loadAssets() {
    auto* asset = new UIColourSelectionRectangleRenderableAsset(typeName, renderInterface_);
    asset->afterCreate();
    addAsset(asset);
}

void UIColourSelectionRectangleRenderable::setUpParamDescriptions(ParameterDescriptionRegistry* registry) {
    registerParameterDescription(*registry, ColourSelectionRectangleParameters::describe(typeName, renderPool_));
}
