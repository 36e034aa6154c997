#pragma once
// Flat textured quads in the scene, one tile type per ".dds" file of the class's folders (the
// type is the file's name without extension). Each tile shows its "uv" rectangle of the texture
// with its "tint" added. The consecutive visible tiles of one type go to the device in one
// instanced draw, each tile's world matrix, "uv" and "tint" in a second vertex stream.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/gfx/effect.h"
#include "render/base_renderable.h"
#include "render/bounding_record.h"
#include "render/declared_parameter.h"
#include "render/renderable_asset.h"
#include "scene/instance_stream.h"

namespace gfx {
class IndexBuffer;
class Texture;
class VertexBuffer;
class VertexDeclaration;
} // namespace gfx
class RenderInterface;
class FlatTileGroupRenderable;

// One corner of the tile quad: position and texture coordinate, 20 bytes.
struct FlatTileVertex {
    float position[3];
    float uv[2];
};
static_assert(sizeof(FlatTileVertex) == 20);

// The quad spans 0..2 in x and y; every corner is shifted by one back-buffer pixel in u and v.
std::vector<FlatTileVertex> flatTileQuad(std::uint32_t width, std::uint32_t height);

class FlatTileGroupRenderableAsset : public RenderableAsset {
public:
    FlatTileGroupRenderableAsset(const std::string& name, ThreadResourcePool* renderContext,
                                 FlatTileGroupRenderable* owner, std::string texturePath);
    ~FlatTileGroupRenderableAsset() override;

    void onLostDevice() override {}
    void onResetDevice() override {}
    void loadStage1() override {}
    // The quad for the back buffer's size, its indices and the texture.
    void loadStage2() override;
    void fillLoadedTextures() override {}
    void refreshEffectHandles() override {}
    void unload() override;
    void releaseInstanceData() override {}
    void beginRender(DrawPass pass, const PassContext& context, const ViewBlock& view) override;
    // Takes the tile into the pass's draw; a tile without parameters keeps the "uv" and "tint"
    // of the tile before it.
    void renderInstance(RenderableInstance* instance, const ViewBlock& view, const PassContext& context,
                        DrawPass pass) override;
    // Draws the tiles taken since beginRender in one call.
    void endRender(DrawPass pass, const PassContext& context, const ViewBlock& view) override;
    const BoundingRecord* getBoundingBox() const override { return &bounds_; }

    const std::string& texturePath() const { return texturePath_; }
    gfx::VertexBuffer* vertexBuffer() const { return vertices_; }
    // The "uv" and "tint" each tile of the draws since the asset was made was drawn with, and the
    // instances of each draw, for tests and benchmarks.
    struct DrawnTile {
        Vector4Value uv, tint;
    };
    const std::vector<DrawnTile>& drawnTiles() const { return drawnTiles_; }
    const std::vector<std::uint32_t>& draws() const { return draws_; }
    // Keeps only the counts (long benchmark runs).
    void recordTiles(bool record) { recordTiles_ = record; }

private:
    struct InstanceRecord {
        float worldColumns[3][4];
        float uv[4];
        float tint[4];
    };
    bool makeInstanceStream(std::uint32_t count);

    FlatTileGroupRenderable* group_;
    BoundingRecord bounds_;
    std::string texturePath_;
    gfx::VertexBuffer* vertices_ = nullptr;
    gfx::IndexBuffer* indices_ = nullptr;
    gfx::Texture* texture_ = nullptr;
    gfx::VertexDeclaration* declaration_ = nullptr;
    InstanceStream instanceStream_;
    std::vector<InstanceRecord> pending_;
    std::vector<DrawnTile> drawnTiles_;
    std::vector<std::uint32_t> draws_;
    bool recordTiles_ = true;
};

class FlatTileGroupRenderable : public BaseRenderable {
public:
    FlatTileGroupRenderable(ThreadResourcePool* renderContext, RenderInterface* renderInterface,
                            RenderableManager* manager);
    ~FlatTileGroupRenderable() override;

    // Worker: one asset per ".dds" file of the folders, in listing order.
    void loadAssets() override;
    void fillLoadedTextures() override {}
    void unloadInstances() override;
    // The tile effect and the instanced effect; a failed one shows its errors and stays null.
    void createEffects() override;
    void setFrameParameters() override {}
    void releaseAssets() override;
    void setUpParamDescriptions(ParameterDescriptionRegistry& registry) override;
    void removeParamDescriptions(ParameterDescriptionRegistry& registry) override;
    // The colour pass only, premultiplied blending; the batches handed in are dropped.
    void drawPass(RenderableDirectionalLight* light, const ViewBlock& view, const PassContext& context, DrawPass pass,
                  float frameTime) override;
    void prepareInstancedArrays() override { frameBatches_.clear(); }
    bool wantsInstanceUpdates() const override { return false; }
    void unloadBatch(UnloadableBatchInterface* batch) override { pendingBatches_.push_back(batch); }
    void addToBatch(UnloadableBatchInterface* batch) override;

    gfx::Effect* tileEffect() const { return tileEffect_; }
    gfx::Effect* instancedEffect() const { return instancedEffect_; }
    // Back-buffer size, or 0 by 0 without a render interface.
    std::uint32_t backBufferWidth() const;
    std::uint32_t backBufferHeight() const;

    // The "uv" and "tint" the next tile without parameters is drawn with: the last tile's, or
    // the values set when the assets were loaded.
    Vector4Value currentUv{0.0f, 0.0f, 1.0f, 1.0f};
    Vector4Value currentTint{0.0f, 0.0f, 0.0f, 1.0f};

private:
    struct TileFile {
        std::string folder, fileName, typeName;
    };
    std::vector<TileFile> tileFiles() const;
    void releaseEffects();

    RenderInterface* renderInterface_;
    gfx::Effect* tileEffect_ = nullptr;
    gfx::Effect* instancedEffect_ = nullptr;
    gfx::EffectHandle tileTechnique_{}, instancedTechnique_{};
    gfx::EffectHandle worldMatrixArray_{}, uvArray_{}, colourArray_{}, viewProj_{}, imageTexture_{};
    std::vector<UnloadableBatchInterface*> pendingBatches_;
    std::vector<UnloadableBatchInterface*> frameBatches_;
    std::vector<std::string> descriptionNames_;
};
