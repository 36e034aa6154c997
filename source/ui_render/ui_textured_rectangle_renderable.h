#pragma once
// "tex_rect_" + image name: images drawn as rectangles. The images of the render-path folders
// are loaded at start; others are loaded when an object names them, one asset per folder and
// file, so same-named images of different folders each show their own picture.
#include <cstdint>
#include <string>
#include <vector>

#include "ui_render/ui_renderable.h"

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
