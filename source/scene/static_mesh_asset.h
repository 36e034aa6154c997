#pragma once
// One ".x" mesh of the static mesh renderable: loaded into the 52-byte lightmapped layout, it
// draws its instances one by one when they are not batched, gives the lightmap baker its
// triangles and surface, and makes the static batch of a cell.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/gfx/effect.h"
#include "render/bounding_record.h"
#include "render/renderable_asset.h"
#include "scene/mesh_file.h"

class StaticMeshRenderableAsset : public BatchableRenderableAsset {
public:
    StaticMeshRenderableAsset(const std::string& name, ThreadResourcePool* renderContext, BaseRenderable* owner,
                              TextureSharingGroupInterface* sharingGroup, const std::string& folder,
                              const std::string& baseName, std::uint32_t batchValue);
    ~StaticMeshRenderableAsset() override;

    void onLostDevice() override {}
    void onResetDevice() override {}
    void loadStage1() override {}
    // Loads the mesh (a file without lightmap coordinates is named in the log and still loads; a
    // file that fails leaves the asset absent), sums its surface and makes its box a cube.
    void loadStage2() override;
    void fillLoadedTextures() override {}
    void refreshEffectHandles() override;
    void unload() override;
    void releaseInstanceData() override {}
    void onInstanceAdded(RenderableInstance* instance) override;
    void beginRender(DrawPass pass, const PassContext& context, const ViewBlock& view) override;
    void renderInstance(RenderableInstance* instance, const ViewBlock& view, const PassContext& context,
                        DrawPass pass) override;
    void endRender(DrawPass, const PassContext&, const ViewBlock&) override {}
    const BoundingRecord* getBoundingBox() const override { return &bounds_; }
    std::uint32_t getLightmapTriangleCount() const override;
    gfx::VertexBuffer* getLightmapVertexBuffer() override;
    gfx::IndexBuffer* getLightmapIndexBuffer() override;
    float getLightmapSizeFactor() const override { return surfaceArea_; }
    TextureSharingGroupInterface* getTextureSharingGroup() override { return sharingGroup_; }
    gfx::Effect* getBatchEffect() override { return colour_; }
    UnloadableBatchInterface* createBatch(QuadTreeNode* cell, BaseRenderable* owner, TextureSharingGroupInterface* group,
                                          gfx::Effect* effect) override;

    void setEffects(gfx::Effect* colour, gfx::Effect* shadow, gfx::Effect* depth);

    bool absent() const { return !file_.mesh; }
    const MeshFile& file() const { return file_; }
    // Every instance ever attached, in attaching order.
    const std::vector<RenderableInstance*>& lightmapInstances() const { return lightmapInstances_; }
    std::uint32_t drawnSubsets() const { return drawnSubsets_; }

private:
    void drawSubsets(bool count);

    std::vector<RenderableInstance*> lightmapInstances_;
    TextureSharingGroupInterface* sharingGroup_;
    BoundingRecord bounds_;
    MeshFile file_;
    gfx::Effect* colour_ = nullptr;
    gfx::Effect* shadow_ = nullptr;
    gfx::Effect* depth_ = nullptr;
    struct ColourHandles {
        gfx::EffectHandle wvp, world, lightWvp, material, light, pointLights[4], highlight;
    } colourHandles_{};
    gfx::EffectHandle shadowLightWvp_ = 0;
    gfx::EffectHandle depthWvp_ = 0;
    std::string folder_;
    std::string baseName_;
    std::uint32_t batchValue_;
    std::uint32_t drawnSubsets_ = 0;
    float surfaceArea_ = 0.0f;
};
