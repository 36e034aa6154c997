// The atlas of one mesh folder: the texture detail's subfolder, the loaders handed to the
// renderable and kept across reloads, placements by name, and moving coordinates into the atlas.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/parameter_description.h"
#include "app/thread_resource_pool.h"
#include "platform/mesh/mesh.h"
#include "render/dds_texture_loader.h"
#include "render/render_interface.h"
#include "scene/mesh_atlas_group.h"
#include "support/log_capture.h"
#include "support/scene_test_assets.h"
#include "support/temp_folder.h"

namespace {

const std::string kDynamic = std::string(ZODERUD_SOURCE_DIR) + "/Data/graphics/3d/meshes/dynamic/";

// An index whose one entry names the subfolder it lies in by its offset.
std::string indexFile(const char* texture, float offsetU) {
    char entry[200];
    std::snprintf(entry, sizeof entry, "%s atlas_texture0.dds 0, 2D, %f, 0.0, 0.0, 0.5, 1.0\n", texture, offsetU);
    return std::string("# test atlas\n# texture atlas index, type, u, v, depth, width, height\n") + entry + "\n";
}

class MeshAtlasGroupTest : public ::testing::Test {
protected:
    ThreadResourcePool pool_{"renderPool"};
    ParameterDescriptionRegistry registry_;
    RenderInterface renderInterface_{&registry_, &pool_, 320, 240, ""};
    scenetest::TestRenderable owner_{"DynamicMeshRenderable"};
};

TEST(AtlasSubfolder, TheThreeDetailWordsPickTheirFolderAndAnythingElseTheLargeOne) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"High", "large_tex/"}, {"Medium", "medium_tex/"}, {"Low", "small_tex/"},
        {"", "large_tex/"},     {"low", "large_tex/"},     {"MEDIUM", "large_tex/"}, {"Medium ", "large_tex/"},
    };
    for (const auto& [detail, folder] : cases) EXPECT_EQ(atlasSubfolder(detail), folder) << "'" << detail << "'";
}

TEST(AtlasSubfolder, GroupNamesAreTheLastFolderComponent) {
    EXPECT_EQ(folderGroupName("Data/graphics/3d/meshes/dynamic/"), "dynamic");
    EXPECT_EQ(folderGroupName("Data\\meshes\\static\\"), "static");
    EXPECT_EQ(folderGroupName("crates"), "crates");
}

TEST_F(MeshAtlasGroupTest, LoadReadsTheShippedAtlasOfTheDetailAndHandsItsLoadersToTheOwner) {
    LogCapture log;
    renderInterface_.renderSettings().textureDetail = "Low";
    MeshAtlasGroup group(&pool_, &renderInterface_, kDynamic);
    group.loadAtlas(owner_);
    EXPECT_EQ(group.name(), "dynamic");
    ASSERT_NE(group.colourLoader(), nullptr);
    EXPECT_EQ(group.colourLoader()->path(), kDynamic + "small_tex/atlas_texture0.dds");
    EXPECT_EQ(group.normalLoader()->path(), kDynamic + "small_tex/atlas_normal_texture0.dds");
    EXPECT_EQ(group.colourLoader()->getState(), LoadableAsset::FileLoaded);
    EXPECT_EQ(owner_.loadables, (std::list<LoadableAsset*>{group.colourLoader(), group.normalLoader()}));
    const AtlasPlacement& crate = group.placement("crate");
    EXPECT_FLOAT_EQ(crate.scaleU, 0.5f);
    EXPECT_FLOAT_EQ(group.placement("plinth_stone").offsetU, 0.5f);
    const AtlasPlacement& missing = group.placement("no_such_texture");
    EXPECT_EQ(&missing, &group.atlasIndex().defaultPlacement());
    EXPECT_EQ(&group.placement(""), &group.atlasIndex().defaultPlacement());
    EXPECT_TRUE(log.lines().empty()) << log.lines().front();
}

TEST_F(MeshAtlasGroupTest, ReloadsFollowTheNewDetailWithTheSameLoaders) {
    TempFolder data;
    data.write("crates/large_tex/atlas_texture.tai", indexFile("crate.dds", 0.25f));
    data.write("crates/medium_tex/atlas_texture.tai", indexFile("crate.dds", 0.5f));
    renderInterface_.renderSettings().textureDetail = "High";
    MeshAtlasGroup group(&pool_, &renderInterface_, data.path() + "crates/");
    group.loadAtlas(owner_);
    DDSTextureLoader* colour = group.colourLoader();
    EXPECT_FLOAT_EQ(group.placement("crate").offsetU, 0.25f);
    owner_.loadables.clear();

    renderInterface_.renderSettings().textureDetail = "Medium";
    group.reloadAtlasTextures(owner_);
    EXPECT_EQ(group.colourLoader(), colour);
    EXPECT_EQ(colour->path(), data.path() + "crates/medium_tex/atlas_texture0.dds");
    EXPECT_EQ(owner_.loadables.size(), 2u);
    EXPECT_FLOAT_EQ(group.placement("crate").offsetU, 0.25f) << "the index waits for its own reload";
    group.reloadAtlasIndex();
    EXPECT_FLOAT_EQ(group.placement("crate").offsetU, 0.5f);
}

TEST_F(MeshAtlasGroupTest, CoordinatesMoveByTheTextureOfTheirRangesAttributeId) {
    TempFolder data;
    // "red" lies in the right half; the untextured material keeps the default placement.
    data.write("mixed/large_tex/atlas_texture.tai", indexFile("red.dds", 0.5f));
    MeshAtlasGroup group(&pool_, &renderInterface_, data.path() + "mixed/");
    group.loadAtlas(owner_);
    // Two vertices per range, 8-byte vertices of only (u, v); range order and ids differ.
    float uv[] = {0.5f, -0.25f, 1.25f, 1.0f, -0.25f, 0.5f, 1.0f, 0.0f};
    const std::vector<mesh::AttributeRange> ranges = {{1, 0, 1, 0, 2}, {2, 1, 1, 2, 2}};
    const std::vector<std::string> names = {"", "red", ""};
    placeInAtlas(uv, 4, 8, 0, ranges, names, group);
    const float expected[] = {
        0.5f + 0.5f * 0.5f, 0.75f, // -0.25 becomes 0.75 before the placement
        0.5f + 0.5f * 1.25f, 1.0f, // above 1 is not wrapped
        0.75f, 0.5f,               // default placement: only the wrap
        1.0f, 0.0f,
    };
    for (int i = 0; i < 8; ++i) EXPECT_FLOAT_EQ(uv[i], expected[i]) << i;

    // A vertex two ranges share moves once; an id past the names takes the default placement.
    float shared[] = {0.5f, 0.5f};
    placeInAtlas(shared, 1, 8, 0, {{1, 0, 1, 0, 1}, {1, 1, 1, 0, 1}}, names, group);
    EXPECT_FLOAT_EQ(shared[0], 0.75f);
    float beyond[] = {0.5f, -0.5f};
    placeInAtlas(beyond, 1, 8, 0, {{9, 0, 1, 0, 1}}, names, group);
    EXPECT_FLOAT_EQ(beyond[0], 0.5f);
    EXPECT_FLOAT_EQ(beyond[1], 0.5f);
}

} // namespace
