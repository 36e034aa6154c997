#pragma once
// The instances of one tree cell, one static renderable class and one texture sharing group,
// merged into world-space buffer chunks drawn with one call each, and lit by a lightmap baked for
// them. The renderable builds and draws the chunks; the batch keeps its instances, its chunks and
// its lightmap.
#include <cstdint>
#include <vector>

#include "render/renderable_batch.h"
#include "scene/lightmapping_data.h"

namespace gfx {
class Effect;
class IndexBuffer;
class Texture;
class VertexBuffer;
} // namespace gfx
class QuadTreeNode;
class RenderableAsset;
class RenderablePointLight;

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
};
