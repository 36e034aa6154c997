#pragma once
// The asset of one image drawn as "tex_rect_" objects: its texture, read from folder + file, and
// the saving of that texture as a PNG file when an object asks.
#include <cstdint>
#include <string>

#include "app/parameter_kind.h"
#include "platform/gfx/texture.h"
#include "ui_render/ui_renderable.h"

// The corners of an image drawn from topLeft towards bottomRight (UI units, pixels of that size):
// the top-left corner on a pixel edge, the width and height in whole pixels, truncated. Corners 0
// to 3 (top left, top right, bottom right, bottom left), x then y.
void texturedRectangleCorners(const Vector2Value& topLeft, const Vector2Value& bottomRight, float pixelWidth,
                              float pixelHeight, float (&corners)[8]);

class UITexturedRectangleRenderableAsset : public UIRenderableAsset {
public:
    UITexturedRectangleRenderableAsset(const std::string& typeName, const std::string& file, const std::string& folder,
                                       std::uint64_t lastWriteTime, RenderInterface* renderInterface);
    ~UITexturedRectangleRenderableAsset() override;

    // Reads the texture (at the requested size when a resize was asked for) and makes the effect.
    bool load() override;
    void unload() override;
    void beginBatch(UIBatchWriter& writer) override;
    void renderInstance(UIRenderableInstance& record, UIBatchWriter& writer) override;

    // Whether this asset shows that file of that folder.
    bool shows(const std::string& folder, const std::string& file) const { return folder == folder_ && file == file_; }
    std::uint64_t lastWriteTime() const { return lastWriteTime_; }
    void setLastWriteTime(std::uint64_t time) { lastWriteTime_ = time; }
    void requestSize(std::int32_t width, std::int32_t height);
    gfx::Texture* texture() const { return texture_; }
    const float* corners() const { return corners_; }
    // The saves done since the last call, by the objects' pairs, so their status can say how each went.
    std::vector<UIImageSaveOutcome> takeSaveOutcomes();

private:
    RenderInterface* renderInterface_;
    std::string folder_;
    std::string file_;
    std::uint64_t lastWriteTime_;
    bool resizeRequested_ = false;
    std::int32_t requestedWidth_ = 0;
    std::int32_t requestedHeight_ = 0;
    gfx::Texture* texture_ = nullptr;
    gfx::Effect* effect_ = nullptr;
    gfx::EffectHandle simpleTechnique_ = 0;
    gfx::EffectHandle pointTechnique_ = 0;
    gfx::EffectHandle imageTexture_ = 0;
    // The corners and sampler of the last draw: an object without a render-side group gets them.
    float corners_[8] = {};
    bool pointSampler_ = false;
    std::string savedFileName_;
    std::vector<UIImageSaveOutcome> saveOutcomes_;
};
