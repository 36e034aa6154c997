// Loading a mesh asset's ".x" file: layouts, recomputed normals, materials and texture names by
// material, the lightmap-coordinate message, and files that cannot be loaded.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gfx_fixture.h"
#include "platform/mesh/mesh.h"
#include "render/device_global.h"
#include "scene/mesh_file.h"
#include "platform/file_io.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

namespace {

const std::string kDynamic = std::string(ZODERUD_SOURCE_DIR) + "/Data/graphics/3d/meshes/dynamic/";
const std::string kStatic = std::string(ZODERUD_SOURCE_DIR) + "/Data/graphics/3d/meshes/static/";
const std::string kFixtures = std::string(ZODERUD_SOURCE_DIR) + "/tests/platform/data/mesh/";

class MeshFileTest : public gfxtest::GfxTest {
protected:
    void SetUp() override {
        GfxTest::SetUp();
        deviceGlobal = device_;
        createVertexDeclarations();
    }
    void TearDown() override {
        releaseVertexDeclarations();
        deviceGlobal = nullptr;
        GfxTest::TearDown();
    }
};

size_t linesWith(const LogCapture& log, const std::string& text) {
    return size_t(std::count_if(log.lines().begin(), log.lines().end(),
                                [&](const std::string& line) { return line.find(text) != std::string::npos; }));
}

TEST(MeshNames, AssetAndTextureNamesCutAtTheFirstDot) {
    EXPECT_EQ(meshAssetName("Mesh_", baseNameOfFile("crate.x")), "Mesh_crate");
    EXPECT_EQ(meshAssetName("Mesh_", baseNameOfFile("crate.old.x")), "Mesh_crate");
    EXPECT_EQ(baseNameOfFile("crate"), "crate");
    EXPECT_EQ(textureBaseName("red.tex.dds"), "red");
    EXPECT_EQ(textureBaseName("stone"), "stone");
}

TEST_F(MeshFileTest, TwoMaterialMeshKeepsOneEntryPerMaterialAndOneRangeEach) {
    LogCapture log;
    MeshFile file;
    ASSERT_TRUE(loadMeshFile(kDynamic, "plinth", vdMesh, device_, LightmapCoordinates::NotNeeded, file));
    ASSERT_NE(file.mesh, nullptr);
    EXPECT_EQ(file.path, kDynamic + "plinth.x");
    EXPECT_EQ(file.mesh->numBytesPerVertex(), 44u);
    EXPECT_EQ(file.mesh->options() & mesh::Options::Managed, mesh::Options::Managed);
    ASSERT_EQ(file.materials.size(), 2u);
    EXPECT_FLOAT_EQ(file.materials[1].diffuse[0], 0.8f);
    EXPECT_EQ(std::memcmp(file.materials[1].ambient, file.materials[1].diffuse, 16), 0) << "ambient is the diffuse";
    EXPECT_FLOAT_EQ(file.materials[1].specular[0], 0.5f);
    EXPECT_FLOAT_EQ(file.materials[1].power, 20.0f);
    EXPECT_EQ(file.textureNames, (std::vector<std::string>{"plinth_stone", ""}));
    EXPECT_EQ(file.normalTextureNames, (std::vector<std::string>{"plinth_stone_normal", ""}));
    const std::vector<mesh::AttributeRange>& table = file.mesh->attributeTable();
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0].attributeId, 0u);
    EXPECT_EQ(table[0].faceCount, 10u);
    EXPECT_EQ(table[1].attributeId, 1u);
    EXPECT_EQ(table[1].faceCount, 2u);
    EXPECT_TRUE(log.lines().empty());
}

TEST_F(MeshFileTest, NormalsAndTangentsOfTheFileAreReplaced) {
    MeshFile file;
    ASSERT_TRUE(loadMeshFile(kFixtures, "wrong_normals", vdMesh, device_, LightmapCoordinates::NotNeeded, file));
    void* data = nullptr;
    ASSERT_EQ(file.mesh->lockVertexBuffer(gfx::Lock::ReadOnly, &data), gfx::Result::Ok);
    const auto* vertices = static_cast<const MeshVertex*>(data);
    for (uint32_t v = 0; v < file.mesh->numVertices(); ++v) {
        EXPECT_NEAR(vertices[v].normal[2], -1.0f, 1e-5f) << "the file said +x";
        EXPECT_NEAR(vertices[v].tangent[0], 1.0f, 1e-5f);
    }
    file.mesh->unlockVertexBuffer();
}

TEST_F(MeshFileTest, TextureNamesFollowTheirMaterialsWithEmptyNamesForNone) {
    MeshFile file;
    ASSERT_TRUE(loadMeshFile(kFixtures, "unused_first_material", vdMesh, device_, LightmapCoordinates::NotNeeded, file));
    EXPECT_EQ(file.textureNames, (std::vector<std::string>{"", "red", ""}));
    EXPECT_EQ(file.normalTextureNames, (std::vector<std::string>{"", "red_normal", ""}));
    EXPECT_EQ(file.materials.size(), 3u);
}

TEST_F(MeshFileTest, StaticMeshesWithoutLightmapCoordinatesAreNamedAndStillLoad) {
    struct Case {
        const char* name;
        bool hasCoordinates;
    };
    for (const Case& c : {Case{"pillar", true}, Case{"ground_slab", true}, Case{"low_wall", false}}) {
        LogCapture log;
        MeshFile file;
        ASSERT_TRUE(loadMeshFile(kStatic, c.name, vdMeshTwoTex, device_, LightmapCoordinates::Needed, file)) << c.name;
        EXPECT_EQ(file.mesh->numBytesPerVertex(), 52u);
        EXPECT_EQ(file.hasLightmapCoordinates, c.hasCoordinates) << c.name;
        EXPECT_EQ(log.contains("Need to add light map UVs for: " + kStatic + c.name + ".x "), !c.hasCoordinates)
            << c.name;
    }
}

TEST_F(MeshFileTest, MissingFilesAndLongFoldersLeaveTheAssetAbsentAndAreLoggedOnce) {
    const std::string longFolder = kDynamic + std::string(300, 'd') + "/";
    for (const std::string& folder : {kDynamic, longFolder}) {
        LogCapture log;
        MeshFile file;
        EXPECT_FALSE(loadMeshFile(folder, "no_such_mesh", vdMesh, device_, LightmapCoordinates::NotNeeded, file));
        EXPECT_EQ(file.mesh, nullptr);
        EXPECT_TRUE(file.materials.empty());
        EXPECT_EQ(linesWith(log, "Unable to load the mesh"), 1u);
    }
    // The whole path is kept, however long: a folder of more than 300 characters that exists loads.
    TempFolder data;
    std::string crate;
    ASSERT_TRUE(platform::readWholeFile(kDynamic + "crate.x", crate));
    const std::string deep = std::string(100, 'a') + "/" + std::string(100, 'b') + "/" + std::string(100, 'c') + "/";
    data.write(deep + "crate.x", crate);
    MeshFile file;
    EXPECT_TRUE(loadMeshFile(data.path() + deep, "crate", vdMesh, device_, LightmapCoordinates::NotNeeded, file));
    EXPECT_GT(file.path.size(), 300u);
    EXPECT_NE(file.mesh, nullptr);
}

TEST_F(MeshFileTest, WithoutALayoutNothingIsLoaded) {
    LogCapture log;
    MeshFile file;
    EXPECT_FALSE(loadMeshFile(kDynamic, "crate", nullptr, device_, LightmapCoordinates::NotNeeded, file));
    EXPECT_EQ(file.mesh, nullptr);
    EXPECT_EQ(linesWith(log, "Unable to load the mesh"), 1u);
}

} // namespace
