#pragma once
// "mousePointer": the program's own pointer, a 32 by 32 pixel image picked by "pointerType" from
// the colour-keyed bitmaps of the pointer folders, its hot spot on the pointer position.
#include <string>
#include <unordered_map>
#include <vector>

#include "app/typed_parameters.h"
#include "platform/gfx/texture.h"
#include "ui_render/ui_parameter_table.h"
#include "ui_render/ui_renderable.h"

struct PointerParameters {
    // The image's name in the pointer folders ("normal", "hand", ...).
    static inline const UIParameter<StringParameter> pointerType{"pointerType", "normal"};
    static inline const UIParameter<UnsignedIntParameter> pointerID{"pointerID", 0u};
    // The pointer position in window pixels from the top-left corner.
    static inline const UIParameter<UnsignedIntParameter> xPos{"xPos", 0u};
    static inline const UIParameter<UnsignedIntParameter> yPos{"yPos", 0u};
    // Where the image sits against the position: -1, 0 or 1 on each axis.
    static inline const UIParameter<IntParameter> horizAlign{"horizAlign", 1};
    static inline const UIParameter<IntParameter> vertAlign{"vertAlign", 1};

    static ParameterDescription* describe(const std::string& typeName, ThreadResourcePool* pool) {
        return uiparam::describe(typeName, pool, pointerType, pointerID, xPos, yPos, horizAlign, vertAlign);
    }
};

class UIPointerRenderableAsset : public UIRenderableAsset {
public:
    UIPointerRenderableAsset(const std::string& name, const std::string& imageFolder,
                             const std::vector<std::string>& imageNames, RenderInterface* renderInterface);
    ~UIPointerRenderableAsset() override;

    bool load() override;
    void unload() override;
    void beginBatch(UIBatchWriter& writer) override;
    void renderInstance(UIRenderableInstance& record, UIBatchWriter& writer) override;

    // The images by name, as loaded.
    const std::unordered_map<std::string, gfx::Texture*>& images() const { return images_; }
    // Corners 0 to 3 (top left, top right, bottom right, bottom left), x and y in UI units.
    const float* corners() const { return corners_; }
    // Whether a frame has drawn the pointer since the asset was loaded.
    bool hasDrawn() const { return hasDrawn_; }

private:
    RenderInterface* renderInterface_;
    std::string imageFolder_;
    std::vector<std::string> imageNames_;
    std::unordered_map<std::string, gfx::Texture*> images_;
    gfx::Texture* currentImage_ = nullptr;
    gfx::Effect* effect_ = nullptr;
    gfx::EffectHandle technique_ = 0;
    gfx::EffectHandle imageTexture_ = 0;
    float corners_[8] = {};
    float halfPixelX_ = 0.0f;
    float halfPixelY_ = 0.0f;
    bool hasDrawn_ = false;
};

class UIPointerRenderable : public UIRenderable {
public:
    UIPointerRenderable(ThreadResourcePool* renderPool, RenderInterface* renderInterface, UIManager* manager);

    // The assets are made with the device resources, one per pointer folder.
    void loadAssets() override {}
    void unloadAssets() override {}
    void createDeviceResources() override;
    // Unloads the assets and keeps them; the manager destroys them afterwards.
    void releaseDeviceResources() override;
    void setUpParamDescriptions(ParameterDescriptionRegistry* registry) override;
    bool drawsThroughBatchWriter() const override { return true; }

private:
    RenderInterface* renderInterface_;
};
