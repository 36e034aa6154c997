#pragma once
// "ui_hue_selection_strip": the colour picker's vertical strip through the six primary and
// secondary hues, red at the top and at the bottom, through "HueSelectionStripUI.fx".
#include "app/typed_parameters.h"
#include "ui_render/ui_gradient_shape_asset.h"
#include "ui_render/ui_parameter_table.h"
#include "ui_render/ui_renderable.h"

struct HueSelectionStripParameters {
    static inline const UIParameter<Vector2Parameter> topLeft{"topLeft", {-1.0f, -1.0f}};
    static inline const UIParameter<Vector2Parameter> bottomRight{"bottomRight", {1.0f, 1.0f}};

    static ParameterDescription* describe(const std::string& typeName, ThreadResourcePool* pool) {
        return uiparam::describe(typeName, pool, topLeft, bottomRight);
    }
};

class UIHueSelectionStripRenderableAsset : public UIGradientShapeAsset {
public:
    UIHueSelectionStripRenderableAsset(const std::string& typeName, RenderInterface* renderInterface);

private:
    void readCorners(const SimpleParameterGroup& group, float pixelWidth, float pixelHeight) override;
};

class UIHueSelectionStripRenderable : public UIRenderable {
public:
    UIHueSelectionStripRenderable(ThreadResourcePool* renderPool, RenderInterface* renderInterface,
                                  UIManager* manager);

    void loadAssets() override;
    void setUpParamDescriptions(ParameterDescriptionRegistry* registry) override;

private:
    RenderInterface* renderInterface_;
};
