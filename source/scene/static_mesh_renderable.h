#pragma once
// The renderable of the scene's fixed, lit meshes: every ".x" file of its folders is one static
// mesh asset, the meshes of a folder share one texture sharing group, and the instances of one
// tree cell and group are baked into static batches, lit by a baked lightmap or per vertex, and
// drawn one call per chunk, whether instancing is on or off.
#include <cstdint>
#include <string>
#include <vector>

#include "render/base_renderable.h"
#include "scene/mesh_effect_set.h"

class AssetTextureSharingGroup;
class RenderInterface;
class StaticRenderableBatch;
enum class BatchVertexLayout;

class StaticMeshRenderable : public BaseRenderable {
public:
    static constexpr const char* kClassName = "StaticMeshRenderable";

    StaticMeshRenderable(ThreadResourcePool* renderContext, RenderInterface* renderInterface,
                         RenderableManager* manager);
    ~StaticMeshRenderable() override;

    void onLostDevice() override;
    void onResetDevice() override;
    void loadAssets() override;
    void fillLoadedTextures() override;
    // Worker: the instances leave their assets. The effects stay until releaseAssets, on the
    // render thread.
    void unloadInstances() override;
    void createEffects() override;
    void setFrameParameters() override;
    // The assets' meshes, every batch, the groups and the effects (released once, here).
    void releaseAssets() override;
    void queueLoadables() override;
    void refreshFrameParameters() override;
    void loadQualityTextures() override;
    void loadAtlasIndex() override;
    void setUpParamDescriptions(ParameterDescriptionRegistry& registry) override;
    void removeParamDescriptions(ParameterDescriptionRegistry& registry) override;
    // Builds the batches waiting for it, then draws every group's visible batches (or, for a group
    // that draws no batches, its instances one by one); the colour pass empties the visible
    // lists. Nothing when an effect failed.
    void drawPass(RenderableDirectionalLight* light, const ViewBlock& view, const PassContext& context, DrawPass pass,
                  float frameTime) override;
    void prepareInstancedArrays() override;
    void drawStaticBatches(UnloadableBatchInterface* batch, gfx::Effect* effect, const ViewBlock& view) override;
    void buildStaticBatches(UnloadableBatchInterface* batch, TextureSharingGroupInterface* group) override;
    void unloadBatch(UnloadableBatchInterface* batch) override;
    void addToBatch(UnloadableBatchInterface* batch) override;
    void registerBatch(UnloadableBatchInterface* batch) override;
    // Flips between lightmapped and vertex-lit batches; every batch is rebuilt at the next pass.
    void toggleLightmapTechnique(const std::vector<RenderablePointLight*>& pointLights) override;
    void rebuildLightmaps() override;
    bool usesLightmaps() const override { return true; }

    // Flips vertexLit and returns its new value.
    bool toggleVertexLit();
    bool vertexLit() const { return vertexLit_; }
    std::uint32_t batchBuildCount() const { return batchBuildCount_; }
    const std::vector<StaticRenderableBatch*>& batches() const { return batches_; }
    const std::vector<AssetTextureSharingGroup*>& groups() const { return groups_; }
    const MeshEffectSet& effects() const { return effects_; }
    // Draw calls of batch chunks in the last colour pass.
    std::uint32_t lastColourPassDraws() const { return colourDraws_; }

private:
    BatchVertexLayout layout() const;
    // Every pending batch of every group built, the pending lists emptied.
    void buildPendingBatches();
    AssetTextureSharingGroup* groupOf(UnloadableBatchInterface* batch) const;

    RenderInterface* renderInterface_;
    MeshEffectSet effects_;
    std::vector<AssetTextureSharingGroup*> groups_;
    std::vector<StaticRenderableBatch*> batches_;
    std::vector<std::string> registeredTypes_;
    std::uint32_t batchBuildCount_ = 0;
    std::uint32_t colourDraws_ = 0;
    bool queuedForPrepare_ = false;
    bool techniqueChanged_ = false;
    bool vertexLit_ = false;
};
