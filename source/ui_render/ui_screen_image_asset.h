#pragma once
// The base of the assets that draw one ".tga" image over the whole screen: the image, the
// full-screen quad built for the back buffer's size at load time, and the effect that draws it.
#include <string>

#include "platform/gfx/effect.h"
#include "platform/gfx/texture.h"
#include "ui_render/ui_renderable_asset.h"
#include "ui_render/ui_shape_buffers.h"

class UIScreenImageAsset : public UIRenderableAsset {
public:
    ~UIScreenImageAsset() override;

    void onLostDevice() override;
    void onResetDevice() override;
    // Releases the effect, the quad and the image.
    void unload() override;

    gfx::Texture* image() const { return image_; }

protected:
    UIScreenImageAsset(const std::string& name, const std::string& imageFolder, RenderInterface* renderInterface);

    // The quad, the image (folder + name + ".tga") and the effect, whose "gImageTexture" is set
    // to the image; each may fail and stay null.
    void loadQuadImageAndEffect(const char* effectFile, bool showErrors);
    // Whether an instance can be drawn: quad, image and effect all made.
    bool drawable() const { return effect_ && image_ && quad_.ready(); }
    // Binds the quad and draws it in one pass of "SimpleTech", setting the instance's own
    // effect values (setInstanceParameters) before the commit. Nothing when not drawable.
    void drawQuad();
    virtual void setInstanceParameters() {}

    RenderInterface* renderInterface_;
    std::string imageFolder_;
    gfx::Effect* effect_ = nullptr;

private:
    UIShapeBuffers quad_;
    gfx::Texture* image_ = nullptr;
    gfx::EffectHandle technique_ = 0;
    gfx::EffectHandle imageTexture_ = 0;
};
