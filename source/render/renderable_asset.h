#pragma once
// One drawable thing of a 3D renderable class (a mesh file, a tile set, a cube): it owns the
// device resources and draws one instance at a time. Scene assets implement it; the renderable
// manager and the visibility tree call it.
#include <array>
#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include "render/draw_pass.h"

namespace gfx {
class Effect;
class IndexBuffer;
class VertexBuffer;
} // namespace gfx
class BaseRenderable;
class QuadTreeNode;
class RenderableInstance;
class TextureSharingGroupInterface;
class ThreadResourcePool;
class UnloadableBatchInterface;
struct BoundingRecord;

class RenderableAsset {
public:
    RenderableAsset(const std::string& name, ThreadResourcePool* renderContext, BaseRenderable* owner,
                    bool batchable);
    // Frees the lists; the instances belong to the manager.
    virtual ~RenderableAsset();
    RenderableAsset(const RenderableAsset&) = delete;
    RenderableAsset& operator=(const RenderableAsset&) = delete;

    virtual void onLostDevice() = 0;
    virtual void onResetDevice() = 0;
    // File and CPU work, callable off the render thread.
    virtual void loadStage1() = 0;
    // Device work: buffers, textures, effects.
    virtual void loadStage2() = 0;
    virtual void fillLoadedTextures() = 0;
    virtual void refreshEffectHandles() = 0;
    // Releases the device resources.
    virtual void unload() = 0;
    virtual void releaseInstanceData() = 0;
    // Right after the instance joined `instances`.
    virtual void onInstanceAdded(RenderableInstance* instance);
    // Every frame, for each instance, when the renderable wants instance updates.
    virtual void updateInstanceData(RenderableInstance* instance, float frameTime);
    virtual void beginRender(DrawPass pass, const PassContext& context, const ViewBlock& view) = 0;
    virtual void renderInstance(RenderableInstance* instance, const ViewBlock& view, const PassContext& context,
                                DrawPass pass) = 0;
    virtual void endRender(DrawPass pass, const PassContext& context, const ViewBlock& view) = 0;
    // The box every instance of this asset starts from.
    virtual const BoundingRecord* getBoundingBox() const = 0;
    // The culling found the instance visible this frame: appends it to visibleInstances.
    virtual void addInstance(RenderableInstance* instance);
    virtual void prepareInstancedArrays();
    // The vertex query: fills the points and indices of the asset's mesh.
    virtual void copyVertices(std::vector<std::array<float, 3>>& points, std::vector<std::uint32_t>& indices);
    virtual std::uint32_t getLightmapTriangleCount() const;
    // With one reference added, which the caller releases; null by default.
    virtual gfx::VertexBuffer* getLightmapVertexBuffer();
    virtual gfx::IndexBuffer* getLightmapIndexBuffer();
    virtual float getLightmapSizeFactor() const;

    const std::string& name() const { return name_; }
    ThreadResourcePool* renderContext() const { return renderContext_; }
    BaseRenderable* owner() const { return owner_; }
    bool batchable() const { return batchable_; }

    // The instances that passed this frame's culling; valid from the culling to the next
    // clearAssetInstances.
    std::vector<RenderableInstance*> visibleInstances;
    // Every instance attached to this asset, appended by the manager.
    std::list<RenderableInstance*> instances;

private:
    ThreadResourcePool* renderContext_;
    std::string name_;
    bool batchable_;
    BaseRenderable* owner_;
};

// An asset whose instances are drawn from static batches, one per tree cell, renderable class
// and texture sharing group.
class BatchableRenderableAsset : public RenderableAsset {
public:
    BatchableRenderableAsset(const std::string& name, ThreadResourcePool* renderContext, BaseRenderable* owner)
        : RenderableAsset(name, renderContext, owner, true) {}

    virtual TextureSharingGroupInterface* getTextureSharingGroup() = 0;
    // The effect a batch of this asset draws with.
    virtual gfx::Effect* getBatchEffect() = 0;
    // A new batch for one cell; the cell keeps it in its batch list, its owner destroys it.
    virtual UnloadableBatchInterface* createBatch(QuadTreeNode* cell, BaseRenderable* owner,
                                                  TextureSharingGroupInterface* group, gfx::Effect* effect) = 0;
};
