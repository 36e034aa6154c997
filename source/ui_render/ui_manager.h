#pragma once
// Draws every UI object on layers 0 to 31 through the UI renderables made from the UI render paths file.
#include <cstdint>
#include <list>
#include <string>
#include <unordered_map>
#include <vector>

#include "render/render_interface.h"
#include "render/render_paths.h"
#include "render/ui_draw_interface.h"
#include "ui_render/ui_batch_writer.h"
#include "ui_render/ui_render_layer.h"

class ThreadResourcePool;
class UIRenderable;
class UIRenderableAsset;

class UIManager : public UIDrawInterface {
public:
    static constexpr std::uint32_t layerCount = uiLayerCount;
    // Once the renderables have written this many quads, they are drawn and handed to the
    // driver before the rest are written: software GL (llvmpipe) rasterises them meanwhile,
    // where one upload per frame left every pixel until the present. Smaller chunks cost more
    // in flushes than they gain.
    static constexpr std::uint32_t chunkQuads = 1024;

    UIManager(ThreadResourcePool* renderPool, RenderInterface* renderInterface);
    ~UIManager() override;
    UIManager(const UIManager&) = delete;
    UIManager& operator=(const UIManager&) = delete;

    // Makes one renderable per path group, loads their assets and registers their object types.
    void loadRenderPaths(ParameterDescriptionRegistry* registry, const std::string& path) override;
    UIRenderable* createUIRenderable(std::string className);
    void setUpParamDescriptions(ParameterDescriptionRegistry* registry);
    void destroyRenderables() override;
    // Between the device's begin and end of scene; begins no scene itself. Layer by layer, and
    // within a layer renderable by renderable in file order; what a renderable wrote is drawn
    // before the next one draws. The quads go to the device about chunkQuads at a time.
    void draw() override;
    // Every renderable refreshes its instances' drawing data from their parameters.
    void updateInstances() override;
    void onLostDevice() override;
    void onResetDevice() override;
    // Files a queued object with the asset that draws its type; an unknown type is never drawn.
    void addInstance(RenderInterface::UIObject* object) override;
    // Takes the object's record out of the asset that drew it.
    void removeInstance(RenderInterface::UIObject* object) override;
    // The asset that draws the object: the one its renderable class picks, else its type name's.
    UIRenderableAsset* assetOf(const RenderInterface::UIObject& object) const;
    // The image saves done since the last call, by pair (render thread, hand-off).
    std::vector<UIImageSaveOutcome> takeSaveOutcomes() override;
    // Asks every renderable of that class to take a textured rectangle; the last one asked answers.
    bool prepareObject(const std::string& renderableClassName, const std::string& folder,
                       const std::string& fileName, SimpleParameterGroup* group) override;

    // The asset serves the type of its own name; a name registered before keeps its asset.
    void registerAsset(UIRenderableAsset* asset);
    void registerAssetAlias(UIRenderableAsset* asset, const std::string& name);

    std::list<UIRenderable*>& renderables() { return renderables_; }
    const std::vector<PathGroup>& pathGroups() const { return pathGroups_; }
    // Type name to the asset that draws objects of that type (the renderables own the assets).
    std::unordered_map<std::string, UIRenderableAsset*>& typeNameMap() { return typeNameMap_; }
    UIRenderableAsset* findAsset(const std::string& typeName) const;
    UIBatchWriter& batchWriter() { return batchWriter_; }
    RenderInterface* renderInterface() const { return renderInterface_; }

private:
    // One layer of one renderable in the frame, and its first run in the batch writer.
    struct Slot {
        std::uint32_t layer;
        UIRenderable* renderable;
        std::uint32_t section;
    };
    // Uploads what the writer holds, draws the slots from firstSlot on in order, hands the draws
    // to the driver and empties the writer.
    void drawChunk(gfx::Device* device, std::size_t firstSlot);

    std::list<UIRenderable*> renderables_;
    ThreadResourcePool* renderPool_;
    RenderInterface* renderInterface_;
    std::vector<PathGroup> pathGroups_;
    std::unordered_map<std::string, UIRenderableAsset*> typeNameMap_;
    UIBatchWriter batchWriter_;
    // The slots of the frame so far, in drawing order.
    std::vector<Slot> slots_;
};
