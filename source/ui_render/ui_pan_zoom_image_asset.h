#pragma once
// The base of the assets that draw an image larger than the screen placed by "xPan", "yPan"
// and "zoom": the quad whose corners the effect takes from "gVertPositions", the image's size
// against the back buffer's (fixed at load time), and the draw of one instance.
#include <cstdint>

#include "app/typed_parameters.h"
#include "platform/gfx/effect.h"
#include "platform/gfx/texture.h"
#include "ui_render/ui_parameter_table.h"
#include "ui_render/ui_renderable_asset.h"
#include "ui_render/ui_shape_buffers.h"

struct PanZoomImageParameters {
    static inline const UIParameter<FloatParameter> xPan{"xPan", 0.0f};
    static inline const UIParameter<FloatParameter> yPan{"yPan", 0.0f};
    // 1 draws the image one texel per pixel.
    static inline const UIParameter<FloatParameter> zoom{"zoom", 1.0f};

    static ParameterDescription* describe(const std::string& typeName, ThreadResourcePool* pool) {
        return uiparam::describe(typeName, pool, xPan, yPan, zoom);
    }
};

class UIPanZoomImageAsset : public UIRenderableAsset {
public:
    ~UIPanZoomImageAsset() override;

    void onLostDevice() override;
    void onResetDevice() override;
    // Places the quad from the instance's pan and zoom (the values read last for an object
    // without a render-side group) and draws it; nothing while an image or the effect is missing.
    void renderInstance(UIRenderableInstance& record, UIBatchWriter& writer) override;

    // The image's width and height over the back buffer's.
    float rx() const { return rx_; }
    float ry() const { return ry_; }

protected:
    UIPanZoomImageAsset(const std::string& name, RenderInterface* renderInterface);

    // The quad and the effect with "SimpleTech" and "gVertPositions" (no message box on errors).
    void loadQuadAndEffect(const char* effectFile);
    void releaseQuadAndEffect();
    // rx and ry from the texture's level-0 size against the back buffer; 1 and 1 without one.
    void measure(gfx::Texture* image);
    // Whether the textures the effect needs are all there.
    virtual bool hasImages() const = 0;

    RenderInterface* renderInterface_;
    gfx::Effect* effect_ = nullptr;

private:
    UIShapeBuffers quad_;
    gfx::EffectHandle technique_ = 0;
    gfx::EffectHandle vertPositions_ = 0;
    float rx_ = 1.0f;
    float ry_ = 1.0f;
    float zoom_ = 1.0f;
    float xPan_ = 0.0f;
    float yPan_ = 0.0f;
    // Corners 0 to 3 (top left, top right, bottom right, bottom left) of the last draw.
    float corners_[8] = {};
};
