#include "render/base_renderable.h"

#include "render/renderable_asset.h"

BaseRenderable::BaseRenderable(ThreadResourcePool* renderContext, const std::string& className,
                               RenderableManager* manager)
    : manager_(manager), renderContext_(renderContext), className_(className) {}

BaseRenderable::~BaseRenderable() = default;

void BaseRenderable::onLostDevice() {
    for (RenderableAsset* asset : assets) asset->onLostDevice();
}

void BaseRenderable::onResetDevice() {
    for (RenderableAsset* asset : assets) asset->onResetDevice();
}

void BaseRenderable::loadMeshAsset(const std::string&, const std::string&) {}
void BaseRenderable::fillMeshTextures(const std::string&, const std::string&) {}
void BaseRenderable::loadMeshOnDevice(const std::string&, const std::string&) {}
void BaseRenderable::setUpMeshEffect(const std::string&, const std::string&) {}
void BaseRenderable::queueLoadables() {}
void BaseRenderable::refreshFrameParameters() {}
void BaseRenderable::loadQualityTextures() {}
void BaseRenderable::loadAtlasIndex() {}

void BaseRenderable::drawPass(RenderableDirectionalLight*, const ViewBlock& view, const PassContext& context,
                              DrawPass pass, float) {
    for (RenderableAsset* asset : assets) {
        if (asset->visibleInstances.empty()) continue;
        asset->beginRender(pass, context, view);
        for (RenderableInstance* instance : asset->visibleInstances) asset->renderInstance(instance, view, context, pass);
        asset->endRender(pass, context, view);
    }
}

void BaseRenderable::prepareInstancedArrays() {
    for (RenderableAsset* asset : assets) asset->prepareInstancedArrays();
}

bool BaseRenderable::wantsInstanceUpdates() const { return true; }
void BaseRenderable::drawStaticBatches(UnloadableBatchInterface*, gfx::Effect*, const ViewBlock&) {}
void BaseRenderable::buildStaticBatches(UnloadableBatchInterface*, TextureSharingGroupInterface*) {}
void BaseRenderable::unloadBatch(UnloadableBatchInterface*) {}
void BaseRenderable::addToBatch(UnloadableBatchInterface*) {}
void BaseRenderable::registerBatch(UnloadableBatchInterface*) {}
void BaseRenderable::toggleLightmapTechnique(const std::vector<RenderablePointLight*>&) {}
void BaseRenderable::rebuildLightmaps() {}
bool BaseRenderable::usesLightmaps() const { return false; }

void BaseRenderable::clearAssetInstances() {
    for (RenderableAsset* asset : assets) asset->visibleInstances.clear();
}

void BaseRenderable::updateAssetInstances(float frameTime) {
    for (RenderableAsset* asset : assets) {
        for (RenderableInstance* instance : asset->instances) asset->updateInstanceData(instance, frameTime);
    }
}

void BaseRenderable::deleteAssets() {
    for (RenderableAsset* asset : assets) delete asset;
    assets.clear();
}
