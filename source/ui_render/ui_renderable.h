#pragma once
// The base of the UI renderables (one per path group of the UI render paths file) and of their
// shared assets, as far as the UI manager and the render states drive them.
#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include "app/parameter_manager.h"
#include "render/render_interface.h"

class ThreadResourcePool;
class UIManager;

class UIRenderableAsset {
public:
    explicit UIRenderableAsset(std::string name) : name_(std::move(name)) {}
    virtual ~UIRenderableAsset() = default;

    // Files an instance for the object's pair on a layer: in the main lists when the object is of
    // the asset's own type, else in the second set of lists.
    virtual void addInstance(ParameterManager::ParameterGroupPair* pair, std::uint32_t layer, bool ownType) = 0;
    virtual void removeInstance(RenderInterface::UIObject* object) = 0;
    virtual void onLostDevice() = 0;
    virtual void onResetDevice() = 0;

    const std::string& name() const { return name_; }

private:
    std::string name_;
};

class UIRenderable {
public:
    UIRenderable(ThreadResourcePool* renderPool, UIManager* manager, std::string className)
        : renderPool_(renderPool), manager_(manager), className_(std::move(className)) {}
    virtual ~UIRenderable() = default;
    UIRenderable(const UIRenderable&) = delete;
    UIRenderable& operator=(const UIRenderable&) = delete;

    virtual void loadAssets() = 0;
    virtual void createDeviceResources() = 0;
    virtual void unloadAssets() = 0;
    virtual void releaseDeviceResources() = 0;
    virtual void setUpParamDescriptions(ParameterDescriptionRegistry* registry) = 0;
    // Draws this renderable's instances filed on one layer.
    virtual void draw(std::uint32_t layer) = 0;
    // Refreshes every instance from its object's render-side parameters, moving it when its layer changed.
    virtual void updateInstances() = 0;
    // Whether the renderable takes a textured-rectangle object (and sets up what it shows).
    virtual bool prepareObject(const std::string& folder, const std::string& fileName, SimpleParameterGroup* group) {
        (void)folder;
        (void)fileName;
        (void)group;
        return true;
    }
    void onLostDevice() {
        for (UIRenderableAsset* asset : assets_) asset->onLostDevice();
    }
    void onResetDevice() {
        for (UIRenderableAsset* asset : assets_) asset->onResetDevice();
    }
    void destroyAssets() {
        for (UIRenderableAsset* asset : assets_) delete asset;
        assets_.clear();
    }

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
