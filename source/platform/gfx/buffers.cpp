#include "platform/gfx/buffers.h"

#include <epoxy/gl.h>

namespace gfx {

Buffer::Buffer(const ContextLink& context, uint32_t length, uint32_t usage, Pool pool)
    : context_(context), length_(length), mapped_(pool == Pool::Default && (usage & Usage::Dynamic)),
      cpu_(mapped_ ? 0 : length, 0), usage_(usage), pool_(pool) {}

Buffer::~Buffer() {
    if (glName_) context_->deleteObject(GlObject::Buffer, glName_);
    if (counted_) --context_->defaultPoolObjects;
}

Result Buffer::createStorage() {
    if (length_ == 0) return Result::InvalidCall;
    if (pool_ == Pool::SystemMemory) return Result::Ok;
    if (!context_->alive || !context_->onDrawingThread()) return Result::InvalidCall;
    if (pool_ == Pool::Default) {
        counted_ = true;
        ++context_->defaultPoolObjects;
    }
    glGetError();
    glGenBuffers(1, &glName_);
    // The copy-write target: binding the element target would change the device's vertex state.
    glBindBuffer(GL_COPY_WRITE_BUFFER, glName_);
    glBufferData(GL_COPY_WRITE_BUFFER, GLsizeiptr(length_), mapped_ ? nullptr : cpu_.data(),
                 (usage_ & Usage::Dynamic) ? GL_DYNAMIC_DRAW : GL_STATIC_DRAW);
    return glGetError() == GL_NO_ERROR ? Result::Ok : Result::OutOfVideoMemory;
}

const std::vector<uint8_t>& Buffer::contents() const {
    if (mapped_) {
        cpu_.assign(length_, 0);
        if (glName_ && context_->alive && context_->onDrawingThread() && !locked_) {
            glBindBuffer(GL_COPY_READ_BUFFER, glName_);
            glGetBufferSubData(GL_COPY_READ_BUFFER, 0, GLsizeiptr(length_), cpu_.data());
        }
    }
    return cpu_;
}

Result Buffer::lock(uint32_t offset, uint32_t size, void** data, uint32_t flags) {
    if (!data) return Result::InvalidCall;
    *data = nullptr;
    if (locked_) return Result::InvalidCall;
    if (offset > length()) return Result::InvalidCall;
    // No size reaches to the end, so the unlock uploads everything the caller may have written.
    if (size == 0) size = length() - offset;
    if (size > length() - offset) return Result::InvalidCall;
    if (mapped_) {
        if (!glName_ || !context_->alive || !context_->onDrawingThread() || size == 0) return Result::InvalidCall;
        GLbitfield access = GL_MAP_WRITE_BIT;
        if (flags & Lock::ReadOnly)
            access = GL_MAP_READ_BIT;
        else if (flags & Lock::Discard)
            access |= GL_MAP_INVALIDATE_BUFFER_BIT;
        else if (flags & Lock::NoOverwrite)
            access |= GL_MAP_UNSYNCHRONIZED_BIT | GL_MAP_INVALIDATE_RANGE_BIT;
        else
            access |= GL_MAP_READ_BIT;
        glBindBuffer(GL_COPY_WRITE_BUFFER, glName_);
        *data = glMapBufferRange(GL_COPY_WRITE_BUFFER, GLintptr(offset), GLsizeiptr(size), access);
        if (!*data) return Result::InvalidCall;
    } else {
        *data = cpu_.data() + offset;
    }
    locked_ = true;
    lockFlags_ = flags;
    lockOffset_ = offset;
    lockSize_ = size;
    return Result::Ok;
}

Result Buffer::unlock() {
    if (!locked_) return Result::InvalidCall;
    locked_ = false;
    if (!glName_ || !context_->alive || lockSize_ == 0) return Result::Ok;
    if (mapped_) {
        glBindBuffer(GL_COPY_WRITE_BUFFER, glName_);
        glUnmapBuffer(GL_COPY_WRITE_BUFFER);
        if (!(lockFlags_ & Lock::ReadOnly)) context_->statistics.bufferBytesUploaded += lockSize_;
        return Result::Ok;
    }
    if (lockFlags_ & Lock::ReadOnly) return Result::Ok;
    glBindBuffer(GL_COPY_WRITE_BUFFER, glName_);
    if (lockFlags_ & Lock::Discard) {
        // A fresh store, so draws still using the old contents need not be waited for.
        glBufferData(GL_COPY_WRITE_BUFFER, GLsizeiptr(length_), cpu_.data(), GL_DYNAMIC_DRAW);
        context_->statistics.bufferBytesUploaded += length_;
    } else {
        glBufferSubData(GL_COPY_WRITE_BUFFER, GLintptr(lockOffset_), GLsizeiptr(lockSize_), cpu_.data() + lockOffset_);
        context_->statistics.bufferBytesUploaded += lockSize_;
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
