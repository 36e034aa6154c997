#pragma once
// Everything the game render state draws in 3D: the renderables of the scene's render paths file,
// their assets by name, the instances, lights and regions that render objects make, the
// visibility tree over them and the camera's frustum. It steps the staged loading one device item
// per poll and draws each pass through every renderable in draw order.
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "render/draw_pass.h"
#include "render/render_interface.h"
#include "render/render_paths.h"

class BaseRenderable;
class InstanceTreeRecord;
class LightTreeRecord;
class LoadableAsset;
class ParameterDescriptionRegistry;
class RegionRecord;
class RenderableAsset;
class RenderableDirectionalLight;
class RenderableInstanceTree;
class RenderablePointLight;
class ThreadResourcePool;
class ViewFrustum;

class RenderableManager {
public:
    using RenderObject = RenderInterface::RenderableObject;

    // The tree covers the square from (minX, minZ) to (maxX, maxZ) of the ground.
    RenderableManager(float minX, float minZ, float maxX, float maxZ, ThreadResourcePool* renderPool);
    // Frees what shutdown left: the tree, the frustum and the renderables.
    ~RenderableManager();
    RenderableManager(const RenderableManager&) = delete;
    RenderableManager& operator=(const RenderableManager&) = delete;

    // Makes the tree and the frustum, and one renderable per path group of the file that has a
    // factory (in draw order; equal orders keep file order). A missing or malformed file makes
    // none. Registers no descriptions: see registerDescriptions.
    void init(RenderInterface* renderInterface, const std::string& renderPathsFile);
    // The parameter descriptions of every renderable's types and of the two light types. The
    // update thread looks the registry up while it makes objects, so both run in the hand-off only.
    void registerDescriptions(ParameterDescriptionRegistry& registry);
    void removeDescriptions(ParameterDescriptionRegistry& registry);
    bool descriptionsRegistered() const { return descriptionsRegistered_; }
    // Destroys the tree (every instance and light), the frustum and every renderable.
    void shutdown();

    // Staged loading: the queue steps run on a worker, the polls on the render thread one item
    // per call (renderables, then loadables, then assets); percent is done over the first
    // pass's totals, truncated, and 100 for an empty scene.
    void queueRenderAssetLoading();
    bool loadRenderAssets(int& percent);
    void queueAssetFinishing();
    bool finishRenderAssets(int& percent);
    // A loadable no renderable owns (the reflection texture): loaded and finished with the rest.
    void queueLoadable(LoadableAsset* loadable);

    // Effect reload: queue on the render thread, load on a worker.
    void queueEffectReload();
    void loadReloadQueue();
    bool effectReloadQueued() const { return effectReloadQueued_; }
    bool effectReloadDone() const { return effectReloadDone_; }
    void clearEffectReloadQueued() { effectReloadQueued_ = false; }

    // Texture-quality reload, in four phases: queue; files and atlas indexes on a worker; prepare
    // one loadable per poll; fill on a worker; finish one per poll.
    void queueQualityReload();
    void loadQualityReloadQueue();
    void prepareNextQualityLoadable();
    void fillQualityLoadables();
    void finishNextQualityLoadable();
    bool qualityReloadQueued() const { return qualityQueued_; }
    bool qualityReloadPrepared() const { return qualityPrepared_; }
    bool qualityFillStarted() const { return qualityFillStarted_; }
    void setQualityFillStarted() { qualityFillStarted_ = true; }
    bool qualityReloadDone() const { return qualityDone_; }

    // A render object's extra mesh, by renderable class name: load and fill on a worker, the
    // other two on the render thread.
    void loadMeshAssetByName(const std::string& className, const std::string& folder, const std::string& fileName);
    void fillMeshTexturesByName(const std::string& className, const std::string& folder, const std::string& fileName);
    bool prepareMeshByName(const std::string& className, const std::string& folder, const std::string& fileName);
    bool finishMeshByName(const std::string& className, const std::string& folder, const std::string& fileName);

    // Objects, render thread.
    void registerAsset(RenderableAsset* asset);
    RenderableAsset* findAsset(const std::string& name) const;
    // Ignored when the object's type names no asset.
    void addInstanceByName(RenderObject* object);
    void addInstance(RenderObject* object, RenderableAsset* asset);
    // "directional_light" becomes the directional light, "point_light" a point light; any type
    // gets its record in the tree.
    void addLight(RenderObject* object);
    void addRegion(RenderInterface::Region* region);
    // The instance (when it still exists) leaves its asset's lists and the tree; false when the
    // object was never added.
    bool removeInstance(RenderObject* object);
    bool removeLight(RenderObject* object);
    bool removeRegion(RenderInterface::Region* region);
    // Before the assets are freed: no instance may outlive its asset. The objects stay known.
    void removeAllInstances();

    // Per frame.
    void applySettings(float elapsed);
    void setCameraFrame(RenderInterface::CameraBlock& frame);
    void update();
    // Every renderable's pass, only with a frustum, a directional light and a pass context.
    void draw(const PassContext* context, DrawPass pass, float elapsed);
    void queueForInstancedDrawing(BaseRenderable* renderable) { instanced_.push_back(renderable); }
    void prepareInstancedArrays();
    void onResetDevice();

    void setScreenSize(std::uint32_t width, std::uint32_t height);
    void setAspect(float aspect) { aspect_ = aspect; }
    bool assetsLoaded() const { return assetsLoaded_; }
    void setAssetsLoaded(bool loaded) { assetsLoaded_ = loaded; }

    const std::vector<BaseRenderable*>& renderables() const { return renderables_; }
    const std::vector<RenderablePointLight*>& pointLights() const { return pointLights_; }
    RenderableDirectionalLight* directionalLight() const { return directionalLight_; }
    RenderableInstanceTree* tree() const { return tree_; }
    ViewFrustum* frustum() const { return frustum_; }
    const std::list<LoadableAsset*>& qualityFinishingList() const { return qualityFinishing_; }
    std::size_t instanceCount() const { return instances_.size(); }
    std::size_t lightCount() const { return lights_.size(); }
    std::size_t regionCount() const { return regions_.size(); }

private:
    struct LoadQueues {
        std::list<BaseRenderable*> renderables;
        std::list<RenderableAsset*> assets;
        std::list<LoadableAsset*> loadables;
        std::size_t remaining() const { return renderables.size() + assets.size() + loadables.size(); }
    };
    int percentDone(const LoadQueues& queues) const;

    RenderableInstanceTree* tree_ = nullptr;
    std::vector<BaseRenderable*> renderables_;
    std::uint32_t width_ = 0;
    std::uint32_t height_ = 0;
    ThreadResourcePool* renderPool_;
    ViewFrustum* frustum_ = nullptr;
    RenderableDirectionalLight* directionalLight_ = nullptr;
    // Keyed by the render object itself.
    std::unordered_map<const RenderObject*, InstanceTreeRecord*> instances_;
    std::unordered_map<const RenderObject*, LightTreeRecord*> lights_;
    std::unordered_map<const RenderInterface::Region*, RegionRecord*> regions_;
    std::vector<RenderablePointLight*> pointLights_;
    RenderInterface* renderInterface_ = nullptr;
    std::vector<PathGroup> pathGroups_;

    LoadQueues firstPass_;
    LoadQueues finishingPass_;
    std::list<LoadableAsset*> extraLoadables_;
    std::list<LoadableAsset*> effectReload_;
    std::list<LoadableAsset*> qualityReload_;
    std::list<LoadableAsset*> qualityFinishing_;

    float minX_, minZ_, maxX_, maxZ_;
    static constexpr int kTreeDepth = 5;
    bool groundIsXY_ = false;
    bool perspective_ = true;
    float aspect_ = 1.0f;

    std::vector<std::pair<std::string, RenderableAsset*>> assetList_;
    std::unordered_map<std::string, RenderableAsset*> assetIndex_;

    std::size_t loadTotal_ = 0;
    std::uint64_t lastStepClock_ = 0;
    bool updating_ = false;
    bool effectReloadQueued_ = false;
    bool effectReloadDone_ = false;
    bool qualityQueued_ = false;
    bool qualityPrepared_ = false;
    bool qualityFillStarted_ = false;
    bool qualityDone_ = false;
    bool assetsLoaded_ = true;
    bool descriptionsRegistered_ = false;

    std::vector<BaseRenderable*> instanced_;
};
