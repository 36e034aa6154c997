#include "platform/mesh/skin_info.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "platform/mesh/mesh.h"

namespace mesh {
namespace {

struct Influence {
    uint32_t bone = 0;
    float weight = 0.0f;
};

} // namespace

std::vector<gfx::VertexElement> SkinInfo::blendedDeclaration(const std::vector<gfx::VertexElement>& base) {
    std::vector<gfx::VertexElement> out;
    for (const gfx::VertexElement& element : base)
        if (element.usage != gfx::DeclUsage::BlendWeight && element.usage != gfx::DeclUsage::BlendIndices)
            out.push_back(element);
    const uint16_t end = uint16_t(vertexSize(out));
    out.push_back({0, end, gfx::DeclType::Float4, 0, gfx::DeclUsage::BlendWeight, 0});
    out.push_back({0, uint16_t(end + 16), gfx::DeclType::UByte4, 0, gfx::DeclUsage::BlendIndices, 0});
    return out;
}

gfx::Result SkinInfo::convertToBlendedMesh(const Mesh& source, uint32_t options, gfx::Device* device, Mesh** out,
                                           uint32_t* maxInfluences) const {
    if (!out) return gfx::Result::InvalidCall;
    const std::vector<gfx::VertexElement> layout = blendedDeclaration(source.declaration());
    Mesh* blended = nullptr;
    const gfx::Result cloned = source.cloneMesh(options, layout, device, &blended);
    *out = nullptr;
    if (gfx::failed(cloned)) return cloned;

    const uint32_t vertexCount = blended->numVertices();
    std::vector<std::vector<Influence>> influences(vertexCount);
    for (uint32_t b = 0; b < std::min(numBones(), kMaxIndexedBones); ++b) {
        const XBone& bone = bones_[b];
        for (size_t i = 0; i < bone.vertices.size() && i < bone.weights.size(); ++i)
            if (bone.vertices[i] < vertexCount && bone.weights[i] > 0.0f)
                influences[bone.vertices[i]].push_back({b, bone.weights[i]});
    }

    const uint16_t weightOffset = layout[layout.size() - 2].offset, indexOffset = layout.back().offset;
    void* data = nullptr;
    blended->lockVertexBuffer(0, &data);
    auto* vertices = static_cast<uint8_t*>(data);
    uint32_t most = 0;
    for (uint32_t v = 0; v < vertexCount; ++v) {
        std::vector<Influence>& list = influences[v];
        std::stable_sort(list.begin(), list.end(),
                         [](const Influence& a, const Influence& b) { return a.weight > b.weight; });
        if (list.size() > kMaxInfluences) list.resize(kMaxInfluences);
        if (list.empty()) list.push_back({0, 1.0f});
        most = std::max(most, uint32_t(list.size()));
        float total = 0.0f;
        for (const Influence& influence : list) total += influence.weight;
        std::array<float, kMaxInfluences> weights{};
        std::array<uint8_t, kMaxInfluences> indices{};
        for (size_t i = 0; i < list.size(); ++i) {
            weights[i] = list[i].weight / total;
            indices[i] = uint8_t(list[i].bone);
        }
        uint8_t* vertex = vertices + size_t(v) * blended->numBytesPerVertex();
        std::memcpy(vertex + weightOffset, weights.data(), sizeof(weights));
        std::memcpy(vertex + indexOffset, indices.data(), sizeof(indices));
    }
    blended->unlockVertexBuffer();
    if (maxInfluences) *maxInfluences = most;
    *out = blended;
    return gfx::Result::Ok;
}

} // namespace mesh
