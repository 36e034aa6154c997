#include "ui_render/ui_textured_rectangle_renderable_asset.h"

#include <algorithm>
#include <cmath>

#include "app/log.h"
#include "platform/gfx/texture_file.h"
#include "render/device_global.h"
#include "render/ui_pixel_snap.h"
#include "ui_render/ui_batch_writer.h"
#include "ui_render/ui_effect.h"
#include "ui_render/ui_parameters.h"
#include "ui_render/ui_textured_rectangle_renderable.h"

void texturedRectangleCorners(const Vector2Value& topLeft, const Vector2Value& bottomRight, float pixelWidth,
                              float pixelHeight, float (&corners)[8]) {
    // Only the top-left corner is snapped: the size stays a whole number of pixels.
    const float left = snapCornerX(topLeft[0], pixelWidth);
    const float top = snapCornerY(topLeft[1], pixelHeight);
    const float width = std::trunc((bottomRight[0] - topLeft[0]) / pixelWidth) * pixelWidth;
    const float height = std::trunc((topLeft[1] - bottomRight[1]) / pixelHeight) * pixelHeight;
    const float placed[8] = {left, top, left + width, top, left + width, top - height, left, top - height};
    std::copy(placed, placed + 8, corners);
}

UITexturedRectangleRenderableAsset::UITexturedRectangleRenderableAsset(const std::string& typeName,
                                                                       const std::string& file,
                                                                       const std::string& folder,
                                                                       std::uint64_t lastWriteTime,
                                                                       RenderInterface* renderInterface)
    : UIRenderableAsset(typeName), renderInterface_(renderInterface), folder_(folder), file_(file),
      lastWriteTime_(lastWriteTime) {}

UITexturedRectangleRenderableAsset::~UITexturedRectangleRenderableAsset() { unload(); }

void UITexturedRectangleRenderableAsset::requestSize(std::int32_t width, std::int32_t height) {
    resizeRequested_ = true;
    requestedWidth_ = width;
    requestedHeight_ = height;
}

bool UITexturedRectangleRenderableAsset::load() {
    unload();
    gfx::Device* device = deviceGlobal;
    if (!device) return false;
    gfx::TextureFileOptions options;
    if (resizeRequested_ && requestedWidth_ > 0 && requestedHeight_ > 0) {
        options.width = static_cast<std::uint32_t>(requestedWidth_);
        options.height = static_cast<std::uint32_t>(requestedHeight_);
    }
    if (gfx::createTextureFromFileEx(device, folder_ + file_, options, &texture_) != gfx::Result::Ok) {
        texture_ = nullptr;
        return false;
    }
    effect_ = loadUIEffect("TexturedUINew.fx", false);
    if (effect_) {
        simpleTechnique_ = effect_->getTechniqueByName("SimpleTech");
        pointTechnique_ = effect_->getTechniqueByName("PointSampleTech");
        imageTexture_ = effect_->getParameterByName("gImageTexture");
    }
    return true;
}

void UITexturedRectangleRenderableAsset::unload() {
    gfx::safeRelease(effect_);
    gfx::safeRelease(texture_);
}

void UITexturedRectangleRenderableAsset::beginBatch(UIBatchWriter& writer) { (void)writer; }

std::vector<UIImageSaveOutcome> UITexturedRectangleRenderableAsset::takeSaveOutcomes() {
    std::vector<UIImageSaveOutcome> outcomes;
    outcomes.swap(saveOutcomes_);
    return outcomes;
}

void UITexturedRectangleRenderableAsset::renderInstance(UIRenderableInstance& record, UIBatchWriter& writer) {
    if (!texture_) return;
    if (SimpleParameterGroup* group = record.pair ? record.pair->renderGroup() : nullptr) {
        const RenderSettings& settings = renderInterface_->renderSettings();
        const float pw = 2.0f / static_cast<float>(settings.width), ph = 2.0f / static_cast<float>(settings.height);
        const Vector2Value topLeft = uiparam::read(group, TexturedRectangleParameters::topLeft);
        const Vector2Value bottomRight = uiparam::read(group, TexturedRectangleParameters::bottomRight);
        pointSampler_ = uiparam::read(group, TexturedRectangleParameters::usePointSampler);
        texturedRectangleCorners(topLeft, bottomRight, pw, ph, corners_);

        if (uiparam::read(group, TexturedRectangleParameters::shouldSaveFile)) {
            savedFileName_ = uiparam::read(group, TexturedRectangleParameters::saveFileName);
            const bool written = gfx::saveTextureToPng(savedFileName_, texture_) == gfx::Result::Ok;
            if (!written) {
                LOG_MESSAGE("Unable to save the image %s%s as %s", folder_.c_str(), file_.c_str(),
                            savedFileName_.c_str());
            }
            saveOutcomes_.push_back({record.pair, written});
            // Cleared on the render side only, in place: a set through the group would list the
            // pair for the next hand-off from this thread while the update thread runs.
            if (BaseParameter* flag = group->getParameter(TexturedRectangleParameters::shouldSaveFile.name)) {
                static_cast<BoolParameter*>(flag)->value = false;
            }
        }
    }
    if (!effect_) return;
    UIDrawKey key;
    key.effect = effect_;
    key.technique = pointSampler_ ? pointTechnique_ : simpleTechnique_;
    key.textureParameter = imageTexture_;
    key.texture = texture_;
    key.eventName = "UI Textured Rectangle";
    writer.setKey(key);
    writer.addTexturedQuad(corners_);
}
