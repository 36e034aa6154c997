#pragma once
// Vertex and index buffers. Dynamic default-pool buffers live in GL only and are locked by
// mapping the locked range: Discard orphans the store, NoOverwrite writes without waiting for
// draws in flight. Every other buffer keeps a CPU copy, so managed ones survive a reset.
#include <cstdint>
#include <vector>

#include "platform/gfx/context.h"
#include "platform/gfx/ref_counted.h"
#include "platform/gfx/types.h"

namespace gfx {

class Buffer : public RefCounted {
public:
    uint32_t length() const { return length_; }
    Pool pool() const { return pool_; }
    uint32_t usage() const { return usage_; }
    // Size 0 locks from the offset to the end (offset 0 too: the whole buffer). The pointer stays
    // valid until unlock.
    Result lock(uint32_t offset, uint32_t size, void** data, uint32_t flags);
    Result unlock();
    // The current contents, whatever the usage flags say (read from GL when there is no copy).
    const std::vector<uint8_t>& contents() const;
    bool keepsCpuCopy() const { return !mapped_; }

    // Device-internal.
    unsigned glName() const { return glName_; }

protected:
    Buffer(const ContextLink& context, uint32_t length, uint32_t usage, Pool pool);
    ~Buffer() override;
    Result createStorage();

private:
    ContextLink context_;
    uint32_t length_;
    bool mapped_; // dynamic default pool: no CPU copy
    bool counted_ = false;
    mutable std::vector<uint8_t> cpu_;
    uint32_t usage_;
    Pool pool_;
    unsigned glName_ = 0;
    bool locked_ = false;
    uint32_t lockFlags_ = 0;
    uint32_t lockOffset_ = 0;
    uint32_t lockSize_ = 0;
};

class VertexBuffer : public Buffer {
public:
    static Result create(const ContextLink& context, uint32_t length, uint32_t usage, Pool pool, VertexBuffer** out);

private:
    using Buffer::Buffer;
};

class IndexBuffer : public Buffer {
public:
    // format is Format::Index16 or Format::Index32.
    static Result create(const ContextLink& context, uint32_t length, uint32_t usage, Format format, Pool pool,
                         IndexBuffer** out);
    Format format() const { return format_; }
    uint32_t indexSize() const { return format_ == Format::Index32 ? 4 : 2; }

private:
    IndexBuffer(const ContextLink& context, uint32_t length, uint32_t usage, Format format, Pool pool)
        : Buffer(context, length, usage, pool), format_(format) {}
    Format format_;
};

} // namespace gfx
