// The staged loading of the renderable manager: both loading passes, the effect and quality
// reloads, and the run-time mesh requests.
#include <algorithm>

#include "app/log.h"
#include "platform/clock.h"
#include "render/base_renderable.h"
#include "render/loadable_asset.h"
#include "render/renderable_asset.h"
#include "render/renderable_manager.h"

namespace {

template <class T>
void append(std::list<T*>& to, const std::list<T*>& from) {
    to.insert(to.end(), from.begin(), from.end());
}

} // namespace

int RenderableManager::percentDone(const LoadQueues& queues) const {
    if (loadTotal_ == 0) return 100;
    const std::size_t remaining = std::min(queues.remaining(), loadTotal_);
    return int((loadTotal_ - remaining) * 100 / loadTotal_);
}

void RenderableManager::queueLoadable(LoadableAsset* loadable) {
    firstPass_.loadables.push_back(loadable);
    extraLoadables_.push_back(loadable);
}

void RenderableManager::queueRenderAssetLoading() {
    for (BaseRenderable* renderable : renderables_) {
        renderable->loadAssets();
        firstPass_.renderables.push_back(renderable);
        append(firstPass_.assets, renderable->assets);
        // The loaders stay listed: the finishing pass takes them again to finish them.
        append(firstPass_.loadables, renderable->loadables);
    }
    loadTotal_ = firstPass_.remaining();
    assetsLoaded_ = true;
}

bool RenderableManager::loadRenderAssets(int& percent) {
    const std::uint64_t now = platform::millisecondsSinceStart();
    LOG_MESSAGE("Render Asset Load Time: %d", int(now - lastStepClock_));
    lastStepClock_ = now;
    LOG_MESSAGE("XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX  --- STARTED NEW RENDER ASSET LOADING ----- "
                "XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX\n"
                "XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX");
    if (!firstPass_.renderables.empty()) {
        BaseRenderable* renderable = firstPass_.renderables.front();
        LOG_MESSAGE("Renderable Name: %s", renderable->className().c_str());
        renderable->createEffects();
        firstPass_.renderables.pop_front();
    } else if (!firstPass_.loadables.empty()) {
        firstPass_.loadables.front()->prepare();
        firstPass_.loadables.pop_front();
    } else if (!firstPass_.assets.empty()) {
        RenderableAsset* asset = firstPass_.assets.front();
        LOG_MESSAGE("Asset Name: %s", asset->name().c_str());
        asset->loadStage2();
        firstPass_.assets.pop_front();
    }
    percent = percentDone(firstPass_);
    return firstPass_.remaining() == 0;
}

void RenderableManager::queueAssetFinishing() {
    for (LoadableAsset* loadable : extraLoadables_) {
        loadable->fillData();
        finishingPass_.loadables.push_back(loadable);
    }
    extraLoadables_.clear();
    for (BaseRenderable* renderable : renderables_) {
        renderable->fillLoadedTextures();
        finishingPass_.renderables.push_back(renderable);
        append(finishingPass_.assets, renderable->assets);
        finishingPass_.loadables.splice(finishingPass_.loadables.end(), renderable->loadables);
    }
}

bool RenderableManager::finishRenderAssets(int& percent) {
    if (!finishingPass_.renderables.empty()) {
        finishingPass_.renderables.front()->setFrameParameters();
        finishingPass_.renderables.pop_front();
    } else if (!finishingPass_.loadables.empty()) {
        finishingPass_.loadables.front()->finishLoad();
        finishingPass_.loadables.pop_front();
    } else if (!finishingPass_.assets.empty()) {
        finishingPass_.assets.front()->refreshEffectHandles();
        finishingPass_.assets.pop_front();
    }
    percent = percentDone(finishingPass_);
    return finishingPass_.remaining() == 0;
}

void RenderableManager::queueEffectReload() {
    for (BaseRenderable* renderable : renderables_) {
        renderable->queueLoadables();
        effectReload_.splice(effectReload_.end(), renderable->loadables);
    }
    effectReloadQueued_ = true;
    effectReloadDone_ = false;
}

void RenderableManager::loadReloadQueue() {
    while (!effectReload_.empty()) {
        effectReload_.front()->loadFile();
        effectReload_.pop_front();
    }
    effectReloadDone_ = true;
}

void RenderableManager::queueQualityReload() {
    for (BaseRenderable* renderable : renderables_) {
        renderable->loadQualityTextures();
        qualityReload_.splice(qualityReload_.end(), renderable->loadables);
    }
    qualityQueued_ = true;
    qualityPrepared_ = false;
    qualityFillStarted_ = false;
    qualityDone_ = false;
}

void RenderableManager::loadQualityReloadQueue() {
    for (LoadableAsset* loadable : qualityReload_) loadable->loadFile();
    for (BaseRenderable* renderable : renderables_) renderable->loadAtlasIndex();
}

void RenderableManager::prepareNextQualityLoadable() {
    if (qualityReload_.empty()) {
        qualityPrepared_ = true;
        return;
    }
    LoadableAsset* loadable = qualityReload_.front();
    qualityReload_.pop_front();
    loadable->prepare();
    qualityFinishing_.push_back(loadable);
}

void RenderableManager::fillQualityLoadables() {
    for (LoadableAsset* loadable : qualityFinishing_) loadable->fillData();
}

void RenderableManager::finishNextQualityLoadable() {
    if (qualityFinishing_.empty()) {
        qualityDone_ = true;
        qualityQueued_ = false;
        qualityPrepared_ = false;
        return;
    }
    qualityFinishing_.front()->finishLoad();
    qualityFinishing_.pop_front();
}

void RenderableManager::loadMeshAssetByName(const std::string& className, const std::string& folder,
                                            const std::string& fileName) {
    for (BaseRenderable* renderable : renderables_) {
        if (renderable->className() == className) renderable->loadMeshAsset(folder, fileName);
    }
    assetsLoaded_ = true;
}

void RenderableManager::fillMeshTexturesByName(const std::string& className, const std::string& folder,
                                               const std::string& fileName) {
    for (BaseRenderable* renderable : renderables_) {
        if (renderable->className() == className) renderable->fillMeshTextures(folder, fileName);
    }
}

bool RenderableManager::prepareMeshByName(const std::string& className, const std::string& folder,
                                          const std::string& fileName) {
    for (BaseRenderable* renderable : renderables_) {
        if (renderable->className() != className) continue;
        for (LoadableAsset* loadable : renderable->loadables) {
            if (loadable->getState() == LoadableAsset::FileLoaded) loadable->prepare();
        }
        renderable->loadMeshOnDevice(folder, fileName);
    }
    return true;
}

bool RenderableManager::finishMeshByName(const std::string& className, const std::string& folder,
                                         const std::string& fileName) {
    for (BaseRenderable* renderable : renderables_) {
        if (renderable->className() != className) continue;
        for (LoadableAsset* loadable : renderable->loadables) {
            if (loadable->getState() == LoadableAsset::Prepared) loadable->finishLoad();
        }
        renderable->setUpMeshEffect(folder, fileName);
    }
    return true;
}
