#pragma once
// The base of the UI renderables: one per group of the UI render paths file, owning the assets
// that draw its object types, driven by the UI manager.
#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include "app/parameter_manager.h"
#include "platform/gfx/effect.h"
#include "render/render_interface.h"
#include "render/ui_draw_interface.h"
#include "ui_render/ui_renderable_asset.h"

class ParameterDescriptionRegistry;
class SimpleParameterGroup;
class ThreadResourcePool;
class UIManager;

class UIRenderable {
public:
    // The manager may be null for a renderable made only to register its descriptions.
    UIRenderable(ThreadResourcePool* renderPool, UIManager* manager, std::string className);
    virtual ~UIRenderable() = default;
    UIRenderable(const UIRenderable&) = delete;
    UIRenderable& operator=(const UIRenderable&) = delete;

    // Makes the assets (afterCreate, addAsset).
    virtual void loadAssets() = 0;
    // Each asset's beforeUnload, then its records are cleared.
    virtual void unloadAssets();
    // Whether the renderable takes a textured-rectangle object (and sets up what it shows).
    virtual bool prepareObject(const std::string& folder, const std::string& fileName, SimpleParameterGroup* group);
    // For an object made for an image file: true when this renderable decides which asset draws
    // it (asset null: none); false leaves it to the object's type name.
    virtual bool assetForObject(const RenderInterface::UIObject& object, UIRenderableAsset*& asset) {
        (void)object;
        (void)asset;
        return false;
    }
    // The image saves done since the last call, by pair, each written or failed.
    virtual std::vector<UIImageSaveOutcome> takeSaveOutcomes() { return {}; }
    // Each asset's load.
    virtual void createDeviceResources();
    // Each asset's unload, then the assets are destroyed.
    virtual void releaseDeviceResources();
    // For each asset with records on the layer: beginBatch, renderInstance of each, endBatch.
    virtual void draw(std::uint32_t layer);
    // Whether draw only writes into the manager's batch writer, which then draws what it wrote
    // in its place in the frame; otherwise draw draws at once.
    virtual bool drawsThroughBatchWriter() const { return false; }
    virtual void setUpParamDescriptions(ParameterDescriptionRegistry* registry) = 0;
    // After a frame: each primary record's data refreshed and re-filed when its layer changed.
    virtual void updateInstances();

    void onLostDevice() {
        for (UIRenderableAsset* asset : assets_) asset->onLostDevice();
    }
    void onResetDevice() {
        for (UIRenderableAsset* asset : assets_) asset->onResetDevice();
    }
    // beforeDelete and delete of every asset.
    void destroyAssets();
    // Registers the asset's name with the manager and takes the asset.
    void addAsset(UIRenderableAsset* asset);

    const std::string& className() const { return className_; }
    const std::string& pathGroupName() const { return pathGroupName_; }
    const std::vector<std::string>& paths() const { return paths_; }
    void setPathGroup(const std::string& name, const std::vector<std::string>& paths) {
        pathGroupName_ = name;
        paths_ = paths;
    }
    const std::list<UIRenderableAsset*>& assets() const { return assets_; }

protected:
    ThreadResourcePool* renderPool_;
    UIManager* manager_;
    std::list<UIRenderableAsset*> assets_;

private:
    std::string className_;
    std::string pathGroupName_ = "default";
    std::vector<std::string> paths_;
};
