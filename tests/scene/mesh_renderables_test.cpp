// The dynamic and static mesh renderables in the running scene, read back through the scene
// harness: lit faces, highlight, shadows on a static slab, point-lit pillars lightmapped and
// vertex-lit, instanced drawing, and static batches as instances come and go.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/gfx/math_matrix.h"
#include "platform/gfx/math_vector.h"
#include "platform/message_box.h"
#include "render/render_state_game.h"
#include "render/renderable_manager.h"
#include "render/view_frustum.h"
#include "scene/asset_texture_sharing_group.h"
#include "scene/dynamic_mesh_parameters.h"
#include "scene/dynamic_mesh_renderable.h"
#include "scene/static_mesh_renderable.h"
#include "scene/static_renderable_batch.h"
#include "support/log_capture.h"
#include "support/scene_harness.h"

namespace {

using scenetest::SceneHarness;
using scenetest::SceneSettings;

const std::string kRenderPaths = std::string(ZODERUD_TEST_DATA_DIR) + "/mesh_render_paths.xml";
// The scene view covers the top 96 of the harness's 120 rows.
constexpr int kSceneRows = 96;

int brightness(std::uint32_t argb) { return int((argb >> 16) & 255) + int((argb >> 8) & 255) + int(argb & 255); }

class MeshScene : public SceneHarness {
protected:
    void start(SceneSettings settings = {}) {
        settings.postProcessing = false;
        open(settings);
        ASSERT_FALSE(HasFatalFailure());
        loadScene(kRenderPaths);
        ASSERT_FALSE(HasFatalFailure());
        enterScene();
        ASSERT_FALSE(HasFatalFailure());
        setGameStateStatus(BaseState::Running);
    }
    RenderInterface::RenderableObject* mesh(const std::string& type, const gfx::Matrix& placed) {
        RenderInterface::RenderableObject* object = renderInterface().createRenderObject(type, placed.data());
        EXPECT_NE(object, nullptr) << type;
        return object;
    }
    void setHighlight(RenderInterface::RenderableObject* object, const Vector4Value& colour) {
        declared::set(object->pair()->updateGroup(), DynamicMeshParameters::highlightColour, colour);
    }
    void setShown(RenderInterface::RenderableObject* object, bool shown) {
        declared::set(object->pair()->updateGroup(), DynamicMeshParameters::shouldRender, shown);
    }
    // A few frames, long enough to finish the fade, then the read-back.
    void settle(int count = 4) {
        frames(count, 7.0f);
        readPixels();
    }
    RenderableManager& manager() { return *gameState().renderableManager(); }
    template <class T>
    T* renderable(const char* className) {
        for (BaseRenderable* each : manager().renderables())
            if (each->className() == className) return static_cast<T*>(each);
        return nullptr;
    }
    // Where a world point shows in the scene view.
    std::pair<int, int> project(const gfx::Vector3& point) {
        const gfx::Vector3 clip = gfx::transformCoord(point, manager().frustum()->viewProjection());
        return {int((clip.x + 1.0f) * 0.5f * float(settings().width)), int((1.0f - clip.y) * 0.5f * float(kSceneRows))};
    }
    // The summed channels of the 3 x 3 pixels around a world point.
    int lightAt(const gfx::Vector3& point) {
        const auto [x, y] = project(point);
        int sum = 0;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) sum += brightness(pixel(std::clamp(x + dx, 0, 159), std::clamp(y + dy, 0, kSceneRows - 1)));
        return sum / 9;
    }
    std::uint32_t pixelAt(const gfx::Vector3& point) {
        const auto [x, y] = project(point);
        return pixel(x, y);
    }
};

TEST_F(MeshScene, ALitCrateRanksItsFacesByTheLightAndAHighlightTintsIt) {
    start();
    ASSERT_FALSE(HasFatalFailure());
    addDirectionalLight();
    // Seen from above, the front (-z) and the right (+x); the light falls mostly from above, then
    // from the front, least from the right.
    const gfx::Vector3 toLight = gfx::normalize(gfx::Vector3{0.25f, 1.0f, -0.6f});
    setCamera({2.2f, 2.6f, -3.0f}, {0.0f, 0.0f, 0.0f}, toLight * -1.0f);
    settle();
    const std::uint32_t clear = pixel(0, 0);
    RenderInterface::RenderableObject* crate = mesh("Mesh_crate", gfx::identityMatrix());
    settle();
    const int top = lightAt({0.0f, 0.5f, 0.0f});
    const int front = lightAt({0.0f, 0.0f, -0.5f});
    const int right = lightAt({0.5f, 0.0f, 0.0f});
    EXPECT_GT(top, front + 20) << "top " << top << ", front " << front;
    EXPECT_GT(front, right + 20) << "front " << front << ", right " << right;
    for (auto [x, y] : {std::pair{0, 0}, std::pair{159, 0}, std::pair{0, kSceneRows - 1}, std::pair{159, kSceneRows - 1}})
        EXPECT_TRUE(pixelNear(x, y, clear, 1)) << "corner " << x << ", " << y;
    saveFrame("lit_crate");

    const std::uint32_t plain = pixelAt({0.0f, 0.0f, -0.5f});
    setHighlight(crate, {0.5f, 0.0f, 0.0f, 1.0f});
    settle();
    const std::uint32_t tinted = pixelAt({0.0f, 0.0f, -0.5f});
    EXPECT_GT(int((tinted >> 16) & 255), int((plain >> 16) & 255) + 60) << std::hex << plain << " -> " << tinted;
    EXPECT_NEAR(int((tinted >> 8) & 255), int((plain >> 8) & 255), 3);
    EXPECT_NEAR(int(tinted & 255), int(plain & 255), 3);
}

TEST_F(MeshScene, WithShadowsOnACrateAboveTheStaticSlabDarkensTheSlabUnderIt) {
    start(SceneSettings{.shadows = true});
    ASSERT_FALSE(HasFatalFailure());
    addDirectionalLight();
    setCamera({0.0f, 9.0f, -0.01f}, {0.0f, 0.0f, 0.0f}, {0.0f, -1.0f, 0.0f});
    mesh("Mesh_ground_slab", gfx::identityMatrix());
    RenderInterface::RenderableObject* crate = mesh("Mesh_crate", gfx::translationMatrix(0.0f, 1.5f, 0.0f));
    settle();
    // The shadow map looks along (1, -1, 1): the crate's shadow lies 1.5 along x and z from it.
    const gfx::Vector3 shadowed{1.5f, 0.0f, 1.5f}, open{-1.5f, 0.0f, 1.5f};
    const int underCrate = lightAt(shadowed);
    const int elsewhere = lightAt(open);
    EXPECT_LT(underCrate + 30, elsewhere) << "under the crate " << underCrate << ", elsewhere " << elsewhere;
    saveFrame("shadowed_slab");
    setShown(crate, false);
    settle();
    EXPECT_NEAR(lightAt(shadowed), elsewhere, 12) << "the darkening is the crate's";
}

// Lightmapped, then vertex-lit: the pillar's front face is brighter on the side of its light.
TEST_F(MeshScene, APillarLitByOnePointLightIsBrighterOnTheNearSideLightmappedAndVertexLit) {
    start();
    ASSERT_FALSE(HasFatalFailure());
    addDirectionalLight();
    setCamera({0.0f, 1.0f, -3.0f}, {0.0f, 1.0f, 0.0f}, {0.0f, -1.0f, 1.0f});
    addPointLight({1.2f, 1.0f, -0.8f}, 2.0f);
    mesh("Mesh_pillar", gfx::identityMatrix());
    settle(6);
    auto* statics = renderable<StaticMeshRenderable>(StaticMeshRenderable::kClassName);
    ASSERT_NE(statics, nullptr);
    ASSERT_FALSE(statics->vertexLit());
    const gfx::Vector3 nearSide{0.2f, 1.0f, -0.25f}, farSide{-0.2f, 1.0f, -0.25f};
    const int nearLightmapped = lightAt(nearSide), farLightmapped = lightAt(farSide);
    EXPECT_GT(nearLightmapped, farLightmapped + 20) << "lightmapped: " << nearLightmapped << " against " << farLightmapped;
    saveFrame("pillar_lightmapped");

    renderInterface().lightmapToggleRequest = 1;
    settle(6);
    EXPECT_TRUE(statics->vertexLit());
    const int nearVertexLit = lightAt(nearSide), farVertexLit = lightAt(farSide);
    EXPECT_GT(nearVertexLit, farVertexLit + 20) << "vertex-lit: " << nearVertexLit << " against " << farVertexLit;
    saveFrame("pillar_vertex_lit");
}

TEST_F(MeshScene, InstancedAndPerInstanceDrawingGiveTheSamePicture) {
    std::vector<std::uint32_t> pictures[2];
    for (bool instancing : {false, true}) {
        start(SceneSettings{.instancing = instancing});
        ASSERT_FALSE(HasFatalFailure());
        addDirectionalLight();
        setCamera({0.0f, 3.0f, -5.0f}, {0.0f, 0.0f, 0.0f}, {0.3f, -1.0f, 0.5f});
        addPointLight({-1.5f, 1.0f, -1.0f}, 3.0f);
        for (int i = 0; i < 3; ++i) {
            RenderInterface::RenderableObject* crate =
                mesh("Mesh_crate", gfx::rotationYMatrix(0.4f * float(i)) * gfx::translationMatrix(-1.6f + 1.6f * float(i), 0, 0));
            if (i == 1) setHighlight(crate, {0.3f, 0.0f, 0.0f, 1.0f});
        }
        mesh("Mesh_plinth", gfx::translationMatrix(0.0f, 0.0f, 2.0f));
        settle(6);
        pictures[instancing] = readPixels();
        saveFrame(instancing ? "instanced" : "one_by_one");
        close();
    }
    std::size_t drawn = 0, differing = 0;
    const std::uint32_t clear = pictures[0][0];
    for (std::size_t i = 0; i < pictures[0].size(); ++i) {
        drawn += pictures[0][i] != clear;
        const std::uint32_t a = pictures[0][i], b = pictures[1][i];
        bool near = true;
        for (int shift = 0; shift < 24; shift += 8) near = near && std::abs(int((a >> shift) & 255) - int((b >> shift) & 255)) <= 3;
        differing += !near;
    }
    EXPECT_GT(drawn, 500u) << "the meshes are on screen";
    EXPECT_LE(differing, drawn / 100) << differing << " of " << drawn << " pixels differ";
}

TEST_F(MeshScene, WithInstancingOffStaticBatchesDrawAndNothingGrowsOverAThousandFrames) {
    start(SceneSettings{.instancing = false});
    ASSERT_FALSE(HasFatalFailure());
    addDirectionalLight();
    setCamera({0.0f, 6.0f, -6.0f}, {0.0f, 0.0f, 0.0f});
    settle();
    const std::uint32_t clear = pixelAt({3.0f, 0.0f, 0.0f});
    std::vector<RenderInterface::RenderableObject*> pillars;
    for (int i = 0; i < 4; ++i) pillars.push_back(mesh("Mesh_pillar", gfx::translationMatrix(-3.0f + 2.0f * float(i), 0, 0)));
    mesh("Mesh_ground_slab", gfx::translationMatrix(0.0f, 0.0f, 6.0f));
    settle();
    auto* statics = renderable<StaticMeshRenderable>(StaticMeshRenderable::kClassName);
    ASSERT_NE(statics, nullptr);
    ASSERT_FALSE(statics->batches().empty());
    EXPECT_GT(statics->lastColourPassDraws(), 0u);
    EXPECT_FALSE(pixelNear(project({3.0f, 1.0f, 0.0f}).first, project({3.0f, 1.0f, 0.0f}).second, clear, 10))
        << "the last pillar is drawn";

    const std::size_t batches = statics->batches().size();
    const std::uint32_t builds = statics->batchBuildCount();
    frames(1000);
    EXPECT_EQ(statics->batches().size(), batches);
    EXPECT_EQ(statics->batchBuildCount(), builds) << "nothing is built again while nothing changes";
    for (AssetTextureSharingGroup* group : statics->groups()) {
        // What the last culling queued for the next frame; every colour pass empties it.
        EXPECT_LE(group->visibleBatches.size(), batches);
        EXPECT_TRUE(group->pendingBatches.empty());
    }

    // Two toggles rebuild every batch twice, lightmapped again in the end.
    std::size_t withInstances = 0;
    for (StaticRenderableBatch* batch : statics->batches()) withInstances += batch->count() > 0;
    EXPECT_TRUE(statics->toggleVertexLit());
    frames(2);
    EXPECT_FALSE(statics->toggleVertexLit());
    frames(2);
    EXPECT_EQ(statics->batchBuildCount(), builds + 2 * withInstances);

    // A removed pillar leaves its batch and the picture.
    renderInterface().destroyRenderObject(pillars.back());
    settle();
    std::uint32_t held = 0;
    for (StaticRenderableBatch* batch : statics->batches()) held += batch->count();
    EXPECT_EQ(held, 4u) << "three pillars and the slab";
    EXPECT_TRUE(pixelNear(project({3.0f, 1.0f, 0.0f}).first, project({3.0f, 1.0f, 0.0f}).second, clear, 3));
}

TEST_F(MeshScene, ClassesWhoseEffectsFailedDrawNothing) {
    platform::recordMessageBoxes(true);
    MeshEffectSet::setEffectFolder(folder().path() + "missing/");
    start();
    MeshEffectSet::setEffectFolder(MeshEffectSet::kEffectFolder);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_FALSE(platform::takeRecordedMessageBoxes().empty()) << "the player is told the effects failed";
    platform::recordMessageBoxes(false);
    auto* statics = renderable<StaticMeshRenderable>(StaticMeshRenderable::kClassName);
    auto* dynamics = renderable<DynamicMeshRenderable>(DynamicMeshRenderable::kClassName);
    ASSERT_NE(statics, nullptr);
    ASSERT_NE(dynamics, nullptr);
    EXPECT_FALSE(statics->effects().ready());
    EXPECT_FALSE(dynamics->effects().ready());
    addDirectionalLight();
    setCamera({0.0f, 4.0f, -5.0f}, {0.0f, 0.0f, 0.0f});
    settle();
    const std::uint32_t clear = pixel(0, 0);
    mesh("Mesh_ground_slab", gfx::identityMatrix());
    mesh("Mesh_crate", gfx::translationMatrix(0.0f, 0.5f, 0.0f));
    settle();
    for (int y = 0; y < kSceneRows; y += 8)
        for (int x = 0; x < 160; x += 8) ASSERT_TRUE(pixelNear(x, y, clear, 1));
    EXPECT_EQ(statics->lastColourPassDraws(), 0u);
}

TEST_F(MeshScene, TheStaticMeshEffectsAreReleasedOnceWhenTheSceneCloses) {
    start();
    ASSERT_FALSE(HasFatalFailure());
    LogCapture log;
    close();
    const auto released = std::count_if(log.lines().begin(), log.lines().end(), [](const std::string& line) {
        return line.find("Ref Count is: ") != std::string::npos;
    });
    EXPECT_EQ(released, 3) << "one release of each effect";
    EXPECT_TRUE(log.contains("Ref Count is: 0")) << "the last reference goes";
}

} // namespace
