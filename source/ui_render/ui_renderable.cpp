#include "ui_render/ui_renderable.h"

#include "ui_render/ui_manager.h"

UIRenderable::UIRenderable(ThreadResourcePool* renderPool, UIManager* manager, std::string className)
    : renderPool_(renderPool), manager_(manager), className_(std::move(className)) {}

void UIRenderable::unloadAssets() {
    for (UIRenderableAsset* asset : assets_) {
        asset->beforeUnload();
        asset->clearInstances();
    }
}

bool UIRenderable::prepareObject(const std::string& folder, const std::string& fileName, SimpleParameterGroup* group) {
    (void)folder;
    (void)fileName;
    (void)group;
    return true;
}

void UIRenderable::createDeviceResources() {
    for (UIRenderableAsset* asset : assets_) asset->load();
}

void UIRenderable::releaseDeviceResources() {
    for (UIRenderableAsset* asset : assets_) asset->unload();
    destroyAssets();
}

void UIRenderable::draw(std::uint32_t layer) {
    if (!manager_) return;
    UIBatchWriter& writer = manager_->batchWriter();
    for (UIRenderableAsset* asset : assets_) {
        const UIRenderableAsset::InstanceList& records = asset->layerList(layer);
        if (records.empty()) continue;
        asset->beginBatch(writer);
        for (UIRenderableInstance* record : records) {
            if (record->currentLayer == layer) asset->renderInstance(*record, writer);
        }
        asset->endBatch(writer);
    }
}

void UIRenderable::updateInstances() {
    for (UIRenderableAsset* asset : assets_) {
        for (UIRenderableInstance* record : asset->mainList()) {
            asset->updateInstanceData(*record);
            const std::uint32_t layer = clampRenderLayer(record->renderLayer ? record->renderLayer->value : record->currentLayer);
            if (record->firstUpdate) {
                record->firstUpdate = 0;
                // A layer set between filing and this update must not leave the record in a
                // list it is never drawn from.
                if (layer != record->currentLayer) {
                    record->currentLayer = layer;
                    asset->removeFromLayerLists(*record);
                    asset->fileInLayer(*record);
                }
            } else if (layer != record->currentLayer) {
                record->moved = 1;
                record->currentLayer = layer;
            }
            if (record->moved) {
                asset->removeFromLayerLists(*record);
                asset->fileInLayer(*record);
            }
        }
    }
}

void UIRenderable::destroyAssets() {
    for (UIRenderableAsset* asset : assets_) {
        asset->beforeDelete();
        delete asset;
    }
    assets_.clear();
}

void UIRenderable::addAsset(UIRenderableAsset* asset) {
    if (manager_) manager_->registerAsset(asset);
    assets_.push_back(asset);
}
