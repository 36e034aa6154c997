#pragma once
// The renderable of the lit, shadowed meshes that may move every frame: every ".x" file of its
// folders is one asset ("Mesh_" + base name), the meshes of a folder share that folder's atlases,
// and with instancing on the visible instances of an asset draw in one call per subset.
#include <string>
#include <vector>

#include "render/base_renderable.h"
#include "scene/mesh_effect_set.h"

class DynamicMeshRenderableAsset;
class MeshAtlasGroup;
class RenderInterface;

class DynamicMeshRenderable : public BaseRenderable {
public:
    static constexpr const char* kClassName = "DynamicMeshRenderable";

    DynamicMeshRenderable(ThreadResourcePool* renderContext, RenderInterface* renderInterface,
                          RenderableManager* manager);
    ~DynamicMeshRenderable() override;

    void onLostDevice() override;
    void onResetDevice() override;
    void loadAssets() override;
    void fillLoadedTextures() override;
    void unloadInstances() override;
    void createEffects() override;
    void setFrameParameters() override;
    void releaseAssets() override;
    void queueLoadables() override;
    void refreshFrameParameters() override;
    void loadQualityTextures() override;
    void loadAtlasIndex() override;
    void setUpParamDescriptions(ParameterDescriptionRegistry& registry) override;
    void removeParamDescriptions(ParameterDescriptionRegistry& registry) override;
    // Nothing when an effect failed. With instancing on, each asset draws what the last culling
    // prepared in one call per subset, and the renderable asks to be prepared again.
    void drawPass(RenderableDirectionalLight* light, const ViewBlock& view, const PassContext& context, DrawPass pass,
                  float frameTime) override;
    // After the culling, with instancing on: every asset's instance stream from its visible list.
    void prepareInstancedArrays() override;

    const MeshEffectSet& effects() const { return effects_; }
    const std::vector<MeshAtlasGroup*>& groups() const { return groups_; }

private:
    bool instancing() const;

    RenderInterface* renderInterface_;
    MeshEffectSet effects_;
    std::vector<MeshAtlasGroup*> groups_;
    std::vector<std::string> registeredTypes_;
};
