#pragma once
// "ui_colour_selection_rectangle": the colour picker's field, a rectangle whose corners are
// black (both left ones), the chosen "colour" (top right) and white (bottom right), blended
// across it by "ColourSelectionRectangleUI.fx".
#include "app/typed_parameters.h"
#include "ui_render/ui_gradient_shape_asset.h"
#include "ui_render/ui_parameter_table.h"
#include "ui_render/ui_renderable.h"

struct ColourSelectionRectangleParameters {
    static inline const UIParameter<Vector2Parameter> topLeft{"topLeft", {-1.0f, -1.0f}};
    static inline const UIParameter<Vector2Parameter> bottomRight{"bottomRight", {1.0f, 1.0f}};
    static inline const UIParameter<Vector4Parameter> colour{"colour", {1.0f, 0.0f, 0.0f, 1.0f}};

    static ParameterDescription* describe(const std::string& typeName, ThreadResourcePool* pool) {
        return uiparam::describe(typeName, pool, topLeft, bottomRight, colour);
    }
};

class UIColourSelectionRectangleRenderableAsset : public UIGradientShapeAsset {
public:
    UIColourSelectionRectangleRenderableAsset(const std::string& typeName, RenderInterface* renderInterface);

private:
    void readCorners(const SimpleParameterGroup& group, float pixelWidth, float pixelHeight) override;
};

class UIColourSelectionRectangleRenderable : public UIRenderable {
public:
    UIColourSelectionRectangleRenderable(ThreadResourcePool* renderPool, RenderInterface* renderInterface,
                                         UIManager* manager);

    void loadAssets() override;
    void setUpParamDescriptions(ParameterDescriptionRegistry* registry) override;

private:
    RenderInterface* renderInterface_;
};
