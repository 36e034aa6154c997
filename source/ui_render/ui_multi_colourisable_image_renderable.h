#pragma once
// "colourisable_image_" + image name: a ".dds" image drawn as a rectangle with its red, green
// and blue channels each replaced by a colour ("redChannelColour" and the others), through
// "ColourisedUI.fx". Placed like a textured rectangle.
#include <string>

#include "app/typed_parameters.h"
#include "platform/gfx/effect.h"
#include "platform/gfx/texture.h"
#include "ui_render/ui_parameter_table.h"
#include "ui_render/ui_renderable.h"
#include "ui_render/ui_shape_buffers.h"

struct ColourisableImageParameters {
    // The default top-left corner lies at the bottom-left of the screen: callers set both.
    static inline const UIParameter<Vector2Parameter> topLeft{"topLeft", {-1.0f, -1.0f}};
    static inline const UIParameter<Vector2Parameter> bottomRight{"bottomRight", {1.0f, 1.0f}};
    static inline const UIParameter<BoolParameter> usePointSampler{"usePointSampler", false};
    static inline const UIParameter<Vector4Parameter> redChannelColour{"redChannelColour", {1.0f, 1.0f, 1.0f, 1.0f}};
    static inline const UIParameter<Vector4Parameter> greenChannelColour{"greenChannelColour",
                                                                         {1.0f, 1.0f, 1.0f, 1.0f}};
    static inline const UIParameter<Vector4Parameter> blueChannelColour{"blueChannelColour", {1.0f, 1.0f, 1.0f, 1.0f}};

    static ParameterDescription* describe(const std::string& typeName, ThreadResourcePool* pool) {
        return uiparam::describe(typeName, pool, topLeft, bottomRight, usePointSampler, redChannelColour,
                                 greenChannelColour, blueChannelColour);
    }
};

class UIMultiColourisableImageRenderableAsset : public UIRenderableAsset {
public:
    // The texture is read from folder followed directly by file.
    UIMultiColourisableImageRenderableAsset(const std::string& typeName, const std::string& file,
                                            const std::string& folder, RenderInterface* renderInterface);
    ~UIMultiColourisableImageRenderableAsset() override;

    void onLostDevice() override;
    void onResetDevice() override;
    // The texture, the quad and the effect; a missing image or effect leaves the asset drawing
    // nothing.
    bool load() override;
    void unload() override;
    void beginBatch(UIBatchWriter& writer) override;
    // The instance's corners (as a textured rectangle's), sampler and channel colours, or those
    // of the previous draw for an object without a render-side group.
    void renderInstance(UIRenderableInstance& record, UIBatchWriter& writer) override;
    void endBatch(UIBatchWriter& writer) override;

    gfx::Texture* texture() const { return texture_; }

private:
    RenderInterface* renderInterface_;
    std::string folder_;
    std::string file_;
    UIShapeBuffers quad_;
    gfx::Texture* texture_ = nullptr;
    gfx::Effect* effect_ = nullptr;
    gfx::EffectHandle simpleTechnique_ = 0;
    gfx::EffectHandle pointTechnique_ = 0;
    gfx::EffectHandle redChannel_ = 0;
    gfx::EffectHandle greenChannel_ = 0;
    gfx::EffectHandle blueChannel_ = 0;
    gfx::EffectHandle vertPositions_ = 0;
    float corners_[8] = {};
    bool pointSampler_ = false;
    Vector4Value red_{1.0f, 1.0f, 1.0f, 1.0f};
    Vector4Value green_{1.0f, 1.0f, 1.0f, 1.0f};
    Vector4Value blue_{1.0f, 1.0f, 1.0f, 1.0f};
};

class UIMultiColourisableImageRenderable : public UIRenderable {
public:
    UIMultiColourisableImageRenderable(ThreadResourcePool* renderPool, RenderInterface* renderInterface,
                                       UIManager* manager);

    // One asset per ".dds" file of the render-path folders.
    void loadAssets() override;
    // One description per asset, named after it.
    void setUpParamDescriptions(ParameterDescriptionRegistry* registry) override;

private:
    RenderInterface* renderInterface_;
};
