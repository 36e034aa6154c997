#pragma once
// The fixed vertices and 16-bit indices of one UI shape (a quad, a strip), in managed buffers
// filled once, and the indexed draw of the whole shape.
#include <cstdint>

#include "platform/gfx/buffers.h"
#include "platform/gfx/device.h"

class UIShapeBuffers {
public:
    UIShapeBuffers() = default;
    ~UIShapeBuffers() { release(); }
    UIShapeBuffers(const UIShapeBuffers&) = delete;
    UIShapeBuffers& operator=(const UIShapeBuffers&) = delete;

    // vertexCount vertices of stride bytes and indexCount indices (triangle list); false
    // (nothing kept) when the device refuses either buffer.
    bool create(gfx::Device* device, const void* vertices, std::uint32_t vertexCount, std::uint32_t stride,
                const std::uint16_t* indices, std::uint32_t indexCount);
    void release();
    bool ready() const { return vertices_ && indices_; }

    // Stream 0, the indices and the vertex declaration.
    void bind(gfx::Device* device, gfx::VertexDeclaration* declaration) const;
    // Every triangle of the shape.
    void draw(gfx::Device* device) const;

private:
    gfx::VertexBuffer* vertices_ = nullptr;
    gfx::IndexBuffer* indices_ = nullptr;
    std::uint32_t vertexCount_ = 0;
    std::uint32_t stride_ = 0;
    std::uint32_t indexCount_ = 0;
};
