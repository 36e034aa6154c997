#pragma once
// A small indexed triangle list in the 20-byte layout of position and one texture coordinate,
// in the managed pool, as the flat shapes (arrows, decals) draw it with their effect's "gTex".
#include <cstdint>
#include <vector>

#include "platform/gfx/effect.h"

namespace gfx {
class BaseTexture;
class IndexBuffer;
class VertexBuffer;
} // namespace gfx

struct PositionTexVertex {
    float position[3];
    float uv[2];
};
static_assert(sizeof(PositionTexVertex) == 20);

struct TexturedGeometry {
    std::vector<PositionTexVertex> vertices;
    std::vector<std::uint16_t> indices;
};

class TexturedMesh {
public:
    TexturedMesh() = default;
    ~TexturedMesh() { release(); }
    TexturedMesh(const TexturedMesh&) = delete;
    TexturedMesh& operator=(const TexturedMesh&) = delete;

    // Replaces the buffers; empty geometry (or a failed buffer) leaves none.
    void build(const TexturedGeometry& geometry);
    void release();
    bool built() const { return vertices_ && indices_; }
    std::uint32_t vertexCount() const { return vertexCount_; }
    std::uint32_t indexCount() const { return indexCount_; }
    // Binds the buffers and the texture, commits the effect and draws; nothing when not built.
    void draw(gfx::Effect* effect, gfx::EffectHandle textureHandle, gfx::BaseTexture* texture) const;

private:
    gfx::VertexBuffer* vertices_ = nullptr;
    gfx::IndexBuffer* indices_ = nullptr;
    std::uint32_t vertexCount_ = 0;
    std::uint32_t indexCount_ = 0;
};

// Alpha blending of premultiplied colours (one, inverse source alpha) on, and the layout set; off.
void beginPremultipliedBlend();
void endPremultipliedBlend();
