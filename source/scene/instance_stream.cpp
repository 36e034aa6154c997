#include "scene/instance_stream.h"

#include <algorithm>
#include <cstring>

#include "platform/gfx/buffers.h"
#include "platform/gfx/device.h"
#include "render/device_global.h"

bool InstanceStream::upload(const void* records, std::uint32_t count, std::uint32_t stride) {
    if (count > capacity_) {
        release();
        const std::uint32_t capacity = std::max<std::uint32_t>(count, 64) * 2;
        if (gfx::failed(deviceGlobal->createVertexBuffer(capacity * stride, gfx::Usage::WriteOnly | gfx::Usage::Dynamic,
                                                         gfx::Pool::Default, &buffer_)))
            return false;
        capacity_ = capacity;
    }
    void* data = nullptr;
    if (gfx::failed(buffer_->lock(0, count * stride, &data, gfx::Lock::Discard))) return false;
    std::memcpy(data, records, std::size_t(count) * stride);
    buffer_->unlock();
    return true;
}

void InstanceStream::release() {
    gfx::safeRelease(buffer_);
    capacity_ = 0;
}
