#pragma once
// The contract between the renderable manager and the 3D renderable classes: one object per class
// named in the scene's render paths file, driven through the loading stages, the draw passes,
// device loss and unloading. The scene's renderables implement it; everything not overridden keeps
// the behaviour given here. Slots run on the render thread unless they say "worker".
#include <list>
#include <string>
#include <vector>

#include "render/draw_pass.h"

namespace gfx {
class Effect;
}
class LoadableAsset;
class ParameterDescriptionRegistry;
class RenderableAsset;
class RenderableDirectionalLight;
class RenderableInstance;
class RenderableManager;
class RenderablePointLight;
class TextureSharingGroupInterface;
class ThreadResourcePool;
class UnloadableBatchInterface;

class BaseRenderable {
public:
    BaseRenderable(ThreadResourcePool* renderContext, const std::string& className, RenderableManager* manager);
    // Frees the lists; the assets are deleted by releaseAssets (deleteAssets).
    virtual ~BaseRenderable();
    BaseRenderable(const BaseRenderable&) = delete;
    BaseRenderable& operator=(const BaseRenderable&) = delete;

    // Every asset's, in list order.
    virtual void onLostDevice();
    virtual void onResetDevice();
    // Worker: creates the assets (each loadStage1, registered with the manager, appended to
    // assets) and appends the loaders it needs to loadables. Touches no device.
    virtual void loadAssets() = 0;
    // Worker, after the loaders have read and filled their files.
    virtual void fillLoadedTextures() = 0;
    // Worker, while the scene unloads.
    virtual void unloadInstances() = 0;
    virtual void createEffects() = 0;
    virtual void setFrameParameters() = 0;
    // After the unload worker has finished; ends with deleteAssets.
    virtual void releaseAssets() = 0;
    // A render object that needs one more mesh file at run time, by (folder, file name): the
    // first and the third on a worker, the others on the render thread.
    virtual void loadMeshAsset(const std::string& folder, const std::string& fileName);
    virtual void fillMeshTextures(const std::string& folder, const std::string& fileName);
    virtual void loadMeshOnDevice(const std::string& folder, const std::string& fileName);
    virtual void setUpMeshEffect(const std::string& folder, const std::string& fileName);
    // Effect reload: refills loadables; then, once the loaders are done, refreshFrameParameters.
    virtual void queueLoadables();
    virtual void refreshFrameParameters();
    // Texture-quality reload: refills loadables from the atlas folder of the texture detail;
    // loadAtlasIndex (worker) reads that folder's "atlas_texture.tai".
    virtual void loadQualityTextures();
    virtual void loadAtlasIndex();
    // Registers, and at shutdown removes, the parameter description of each render-object type
    // the class draws.
    virtual void setUpParamDescriptions(ParameterDescriptionRegistry& registry) = 0;
    virtual void removeParamDescriptions(ParameterDescriptionRegistry& registry) = 0;
    // For each asset with visible instances: beginRender, renderInstance for each of them in
    // order, endRender. The light and the frame time are not used here.
    virtual void drawPass(RenderableDirectionalLight* light, const ViewBlock& view, const PassContext& context,
                          DrawPass pass, float frameTime);
    // Every asset's, when there are assets.
    virtual void prepareInstancedArrays();
    // Whether the manager runs updateAssetInstances every frame.
    virtual bool wantsInstanceUpdates() const;
    virtual void drawStaticBatches(UnloadableBatchInterface* batch, gfx::Effect* effect, const ViewBlock& view);
    virtual void buildStaticBatches(UnloadableBatchInterface* batch, TextureSharingGroupInterface* group);
    // A batch of a cell the culling reached this frame.
    virtual void unloadBatch(UnloadableBatchInterface* batch);
    // A batch gained an instance.
    virtual void addToBatch(UnloadableBatchInterface* batch);
    // Called by every new batch's constructor.
    virtual void registerBatch(UnloadableBatchInterface* batch);
    // Reached only when usesLightmaps answers true.
    virtual void toggleLightmapTechnique(const std::vector<RenderablePointLight*>& pointLights);
    virtual void rebuildLightmaps();
    virtual bool usesLightmaps() const;

    // Empties every asset's visibleInstances; the instances stay attached.
    void clearAssetInstances();
    // For every asset and every instance in its `instances`: updateInstanceData.
    void updateAssetInstances(float frameTime);
    // Deletes every asset and empties the list.
    void deleteAssets();

    RenderableManager* manager() const { return manager_; }
    ThreadResourcePool* renderContext() const { return renderContext_; }
    const std::string& className() const { return className_; }

    // Owned.
    std::list<RenderableAsset*> assets;
    // Waiting for the manager's next loading stage, which takes the whole list.
    std::list<LoadableAsset*> loadables;
    // Set by the manager: the render-path group's name and folders, in file order.
    std::string groupName = "default";
    std::vector<std::string> assetFolders;
    // Set by each class's constructor: the manager draws renderables in ascending order, equal
    // orders in the order of the render paths file.
    int drawOrder = 0;

private:
    RenderableManager* manager_;
    ThreadResourcePool* renderContext_;
    std::string className_;
};
