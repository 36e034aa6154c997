#pragma once
// ".tga" image names: an image over the whole screen, faded towards black by "fadeToBlackLerp"
// (1 shows the image, 0 is black) and hidden by "isVisible", through "FullscreenImageUI.fx".
#include "app/typed_parameters.h"
#include "ui_render/ui_image_folder_renderable.h"
#include "ui_render/ui_parameter_table.h"
#include "ui_render/ui_screen_image_asset.h"

struct FullscreenImageParameters {
    static inline const UIParameter<FloatParameter> fadeToBlackLerp{"fadeToBlackLerp", 1.0f};
    static inline const UIParameter<BoolParameter> isVisible{"isVisible", true};

    static ParameterDescription* describe(const std::string& typeName, ThreadResourcePool* pool) {
        return uiparam::describe(typeName, pool, fadeToBlackLerp, isVisible);
    }
};

class UIFullscreenImageRenderableAsset : public UIScreenImageAsset {
public:
    UIFullscreenImageRenderableAsset(const std::string& name, const std::string& imageFolder,
                                     RenderInterface* renderInterface);

    bool load() override;
    // Each instance's fade and visibility are read just before it is drawn; an object without a
    // render-side group is drawn with the values read last.
    void renderInstance(UIRenderableInstance& record, UIBatchWriter& writer) override;

private:
    void setInstanceParameters() override;

    float fade_ = 1.0f;
    bool visible_ = true;
    gfx::EffectHandle fadeToBlackLerp_ = 0;
};

class UIFullscreenImageRenderable : public UIImageFolderRenderable {
public:
    UIFullscreenImageRenderable(ThreadResourcePool* renderPool, RenderInterface* renderInterface, UIManager* manager);

protected:
    UIRenderableAsset* makeAsset(const std::string& entry, const std::string& folder) override;
    ParameterDescription* describe(const std::string& typeName) const override {
        return FullscreenImageParameters::describe(typeName, renderPool_);
    }
};
