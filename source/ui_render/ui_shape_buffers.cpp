#include "ui_render/ui_shape_buffers.h"

#include <cstring>

namespace {

bool fill(gfx::Buffer* buffer, const void* data, std::uint32_t bytes) {
    void* locked = nullptr;
    if (buffer->lock(0, 0, &locked, 0) != gfx::Result::Ok || !locked) return false;
    std::memcpy(locked, data, bytes);
    return buffer->unlock() == gfx::Result::Ok;
}

} // namespace

bool UIShapeBuffers::create(gfx::Device* device, const void* vertices, std::uint32_t vertexCount, std::uint32_t stride,
                            const std::uint16_t* indices, std::uint32_t indexCount) {
    release();
    if (!device) return false;
    const std::uint32_t vertexBytes = vertexCount * stride;
    const std::uint32_t indexBytes = indexCount * static_cast<std::uint32_t>(sizeof(std::uint16_t));
    if (device->createVertexBuffer(vertexBytes, gfx::Usage::WriteOnly, gfx::Pool::Managed, &vertices_) !=
            gfx::Result::Ok ||
        !fill(vertices_, vertices, vertexBytes) ||
        device->createIndexBuffer(indexBytes, gfx::Usage::WriteOnly, gfx::Format::Index16, gfx::Pool::Managed,
                                  &indices_) != gfx::Result::Ok ||
        !fill(indices_, indices, indexBytes)) {
        release();
        return false;
    }
    vertexCount_ = vertexCount;
    stride_ = stride;
    indexCount_ = indexCount;
    return true;
}

void UIShapeBuffers::release() {
    gfx::safeRelease(vertices_);
    gfx::safeRelease(indices_);
    vertexCount_ = stride_ = indexCount_ = 0;
}

void UIShapeBuffers::bind(gfx::Device* device, gfx::VertexDeclaration* declaration) const {
    if (!device || !ready()) return;
    device->setStreamSource(0, vertices_, 0, stride_);
    device->setIndices(indices_);
    device->setVertexDeclaration(declaration);
}

void UIShapeBuffers::draw(gfx::Device* device) const {
    if (!device || !ready()) return;
    device->drawIndexedPrimitive(gfx::PrimitiveType::TriangleList, 0, 0, vertexCount_, 0, indexCount_ / 3);
}
