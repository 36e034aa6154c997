#include "scene/simple_effect_renderable.h"

#include "app/log.h"
#include "app/parameter_description.h"
#include "platform/gfx/device.h"
#include "platform/gfx/effect_description.h"
#include "platform/message_box.h"
#include "render/device_global.h"
#include "render/render_interface.h"
#include "render/render_settings.h"
#include "render/renderable_manager.h"

void SimpleEffectAsset::onLostDevice() {
    if (effect_) effect_->onLostDevice();
}

void SimpleEffectAsset::onResetDevice() {
    if (effect_) effect_->onResetDevice();
}

SimpleEffectRenderable::SimpleEffectRenderable(ThreadResourcePool* renderContext, const std::string& className,
                                               RenderableManager* manager, RenderInterface* renderInterface,
                                               std::string effectPath, std::string eventName)
    : BaseRenderable(renderContext, className, manager), renderInterface_(renderInterface),
      effectPath_(std::move(effectPath)), eventName_(std::move(eventName)) {}

SimpleEffectRenderable::~SimpleEffectRenderable() {
    releaseEffect();
    deleteAssets();
}

RenderSettings SimpleEffectRenderable::settings() const {
    return renderInterface_ ? renderInterface_->renderSettings() : RenderSettings{};
}

std::vector<gfx::EffectMacro> SimpleEffectRenderable::macros() const {
    const bool level3 = settings().shaderLevel >= 3;
    return {{"SHADOWS_ENABLED", "0"}, {"SSAO_ENABLED", "0"}, {"SM3_ENABLED", level3 ? "1" : "0"}, {"SHADER_INSTANCED", "0"}};
}

void SimpleEffectRenderable::addAsset(SimpleEffectAsset* asset) {
    asset->loadStage1();
    if (manager()) manager()->registerAsset(asset);
    assets.push_back(asset);
}

void SimpleEffectRenderable::loadAssets() {
    makeAssets();
    compileEffect();
}

void SimpleEffectRenderable::compileEffect() {
    if (compiled_) compiled_->release();
    compiled_ = nullptr;
    std::string errors;
    if (gfx::failed(gfx::compileEffectFromFile(effectPath_, macros(), &compiled_, &errors))) {
        compiled_ = nullptr;
        LOG_MESSAGE("%s: unable to compile the effect %s", className().c_str(), effectPath_.c_str());
        platform::showMessageBox("", errors);
    }
}

void SimpleEffectRenderable::createEffects() {
    gfx::safeRelease(effect_);
    technique_ = 0;
    std::string errors;
    if (compiled_ && deviceGlobal && gfx::failed(gfx::Effect::create(deviceGlobal, compiled_, &effect_, &errors))) {
        effect_ = nullptr;
        LOG_MESSAGE("%s: unable to make the effect %s", className().c_str(), effectPath_.c_str());
        platform::showMessageBox("", errors);
    }
    if (effect_) technique_ = effect_->getTechniqueByName("BaseTech");
    for (RenderableAsset* asset : assets) static_cast<SimpleEffectAsset*>(asset)->setEffect(effect_);
}

void SimpleEffectRenderable::releaseEffect() {
    for (RenderableAsset* asset : assets) static_cast<SimpleEffectAsset*>(asset)->setEffect(nullptr);
    gfx::safeRelease(effect_);
    technique_ = 0;
    if (compiled_) compiled_->release();
    compiled_ = nullptr;
}

void SimpleEffectRenderable::unloadInstances() {
    for (RenderableAsset* asset : assets) {
        asset->releaseInstanceData();
        asset->visibleInstances.clear();
    }
}

void SimpleEffectRenderable::releaseAssets() {
    for (RenderableAsset* asset : assets) asset->unload();
    releaseEffect();
    deleteAssets();
}

void SimpleEffectRenderable::removeParamDescriptions(ParameterDescriptionRegistry& registry) {
    for (const std::string& name : descriptionNames_) registry.remove(name);
    descriptionNames_.clear();
}

void SimpleEffectRenderable::drawInstances(RenderableAsset& asset, const ViewBlock& view, const PassContext& context) {
    for (RenderableInstance* instance : asset.visibleInstances) asset.renderInstance(instance, view, context, DrawPass::Colour);
}

void SimpleEffectRenderable::drawPass(RenderableDirectionalLight*, const ViewBlock& view, const PassContext& context,
                                      DrawPass pass, float) {
    if (pass != DrawPass::Colour || !effect_ || !technique_) return;
    gfx::beginPerfEvent(0xFF22FFFFu, eventName_.c_str());
    effect_->setTechnique(technique_);
    std::uint32_t passes = 0;
    effect_->begin(&passes, 0);
    effect_->beginPass(0);
    for (RenderableAsset* asset : assets) {
        if (asset->visibleInstances.empty()) continue;
        asset->beginRender(DrawPass::Colour, context, view);
        drawInstances(*asset, view, context);
        asset->endRender(DrawPass::Colour, context, view);
    }
    effect_->endPass();
    effect_->end();
    gfx::endPerfEvent();
}
