// Reading ".x" files: the merged mesh, its attribute table and materials, the frames and bones,
// and files that cannot be read.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "platform/mesh/mesh.h"
#include "platform/mesh/x_file.h"

namespace {

const std::string kData = std::string(ZODERUD_TEST_DATA_DIR) + "/mesh/";

struct LoadedMesh {
    ~LoadedMesh() { gfx::safeRelease(mesh); }
    mesh::Mesh* mesh = nullptr;
    std::vector<mesh::XMaterial> materials;
    std::string error;
};

void load(const std::string& path, LoadedMesh& out) {
    ASSERT_EQ(mesh::loadMeshFromX(path, mesh::Options::SystemMemory, nullptr, out.materials, &out.mesh, &out.error),
              gfx::Result::Ok)
        << out.error;
    ASSERT_NE(out.mesh, nullptr);
}

// Position, texture coordinates 0 and 1 of vertex v, from a layout the test looks up.
struct Corner {
    gfx::Vector3 position;
    gfx::Vector2 uv0, uv1;
};

Corner cornerOf(mesh::Mesh& m, const std::vector<uint16_t>& indices, uint32_t face, uint32_t k) {
    void* data = nullptr;
    EXPECT_EQ(m.lockVertexBuffer(gfx::Lock::ReadOnly, &data), gfx::Result::Ok);
    const uint8_t* vertex = static_cast<const uint8_t*>(data) + size_t(indices[face * 3 + k]) * m.numBytesPerVertex();
    Corner corner;
    for (const gfx::VertexElement& element : m.declaration()) {
        if (element.usage == gfx::DeclUsage::Position) std::memcpy(&corner.position, vertex + element.offset, 12);
        if (element.usage == gfx::DeclUsage::TexCoord)
            std::memcpy(element.usageIndex == 0 ? &corner.uv0 : &corner.uv1, vertex + element.offset, 8);
    }
    m.unlockVertexBuffer();
    return corner;
}

// The reader turns v over twice, which can move it by a rounding step.
::testing::AssertionResult sameUv(const gfx::Vector2& actual, const gfx::Vector2& expected) {
    if (std::fabs(actual.x - expected.x) <= 1e-6f && std::fabs(actual.y - expected.y) <= 1e-6f)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << actual.x << ", " << actual.y << ") instead of (" << expected.x
                                         << ", " << expected.y << ")";
}

std::vector<uint16_t> indicesOf(mesh::Mesh& m) {
    void* data = nullptr;
    EXPECT_EQ(m.lockIndexBuffer(gfx::Lock::ReadOnly, &data), gfx::Result::Ok);
    std::vector<uint16_t> indices(static_cast<const uint16_t*>(data), static_cast<const uint16_t*>(data) + m.numFaces() * 3);
    m.unlockIndexBuffer();
    return indices;
}

TEST(XFile, MaterialsKeepFileOrderAndFacesFollowThemInOneMesh) {
    LoadedMesh loaded;
    load(kData + "unused_first_material.x", loaded);
    ASSERT_EQ(loaded.materials.size(), 3u);
    EXPECT_EQ(loaded.materials[0].diffuse, (gfx::Vector4{0, 0, 1, 1}));
    EXPECT_EQ(loaded.materials[1].diffuse, (gfx::Vector4{1, 0, 0, 1}));
    EXPECT_EQ(loaded.materials[2].diffuse, (gfx::Vector4{0, 1, 0, 1}));
    EXPECT_FLOAT_EQ(loaded.materials[1].power, 8.0f);
    EXPECT_EQ(loaded.materials[2].specular, (gfx::Vector3{0.2f, 0.2f, 0.2f}));
    EXPECT_EQ(loaded.materials[0].textureFilename, "");
    EXPECT_EQ(loaded.materials[1].textureFilename, "red.tex.dds");
    EXPECT_EQ(loaded.materials[2].textureFilename, "");

    // The reader splits the six shared vertices per material: two quads of four.
    EXPECT_EQ(loaded.mesh->numFaces(), 4u);
    EXPECT_EQ(loaded.mesh->numVertices(), 8u);
    const std::vector<mesh::AttributeRange>& table = loaded.mesh->attributeTable();
    ASSERT_EQ(table.size(), 2u) << "the unused material has no range";
    EXPECT_EQ(table[0].attributeId, 1u);
    EXPECT_EQ(table[0].faceStart, 0u);
    EXPECT_EQ(table[0].faceCount, 2u);
    EXPECT_EQ(table[0].vertexStart, 0u);
    EXPECT_EQ(table[0].vertexCount, 4u);
    EXPECT_EQ(table[1].attributeId, 2u);
    EXPECT_EQ(table[1].faceStart, 2u);
    EXPECT_EQ(table[1].faceCount, 2u);
    EXPECT_EQ(table[1].vertexStart, 4u);
    EXPECT_EQ(table[1].vertexCount, 4u);
    EXPECT_EQ(loaded.mesh->attributeIds(), (std::vector<uint32_t>{1, 1, 2, 2}));
}

TEST(XFile, PositionsWindingAndBothCoordinateSetsAreTheFilesPlacedByTheFrame) {
    LoadedMesh loaded;
    load(kData + "unused_first_material.x", loaded);
    const std::vector<uint16_t> indices = indicesOf(*loaded.mesh);
    // The file's first face is 0, 3, 2 and its frame moves it by (2, 3, 4).
    const Corner a = cornerOf(*loaded.mesh, indices, 0, 0), b = cornerOf(*loaded.mesh, indices, 0, 1),
                 c = cornerOf(*loaded.mesh, indices, 0, 2);
    EXPECT_EQ(a.position, (gfx::Vector3{2, 3, 4}));
    EXPECT_EQ(b.position, (gfx::Vector3{2, 4, 4}));
    EXPECT_EQ(c.position, (gfx::Vector3{3, 4, 4}));
    EXPECT_TRUE(sameUv(c.uv0, {1.0f, -0.25f})) << "v as written, not flipped";
    EXPECT_TRUE(sameUv(b.uv1, {0.4f, 0.4f})) << "the second coordinate block is set 1";
    // The second material's last face is the file's 1, 5, 4.
    const Corner e = cornerOf(*loaded.mesh, indices, 3, 2);
    EXPECT_EQ(e.position, (gfx::Vector3{4, 3, 4}));
    EXPECT_TRUE(sameUv(e.uv0, {1.25f, 0.0f}));
    EXPECT_TRUE(sameUv(e.uv1, {0.5f, 0.5f}));
}

TEST(XFile, MeshWithoutMaterialListTakesTheFirstTopLevelMaterial) {
    LoadedMesh loaded;
    load(kData + "no_material_list.x", loaded);
    ASSERT_FALSE(loaded.materials.empty());
    EXPECT_EQ(loaded.materials[0].diffuse, (gfx::Vector4{0.5f, 0.25f, 0.125f, 1.0f}));
    EXPECT_EQ(loaded.materials[0].textureFilename, "stone.dds");
    ASSERT_EQ(loaded.mesh->attributeTable().size(), 1u);
    EXPECT_EQ(loaded.mesh->attributeTable()[0].attributeId, 0u);
}

TEST(XFile, FilesThatCannotBeReadFailWithAReasonAndNoMesh) {
    const std::string longFolder = kData + std::string(300, 'f') + "/";
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"missing file", kData + "no_such_mesh.x"},
        {"path through a 300-character folder", longFolder + "crate.x"},
        {"not a mesh file", kData + "../image/halves.jpg"},
        {"folder instead of a file", kData},
    };
    for (const auto& [what, path] : cases) {
        std::vector<mesh::XMaterial> materials;
        mesh::Mesh* loaded = reinterpret_cast<mesh::Mesh*>(&materials);
        std::string error;
        EXPECT_NE(mesh::loadMeshFromX(path, mesh::Options::SystemMemory, nullptr, materials, &loaded, &error),
                  gfx::Result::Ok)
            << what;
        EXPECT_EQ(loaded, nullptr) << what;
        EXPECT_FALSE(error.empty()) << what;
    }
}

TEST(XFile, FramesAndBonesComeInTheEnginesMatrixConventionWithUnnamedOnesNamed) {
    std::unique_ptr<mesh::XFrame> root;
    std::string error;
    ASSERT_EQ(mesh::loadFrameHierarchyFromX(kData + "skinned_frames.x", mesh::Options::SystemMemory, nullptr, root,
                                            &error),
              gfx::Result::Ok)
        << error;
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->name, "Root");
    EXPECT_EQ(root->transform, gfx::Matrix(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1)) << "translation in row 4";
    ASSERT_EQ(root->children.size(), 2u);
    EXPECT_EQ(root->children[0]->name, "Bone1");
    EXPECT_EQ(root->children[0]->transform.m[3][1], 0.5f);
    const mesh::XFrame& holder = *root->children[1];
    EXPECT_EQ(holder.name, mesh::kNoName);
    ASSERT_EQ(holder.meshes.size(), 1u);
    const mesh::XMeshContainer& container = *holder.meshes[0];
    EXPECT_EQ(container.name, mesh::kNoName);
    ASSERT_NE(container.mesh, nullptr);
    EXPECT_EQ(container.mesh->numFaces(), 1u);
    ASSERT_EQ(container.bones.size(), 1u);
    const mesh::XBone& bone = container.bones[0];
    EXPECT_EQ(bone.name, "Bone1");
    EXPECT_EQ(bone.offset, gfx::Matrix(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 5, 6, 7, 1));
    ASSERT_EQ(bone.vertices.size(), 3u);
    // Each weight stays with its vertex (the order of the pairs is the reader's).
    for (size_t i = 0; i < bone.vertices.size(); ++i) {
        const float expected[] = {1.0f, 0.5f, 0.25f};
        ASSERT_LT(bone.vertices[i], 3u);
        EXPECT_FLOAT_EQ(bone.weights[i], expected[bone.vertices[i]]);
    }
}

} // namespace
