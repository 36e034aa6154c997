#pragma once
// The pattern the small shape renderables share: one effect file the class compiles itself (read
// and compiled on the loader worker, made on the device in createEffects), its technique
// "BaseTech", drawing in the colour pass only. A class whose effect failed draws nothing.
#include <string>
#include <vector>

#include "platform/gfx/effect.h"
#include "render/base_renderable.h"
#include "render/renderable_asset.h"

namespace gfx {
class EffectDescription;
}
class RenderInterface;
struct RenderSettings;

// An asset of such a class: it draws with the class's effect.
class SimpleEffectAsset : public RenderableAsset {
public:
    using RenderableAsset::RenderableAsset;
    // The class's effect (not owned); null when it failed. Looks the asset's handles up again.
    virtual void setEffect(gfx::Effect* effect) = 0;
    void onLostDevice() override;
    void onResetDevice() override;

protected:
    gfx::Effect* effect_ = nullptr;
};

class SimpleEffectRenderable : public BaseRenderable {
public:
    SimpleEffectRenderable(ThreadResourcePool* renderContext, const std::string& className, RenderableManager* manager,
                           RenderInterface* renderInterface, std::string effectPath, std::string eventName);
    ~SimpleEffectRenderable() override;

    // Worker: the class's assets, then its effect compiled with macros().
    void loadAssets() override;
    void fillLoadedTextures() override {}
    void unloadInstances() override;
    void createEffects() override;
    void setFrameParameters() override {}
    // Every asset unloaded and deleted, the effect released.
    void releaseAssets() override;
    void removeParamDescriptions(ParameterDescriptionRegistry& registry) override;
    void drawPass(RenderableDirectionalLight* light, const ViewBlock& view, const PassContext& context, DrawPass pass,
                  float frameTime) override;

    gfx::Effect* effect() const { return effect_; }
    // The render settings, or the defaults without a render interface.
    RenderSettings settings() const;

protected:
    // Each asset made, its loadStage1 run, registered and appended (addAsset).
    virtual void makeAssets() = 0;
    // The shapes' macros: "SM3_ENABLED" at shader level 3, the others "0".
    virtual std::vector<gfx::EffectMacro> macros() const;
    // Between the asset's beginRender and endRender: every visible instance by default.
    virtual void drawInstances(RenderableAsset& asset, const ViewBlock& view, const PassContext& context);
    void addAsset(SimpleEffectAsset* asset);
    // Registers the type's description and remembers the name for removeParamDescriptions.
    template <class... P>
    void describe(ParameterDescriptionRegistry& registry, const std::string& typeName, const P&... parameters);
    void compileEffect();
    void releaseEffect();

    RenderInterface* renderInterface_;

private:
    std::string effectPath_;
    std::string eventName_;
    gfx::EffectDescription* compiled_ = nullptr;
    gfx::Effect* effect_ = nullptr;
    gfx::EffectHandle technique_{};
    std::vector<std::string> descriptionNames_;
};

#include "scene/declared_description.h"

template <class... P>
void SimpleEffectRenderable::describe(ParameterDescriptionRegistry& registry, const std::string& typeName,
                                      const P&... parameters) {
    if (declared::registerDescription(registry, renderContext(), typeName, parameters...))
        descriptionNames_.push_back(typeName);
}
