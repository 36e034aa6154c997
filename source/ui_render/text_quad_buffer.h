#pragma once
// The UI's drawing buffers for one vertex layout: one dynamic vertex buffer that every frame's
// quads are written into, back to back, and a static index buffer of quads with 32-bit indices,
// so a draw may hold any number of quads (a pasted biography runs past the 16384 quads 16-bit
// indices can reach).
#include <cstdint>

#include "platform/gfx/device.h"

class TextQuadBuffer {
public:
    // vertexSize: the bytes of one vertex.
    explicit TextQuadBuffer(std::uint32_t vertexSize) : vertexSize_(vertexSize) {}
    ~TextQuadBuffer() { release(); }
    TextQuadBuffer(const TextQuadBuffer&) = delete;
    TextQuadBuffer& operator=(const TextQuadBuffer&) = delete;

    // Writes the vertices (four per quad) after the ones written before, or, when they don't
    // fit, at the start of a fresh (orphaned) buffer; growing the buffers when needed. Gives the
    // first vertex's index. False when the device refuses.
    bool write(gfx::Device* device, const void* vertices, std::uint32_t count, std::uint32_t& firstVertex);
    // Binds both buffers to the device.
    void bind(gfx::Device* device) const;
    // The vertex buffer lives in the default pool: gone before a reset, made again when next needed.
    void release();

private:
    bool reserve(gfx::Device* device, std::uint32_t vertexCount);

    std::uint32_t vertexSize_;
    gfx::VertexBuffer* vertices_ = nullptr;
    gfx::IndexBuffer* indices_ = nullptr;
    std::uint32_t vertexCapacity_ = 0;
    std::uint32_t indexQuadCapacity_ = 0;
    std::uint32_t used_ = 0;
};
