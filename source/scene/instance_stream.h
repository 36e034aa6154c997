#pragma once
// A vertex stream of per-instance records rewritten whole for each instanced draw: the buffer grows
// to twice what a draw needs and is kept while later draws fit.
#include <cstdint>

namespace gfx {
class VertexBuffer;
}

class InstanceStream {
public:
    // Copies count records of stride bytes into the stream; false when the buffer cannot be made or
    // locked.
    bool upload(const void* records, std::uint32_t count, std::uint32_t stride);
    // Needs the drawing thread, like every GL object.
    void release();
    gfx::VertexBuffer* buffer() const { return buffer_; }

private:
    gfx::VertexBuffer* buffer_ = nullptr;
    std::uint32_t capacity_ = 0;
};
