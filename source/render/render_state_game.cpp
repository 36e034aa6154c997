#include "render/render_state_game.h"

#include <algorithm>

#include "app/parameter_manager.h"
#include "app/state_manager.h"
#include "platform/gfx/device.h"
#include "platform/gfx/effect.h"
#include "render/base_renderable.h"
#include "render/dds_texture_loader.h"
#include "render/device_global.h"
#include "render/loader_worker.h"
#include "render/render_target.h"
#include "render/renderable_manager.h"
#include "render/ui_draw_interface.h"

namespace {

constexpr float kWorldHalfSize = 1024.0f;
constexpr float kSceneHeightFraction = 0.804f;
// The sampler units the post effect's six textures may occupy.
constexpr std::uint32_t kPostSamplers = 16;

bool running(const std::unique_ptr<LoaderWorker>& worker) { return worker && !worker->isDone(); }

} // namespace

RenderStateGame::RenderStateGame(ThreadResourcePool* renderPool, std::string name, StateManager* manager,
                                 ParameterDescriptionRegistry* registry, RenderInterface* renderInterface,
                                 UIDrawInterface* ui, std::uint32_t width, std::uint32_t height)
    : BaseRenderState(std::move(name)), renderPool_(renderPool), stateManager_(manager), registry_(registry),
      renderInterface_(renderInterface), ui_(ui), width_(width), height_(height) {}

RenderStateGame::~RenderStateGame() { shutdown(); }

std::uint32_t RenderStateGame::sceneHeight(std::uint32_t height) {
    return std::uint32_t(double(height) * 0.002 * 402.0);
}

std::uint32_t RenderStateGame::shadowMapSize(const std::string& shadowDetail) {
    if (shadowDetail == "High") return 2048;
    if (shadowDetail == "Medium") return 1024;
    return 512;
}

bool RenderStateGame::workerRunning() const {
    if (running(firstWorker_) || running(secondWorker_) || running(unloadWorker_) || running(effectReloadWorker_) ||
        running(qualityLoadWorker_) || running(qualityFillWorker_))
        return true;
    for (const auto& entry : meshWorkers_) {
        if (running(entry.second)) return true;
    }
    return false;
}

void RenderStateGame::joinWorkers() {
    // A worker's destructor waits for its job: nothing it works on is freed under it.
    firstWorker_.reset();
    secondWorker_.reset();
    effectReloadWorker_.reset();
    qualityLoadWorker_.reset();
    qualityFillWorker_.reset();
    meshWorkers_.clear();
    unloadWorker_.reset();
}

void RenderStateGame::publishProgress(std::uint32_t percent) {
    progress_ = percent;
    if (renderInterface_) renderInterface_->setLoadingProgress(percent);
}

void RenderStateGame::loadData() {
    publishProgress(0);
    manager_ = std::make_unique<RenderableManager>(-kWorldHalfSize, -kWorldHalfSize, kWorldHalfSize, kWorldHalfSize,
                                                   renderPool_);
    manager_->init(renderInterface_, sceneName_);
    manager_->setScreenSize(width_, height_);
    const std::uint32_t viewHeight = sceneHeight(height_);
    manager_->setAspect(viewHeight ? float(width_) / float(viewHeight) : 1.0f);
    if (renderInterface_) renderInterface_->setSceneHeightFraction(kSceneHeightFraction);
    if (renderInterface_ && renderInterface_->shaderLevel() >= 3) {
        reflection_ = std::make_unique<DDSTextureLoader>(kReflectionTexturePath, this);
        reflection_->loadFile();
        manager_->queueLoadable(reflection_.get());
    }
    // The first worker starts in the next hand-off, once the scene's descriptions are registered.
    loadStartPending_ = true;
    setStatus(Loading);
}

void RenderStateGame::onLoadFinished() {
    if (!firstWorker_ || !firstWorker_->isDone()) return;
    publishProgress(25);
    int count = 0;
    if (!manager_->loadRenderAssets(count)) {
        publishProgress(25 + std::uint32_t(count) / 2);
        return;
    }
    publishProgress(75);
    firstWorker_.reset();
    RenderableManager* manager = manager_.get();
    secondWorker_ = std::make_unique<LoaderWorker>([manager] { manager->queueAssetFinishing(); });
    setStatus(FinishingOnRenderThread);
}

void RenderStateGame::finishLoad() {
    if (!secondWorker_ || !secondWorker_->isDone()) return;
    // Never below what the last step published: the finished pass reads 80 at least.
    progress_ = std::max<std::uint32_t>(progress_, 80);
    int count = 0;
    if (!manager_->finishRenderAssets(count)) {
        publishProgress(80 + std::uint32_t(count) / 5);
        return;
    }
    setStatus(WaitingForSceneContent);
    if (!scenePopulated_) return;
    createPostResources();
    createRenderTargets();
    setStatus(Loaded);
    publishProgress(100);
    secondWorker_.reset();
    fades_[0] = fades_[1] = 0.0f;
}

void RenderStateGame::enter() {
    onLostDevice();
    onResetDevice();
    setStatus(Running);
}

void RenderStateGame::update(float dt) {
    gfx::beginPerfEvent(0xFF22FFFF, "RenderState Game");
    renderFrame(dt);
    if (manager_ && renderInterface_) {
        manager_->setCameraFrame(renderInterface_->cameraBlock());
        manager_->applySettings(dt);
        manager_->update();
    }
    if (ui_) ui_->updateInstances();
    if (manager_) {
        if (manager_->effectReloadQueued() && effectReloadWorker_ && effectReloadWorker_->isDone() &&
            manager_->effectReloadDone()) {
            effectReloadWorker_.reset();
            manager_->clearEffectReloadQueued();
            for (BaseRenderable* renderable : manager_->renderables()) renderable->refreshFrameParameters();
        }
        advanceQualityReload();
        // Reloads work on the renderables: never beside another worker that does.
        if (renderInterface_ && renderInterface_->renderSettings().effectReloadRequested &&
            !manager_->effectReloadQueued() && !workerRunning()) {
            manager_->queueEffectReload();
            RenderableManager* manager = manager_.get();
            effectReloadWorker_ = std::make_unique<LoaderWorker>([manager] { manager->loadReloadQueue(); });
        }
    }
    // After drawing, while the update thread runs: nothing refers to these pairs any more.
    if (renderInterface_) renderInterface_->parameterManager()->releaseRetiredPairs();
    gfx::endPerfEvent();
}

void RenderStateGame::advanceQualityReload() {
    if (manager_->qualityReloadQueued()) {
        if (qualityLoadWorker_) {
            if (qualityLoadWorker_->isDone()) qualityLoadWorker_.reset();
        } else if (!manager_->qualityReloadPrepared()) {
            manager_->prepareNextQualityLoadable();
        } else if (!manager_->qualityFillStarted()) {
            manager_->setQualityFillStarted();
            RenderableManager* manager = manager_.get();
            qualityFillWorker_ = std::make_unique<LoaderWorker>([manager] { manager->fillQualityLoadables(); });
        } else if (qualityFillWorker_) {
            if (qualityFillWorker_->isDone()) qualityFillWorker_.reset();
        } else if (!manager_->qualityReloadDone()) {
            manager_->finishNextQualityLoadable();
        }
    }
    if (renderInterface_ && renderInterface_->renderSettings().qualityReloadRequested &&
        !manager_->qualityReloadQueued() && !workerRunning()) {
        manager_->queueQualityReload();
        RenderableManager* manager = manager_.get();
        qualityLoadWorker_ = std::make_unique<LoaderWorker>([manager] { manager->loadQualityReloadQueue(); });
    }
}

void RenderStateGame::unloadData() {
    scenePopulated_ = false;
    // Nothing may still load into what the unload frees.
    joinWorkers();
    setStatus(Unloading);
    if (!manager_) return;
    RenderableManager* manager = manager_.get();
    unloadWorker_ = std::make_unique<LoaderWorker>([manager] {
        for (BaseRenderable* renderable : manager->renderables()) renderable->unloadInstances();
        manager->setAssetsLoaded(false);
    });
}

void RenderStateGame::continueUnload() {
    if (running(unloadWorker_)) return;
    unloadWorker_.reset();
    if (manager_) {
        // No instance may outlive the asset it draws with.
        manager_->removeAllInstances();
        for (BaseRenderable* renderable : manager_->renderables()) renderable->releaseAssets();
    }
    if (reflection_) reflection_->unload();
    reflection_.reset();
    deleteRenderTargets();
    releasePostResources();
    gfx::safeRelease(backBuffer_);
    publishProgress(0);
    setStatus(Unloaded);
}

void RenderStateGame::shutdown() {
    joinWorkers();
    if (manager_) {
        // At a hand-over the hand-off has removed them already; at the program's end the update
        // thread has stopped.
        if (registry_) manager_->removeDescriptions(*registry_);
        manager_->removeAllInstances();
        manager_->shutdown();
        manager_.reset();
    }
    if (reflection_) reflection_->unload();
    reflection_.reset();
    deleteRenderTargets();
    releasePostResources();
    gfx::safeRelease(backBuffer_);
    loadStartPending_ = false;
    scenePopulated_ = false;
}

void RenderStateGame::linkNextState() {
    setStatus(LoadRequested);
    if (!stateManager_) return;
    if (BaseState* next = stateManager_->findState("frontEndState")) setNext(next);
}

void RenderStateGame::setScreenSize(std::uint32_t width, std::uint32_t height) {
    width_ = width;
    height_ = height;
    if (manager_) manager_->setScreenSize(width, height);
}

void RenderStateGame::onLostDevice() {
    if (manager_) {
        for (BaseRenderable* renderable : manager_->renderables()) renderable->onLostDevice();
    }
    for (RenderTarget* target : {sceneTarget_.get(), uiTarget_.get()}) {
        if (target) target->releaseResources();
    }
    if (reflection_) reflection_->onLostDevice();
    for (RenderTarget* target : {shadowBlurTarget_.get(), shadowTarget_.get(), normalTarget_.get(),
                                 positionTarget_.get(), ssaoTarget_.get(), ssaoWorkTarget_.get()}) {
        if (target) target->releaseResources();
    }
    if (postEffect_) {
        // The effect and the device hold the targets' textures it was given: a reset needs them gone.
        for (const char* parameter : {"gColourTex", "gUITex", "gNormalTexture", "gPositionTexture",
                                      "gSSAORandomTexture", "gSSAOUnblurredTexture"})
            postEffect_->setTexture(postEffect_->getParameterByName(parameter), nullptr);
        postEffect_->onLostDevice();
    }
    if (deviceGlobal) {
        for (std::uint32_t sampler = 0; sampler < kPostSamplers; ++sampler) deviceGlobal->setTexture(sampler, nullptr);
    }
    gfx::safeRelease(backBuffer_);
}

void RenderStateGame::onResetDevice() {
    if (manager_) manager_->onResetDevice();
    if (postEffect_) postEffect_->onResetDevice();
    createRenderTargets();
    for (RenderTarget* target : {sceneTarget_.get(), uiTarget_.get()}) {
        if (target) target->createResources();
    }
    if (reflection_) reflection_->onResetDevice();
    for (RenderTarget* target : {shadowBlurTarget_.get(), shadowTarget_.get(), ssaoTarget_.get(),
                                 ssaoWorkTarget_.get(), positionTarget_.get(), normalTarget_.get()}) {
        if (target) target->createResources();
    }
}
