#pragma once
// "tex_rect_" + image name: images drawn as rectangles. The images of the render-path folders
// are loaded at start; others are loaded when an object names them, one asset per folder and
// file, so same-named images of different folders each show their own picture.
#include <cstdint>
#include <string>
#include <vector>

#include "app/typed_parameters.h"
#include "ui_render/ui_parameter_table.h"
#include "ui_render/ui_renderable.h"

struct TexturedRectangleParameters {
    static inline const UIParameter<Vector2Parameter> topLeft{"topLeft", {-1.0f, 1.0f}};
    static inline const UIParameter<Vector2Parameter> bottomRight{"bottomRight", {1.0f, -1.0f}};
    static inline const UIParameter<BoolParameter> usePointSampler{"usePointSampler", false};
    // Set to write the image as a PNG at saveFileName; the render side clears it once done.
    static inline const UIParameter<BoolParameter> shouldSaveFile{"shouldSaveFile", false};
    static inline const UIParameter<StringParameter> saveFileName{"saveFileName", ""};
    // Set to load the image again at texturePixelDimensions.
    static inline const UIParameter<Vector2Parameter> texturePixelDimensions{"texturePixelDimensions",
                                                                             {256.0f, 256.0f}};
    static inline const UIParameter<BoolParameter> shouldResizeTexture{"shouldResizeTexture", false};

    static ParameterDescription* describe(const std::string& typeName, ThreadResourcePool* pool) {
        return uiparam::describe(typeName, pool, topLeft, bottomRight, usePointSampler, shouldSaveFile, saveFileName,
                                 texturePixelDimensions, shouldResizeTexture);
    }
};

class UITexturedRectangleRenderableAsset;

class UITexturedRectangleRenderable : public UIRenderable {
public:
    UITexturedRectangleRenderable(ThreadResourcePool* renderPool, RenderInterface* renderInterface,
                                  UIManager* manager);

    void loadAssets() override;
    // Loads (or reloads, when the file was rewritten since) the image of folder + file.
    bool prepareObject(const std::string& folder, const std::string& file, SimpleParameterGroup* group) override;
    bool assetForObject(const RenderInterface::UIObject& object, UIRenderableAsset*& asset) override;
    void setUpParamDescriptions(ParameterDescriptionRegistry* registry) override;
    bool drawsThroughBatchWriter() const override { return true; }
    std::vector<UIImageSaveOutcome> takeSaveOutcomes() override;

    UITexturedRectangleRenderableAsset* findAsset(const std::string& folder, const std::string& file) const;

private:
    RenderInterface* renderInterface_;
};
