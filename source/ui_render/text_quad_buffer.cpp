#include "ui_render/text_quad_buffer.h"

#include <cstring>
#include <vector>

#include "app/log.h"

namespace {

constexpr std::uint32_t initialQuads = 4096;

} // namespace

void TextQuadBuffer::release() {
    gfx::safeRelease(vertices_);
    gfx::safeRelease(indices_);
    vertexCapacity_ = 0;
    indexQuadCapacity_ = 0;
    used_ = 0;
}

bool TextQuadBuffer::reserve(gfx::Device* device, std::uint32_t vertexCount) {
    if (vertices_ && vertexCount <= vertexCapacity_) return true;
    std::uint32_t quads = initialQuads;
    while (quads * 4 < vertexCount) quads *= 2;
    gfx::safeRelease(vertices_);
    vertexCapacity_ = 0;
    used_ = 0;
    if (device->createVertexBuffer(quads * 4 * vertexSize_, gfx::Usage::Dynamic | gfx::Usage::WriteOnly,
                                   gfx::Pool::Default, &vertices_) != gfx::Result::Ok) {
        LOG_MESSAGE("Unable to create the UI vertex buffer for %u quads", quads);
        vertices_ = nullptr;
        return false;
    }
    vertexCapacity_ = quads * 4;
    if (indices_ && indexQuadCapacity_ >= quads) return true;
    gfx::safeRelease(indices_);
    indexQuadCapacity_ = 0;
    if (device->createIndexBuffer(quads * 6 * 4, gfx::Usage::WriteOnly, gfx::Format::Index32, gfx::Pool::Managed,
                                  &indices_) != gfx::Result::Ok) {
        LOG_MESSAGE("Unable to create the UI index buffer for %u quads", quads);
        indices_ = nullptr;
        return false;
    }
    void* data = nullptr;
    if (indices_->lock(0, 0, &data, 0) != gfx::Result::Ok) return false;
    auto* index = static_cast<std::uint32_t*>(data);
    for (std::uint32_t q = 0; q < quads; ++q) {
        const std::uint32_t first = q * 4;
        *index++ = first;
        *index++ = first + 1;
        *index++ = first + 2;
        *index++ = first + 2;
        *index++ = first + 3;
        *index++ = first;
    }
    indices_->unlock();
    indexQuadCapacity_ = quads;
    return true;
}

bool TextQuadBuffer::write(gfx::Device* device, const void* vertices, std::uint32_t count,
                           std::uint32_t& firstVertex) {
    if (!device || count == 0) return false;
    if (!reserve(device, count)) return false;
    std::uint32_t flags = gfx::Lock::NoOverwrite;
    if (used_ + count > vertexCapacity_) {
        used_ = 0;
        flags = gfx::Lock::Discard;
    }
    void* data = nullptr;
    if (vertices_->lock(used_ * vertexSize_, count * vertexSize_, &data, flags) != gfx::Result::Ok) return false;
    std::memcpy(data, vertices, static_cast<std::size_t>(count) * vertexSize_);
    vertices_->unlock();
    firstVertex = used_;
    used_ += count;
    return true;
}

void TextQuadBuffer::bind(gfx::Device* device) const {
    device->setStreamSource(0, vertices_, 0, vertexSize_);
    device->setIndices(indices_);
}
