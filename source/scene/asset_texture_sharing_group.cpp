#include "scene/asset_texture_sharing_group.h"

#include <algorithm>

AssetTextureSharingGroup::AssetTextureSharingGroup(ThreadResourcePool* renderContext, RenderInterface* renderInterface,
                                                   const std::string& folder)
    : atlas_(renderContext, renderInterface, folder) {}

void AssetTextureSharingGroup::queueVisible(StaticRenderableBatch* batch) {
    if (batch && drawBatches && !batchesSuspended) visibleBatches.push_back(batch);
}

void AssetTextureSharingGroup::queuePending(StaticRenderableBatch* batch) {
    if (!batch || !drawBatches || batchesSuspended) return;
    if (std::find(pendingBatches.begin(), pendingBatches.end(), batch) == pendingBatches.end())
        pendingBatches.push_back(batch);
}
