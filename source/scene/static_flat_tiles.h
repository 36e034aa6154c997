#pragma once
// Static 2D tiles: tiles that do not move, one type per entry of each ".tai" atlas index in the
// class's folders ("static_2d_tile_" + key), drawn from the index's ".dds" page. The tiles of one
// page and one tree cell are baked in world space into shared buffers (a batch), rebuilt when a
// tile joins or leaves, or its "tint" changes.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/gfx/effect.h"
#include "render/base_renderable.h"
#include "render/bounding_record.h"
#include "render/renderable_asset.h"
#include "render/renderable_batch.h"
#include "render/texture_atlas_index.h"

namespace gfx {
class IndexBuffer;
class VertexBuffer;
} // namespace gfx
class DDSTextureLoader;
class FXShaderLoader;
class QuadTreeNode;
class RenderInterface;
class SimpleParameterGroup;
class Static2DFlatTileRenderable;
class StaticFlatTileRenderableBatch;

// The 24-byte coloured vertex of the tile batches: position, A8R8G8B8 colour, texture coordinate.
struct BakedTileVertex {
    float position[3];
    std::uint32_t colour;
    float uv[2];
};
static_assert(sizeof(BakedTileVertex) == 24);

// The colour a tile is baked with: opaque black without parameters, else its "tint" as
// A8R8G8B8, each component times 255 clamped to 0..255 and truncated.
std::uint32_t bakedTileColour(const SimpleParameterGroup* parameters);

// One atlas page: its index, its texture and the batches to draw and to build this frame.
class FlatTileTextureSharingGroup final : public TextureSharingGroupInterface {
public:
    FlatTileTextureSharingGroup(std::string folder, std::string name);
    ~FlatTileTextureSharingGroup();
    FlatTileTextureSharingGroup(const FlatTileTextureSharingGroup&) = delete;
    FlatTileTextureSharingGroup& operator=(const FlatTileTextureSharingGroup&) = delete;

    const std::string& getName() const override { return name_; }
    const std::string& folder() const { return folder_; }
    // Reads folder + name + ".tai" again.
    void loadAtlasIndex();
    const TextureAtlasIndex& atlasIndex() const { return index_; }
    // The keys of the index's entries, in key order.
    std::vector<std::string> keys() const;
    const AtlasPlacement& placement(const std::string& key) const { return index_.find(name_, key); }
    // The page loader, made for folder + name + ".dds" (again) by each call.
    DDSTextureLoader* pageLoader(bool remake);
    DDSTextureLoader* loader() const { return loader_; }
    void releaseLoader();

    std::vector<StaticFlatTileRenderableBatch*> drawQueue;
    std::vector<StaticFlatTileRenderableBatch*> buildQueue;

private:
    std::string folder_, name_;
    TextureAtlasIndex index_;
    DDSTextureLoader* loader_ = nullptr;
};

class Static2DFlatTileRenderableAsset final : public BatchableRenderableAsset {
public:
    Static2DFlatTileRenderableAsset(const std::string& key, ThreadResourcePool* renderContext,
                                    Static2DFlatTileRenderable* owner, FlatTileTextureSharingGroup* group);
    ~Static2DFlatTileRenderableAsset() override;

    void onLostDevice() override {}
    void onResetDevice() override {}
    void loadStage1() override {}
    // The template quad for the back buffer's size.
    void loadStage2() override;
    void fillLoadedTextures() override {}
    void refreshEffectHandles() override {}
    void unload() override;
    void releaseInstanceData() override {}
    // A changed "tint" asks for the tile's batch to be built again.
    void updateInstanceData(RenderableInstance* instance, float frameTime) override;
    // Batched tiles are drawn by their batches.
    void beginRender(DrawPass, const PassContext&, const ViewBlock&) override {}
    void renderInstance(RenderableInstance*, const ViewBlock&, const PassContext&, DrawPass) override {}
    void endRender(DrawPass, const PassContext&, const ViewBlock&) override {}
    const BoundingRecord* getBoundingBox() const override { return &bounds_; }
    TextureSharingGroupInterface* getTextureSharingGroup() override { return group_; }
    gfx::Effect* getBatchEffect() override { return effect_; }
    UnloadableBatchInterface* createBatch(QuadTreeNode* cell, BaseRenderable* owner, TextureSharingGroupInterface* group,
                                          gfx::Effect* effect) override;

    void setEffect(gfx::Effect* effect) { effect_ = effect; }
    FlatTileTextureSharingGroup* group() const { return group_; }
    const AtlasPlacement& placement() const { return group_->placement(key_); }
    // The quad's four corners, their colour opaque black.
    const std::vector<BakedTileVertex>& templateQuad() const { return template_; }

private:
    Static2DFlatTileRenderable* tiles_;
    std::string key_;
    FlatTileTextureSharingGroup* group_;
    BoundingRecord bounds_;
    gfx::Effect* effect_ = nullptr;
    std::vector<BakedTileVertex> template_;
    gfx::VertexBuffer* vertices_ = nullptr;
    gfx::IndexBuffer* indices_ = nullptr;
};

class StaticFlatTileRenderableBatch final : public UnloadableBatchInterface {
public:
    static constexpr std::uint32_t kTilesPerBuffer = 5000;
    static constexpr std::uint32_t kVerticesPerBuffer = 65536;
    struct Buffer {
        gfx::VertexBuffer* vertices = nullptr;
        gfx::IndexBuffer* indices = nullptr;
        std::uint32_t vertexCount = 0;
        std::uint32_t indexCount = 0;
    };

    // Registers itself with its owner.
    StaticFlatTileRenderableBatch(QuadTreeNode* cell, Static2DFlatTileRenderable* owner,
                                  FlatTileTextureSharingGroup* group, gfx::Effect* effect);
    ~StaticFlatTileRenderableBatch();
    StaticFlatTileRenderableBatch(const StaticFlatTileRenderableBatch&) = delete;
    StaticFlatTileRenderableBatch& operator=(const StaticFlatTileRenderableBatch&) = delete;

    TextureSharingGroupInterface* getTextureSharingGroup() const override { return group_; }
    BaseRenderable* getOwner() const override;
    // Files the tile with its asset and asks for a build (tiles of assets that are not batchable
    // are ignored).
    void addInstance(RenderableInstance* instance) override;
    // The tile leaves; when it was filed, the batch is built again.
    void removeInstance(RenderableInstance* instance) override;
    void unload() override;

    // Bakes the tiles again: buffers of at most kTilesPerBuffer tiles, never past
    // kVerticesPerBuffer vertices. False when a buffer cannot be made.
    bool build();
    void releaseBuffers();
    // Every buffer in one call each through the active effect pass.
    void draw(gfx::Effect* effect);

    std::uint32_t tileCount() const;
    const std::vector<Buffer>& buffers() const { return buffers_; }
    // Where each tile's vertices start (buffer, first vertex), and the colour each was baked with.
    struct Placed {
        std::uint32_t buffer = 0, firstVertex = 0, colour = 0;
    };
    const std::map<RenderableInstance*, Placed>& placed() const { return placed_; }
    std::uint32_t drawCount() const { return draws_; }

private:
    struct AssetTiles {
        Static2DFlatTileRenderableAsset* asset = nullptr;
        std::vector<RenderableInstance*> tiles;
    };
    std::vector<AssetTiles> perAsset_;
    std::vector<Buffer> buffers_;
    std::map<RenderableInstance*, Placed> placed_;
    QuadTreeNode* cell_;
    Static2DFlatTileRenderable* owner_;
    FlatTileTextureSharingGroup* group_;
    gfx::Effect* effect_;
    std::uint32_t draws_ = 0;
};

class Static2DFlatTileRenderable : public BaseRenderable {
public:
    Static2DFlatTileRenderable(ThreadResourcePool* renderContext, RenderInterface* renderInterface,
                               RenderableManager* manager);
    ~Static2DFlatTileRenderable() override;

    void onLostDevice() override;
    void onResetDevice() override;
    // Worker: every page's loader and file read, one asset per index entry, the effect's read.
    void loadAssets() override;
    void fillLoadedTextures() override;
    void unloadInstances() override;
    void createEffects() override {}
    // The effect from its loader, handed to every asset.
    void setFrameParameters() override;
    void releaseAssets() override;
    void queueLoadables() override;
    void refreshFrameParameters() override { setFrameParameters(); }
    void loadQualityTextures() override;
    void loadAtlasIndex() override;
    // One atlas page per ".tai" file of the folders; a type per entry.
    void setUpParamDescriptions(ParameterDescriptionRegistry& registry) override;
    void removeParamDescriptions(ParameterDescriptionRegistry& registry) override;
    // The colour pass: every page's queued batches, with the effect's first technique.
    void drawPass(RenderableDirectionalLight* light, const ViewBlock& view, const PassContext& context, DrawPass pass,
                  float frameTime) override;
    // Builds the batches queued since the last call.
    void prepareInstancedArrays() override;
    bool wantsInstanceUpdates() const override { return true; }
    void drawStaticBatches(UnloadableBatchInterface* batch, gfx::Effect* effect, const ViewBlock& view) override;
    void buildStaticBatches(UnloadableBatchInterface* batch, TextureSharingGroupInterface* group) override;
    void unloadBatch(UnloadableBatchInterface* batch) override;
    void addToBatch(UnloadableBatchInterface* batch) override;
    void registerBatch(UnloadableBatchInterface* batch) override;

    gfx::Effect* effect() const { return effect_; }
    FXShaderLoader* effectLoader() const { return effectLoader_; }
    const std::vector<FlatTileTextureSharingGroup*>& groups() const { return groups_; }
    const std::vector<StaticFlatTileRenderableBatch*>& batches() const { return batches_; }
    std::uint32_t backBufferWidth() const;
    std::uint32_t backBufferHeight() const;
    // The batch a tile was filed in, or null.
    StaticFlatTileRenderableBatch* batchOf(RenderableInstance* tile) const;
    void fileTile(RenderableInstance* tile, StaticFlatTileRenderableBatch* batch);
    void forgetTile(RenderableInstance* tile);

private:
    RenderInterface* renderInterface_;
    FXShaderLoader* effectLoader_ = nullptr;
    gfx::Effect* effect_ = nullptr;
    gfx::EffectHandle viewProj_{}, imageTexture_{};
    std::vector<StaticFlatTileRenderableBatch*> batches_;
    std::vector<std::string> descriptionNames_;
    std::vector<FlatTileTextureSharingGroup*> groups_;
    std::map<RenderableInstance*, StaticFlatTileRenderableBatch*> tileBatches_;
    bool queued_ = false;
};
