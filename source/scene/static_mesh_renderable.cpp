#include "scene/static_mesh_renderable.h"

#include <algorithm>

#include "app/directory_lister.h"
#include "app/parameter_description.h"
#include "platform/gfx/device.h"
#include "platform/gfx/math_matrix.h"
#include "render/dds_texture_loader.h"
#include "render/device_global.h"
#include "render/render_interface.h"
#include "render/renderable_light.h"
#include "render/renderable_manager.h"
#include "scene/asset_texture_sharing_group.h"
#include "scene/dynamic_mesh_parameters.h"
#include "scene/static_mesh_asset.h"
#include "scene/static_renderable_batch.h"

namespace {

constexpr std::uint32_t kPerfEventColour = 0xFF22FFFF;

std::vector<FileEntry> meshFiles(const std::string& folder) {
    std::vector<FileEntry> files;
    listFolderEntries(folder, "x", files, false, false);
    return files;
}

void beginFirstPass(gfx::Effect* effect) {
    std::uint32_t passes = 0;
    effect->begin(&passes, 0);
    effect->beginPass(0);
}

void endPass(gfx::Effect* effect) {
    effect->endPass();
    effect->end();
}

} // namespace

StaticMeshRenderable::StaticMeshRenderable(ThreadResourcePool* renderContext, RenderInterface* renderInterface,
                                           RenderableManager* manager)
    : BaseRenderable(renderContext, kClassName, manager), renderInterface_(renderInterface),
      effects_(renderInterface) {
    drawOrder = 0;
}

StaticMeshRenderable::~StaticMeshRenderable() { releaseAssets(); }

BatchVertexLayout StaticMeshRenderable::layout() const {
    if (renderInterface_ && renderInterface_->renderSettings().shaderLevel < 3) return BatchVertexLayout::Compact;
    return vertexLit_ ? BatchVertexLayout::VertexLit : BatchVertexLayout::Lightmapped;
}

void StaticMeshRenderable::onLostDevice() {
    for (AssetTextureSharingGroup* group : groups_) {
        if (group->atlas().colourLoader()) group->atlas().colourLoader()->onLostDevice();
        if (group->atlas().normalLoader()) group->atlas().normalLoader()->onLostDevice();
    }
    BaseRenderable::onLostDevice();
}

void StaticMeshRenderable::onResetDevice() {
    for (AssetTextureSharingGroup* group : groups_) {
        if (group->atlas().colourLoader()) group->atlas().colourLoader()->onResetDevice();
        if (group->atlas().normalLoader()) group->atlas().normalLoader()->onResetDevice();
    }
    BaseRenderable::onResetDevice();
}

void StaticMeshRenderable::loadAssets() {
    for (const std::string& folder : assetFolders) {
        auto* group = new AssetTextureSharingGroup(renderContext(), renderInterface_, folder);
        group->atlas().loadAtlas(*this);
        for (const FileEntry& file : meshFiles(folder)) {
            auto* asset = new StaticMeshRenderableAsset("Mesh_" + file.name, renderContext(), this, group, folder,
                                                        file.name, 0);
            asset->loadStage1();
            if (manager()) manager()->registerAsset(asset);
            assets.push_back(asset);
            group->assets.push_back(asset);
        }
        groups_.push_back(group);
    }
    // Batches are baked in world space: the effects need no instance stream.
    effects_.loadEffects(*this, false);
}

void StaticMeshRenderable::fillLoadedTextures() {
    for (AssetTextureSharingGroup* group : groups_) {
        if (group->atlas().colourLoader()) group->atlas().colourLoader()->fillData();
        if (group->atlas().normalLoader()) group->atlas().normalLoader()->fillData();
    }
}

void StaticMeshRenderable::unloadInstances() {
    for (RenderableAsset* asset : assets) {
        asset->releaseInstanceData();
        asset->instances.clear();
    }
}

void StaticMeshRenderable::createEffects() { effects_.createEnvironment(); }

void StaticMeshRenderable::setFrameParameters() {
    loadables.clear();
    effects_.handToAssets<StaticMeshRenderableAsset>(assets);
}

void StaticMeshRenderable::refreshFrameParameters() { setFrameParameters(); }

void StaticMeshRenderable::releaseAssets() {
    for (RenderableAsset* asset : assets) asset->unload();
    for (StaticRenderableBatch* batch : batches_) delete batch;
    batches_.clear();
    for (AssetTextureSharingGroup* group : groups_) delete group;
    groups_.clear();
    effects_.release(true);
    deleteAssets();
}

void StaticMeshRenderable::queueLoadables() { effects_.queueLoaders(*this); }

void StaticMeshRenderable::loadQualityTextures() {
    for (AssetTextureSharingGroup* group : groups_) group->atlas().reloadAtlasTextures(*this);
}

void StaticMeshRenderable::loadAtlasIndex() {
    for (AssetTextureSharingGroup* group : groups_) group->atlas().reloadAtlasIndex();
}

void StaticMeshRenderable::setUpParamDescriptions(ParameterDescriptionRegistry& registry) {
    for (const std::string& folder : assetFolders)
        for (const FileEntry& file : meshFiles(folder))
            if (registerDynamicMeshDescription(registry, renderContext(), "Mesh_" + file.name))
                registeredTypes_.push_back("Mesh_" + file.name);
}

void StaticMeshRenderable::removeParamDescriptions(ParameterDescriptionRegistry& registry) {
    for (const std::string& name : registeredTypes_) registry.remove(name);
    registeredTypes_.clear();
}

AssetTextureSharingGroup* StaticMeshRenderable::groupOf(UnloadableBatchInterface* batch) const {
    TextureSharingGroupInterface* wanted = batch ? batch->getTextureSharingGroup() : nullptr;
    for (AssetTextureSharingGroup* group : groups_)
        if (group == wanted) return group;
    return nullptr;
}

void StaticMeshRenderable::buildPendingBatches() {
    for (AssetTextureSharingGroup* group : groups_) {
        std::vector<StaticRenderableBatch*> pending;
        pending.swap(group->pendingBatches);
        for (StaticRenderableBatch* batch : pending) buildStaticBatches(batch, group);
    }
}

void StaticMeshRenderable::prepareInstancedArrays() {
    queuedForPrepare_ = false;
    buildPendingBatches();
}

void StaticMeshRenderable::buildStaticBatches(UnloadableBatchInterface* batch, TextureSharingGroupInterface* group) {
    auto* built = static_cast<StaticRenderableBatch*>(batch);
    AssetTextureSharingGroup* sharing = groupOf(batch);
    if (!built || !sharing || sharing != group) return;
    built->releaseBuffers();
    // A batch whose last instance left draws nothing rather than the instances it had.
    if (built->count() == 0) return;
    static const std::vector<RenderablePointLight*> none;
    built->bakeLightmap(manager() ? manager()->pointLights() : none);
    ++batchBuildCount_;
    built->buildChunks(layout(), sharing->atlas());
}

void StaticMeshRenderable::drawStaticBatches(UnloadableBatchInterface* batch, gfx::Effect* effect, const ViewBlock&) {
    auto* drawn = static_cast<StaticRenderableBatch*>(batch);
    if (!drawn || drawn->chunks().empty()) return;
    drawn->draw(effect);
    if (effect == effects_.colour()) colourDraws_ += std::uint32_t(drawn->chunks().size());
}

void StaticMeshRenderable::unloadBatch(UnloadableBatchInterface* batch) {
    AssetTextureSharingGroup* group = groupOf(batch);
    if (!group) return;
    auto* visible = static_cast<StaticRenderableBatch*>(batch);
    // A frame without a colour pass must not let the list grow.
    if (std::find(group->visibleBatches.begin(), group->visibleBatches.end(), visible) != group->visibleBatches.end())
        return;
    group->queueVisible(visible);
}

void StaticMeshRenderable::addToBatch(UnloadableBatchInterface* batch) {
    AssetTextureSharingGroup* group = groupOf(batch);
    if (!group) return;
    group->queuePending(static_cast<StaticRenderableBatch*>(batch));
    if (!queuedForPrepare_ && manager()) {
        queuedForPrepare_ = true;
        manager()->queueForInstancedDrawing(this);
    }
}

void StaticMeshRenderable::registerBatch(UnloadableBatchInterface* batch) {
    batches_.push_back(static_cast<StaticRenderableBatch*>(batch));
}

bool StaticMeshRenderable::toggleVertexLit() {
    techniqueChanged_ = true;
    vertexLit_ = !vertexLit_;
    return vertexLit_;
}

void StaticMeshRenderable::toggleLightmapTechnique(const std::vector<RenderablePointLight*>&) { toggleVertexLit(); }

void StaticMeshRenderable::rebuildLightmaps() {
    for (StaticRenderableBatch* batch : batches_) batch->rebuildLightmap();
}

void StaticMeshRenderable::drawPass(RenderableDirectionalLight* light, const ViewBlock& view, const PassContext& context,
                                    DrawPass pass, float) {
    if (techniqueChanged_) {
        techniqueChanged_ = false;
        for (StaticRenderableBatch* batch : batches_)
            if (AssetTextureSharingGroup* group = groupOf(batch)) group->queuePending(batch);
    }
    // Built here too, so that batches draw with instancing off (the manager then prepares nothing).
    buildPendingBatches();
    if (!effects_.ready() || !deviceGlobal) return;
    gfx::Effect* effect = effects_.forPass(pass);
    const gfx::Matrix lightViewProjection = light ? light->shadowViewProjection() : gfx::identityMatrix();
    const bool vertexLitTechnique = vertexLit_ || layout() == BatchVertexLayout::Compact;
    const char* colourTechnique = vertexLitTechnique ? "BatchedLightShadowTech" : "BatchedLightmappedShadowTech";
    switch (pass) {
    case DrawPass::Shadow:
        effect->setTechnique(effect->getTechniqueByName("BuildShadowMapTech"));
        effect->setMatrix(effect->getParameterByName("gLightVP"), lightViewProjection);
        effect->setMatrix(effect->getParameterByName("gLightWVP"), gfx::identityMatrix());
        break;
    case DrawPass::Depth:
        effect->setTechnique(effect->getTechniqueByName("BuildDepthMapBatchedTech"));
        effect->setMatrix(effect->getParameterByName("gDepthViewProj"), view.viewProjection);
        effect->setMatrix(effect->getParameterByName("gDepthView"), view.view);
        break;
    case DrawPass::Colour:
        gfx::beginPerfEvent(kPerfEventColour, "Static Mesh Colour Pass");
        colourDraws_ = 0;
        effect->setTechnique(effect->getTechniqueByName(colourTechnique));
        effect->setMatrix(effect->getParameterByName("gViewProj"), view.viewProjection);
        effect->setMatrix(effect->getParameterByName("gLightVP"), lightViewProjection);
        if (light) effect->setValue(effect->getParameterByName("gLight"), &light->record(), sizeof(DirectionalLightRecord));
        effects_.bindColourPassInputs(view, context);
        break;
    }
    beginFirstPass(effect);
    for (AssetTextureSharingGroup* group : groups_) {
        if (pass == DrawPass::Colour) {
            const MeshAtlasGroup& atlas = group->atlas();
            effect->setTexture(effect->getParameterByName("gTex"),
                               atlas.colourLoader() ? atlas.colourLoader()->texture() : nullptr);
            effect->setTexture(effect->getParameterByName("gNormalTex"),
                               atlas.normalLoader() ? atlas.normalLoader()->texture() : nullptr);
        }
        if (group->drawBatches) {
            for (StaticRenderableBatch* batch : group->visibleBatches) {
                if (pass == DrawPass::Colour && batch->lightmapTexture())
                    effect->setTexture(batch->lightmapLookup(), batch->lightmapTexture());
                drawStaticBatches(batch, effect, view);
            }
            if (pass == DrawPass::Colour) group->visibleBatches.clear();
            continue;
        }
        // Instance by instance, in the mesh technique.
        endPass(effect);
        if (pass == DrawPass::Colour) effect->setTechnique(effect->getTechniqueByName("LightShadowTech"));
        if (pass == DrawPass::Shadow) effect->setMatrix(effect->getParameterByName("gLightVP"), gfx::identityMatrix());
        beginFirstPass(effect);
        for (StaticMeshRenderableAsset* asset : group->assets) {
            if (asset->visibleInstances.empty()) continue;
            asset->beginRender(pass, context, view);
            for (RenderableInstance* instance : asset->visibleInstances) asset->renderInstance(instance, view, context, pass);
            asset->endRender(pass, context, view);
        }
        endPass(effect);
        if (pass == DrawPass::Colour) effect->setTechnique(effect->getTechniqueByName(colourTechnique));
        if (pass == DrawPass::Shadow) effect->setMatrix(effect->getParameterByName("gLightVP"), lightViewProjection);
        beginFirstPass(effect);
    }
    endPass(effect);
    if (pass == DrawPass::Colour) gfx::endPerfEvent();
}
