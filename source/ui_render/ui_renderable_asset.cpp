#include "ui_render/ui_renderable_asset.h"

#include "app/simple_parameter_group.h"

UIRenderableAsset::UIRenderableAsset(std::string name) : name_(std::move(name)) {}

UIRenderableAsset::~UIRenderableAsset() {
    for (ListSet& set : sets_) {
        for (UIRenderableInstance* record : set.main) delete record;
    }
}

void UIRenderableAsset::addInstance(ParameterManager::ParameterGroupPair* pair, std::uint32_t layer, bool ownType) {
    if (!pair) return;
    auto* record = new UIRenderableInstance();
    record->asset = this;
    record->pair = pair;
    if (SimpleParameterGroup* group = pair->renderGroup()) {
        BaseParameter* parameter = group->getParameter("render_layer");
        if (parameter && parameter->kind() == ParameterKind::UnsignedInt) {
            record->renderLayer = static_cast<UnsignedIntParameter*>(parameter);
        }
    }
    record->currentLayer = clampRenderLayer(layer);
    record->secondary = !ownType;
    createInstanceData(*record);
    ListSet& set = sets_[record->secondary ? 1 : 0];
    record->mainEntry = set.main.insert(set.main.end(), record);
    byPair_[pair] = record;
    fileInLayer(*record);
    updateInstanceData(*record);
}

void UIRenderableAsset::fileInLayer(UIRenderableInstance& record) {
    InstanceList& list = sets_[record.secondary ? 1 : 0].layers[clampRenderLayer(record.currentLayer)];
    record.filedLayer = clampRenderLayer(record.currentLayer);
    record.layerEntry = list.insert(list.end(), &record);
}

void UIRenderableAsset::removeFromLayerLists(UIRenderableInstance& record) {
    sets_[record.secondary ? 1 : 0].layers[record.filedLayer].erase(record.layerEntry);
}

void UIRenderableAsset::eraseRecord(UIRenderableInstance* record) {
    destroyInstanceData(*record);
    removeFromLayerLists(*record);
    sets_[record->secondary ? 1 : 0].main.erase(record->mainEntry);
    byPair_.erase(record->pair);
    delete record;
}

void UIRenderableAsset::removeInstance(RenderInterface::UIObject* object) {
    if (!object) return;
    auto found = byPair_.find(object->pair());
    if (found != byPair_.end()) eraseRecord(found->second);
}

void UIRenderableAsset::clearInstances() {
    for (ListSet& set : sets_) {
        for (UIRenderableInstance* record : set.main) {
            destroyInstanceData(*record);
            delete record;
        }
        set.main.clear();
        for (InstanceList& list : set.layers) list.clear();
    }
    byPair_.clear();
}
