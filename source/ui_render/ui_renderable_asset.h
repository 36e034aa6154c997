#pragma once
// The base of every UI asset: the drawing resources of one UI object type name and the records
// of the objects of that type, filed by render layer in a primary and a secondary set of lists.
#include <array>
#include <cstdint>
#include <list>
#include <string>
#include <unordered_map>

#include "app/parameter_manager.h"
#include "render/render_interface.h"
#include "ui_render/ui_render_layer.h"
#include "ui_render/ui_renderable_instance.h"

class UIBatchWriter;

class UIRenderableAsset {
public:
    static constexpr std::uint32_t layerCount = uiLayerCount;
    using InstanceList = std::list<UIRenderableInstance*>;

    explicit UIRenderableAsset(std::string name);
    // Deletes every record still filed (their per-instance data must be gone by then: see
    // clearInstances).
    virtual ~UIRenderableAsset();
    UIRenderableAsset(const UIRenderableAsset&) = delete;
    UIRenderableAsset& operator=(const UIRenderableAsset&) = delete;

    virtual void onLostDevice() {}
    virtual void onResetDevice() {}
    virtual void beforeDelete() {}
    virtual bool afterCreate() { return true; }
    virtual void beforeUnload() {}
    // Releases the effect, buffers and textures.
    virtual void unload() {}
    // Makes them; false when the asset cannot draw.
    virtual bool load() { return true; }

    // Drawing one layer: beginBatch, renderInstance for each record of the layer, endBatch.
    // The asset writes quads into the writer; the UI manager draws them.
    virtual void beginBatch(UIBatchWriter& writer) { (void)writer; }
    virtual void renderInstance(UIRenderableInstance& record, UIBatchWriter& writer) {
        (void)record;
        (void)writer;
    }
    virtual void endBatch(UIBatchWriter& writer) { (void)writer; }

    virtual void createInstanceData(UIRenderableInstance& record) { (void)record; }
    virtual void destroyInstanceData(UIRenderableInstance& record) { (void)record; }
    // Refreshes the record's data from the object's render-side parameters.
    virtual void updateInstanceData(UIRenderableInstance& record) { (void)record; }

    // Files a new object on a layer (clamped to the top layer): in the primary lists when the
    // object is of the asset's own type, else in the secondary ones.
    virtual void addInstance(ParameterManager::ParameterGroupPair* pair, std::uint32_t layer, bool ownType);
    // Takes the object's record out of whichever set holds it; nothing when neither does.
    virtual void removeInstance(RenderInterface::UIObject* object);
    // Frees every record and its data; all lists end empty.
    void clearInstances();
    // Takes the record out of the layer list it is in.
    void removeFromLayerLists(UIRenderableInstance& record);
    // Appends the record to the list of its current layer.
    void fileInLayer(UIRenderableInstance& record);

    bool isNamed(const std::string& name) const { return name == name_; }
    const std::string& name() const { return name_; }
    const InstanceList& mainList(bool secondary = false) const { return sets_[secondary ? 1 : 0].main; }
    const InstanceList& layerList(std::uint32_t layer, bool secondary = false) const {
        return sets_[secondary ? 1 : 0].layers[clampRenderLayer(layer)];
    }

private:
    struct ListSet {
        std::array<InstanceList, layerCount> layers;
        InstanceList main;
    };
    void eraseRecord(UIRenderableInstance* record);

    std::string name_;
    std::array<ListSet, 2> sets_;
    // Every filed record by its object's pair: deletions come in bulk.
    std::unordered_map<const ParameterManager::ParameterGroupPair*, UIRenderableInstance*> byPair_;
};
