#pragma once
// The static meshes of one folder: one texture sharing group for the batching (its name is the
// folder's last component), the folder's colour and normal atlases, and the batches queued for
// drawing this frame and for building.
#include <string>
#include <vector>

#include "render/renderable_batch.h"
#include "scene/mesh_atlas_group.h"

class StaticMeshRenderableAsset;
class StaticRenderableBatch;

class AssetTextureSharingGroup : public TextureSharingGroupInterface {
public:
    AssetTextureSharingGroup(ThreadResourcePool* renderContext, RenderInterface* renderInterface,
                             const std::string& folder);

    const std::string& getName() const override { return atlas_.name(); }
    MeshAtlasGroup& atlas() { return atlas_; }
    const MeshAtlasGroup& atlas() const { return atlas_; }

    // A batch whose cell the culling reached: drawn this frame, unless the group draws no
    // batches or has them suspended.
    void queueVisible(StaticRenderableBatch* batch);
    // A batch to build again, once however often it is asked (same conditions).
    void queuePending(StaticRenderableBatch* batch);

    std::vector<StaticMeshRenderableAsset*> assets;
    bool drawBatches = true;
    bool batchesSuspended = false;
    // Emptied after each colour pass.
    std::vector<StaticRenderableBatch*> visibleBatches;
    // Emptied when they are built.
    std::vector<StaticRenderableBatch*> pendingBatches;

private:
    MeshAtlasGroup atlas_;
};
