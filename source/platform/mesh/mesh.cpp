#include "platform/mesh/mesh.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <numeric>

#include "platform/gfx/device.h"

namespace mesh {
namespace {

uint32_t elementSize(gfx::DeclType type) {
    switch (type) {
    case gfx::DeclType::Float1: return 4;
    case gfx::DeclType::Float2: return 8;
    case gfx::DeclType::Float3: return 12;
    case gfx::DeclType::Float4: return 16;
    case gfx::DeclType::Color:
    case gfx::DeclType::UByte4:
    case gfx::DeclType::Short2:
    case gfx::DeclType::UByte4N:
    case gfx::DeclType::Float16x2: return 4;
    case gfx::DeclType::Short4:
    case gfx::DeclType::Float16x4: return 8;
    case gfx::DeclType::Unused: return 0;
    }
    return 0;
}

bool isFloatType(gfx::DeclType type) { return uint8_t(type) <= uint8_t(gfx::DeclType::Float4); }

// System-memory meshes made without a device still need a link for their buffers; they never
// reach GL.
const gfx::ContextLink& deviceLessContext() {
    static const gfx::ContextLink context = std::make_shared<gfx::ContextState>();
    return context;
}

const gfx::VertexElement* findElement(const std::vector<gfx::VertexElement>& elements, gfx::DeclUsage usage,
                                      uint8_t usageIndex) {
    for (const gfx::VertexElement& element : elements)
        if (element.stream == 0 && element.usage == usage && element.usageIndex == usageIndex) return &element;
    return nullptr;
}

} // namespace

uint32_t vertexSize(const std::vector<gfx::VertexElement>& elements) {
    uint32_t size = 0;
    for (const gfx::VertexElement& element : elements)
        if (element.stream == 0) size = std::max(size, uint32_t(element.offset) + elementSize(element.type));
    return size;
}

gfx::Result Mesh::create(uint32_t faceCount, uint32_t vertexCount, uint32_t options,
                         const std::vector<gfx::VertexElement>& declaration, gfx::Device* device, Mesh** out) {
    if (!out) return gfx::Result::InvalidCall;
    *out = nullptr;
    const bool wide = options & Options::Use32BitIndices;
    const bool systemMemory = (options & Options::SystemMemory) == Options::SystemMemory;
    const uint32_t stride = vertexSize(declaration);
    if (faceCount == 0 || vertexCount == 0 || stride == 0 || (!wide && vertexCount > 65535)) return gfx::Result::InvalidCall;
    if (!device && !systemMemory) return gfx::Result::InvalidCall;
    gfx::VertexDeclaration* vertexDeclaration = nullptr;
    if (gfx::failed(gfx::VertexDeclaration::create(declaration, &vertexDeclaration))) return gfx::Result::InvalidCall;

    Mesh* result = new Mesh();
    result->vertexDeclaration_ = vertexDeclaration;
    result->faceCount_ = faceCount;
    result->vertexCount_ = vertexCount;
    result->stride_ = stride;
    result->options_ = options & (Options::Use32BitIndices | Options::SystemMemory | Options::Managed);
    result->elements_ = declaration;
    result->attributes_.assign(faceCount, 0);
    const gfx::Pool pool = systemMemory ? gfx::Pool::SystemMemory : gfx::Pool::Managed;
    const gfx::ContextLink& context = device ? device->context() : deviceLessContext();
    gfx::Result made = gfx::VertexBuffer::create(context, vertexCount * stride, 0, pool, &result->vertices_);
    if (gfx::succeeded(made))
        made = gfx::IndexBuffer::create(context, faceCount * 3 * (wide ? 4 : 2), 0,
                                        wide ? gfx::Format::Index32 : gfx::Format::Index16, pool, &result->indices_);
    if (gfx::failed(made)) {
        result->release();
        return made;
    }
    if (device) {
        device->addRef();
        result->device_ = device;
    }
    *out = result;
    return gfx::Result::Ok;
}

Mesh::~Mesh() {
    gfx::safeRelease(vertices_);
    gfx::safeRelease(indices_);
    gfx::safeRelease(vertexDeclaration_);
    gfx::safeRelease(device_);
}

gfx::Result Mesh::lockVertexBuffer(uint32_t flags, void** data) {
    return vertices_ ? vertices_->lock(0, 0, data, flags) : gfx::Result::InvalidCall;
}
gfx::Result Mesh::unlockVertexBuffer() { return vertices_ ? vertices_->unlock() : gfx::Result::InvalidCall; }
gfx::Result Mesh::lockIndexBuffer(uint32_t flags, void** data) {
    return indices_ ? indices_->lock(0, 0, data, flags) : gfx::Result::InvalidCall;
}
gfx::Result Mesh::unlockIndexBuffer() { return indices_ ? indices_->unlock() : gfx::Result::InvalidCall; }

gfx::VertexBuffer* Mesh::getVertexBuffer() {
    if (vertices_) vertices_->addRef();
    return vertices_;
}

gfx::IndexBuffer* Mesh::getIndexBuffer() {
    if (indices_) indices_->addRef();
    return indices_;
}

uint32_t Mesh::index(uint32_t position) const {
    const std::vector<uint8_t>& bytes = indices_->contents();
    if (options_ & Options::Use32BitIndices) {
        uint32_t value;
        std::memcpy(&value, bytes.data() + size_t(position) * 4, 4);
        return value;
    }
    uint16_t value;
    std::memcpy(&value, bytes.data() + size_t(position) * 2, 2);
    return value;
}

gfx::Result Mesh::cloneMesh(uint32_t options, const std::vector<gfx::VertexElement>& declaration, gfx::Device* device,
                            Mesh** out) const {
    if (!out) return gfx::Result::InvalidCall;
    Mesh* clone = nullptr;
    const gfx::Result made = create(faceCount_, vertexCount_, options, declaration, device, &clone);
    *out = nullptr;
    if (gfx::failed(made)) return made;

    const std::vector<uint8_t>& source = vertices_->contents();
    void* target = nullptr;
    clone->lockVertexBuffer(0, &target);
    auto* to = static_cast<uint8_t*>(target);
    for (const gfx::VertexElement& element : declaration) {
        if (element.stream != 0) continue;
        const gfx::VertexElement* from = findElement(elements_, element.usage, element.usageIndex);
        if (!from) continue;
        const uint32_t fromSize = elementSize(from->type), toSize = elementSize(element.type);
        for (uint32_t v = 0; v < vertexCount_; ++v) {
            const uint8_t* in = source.data() + size_t(v) * stride_ + from->offset;
            uint8_t* outBytes = to + size_t(v) * clone->stride_ + element.offset;
            if (from->type == element.type) {
                std::memcpy(outBytes, in, toSize);
            } else if (isFloatType(from->type) && isFloatType(element.type)) {
                // Missing components read as zero, extra ones are dropped.
                std::memcpy(outBytes, in, std::min(fromSize, toSize));
            }
        }
    }
    clone->unlockVertexBuffer();

    void* indices = nullptr;
    clone->lockIndexBuffer(0, &indices);
    const bool wide = clone->options_ & Options::Use32BitIndices;
    for (uint32_t i = 0; i < faceCount_ * 3; ++i) {
        if (wide)
            static_cast<uint32_t*>(indices)[i] = index(i);
        else
            static_cast<uint16_t*>(indices)[i] = uint16_t(index(i));
    }
    clone->unlockIndexBuffer();
    clone->attributes_ = attributes_;
    clone->table_ = table_;
    *out = clone;
    return gfx::Result::Ok;
}

gfx::Result Mesh::optimize(uint32_t flags, Mesh** out) const {
    if (!out) return gfx::Result::InvalidCall;
    *out = nullptr;
    std::vector<uint32_t> faceOrder(faceCount_);
    std::iota(faceOrder.begin(), faceOrder.end(), 0u);
    if (flags & Optimize::AttributeSort)
        std::stable_sort(faceOrder.begin(), faceOrder.end(),
                         [this](uint32_t a, uint32_t b) { return attributes_[a] < attributes_[b]; });

    // New number of each old vertex: kept in place, or renumbered by first use, and without the
    // unused ones when compacting.
    constexpr uint32_t kUnused = 0xFFFFFFFFu;
    std::vector<uint32_t> newIndex(vertexCount_, kUnused);
    std::vector<uint32_t> oldOfNew;
    if (flags & Optimize::VertexCache) {
        for (uint32_t face : faceOrder)
            for (uint32_t corner = 0; corner < 3; ++corner) {
                const uint32_t old = index(face * 3 + corner);
                if (old < vertexCount_ && newIndex[old] == kUnused) {
                    newIndex[old] = uint32_t(oldOfNew.size());
                    oldOfNew.push_back(old);
                }
            }
        if (!(flags & Optimize::Compact))
            for (uint32_t old = 0; old < vertexCount_; ++old)
                if (newIndex[old] == kUnused) {
                    newIndex[old] = uint32_t(oldOfNew.size());
                    oldOfNew.push_back(old);
                }
    } else {
        std::vector<bool> used(vertexCount_, !(flags & Optimize::Compact));
        for (uint32_t i = 0; i < faceCount_ * 3; ++i)
            if (index(i) < vertexCount_) used[index(i)] = true;
        for (uint32_t old = 0; old < vertexCount_; ++old)
            if (used[old]) {
                newIndex[old] = uint32_t(oldOfNew.size());
                oldOfNew.push_back(old);
            }
    }
    if (oldOfNew.empty()) return gfx::Result::InvalidCall;

    Mesh* result = nullptr;
    const uint32_t options = flags & (Options::Use32BitIndices | Options::SystemMemory | Options::Managed);
    const gfx::Result made = create(faceCount_, uint32_t(oldOfNew.size()), options, elements_, device_, &result);
    if (gfx::failed(made)) return made;

    const std::vector<uint8_t>& source = vertices_->contents();
    void* target = nullptr;
    result->lockVertexBuffer(0, &target);
    for (uint32_t v = 0; v < oldOfNew.size(); ++v)
        std::memcpy(static_cast<uint8_t*>(target) + size_t(v) * stride_, source.data() + size_t(oldOfNew[v]) * stride_,
                    stride_);
    result->unlockVertexBuffer();

    void* indices = nullptr;
    result->lockIndexBuffer(0, &indices);
    const bool wide = result->options_ & Options::Use32BitIndices;
    for (uint32_t f = 0; f < faceCount_; ++f) {
        result->attributes_[f] = attributes_[faceOrder[f]];
        for (uint32_t corner = 0; corner < 3; ++corner) {
            const uint32_t old = index(faceOrder[f] * 3 + corner);
            const uint32_t value = old < vertexCount_ ? newIndex[old] : 0;
            if (wide)
                static_cast<uint32_t*>(indices)[f * 3 + corner] = value;
            else
                static_cast<uint16_t*>(indices)[f * 3 + corner] = uint16_t(value);
        }
    }
    result->unlockIndexBuffer();

    // One range per run of equal ids, spanning the vertices its faces use.
    for (uint32_t f = 0; f < faceCount_; ++f) {
        const uint32_t id = result->attributes_[f];
        if (result->table_.empty() || result->table_.back().attributeId != id ||
            result->table_.back().faceStart + result->table_.back().faceCount != f)
            result->table_.push_back({id, f, 0, 0xFFFFFFFFu, 0});
        AttributeRange& range = result->table_.back();
        ++range.faceCount;
        for (uint32_t corner = 0; corner < 3; ++corner) {
            const uint32_t v = result->index(f * 3 + corner);
            const uint32_t end = range.vertexCount ? range.vertexStart + range.vertexCount : 0;
            const uint32_t start = std::min(range.vertexStart, v);
            range.vertexCount = std::max(end, v + 1) - start;
            range.vertexStart = start;
        }
    }
    *out = result;
    return gfx::Result::Ok;
}

gfx::Result Mesh::drawSubset(uint32_t attributeId) {
    if (!device_ || (options_ & Options::SystemMemory) == Options::SystemMemory) return gfx::Result::InvalidCall;
    for (const AttributeRange& range : table_) {
        if (range.attributeId != attributeId || range.faceCount == 0) continue;
        device_->setVertexDeclaration(vertexDeclaration_);
        device_->setStreamSource(0, vertices_, 0, stride_);
        device_->setIndices(indices_);
        return device_->drawIndexedPrimitive(gfx::PrimitiveType::TriangleList, 0, range.vertexStart,
                                             range.vertexCount, range.faceStart * 3, range.faceCount);
    }
    return gfx::Result::Ok;
}

} // namespace mesh
