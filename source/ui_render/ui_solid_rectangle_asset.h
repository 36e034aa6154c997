#pragma once
// The base of the untextured rectangle assets: one UI effect file drawn with its "SimpleTech",
// every instance of the asset in one run.
#include <string>

#include "platform/gfx/effect.h"
#include "ui_render/ui_renderable_asset.h"

class UISolidRectangleAsset : public UIRenderableAsset {
public:
    ~UISolidRectangleAsset() override;

    bool load() override;
    void unload() override;
    void beginBatch(UIBatchWriter& writer) override;

protected:
    UISolidRectangleAsset(const std::string& name, RenderInterface* renderInterface, const char* effectFile);

    RenderInterface* renderInterface_;
    gfx::Effect* effect_ = nullptr;

private:
    const char* effectFile_;
    gfx::EffectHandle technique_ = 0;
};
