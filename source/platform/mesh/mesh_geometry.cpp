#include "platform/mesh/mesh_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/gfx/math_vector.h"
#include "platform/mesh/mesh.h"

namespace mesh {
namespace {

const gfx::VertexElement* find(const Mesh& mesh, gfx::DeclUsage usage, uint8_t usageIndex, gfx::DeclType type) {
    for (const gfx::VertexElement& element : mesh.declaration())
        if (element.stream == 0 && element.usage == usage && element.usageIndex == usageIndex && element.type == type)
            return &element;
    return nullptr;
}

template <class T>
T read(const uint8_t* vertices, uint32_t stride, uint32_t vertex, uint32_t offset) {
    T value;
    std::memcpy(&value, vertices + size_t(vertex) * stride + offset, sizeof value);
    return value;
}

template <class T>
void write(uint8_t* vertices, uint32_t stride, uint32_t vertex, uint32_t offset, const T& value) {
    std::memcpy(vertices + size_t(vertex) * stride + offset, &value, sizeof value);
}

// The three corners of every face; false when an index is out of range.
bool faceCorners(Mesh& mesh, std::vector<uint32_t>& corners) {
    void* data = nullptr;
    if (gfx::failed(mesh.lockIndexBuffer(gfx::Lock::ReadOnly, &data))) return false;
    corners.resize(size_t(mesh.numFaces()) * 3);
    const bool wide = mesh.options() & Options::Use32BitIndices;
    for (size_t i = 0; i < corners.size(); ++i)
        corners[i] = wide ? static_cast<const uint32_t*>(data)[i] : static_cast<const uint16_t*>(data)[i];
    mesh.unlockIndexBuffer();
    return std::all_of(corners.begin(), corners.end(), [&](uint32_t v) { return v < mesh.numVertices(); });
}

float angleBetween(const gfx::Vector3& a, const gfx::Vector3& b) {
    const float lengths = gfx::length(a) * gfx::length(b);
    if (lengths <= 0.0f) return 0.0f;
    return std::acos(std::clamp(gfx::dot(a, b) / lengths, -1.0f, 1.0f));
}

gfx::Vector3 anyPerpendicular(const gfx::Vector3& n) {
    const gfx::Vector3 axis = std::fabs(n.x) < 0.9f ? gfx::Vector3{1, 0, 0} : gfx::Vector3{0, 1, 0};
    return gfx::normalize(gfx::cross(axis, n));
}

} // namespace

gfx::Result computeNormals(Mesh* mesh) {
    if (!mesh) return gfx::Result::InvalidCall;
    const gfx::VertexElement* position = find(*mesh, gfx::DeclUsage::Position, 0, gfx::DeclType::Float3);
    const gfx::VertexElement* normal = find(*mesh, gfx::DeclUsage::Normal, 0, gfx::DeclType::Float3);
    std::vector<uint32_t> corners;
    if (!position || !normal || !faceCorners(*mesh, corners)) return gfx::Result::InvalidCall;
    void* data = nullptr;
    if (gfx::failed(mesh->lockVertexBuffer(0, &data))) return gfx::Result::InvalidCall;
    auto* bytes = static_cast<uint8_t*>(data);
    const uint32_t stride = mesh->numBytesPerVertex();
    std::vector<gfx::Vector3> sums(mesh->numVertices());
    for (size_t f = 0; f < corners.size(); f += 3) {
        gfx::Vector3 p[3];
        for (int k = 0; k < 3; ++k) p[k] = read<gfx::Vector3>(bytes, stride, corners[f + k], position->offset);
        const gfx::Vector3 faceNormal = gfx::normalize(gfx::cross(p[1] - p[0], p[2] - p[0]));
        for (int k = 0; k < 3; ++k) {
            const float angle = angleBetween(p[(k + 1) % 3] - p[k], p[(k + 2) % 3] - p[k]);
            sums[corners[f + k]] = sums[corners[f + k]] + faceNormal * angle;
        }
    }
    for (uint32_t v = 0; v < mesh->numVertices(); ++v) write(bytes, stride, v, normal->offset, gfx::normalize(sums[v]));
    return mesh->unlockVertexBuffer();
}

gfx::Result computeTangents(Mesh* mesh, uint32_t texCoordIndex) {
    if (!mesh || texCoordIndex > 7) return gfx::Result::InvalidCall;
    const gfx::VertexElement* position = find(*mesh, gfx::DeclUsage::Position, 0, gfx::DeclType::Float3);
    const gfx::VertexElement* normal = find(*mesh, gfx::DeclUsage::Normal, 0, gfx::DeclType::Float3);
    const gfx::VertexElement* tangent = find(*mesh, gfx::DeclUsage::Tangent, 0, gfx::DeclType::Float3);
    const gfx::VertexElement* uv = find(*mesh, gfx::DeclUsage::TexCoord, uint8_t(texCoordIndex), gfx::DeclType::Float2);
    std::vector<uint32_t> corners;
    if (!position || !normal || !tangent || !uv || !faceCorners(*mesh, corners)) return gfx::Result::InvalidCall;
    void* data = nullptr;
    if (gfx::failed(mesh->lockVertexBuffer(0, &data))) return gfx::Result::InvalidCall;
    auto* bytes = static_cast<uint8_t*>(data);
    const uint32_t stride = mesh->numBytesPerVertex();
    std::vector<gfx::Vector3> sums(mesh->numVertices());
    for (size_t f = 0; f < corners.size(); f += 3) {
        gfx::Vector3 p[3];
        gfx::Vector2 t[3];
        for (int k = 0; k < 3; ++k) {
            p[k] = read<gfx::Vector3>(bytes, stride, corners[f + k], position->offset);
            t[k] = read<gfx::Vector2>(bytes, stride, corners[f + k], uv->offset);
        }
        const gfx::Vector3 e1 = p[1] - p[0], e2 = p[2] - p[0];
        const gfx::Vector2 d1 = t[1] - t[0], d2 = t[2] - t[0];
        const float det = d1.x * d2.y - d2.x * d1.y;
        if (std::fabs(det) < 1e-12f) continue;
        const gfx::Vector3 direction = (e1 * d2.y - e2 * d1.y) * (1.0f / det);
        for (int k = 0; k < 3; ++k) sums[corners[f + k]] = sums[corners[f + k]] + direction;
    }
    for (uint32_t v = 0; v < mesh->numVertices(); ++v) {
        const gfx::Vector3 n = read<gfx::Vector3>(bytes, stride, v, normal->offset);
        gfx::Vector3 along = sums[v] - n * gfx::dot(n, sums[v]);
        along = gfx::lengthSquared(along) > 1e-12f ? gfx::normalize(along) : anyPerpendicular(n);
        write(bytes, stride, v, tangent->offset, along);
    }
    return mesh->unlockVertexBuffer();
}

gfx::Result computeBoundingBox(const void* firstPosition, uint32_t count, uint32_t stride, gfx::Vector3& min,
                               gfx::Vector3& max) {
    if (!firstPosition || count == 0 || stride < sizeof(gfx::Vector3)) return gfx::Result::InvalidCall;
    const auto* bytes = static_cast<const uint8_t*>(firstPosition);
    min = max = read<gfx::Vector3>(bytes, stride, 0, 0);
    for (uint32_t v = 1; v < count; ++v) {
        const gfx::Vector3 p = read<gfx::Vector3>(bytes, stride, v, 0);
        min = {std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z)};
        max = {std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z)};
    }
    return gfx::Result::Ok;
}

} // namespace mesh
