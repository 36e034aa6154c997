// The mesh type: clones into the engine's vertex layouts, recomputed normals and tangents,
// optimising, bounds, and drawing one subset by attribute id.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gfx/math_vector.h"
#include "platform/gfx_fixture.h"
#include "platform/mesh/mesh.h"
#include "platform/mesh/mesh_geometry.h"
#include "platform/mesh/x_file.h"
#include "support/failed_frame.h"

namespace {

const std::string kData = std::string(ZODERUD_TEST_DATA_DIR) + "/mesh/";
const std::string kMeshes = std::string(ZODERUD_SOURCE_DIR) + "/Data/graphics/3d/meshes/";

// The 44-byte vertex, and the 52-byte one with lightmap coordinates.
const std::vector<gfx::VertexElement> kMeshVertex = {
    {0, 0, gfx::DeclType::Float3, 0, gfx::DeclUsage::Position, 0},
    {0, 12, gfx::DeclType::Float3, 0, gfx::DeclUsage::Normal, 0},
    {0, 24, gfx::DeclType::Float3, 0, gfx::DeclUsage::Tangent, 0},
    {0, 36, gfx::DeclType::Float2, 0, gfx::DeclUsage::TexCoord, 0},
};
std::vector<gfx::VertexElement> lightmappedVertex() {
    std::vector<gfx::VertexElement> layout = kMeshVertex;
    layout.push_back({0, 44, gfx::DeclType::Float2, 0, gfx::DeclUsage::TexCoord, 1});
    return layout;
}

struct Vertex52 {
    gfx::Vector3 position, normal, tangent;
    gfx::Vector2 uv0, uv1;
};
static_assert(sizeof(Vertex52) == 52);

mesh::Mesh* loadClone(const std::string& path, const std::vector<gfx::VertexElement>& layout,
                      uint32_t options = mesh::Options::SystemMemory, gfx::Device* device = nullptr) {
    std::vector<mesh::XMaterial> materials;
    mesh::Mesh* loaded = nullptr;
    std::string error;
    EXPECT_EQ(mesh::loadMeshFromX(path, mesh::Options::SystemMemory, nullptr, materials, &loaded, &error),
              gfx::Result::Ok)
        << error;
    if (!loaded) return nullptr;
    mesh::Mesh* clone = nullptr;
    EXPECT_EQ(loaded->cloneMesh(options, layout, device, &clone), gfx::Result::Ok);
    loaded->release();
    return clone;
}

template <class V>
std::vector<V> verticesOf(mesh::Mesh& m) {
    EXPECT_EQ(m.numBytesPerVertex(), sizeof(V));
    void* data = nullptr;
    EXPECT_EQ(m.lockVertexBuffer(gfx::Lock::ReadOnly, &data), gfx::Result::Ok);
    std::vector<V> out(m.numVertices());
    std::memcpy(out.data(), data, out.size() * sizeof(V));
    m.unlockVertexBuffer();
    return out;
}

bool near(const gfx::Vector3& a, const gfx::Vector3& b, float tolerance = 1e-5f) {
    return std::fabs(a.x - b.x) <= tolerance && std::fabs(a.y - b.y) <= tolerance && std::fabs(a.z - b.z) <= tolerance;
}

TEST(Mesh, ClonesCarryEachElementByUsageAndZeroTheRest) {
    struct Case {
        const char* file;
        bool hasLightmapCoordinates;
    };
    for (const Case& c : {Case{"static/pillar.x", true}, Case{"static/low_wall.x", false}}) {
        mesh::Mesh* clone = loadClone(kMeshes + c.file, lightmappedVertex());
        ASSERT_NE(clone, nullptr) << c.file;
        EXPECT_EQ(clone->numBytesPerVertex(), 52u);
        EXPECT_EQ(clone->numVertices(), 24u) << c.file;
        bool anyLightmap = false;
        for (const Vertex52& v : verticesOf<Vertex52>(*clone)) {
            EXPECT_EQ(v.tangent, gfx::Vector3{}) << "the file has no tangents";
            EXPECT_GE(v.uv0.x, 0.0f);
            anyLightmap = anyLightmap || v.uv1.x != 0.0f;
        }
        EXPECT_EQ(anyLightmap, c.hasLightmapCoordinates) << c.file;
        clone->release();
    }
    mesh::Mesh* small = loadClone(kMeshes + "dynamic/crate.x", kMeshVertex);
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(small->numBytesPerVertex(), 44u);
    EXPECT_EQ(small->attributeTable().size(), 1u) << "the table survives the clone";
    small->release();
}

TEST(Mesh, NormalsAndTangentsAreRecomputedFromTheFaces) {
    // The file's normals point along +x; the face is clockwise seen from -z.
    mesh::Mesh* triangle = loadClone(kData + "wrong_normals.x", lightmappedVertex());
    ASSERT_NE(triangle, nullptr);
    ASSERT_EQ(mesh::computeNormals(triangle), gfx::Result::Ok);
    ASSERT_EQ(mesh::computeTangents(triangle, 0), gfx::Result::Ok);
    for (const Vertex52& v : verticesOf<Vertex52>(*triangle)) {
        EXPECT_TRUE(near(v.normal, {0, 0, -1})) << v.normal.x << " " << v.normal.y << " " << v.normal.z;
        // u grows along +x on this face.
        EXPECT_TRUE(near(v.tangent, {1, 0, 0})) << v.tangent.x << " " << v.tangent.y << " " << v.tangent.z;
    }
    triangle->release();

    // Every crate face keeps its own vertices, so each gets its face's outward normal and a
    // unit tangent across it; two runs give the same bytes.
    mesh::Mesh* crate = loadClone(kMeshes + "dynamic/crate.x", kMeshVertex);
    ASSERT_NE(crate, nullptr);
    ASSERT_EQ(mesh::computeNormals(crate), gfx::Result::Ok);
    ASSERT_EQ(mesh::computeTangents(crate, 0), gfx::Result::Ok);
    struct Vertex44 {
        gfx::Vector3 position, normal, tangent;
        gfx::Vector2 uv;
    };
    const std::vector<Vertex44> first = verticesOf<Vertex44>(*crate);
    for (const Vertex44& v : first) {
        const float biggest = std::max({std::fabs(v.position.x), std::fabs(v.position.y), std::fabs(v.position.z)});
        EXPECT_NEAR(biggest, 0.5f, 1e-6f);
        EXPECT_NEAR(gfx::length(v.normal), 1.0f, 1e-5f);
        EXPECT_NEAR(gfx::dot(v.normal, v.position), 0.5f, 1e-5f) << "outward, along one axis";
        EXPECT_NEAR(gfx::length(v.tangent), 1.0f, 1e-5f);
        EXPECT_NEAR(gfx::dot(v.normal, v.tangent), 0.0f, 1e-5f);
    }
    ASSERT_EQ(mesh::computeNormals(crate), gfx::Result::Ok);
    ASSERT_EQ(mesh::computeTangents(crate, 0), gfx::Result::Ok);
    const std::vector<Vertex44> second = verticesOf<Vertex44>(*crate);
    EXPECT_EQ(std::memcmp(first.data(), second.data(), first.size() * sizeof(Vertex44)), 0);
    crate->release();
}

TEST(Mesh, GeometryHelpersRefuseLayoutsWithoutTheirElements) {
    mesh::Mesh* positions = nullptr;
    ASSERT_EQ(mesh::Mesh::create(1, 3, mesh::Options::SystemMemory,
                                 {{0, 0, gfx::DeclType::Float3, 0, gfx::DeclUsage::Position, 0}}, nullptr, &positions),
              gfx::Result::Ok);
    EXPECT_EQ(mesh::computeNormals(positions), gfx::Result::InvalidCall);
    EXPECT_EQ(mesh::computeTangents(positions, 0), gfx::Result::InvalidCall);
    EXPECT_EQ(mesh::computeNormals(nullptr), gfx::Result::InvalidCall);
    positions->release();
}

// Five vertices, the last used by no face; faces with attribute ids 2, 0, 2.
mesh::Mesh* unsortedMesh() {
    mesh::Mesh* m = nullptr;
    EXPECT_EQ(mesh::Mesh::create(3, 5, mesh::Options::SystemMemory,
                                 {{0, 0, gfx::DeclType::Float3, 0, gfx::DeclUsage::Position, 0}}, nullptr, &m),
              gfx::Result::Ok);
    void* data = nullptr;
    m->lockVertexBuffer(0, &data);
    const float positions[] = {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0, 9, 9, 9};
    std::memcpy(data, positions, sizeof positions);
    m->unlockVertexBuffer();
    m->lockIndexBuffer(0, &data);
    const uint16_t indices[] = {2, 3, 0, 0, 1, 2, 3, 0, 2};
    std::memcpy(data, indices, sizeof indices);
    m->unlockIndexBuffer();
    const uint32_t ids[] = {2, 0, 2};
    std::memcpy(m->attributes(), ids, sizeof ids);
    return m;
}

std::vector<gfx::Vector3> facePositions(mesh::Mesh& m, uint32_t face) {
    void* vertexData = nullptr;
    void* indexData = nullptr;
    m.lockVertexBuffer(gfx::Lock::ReadOnly, &vertexData);
    m.lockIndexBuffer(gfx::Lock::ReadOnly, &indexData);
    std::vector<gfx::Vector3> out;
    for (uint32_t k = 0; k < 3; ++k)
        out.push_back(static_cast<const gfx::Vector3*>(vertexData)[static_cast<const uint16_t*>(indexData)[face * 3 + k]]);
    m.unlockIndexBuffer();
    m.unlockVertexBuffer();
    return out;
}

TEST(Mesh, OptimizeSortsFacesByAttributeDropsUnusedVerticesAndRebuildsTheTable) {
    mesh::Mesh* source = unsortedMesh();
    mesh::Mesh* optimized = nullptr;
    ASSERT_EQ(source->optimize(mesh::Optimize::Compact | mesh::Optimize::AttributeSort | mesh::Optimize::VertexCache |
                                   mesh::Options::SystemMemory,
                               &optimized),
              gfx::Result::Ok);
    EXPECT_EQ(optimized->numVertices(), 4u);
    EXPECT_EQ(optimized->attributeIds(), (std::vector<uint32_t>{0, 2, 2}));
    // Each face keeps its corners in order; the sort is stable.
    EXPECT_EQ(facePositions(*optimized, 0), facePositions(*source, 1));
    EXPECT_EQ(facePositions(*optimized, 1), facePositions(*source, 0));
    EXPECT_EQ(facePositions(*optimized, 2), facePositions(*source, 2));
    const std::vector<mesh::AttributeRange>& table = optimized->attributeTable();
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0].attributeId, 0u);
    EXPECT_EQ(table[0].faceStart, 0u);
    EXPECT_EQ(table[0].faceCount, 1u);
    EXPECT_EQ(table[0].vertexStart, 0u);
    EXPECT_EQ(table[0].vertexCount, 3u);
    EXPECT_EQ(table[1].attributeId, 2u);
    EXPECT_EQ(table[1].faceStart, 1u);
    EXPECT_EQ(table[1].faceCount, 2u);
    EXPECT_EQ(table[1].vertexStart, 0u) << "the second run uses the first vertices again";
    EXPECT_EQ(table[1].vertexCount, 4u);

    mesh::Mesh* kept = nullptr;
    ASSERT_EQ(source->optimize(mesh::Optimize::AttributeSort | mesh::Options::SystemMemory, &kept), gfx::Result::Ok);
    EXPECT_EQ(kept->numVertices(), 5u) << "without compaction the unused vertex stays";
    kept->release();
    optimized->release();
    source->release();
}

TEST(Mesh, BoundsSpanEveryVertex) {
    mesh::Mesh* pillar = loadClone(kMeshes + "static/pillar.x", lightmappedVertex());
    ASSERT_NE(pillar, nullptr);
    void* data = nullptr;
    ASSERT_EQ(pillar->lockVertexBuffer(gfx::Lock::ReadOnly, &data), gfx::Result::Ok);
    gfx::Vector3 min, max;
    ASSERT_EQ(mesh::computeBoundingBox(data, pillar->numVertices(), 52, min, max), gfx::Result::Ok);
    pillar->unlockVertexBuffer();
    EXPECT_EQ(min, (gfx::Vector3{-0.25f, 0.0f, -0.25f}));
    EXPECT_EQ(max, (gfx::Vector3{0.25f, 2.0f, 0.25f}));
    EXPECT_EQ(mesh::computeBoundingBox(nullptr, 3, 52, min, max), gfx::Result::InvalidCall);
    pillar->release();
}

TEST(Mesh, SixteenBitIndicesRefuseMoreThan65535Vertices) {
    mesh::Mesh* m = nullptr;
    const std::vector<gfx::VertexElement> layout{{0, 0, gfx::DeclType::Float3, 0, gfx::DeclUsage::Position, 0}};
    EXPECT_EQ(mesh::Mesh::create(1, 65536, mesh::Options::SystemMemory, layout, nullptr, &m), gfx::Result::InvalidCall);
    EXPECT_EQ(m, nullptr);
    ASSERT_EQ(mesh::Mesh::create(1, 65536, mesh::Options::SystemMemory | mesh::Options::Use32BitIndices, layout,
                                 nullptr, &m),
              gfx::Result::Ok);
    m->release();
    EXPECT_EQ(mesh::Mesh::create(1, 3, mesh::Options::Managed, layout, nullptr, &m), gfx::Result::InvalidCall)
        << "a drawable mesh needs a device";
}

class MeshDraw : public gfxtest::GfxTest {};

const char* kPositionEffect = R"(
vertex PlainVS {
in vec3 inPosition;
void main() { gl_Position = vec4(inPosition.xy, 0.5, 1.0); }
}
fragment WhiteFS {
void main() { outColour = vec4(1.0, 1.0, 1.0, 1.0); outColour1 = vec4(0.0); }
}
technique Plain { pass P0 { vertex = PlainVS; fragment = WhiteFS; } }
)";

TEST_F(MeshDraw, DrawSubsetDrawsTheRangeOfTheAskedAttributeId) {
    // Material 0 is unused; material 1 is the left quad, material 2 the right one. The file's
    // x from 0 to 2 becomes clip x from -1 to 1.
    std::vector<mesh::XMaterial> materials;
    mesh::Mesh* loaded = nullptr;
    ASSERT_EQ(mesh::loadMeshFromX(kData + "unused_first_material.x", mesh::Options::Managed, device_, materials,
                                  &loaded),
              gfx::Result::Ok);
    void* data = nullptr;
    ASSERT_EQ(loaded->lockVertexBuffer(0, &data), gfx::Result::Ok);
    auto* bytes = static_cast<uint8_t*>(data);
    for (uint32_t v = 0; v < loaded->numVertices(); ++v) {
        gfx::Vector3 p;
        std::memcpy(&p, bytes + size_t(v) * loaded->numBytesPerVertex(), 12);
        p = {p.x - 3.0f, (p.y - 3.0f) * 2.0f - 1.0f, 0.0f};
        std::memcpy(bytes + size_t(v) * loaded->numBytesPerVertex(), &p, 12);
    }
    ASSERT_EQ(loaded->unlockVertexBuffer(), gfx::Result::Ok);
    ASSERT_EQ(loaded->lockVertexBuffer(gfx::Lock::ReadOnly, &data), gfx::Result::Ok);
    gfx::Vector3 first;
    std::memcpy(&first, data, 12);
    loaded->unlockVertexBuffer();
    EXPECT_EQ(first.z, 0.0f) << "the lock reads back what was written";

    gfx::Effect* effect = makeEffect(kPositionEffect);
    ASSERT_NE(effect, nullptr);
    struct Case {
        uint32_t subset;
        bool left, right;
    };
    for (const Case& c : {Case{0, false, false}, Case{1, true, false}, Case{2, false, true}, Case{7, false, false}}) {
        device_->clear(gfx::Clear::Target, 0xFF000000u, 1.0f, 0);
        uint32_t passes = 0;
        effect->begin(&passes, 0);
        effect->beginPass(0);
        EXPECT_EQ(loaded->drawSubset(c.subset), gfx::Result::Ok);
        effect->endPass();
        effect->end();
        const std::vector<uint32_t> pixels = readBackBuffer();
        EXPECT_EQ(at(pixels, kWidth, kWidth / 4, kHeight / 2) == 0xFFFFFFFFu, c.left) << "subset " << c.subset;
        EXPECT_EQ(at(pixels, kWidth, kWidth * 3 / 4, kHeight / 2) == 0xFFFFFFFFu, c.right) << "subset " << c.subset;
        saveFailedFrame(pixels, kWidth, kHeight, ".subset" + std::to_string(c.subset));
    }
    effect->release();
    loaded->release();
}

TEST(MeshDrawWithoutDevice, SystemMemoryMeshesCannotDraw) {
    std::vector<mesh::XMaterial> materials;
    mesh::Mesh* loaded = nullptr;
    ASSERT_EQ(mesh::loadMeshFromX(kData + "unused_first_material.x", mesh::Options::SystemMemory, nullptr, materials,
                                  &loaded),
              gfx::Result::Ok);
    EXPECT_EQ(loaded->drawSubset(1), gfx::Result::InvalidCall);
    loaded->release();
}

} // namespace
