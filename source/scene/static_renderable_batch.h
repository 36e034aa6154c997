#pragma once
// The instances of one tree cell, one static renderable class and one texture sharing group,
// merged into world-space buffer chunks drawn with one call each, and lit by a lightmap baked for
// them. The renderable builds and draws the chunks; the batch keeps its instances, its chunks and
// its lightmap.
#include <cstdint>
#include <vector>

#include "platform/gfx/types.h"
#include "render/renderable_batch.h"
#include "scene/lightmapping_data.h"

namespace gfx {
class Effect;
class IndexBuffer;
class Texture;
class VertexBuffer;
class VertexDeclaration;
} // namespace gfx
class MeshAtlasGroup;
class QuadTreeNode;
class RenderableAsset;
class RenderablePointLight;

// The vertices a batch is baked into. Lightmapped: position, normal, tangent, atlas and lightmap
// coordinates (52 bytes). Vertex-lit: position, normal, tangent, atlas coordinates and the light
// of the instance's first three point lights as four floats (60 bytes). Compact, below shader
// level 3: eight half floats, x, y, z, u, red, green, blue, v (16 bytes).
enum class BatchVertexLayout { Lightmapped, VertexLit, Compact };
std::uint32_t batchVertexStride(BatchVertexLayout layout);
std::vector<gfx::VertexElement> batchVertexElements(BatchVertexLayout layout);

// The per-vertex light of the vertex-lit and compact layouts: the first three point lights'
// colour x n.l x (1 - min(1, d^2 / squared radius)) summed as S, then
// (3 S + 0.5 (S + (0.3, 0.4, 0.45) h)) with h = max(0, 0.5 ny - 0.5 nx).
gfx::Vector3 bakedVertexLight(const gfx::Vector3& position, const gfx::Vector3& normal,
                              const RenderableInstance& instance);

class StaticRenderableBatch final : public UnloadableBatchInterface {
public:
    static constexpr std::uint32_t kCapacity = 4000;

    struct InstanceGroup {
        RenderableAsset* asset = nullptr;
        std::vector<RenderableInstance*> instances;
    };
    struct Chunk {
        gfx::VertexBuffer* vertices = nullptr;
        gfx::IndexBuffer* indices = nullptr;
        std::uint32_t vertexCount = 0;
        std::uint32_t indexCount = 0;
    };

    // Registers itself with its owner.
    StaticRenderableBatch(QuadTreeNode* cell, std::uint32_t batchValue, BaseRenderable* owner,
                          TextureSharingGroupInterface* group, gfx::Effect* effect);
    // Releases the chunks and the lightmap.
    ~StaticRenderableBatch();
    StaticRenderableBatch(const StaticRenderableBatch&) = delete;
    StaticRenderableBatch& operator=(const StaticRenderableBatch&) = delete;

    TextureSharingGroupInterface* getTextureSharingGroup() const override { return group_; }
    BaseRenderable* getOwner() const override { return owner_; }
    // Files the instance with its asset's group and asks the owner to rebuild the batch.
    void addInstance(RenderableInstance* instance) override;
    // The instance leaves both lists, so the next build never reads it, and the owner is asked
    // to rebuild; an instance the batch lacks changes nothing.
    void removeInstance(RenderableInstance* instance) override;
    // The cell was reached by this frame's culling.
    void unload() override;

    // Releases the lightmap texture and every chunk's buffers, and empties the chunks.
    void releaseBuffers();
    // Charts and texels for the batch's instances, then the lit texture; none when the atlas is
    // empty or the texture cannot be made.
    void bakeLightmap(const std::vector<RenderablePointLight*>& pointLights);
    // The same charts lit again from the lights' current values, into a new texture.
    void rebuildLightmap();
    // The chunks made again from the instances (after any lightmap bake, whose charts the
    // lightmapped layout maps into): world-space vertices, atlas coordinates placed by each
    // subset's texture under the atlas group's name, 16-bit indices per chunk. False, with no
    // chunks, when nothing is drawn or a buffer cannot be made.
    bool buildChunks(BatchVertexLayout layout, const MeshAtlasGroup& atlas);
    // Every chunk in one call each, in the layout they were built in, through the effect pass
    // that is active; nothing without chunks or an effect.
    void draw(gfx::Effect* effect);
    BatchVertexLayout layout() const { return layout_; }

    const std::vector<InstanceGroup>& instanceGroups() const { return instanceGroups_; }
    const std::vector<RenderableInstance*>& lightmapInstances() const { return lightmapInstances_; }
    std::vector<Chunk>& chunks() { return chunks_; }
    std::uint32_t count() const { return count_; }
    QuadTreeNode* cell() const { return cell_; }
    std::uint32_t batchValue() const { return batchValue_; }
    gfx::Effect* effect() const { return effect_; }
    gfx::Texture* lightmapTexture() const { return lightmapTexture_; }
    std::uint32_t lightmapLookup() const { return lightMapHandle_; }
    const LightmapData& lightmapData() const { return lightmap_; }
    std::uint32_t lightmapWidth() const { return lightmapWidth_; }
    std::uint32_t lightmapHeight() const { return lightmapHeight_; }

private:
    // Makes the texture and fills it from the current colours; false when it cannot be made.
    bool uploadNewTexture();
    void releaseChunks();

    std::vector<InstanceGroup> instanceGroups_;
    std::vector<RenderableInstance*> lightmapInstances_;
    std::vector<Chunk> chunks_;
    QuadTreeNode* cell_;
    std::uint32_t count_ = 0;
    std::uint32_t batchValue_;
    BaseRenderable* owner_;
    TextureSharingGroupInterface* group_;
    gfx::Effect* effect_;
    gfx::Texture* lightmapTexture_ = nullptr;
    std::uint32_t lightMapHandle_ = 0;
    LightmapData lightmap_;
    std::uint32_t lightmapWidth_ = 0;
    std::uint32_t lightmapHeight_ = 0;
    BatchVertexLayout layout_ = BatchVertexLayout::Lightmapped;
    gfx::VertexDeclaration* declaration_ = nullptr;
};
