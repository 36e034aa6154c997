#include "platform/gfx/buffers.h"

#include <epoxy/gl.h>

namespace gfx {

Buffer::Buffer(const ContextLink& context, uint32_t length, uint32_t usage, Pool pool)
    : context_(context), cpu_(length, 0), usage_(usage), pool_(pool) {}

Buffer::~Buffer() {
    if (glName_ && context_->alive) glDeleteBuffers(1, &glName_);
    if (pool_ == Pool::Default) --context_->defaultPoolObjects;
}

Result Buffer::createStorage() {
    if (pool_ == Pool::Default) ++context_->defaultPoolObjects;
    if (cpu_.empty()) return Result::InvalidCall;
    if (pool_ == Pool::SystemMemory) return Result::Ok;
    if (!context_->alive) return Result::InvalidCall;
    glGetError();
    glGenBuffers(1, &glName_);
    // The copy-write target: binding the element target would change the device's vertex state.
    glBindBuffer(GL_COPY_WRITE_BUFFER, glName_);
    glBufferData(GL_COPY_WRITE_BUFFER, GLsizeiptr(cpu_.size()), cpu_.data(),
                 (usage_ & Usage::Dynamic) ? GL_DYNAMIC_DRAW : GL_STATIC_DRAW);
    return glGetError() == GL_NO_ERROR ? Result::Ok : Result::OutOfVideoMemory;
}

Result Buffer::lock(uint32_t offset, uint32_t size, void** data, uint32_t flags) {
    if (!data) return Result::InvalidCall;
    *data = nullptr;
    if (locked_) return Result::InvalidCall;
    if (offset > length()) return Result::InvalidCall;
    // No size reaches to the end, so the unlock uploads everything the caller may have written.
    if (size == 0) size = length() - offset;
    if (size > length() - offset) return Result::InvalidCall;
    locked_ = true;
    lockFlags_ = flags;
    lockOffset_ = offset;
    lockSize_ = size;
    *data = cpu_.data() + offset;
    return Result::Ok;
}

Result Buffer::unlock() {
    if (!locked_) return Result::InvalidCall;
    locked_ = false;
    if ((lockFlags_ & Lock::ReadOnly) || !glName_ || !context_->alive || lockSize_ == 0) return Result::Ok;
    glBindBuffer(GL_COPY_WRITE_BUFFER, glName_);
    if (lockFlags_ & Lock::Discard) {
        // A fresh store, so draws still using the old contents need not be waited for.
        glBufferData(GL_COPY_WRITE_BUFFER, GLsizeiptr(cpu_.size()), cpu_.data(), GL_DYNAMIC_DRAW);
    } else {
        glBufferSubData(GL_COPY_WRITE_BUFFER, GLintptr(lockOffset_), GLsizeiptr(lockSize_), cpu_.data() + lockOffset_);
    }
    return Result::Ok;
}

Result VertexBuffer::create(const ContextLink& context, uint32_t length, uint32_t usage, Pool pool,
                            VertexBuffer** out) {
    if (!out) return Result::InvalidCall;
    *out = nullptr;
    auto* buffer = new VertexBuffer(context, length, usage, pool);
    Result result = buffer->createStorage();
    if (failed(result)) {
        buffer->release();
        return result;
    }
    *out = buffer;
    return Result::Ok;
}

Result IndexBuffer::create(const ContextLink& context, uint32_t length, uint32_t usage, Format format, Pool pool,
                           IndexBuffer** out) {
    if (!out) return Result::InvalidCall;
    *out = nullptr;
    if (format != Format::Index16 && format != Format::Index32) return Result::InvalidCall;
    auto* buffer = new IndexBuffer(context, length, usage, format, pool);
    Result result = buffer->createStorage();
    if (failed(result)) {
        buffer->release();
        return result;
    }
    *out = buffer;
    return Result::Ok;
}

} // namespace gfx
