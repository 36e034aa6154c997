// The game render state through the scene harness: its targets, the loading progress and the
// wait for the scene's content, the per-frame budgets, unloading, and quitting during a load.
#include <gtest/gtest.h>

#include <atomic>
#include <cfloat>
#include <thread>

#include "render/base_renderable.h"
#include "render/bounding_record.h"
#include "render/device_global.h"
#include "render/render_state_game.h"
#include "render/render_state_manager.h"
#include "render/render_target.h"
#include "render/renderable_asset.h"
#include "render/renderable_factory.h"
#include "render/renderable_manager.h"
#include "support/scene_harness.h"
#include "support/scene_test_assets.h"

namespace {

using scenetest::SceneHarness;
using scenetest::SceneSettings;

class GameRenderState : public SceneHarness {};

TEST_F(GameRenderState, LevelTwoMakesOnlyTheSceneAndUITargetsAndNoReflectionTexture) {
    openScene({scenetest::kFlatBoxClass}, SceneSettings{.shaderLevel = 2, .shadows = true, .ssao = true});
    ASSERT_FALSE(HasFatalFailure());
    RenderStateGame& game = gameState();
    EXPECT_NE(game.sceneTarget(), nullptr);
    EXPECT_NE(game.uiTarget(), nullptr);
    for (RenderTarget* target : {game.shadowTarget(), game.shadowBlurTarget(), game.normalTarget(),
                                 game.positionTarget(), game.ssaoTarget(), game.ssaoWorkTarget()})
        EXPECT_EQ(target, nullptr);
    EXPECT_EQ(game.reflectionTexture(), nullptr);
    const PassContext& table = game.targetTable();
    EXPECT_EQ(table.targets[PassContext::Scene], game.sceneTarget());
    EXPECT_EQ(table.targets[PassContext::UI], game.uiTarget());
    for (auto entry : {PassContext::BlurredShadowMap, PassContext::Normals, PassContext::Ssao})
        EXPECT_EQ(table.targets[entry], nullptr);
}

struct ShadowCase {
    const char* detail;
    std::uint32_t size;
};

class ShadowDetail : public SceneHarness, public ::testing::WithParamInterface<ShadowCase> {};

TEST_P(ShadowDetail, GivesTheShadowMapSizeAndLevelThreeMakesEveryTarget) {
    SceneSettings settings{.shadows = true, .ssao = true};
    settings.shadowDetail = GetParam().detail;
    openScene({scenetest::kFlatBoxClass}, settings);
    ASSERT_FALSE(HasFatalFailure());
    RenderStateGame& game = gameState();
    ASSERT_NE(game.shadowTarget(), nullptr);
    EXPECT_EQ(game.shadowTarget()->width(), GetParam().size);
    EXPECT_EQ(game.shadowBlurTarget()->height(), GetParam().size);
    ASSERT_NE(game.normalTarget(), nullptr);
    EXPECT_EQ(game.normalTarget()->height(), 96u) << "the scene view is 80.4 % of 120 rows, truncated";
    EXPECT_EQ(game.ssaoWorkTarget()->width(), 160u);
    EXPECT_NE(game.reflectionTexture(), nullptr);
    const PassContext& table = game.targetTable();
    EXPECT_EQ(table.targets[PassContext::BlurredShadowMap], game.shadowBlurTarget());
    EXPECT_EQ(table.targets[PassContext::Normals], game.normalTarget());
    EXPECT_EQ(table.targets[PassContext::Ssao], game.ssaoTarget());
}

INSTANTIATE_TEST_SUITE_P(Levels, ShadowDetail,
                         ::testing::Values(ShadowCase{"High", 2048}, ShadowCase{"Medium", 1024}, ShadowCase{"Low", 512},
                                           ShadowCase{"Ultra", 512}));

TEST(GameRenderStateSizes, SceneHeightTruncatesAndShadowSizesFollowTheDetail) {
    EXPECT_EQ(RenderStateGame::sceneHeight(120), 96u);
    EXPECT_EQ(RenderStateGame::sceneHeight(768), 617u);
    EXPECT_EQ(RenderStateGame::sceneHeight(1080), 868u);
    EXPECT_EQ(RenderStateGame::shadowMapSize("high"), 512u) << "the level names are matched exactly";
}

TEST_F(GameRenderState, ProgressRisesInOrderAndTheStateWaitsForTheReadyFlagAndEmptyQueues) {
    open();
    ASSERT_FALSE(HasFatalFailure());
    renderInterface().requestSceneChange(writeRenderPaths({scenetest::kFlatBoxClass}));
    std::vector<std::uint32_t> progress;
    ASSERT_TRUE(framesUntil([&] {
        const std::uint32_t now = gameState().loadingProgress();
        if (progress.empty() || progress.back() != now) progress.push_back(now);
        return gameState().status() == BaseState::WaitingForSceneContent;
    }));
    ASSERT_GE(progress.size(), 3u);
    EXPECT_EQ(progress.front(), 0u);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_NE(std::find(progress.begin(), progress.end(), 75u), progress.end());
    EXPECT_GE(progress.back(), 80u);

    // 101 objects and 11 lights: each list takes two frames.
    for (int i = 0; i < 101; ++i) addBox({float(i % 10), 0.0f, float(i / 10)}, 0.25f, 0xFF808080);
    for (int i = 0; i < 11; ++i) addPointLight({float(i), 1.0f, 0.0f}, 2.0f);
    frames(3);
    EXPECT_EQ(gameState().status(), static_cast<std::uint32_t>(BaseState::WaitingForSceneContent))
        << "the update side has not said its scene is complete";
    EXPECT_EQ(gameState().renderableManager()->instanceCount(), 101u);

    RenderInterface::RenderableObject* late = addBox({0.0f, 0.0f, 0.0f}, 1.0f, 0xFF808080);
    for (int i = 0; i < 100; ++i) addBox({0.0f, 2.0f, float(i)}, 0.25f, 0xFF808080);
    for (int i = 0; i < 10; ++i) addPointLight({0.0f, 2.0f, float(i)}, 2.0f);
    renderInterface().setUpdateSideReady(true);
    frame();
    EXPECT_EQ(renderInterface().objectsToAdd().size(), 1u) << "100 objects a frame";
    EXPECT_EQ(renderInterface().lightsToAdd().size(), 0u);
    EXPECT_FALSE(gameState().scenePopulated());
    EXPECT_EQ(gameState().status(), static_cast<std::uint32_t>(BaseState::WaitingForSceneContent));
    frame();
    EXPECT_TRUE(gameState().scenePopulated());
    EXPECT_EQ(late->waiting, 0);
    frame();
    EXPECT_EQ(gameState().loadingProgress(), 100u);
    EXPECT_EQ(renderInterface().loadingProgressForUpdate(), 100u);
    EXPECT_EQ(gameState().renderableManager()->instanceCount(), 202u);
    EXPECT_EQ(gameState().renderableManager()->pointLights().size(), 21u);
}

TEST_F(GameRenderState, TenLightsAFrameAndRegionsTenAFrame) {
    openScene();
    ASSERT_FALSE(HasFatalFailure());
    for (int i = 0; i < 11; ++i) addPointLight({float(i), 1.0f, 0.0f}, 2.0f);
    for (int i = 0; i < 12; ++i) renderInterface().createRegion(float(i), 0.0f, float(i) + 1.0f, 1.0f);
    frame();
    EXPECT_EQ(gameState().renderableManager()->lightCount(), 10u);
    EXPECT_EQ(gameState().renderableManager()->regionCount(), 10u);
    frame();
    EXPECT_EQ(gameState().renderableManager()->lightCount(), 11u);
    EXPECT_EQ(gameState().renderableManager()->regionCount(), 12u);
}

TEST_F(GameRenderState, ATexturedRectangleIsReadyEvenWhenNoUIRenderableTakesIt) {
    openScene();
    ASSERT_FALSE(HasFatalFailure());
    RenderInterface::UIObject* image =
        renderInterface().createTexturedRectObject("UITexturedRectangleRenderable", "Data/graphics/none/", "missing.png");
    ASSERT_NE(image, nullptr);
    frame();
    EXPECT_EQ(image->status(), static_cast<std::uint32_t>(RenderInterface::UIObject::Ready));
}

TEST_F(GameRenderState, DeletionsLeaveEveryListAndUnloadingReachesTenThenHandsBack) {
    openScene();
    ASSERT_FALSE(HasFatalFailure());
    RenderInterface::RenderableObject* kept = addBox({0, 0, 0}, 1.0f, 0xFF808080);
    RenderInterface::RenderableObject* gone = addBox({2, 0, 0}, 1.0f, 0xFF808080);
    RenderInterface::RenderableObject* light = addPointLight({0, 1, 0}, 3.0f);
    frame();
    ASSERT_EQ(gameState().renderableManager()->instanceCount(), 2u);
    renderInterface().destroyRenderObject(gone);
    renderInterface().destroyLight(light);
    RenderInterface::RenderableObject* never = addBox({4, 0, 0}, 1.0f, 0xFF808080);
    renderInterface().destroyRenderObject(never);
    frame();
    EXPECT_EQ(gameState().renderableManager()->instanceCount(), 1u);
    EXPECT_EQ(gameState().renderableManager()->lightCount(), 0u);
    EXPECT_TRUE(renderInterface().objectsToDelete().empty());
    EXPECT_EQ(kept->waiting, 0);

    // Back to the front end: the scene unloads behind it, with its objects still alive.
    renderInterface().requestSceneChange("frontEnd");
    std::vector<std::uint32_t> statuses;
    ASSERT_TRUE(framesUntil([&] {
        const std::uint32_t now = gameState().status();
        if (statuses.empty() || statuses.back() != now) statuses.push_back(now);
        // Destroyed once the assets are gone: its instance went before them.
        if (now == BaseState::Unloaded && kept) {
            renderInterface().destroyRenderObject(kept);
            kept = nullptr;
        }
        if (!kept) renderInterface().setHandOverAllowed(true);
        return renderStates().current()->name() == "frontEndState";
    }));
    EXPECT_NE(std::find(statuses.begin(), statuses.end(), 10u), statuses.end());
    EXPECT_EQ(gameState().status(), static_cast<std::uint32_t>(BaseState::LoadRequested));
    EXPECT_EQ(gameState().renderableManager(), nullptr);
    EXPECT_EQ(registry().find(scenetest::kFlatBoxType), nullptr) << "the scene's descriptions left with it";
    EXPECT_EQ(kept, nullptr);
    EXPECT_TRUE(renderInterface().objectsToDelete().empty()) << "the unloaded scene took its deletion";
}

// A renderable whose loading waits until the test lets it go, then still works on the manager.
std::atomic<bool> slowEntered{false};
std::atomic<bool> slowReleased{false};

class SlowAsset : public scenetest::TestAsset {
public:
    explicit SlowAsset(BaseRenderable* owner)
        : TestAsset("slow", owner, {-FLT_MAX, -FLT_MAX, -FLT_MAX}, {FLT_MAX, FLT_MAX, FLT_MAX}) {}
};

class SlowRenderable : public BaseRenderable {
public:
    SlowRenderable(ThreadResourcePool* pool, RenderInterface*, RenderableManager* manager)
        : BaseRenderable(pool, "SlowRenderable", manager) {}
    ~SlowRenderable() override { deleteAssets(); }
    void loadAssets() override {
        slowEntered = true;
        while (!slowReleased) std::this_thread::yield();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        auto* asset = new SlowAsset(this);
        manager()->registerAsset(asset);
        assets.push_back(asset);
    }
    void fillLoadedTextures() override {}
    void unloadInstances() override {}
    void createEffects() override {}
    void setFrameParameters() override {}
    void releaseAssets() override { deleteAssets(); }
    void setUpParamDescriptions(ParameterDescriptionRegistry&) override {}
    void removeParamDescriptions(ParameterDescriptionRegistry&) override {}
};

RenderableFactory<SlowRenderable> slowFactory("SlowRenderable");

TEST_F(GameRenderState, QuittingWhileAWorkerLoadsWaitsForItBeforeFreeingTheScene) {
    open();
    ASSERT_FALSE(HasFatalFailure());
    slowEntered = false;
    slowReleased = false;
    renderInterface().requestSceneChange(writeRenderPaths({"SlowRenderable"}));
    ASSERT_TRUE(framesUntil([] { return slowEntered.load(); }, 100000));
    EXPECT_EQ(gameState().status(), static_cast<std::uint32_t>(BaseState::Loading));
    // The worker goes on after this; the program's end must wait for it.
    slowReleased = true;
    close();
}

} // namespace
