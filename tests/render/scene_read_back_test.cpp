// What the game render state draws, read back through the scene harness: the scene view over
// the top 80.4 % of the screen with the UI over it, the fade-in, the frame after a lost device,
// and the passes a renderable is given.
#include <gtest/gtest.h>

#include "platform/gfx/surface.h"
#include "platform/message_box.h"
#include "platform/gfx/texture.h"
#include "render/device_global.h"
#include "render/render_state_game.h"
#include "render/render_target.h"
#include "support/scene_harness.h"

namespace {

using scenetest::SceneHarness;
using scenetest::SceneSettings;

constexpr std::uint32_t kBoxColour = 0xFF3080C0;
constexpr std::uint32_t kGrey = 0xFF808080;
constexpr std::uint32_t kBlack = 0xFF000000;
constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kGreen = 0xFF00FF00;

class SceneReadBack : public SceneHarness {
protected:
    // A box filling the camera's view, the sun, and the camera looking at the box.
    void wallInView(std::uint32_t colour) {
        addBox({0.0f, 0.0f, 40.0f}, 30.0f, colour);
        addDirectionalLight();
        setCamera({0.0f, 0.0f, -10.0f}, {0.0f, 0.0f, 0.0f});
    }
    // The scale of a channel value by a fade.
    static std::uint32_t faded(std::uint32_t argb, float fade) {
        std::uint32_t out = 0xFF000000;
        for (int shift = 0; shift < 24; shift += 8)
            out |= std::uint32_t(float((argb >> shift) & 255) * fade + 0.5f) << shift;
        return out;
    }
};

TEST_F(SceneReadBack, TheSceneCoversTheTopRowsOnlyAndTheUIShowsOverIt) {
    openScene();
    ASSERT_FALSE(HasFatalFailure());
    wallInView(kBoxColour);
    addUIRectangle(100, 20, 120, 40, kGreen);
    addUIRectangle(10, 100, 30, 110, kRed);
    setGameStateStatus(BaseState::Running);
    frames(2, 7.0f);
    readPixels();
    EXPECT_TRUE(pixelNear(80, 0, kBoxColour));
    EXPECT_TRUE(pixelNear(5, 95, kBoxColour)) << "row H' - 1 = 95 is the scene's last";
    EXPECT_TRUE(pixelNear(80, 96, kBlack)) << "row 96 is below the scene view";
    EXPECT_TRUE(pixelNear(80, 119, kBlack));
    EXPECT_TRUE(pixelNear(110, 30, kGreen)) << "the UI over the scene";
    EXPECT_TRUE(pixelNear(20, 105, kRed)) << "the UI below it";
}

TEST_F(SceneReadBack, AtStatusSevenTheSceneFadesInOverSixSecondsAndTheUIOverThree) {
    openScene();
    ASSERT_FALSE(HasFatalFailure());
    wallInView(kGrey);
    addUIRectangle(10, 100, 30, 110, kGrey);
    setGameStateStatus(BaseState::WaitingForSceneContent);
    frames(10, 0.1f);
    readPixels();
    EXPECT_TRUE(pixelNear(80, 40, kBlack)) << "no fade before the update side's game state runs";
    setGameStateStatus(BaseState::Running);
    frames(15, 0.1f);
    readPixels();
    EXPECT_TRUE(pixelNear(80, 40, faded(kGrey, 0.25f), 4)) << "a quarter after 1.5 s";
    EXPECT_TRUE(pixelNear(20, 105, faded(kGrey, 0.5f), 4)) << "the UI is half in after 1.5 s";
    frames(15, 0.1f);
    readPixels();
    EXPECT_TRUE(pixelNear(80, 40, faded(kGrey, 0.5f), 4));
    EXPECT_TRUE(pixelNear(20, 105, kGrey, 2)) << "the UI is in after 3 s";
    frames(60, 0.1f);
    EXPECT_GT(gameState().sceneFade(), 1.0f) << "the last step takes the fade past 1";
    readPixels();
    EXPECT_TRUE(pixelNear(80, 40, kGrey, 1)) << "the scene never passes full strength";
    EXPECT_TRUE(pixelNear(20, 105, kGrey, 1)) << "nor does the UI";
}

TEST_F(SceneReadBack, WithoutPostProcessingTheFadedInPictureShowsAtOnce) {
    openScene({scenetest::kFlatBoxClass}, SceneSettings{.postProcessing = false});
    ASSERT_FALSE(HasFatalFailure());
    wallInView(kGrey);
    addUIRectangle(10, 100, 30, 110, kRed);
    frames(2);
    readPixels();
    EXPECT_TRUE(pixelNear(80, 40, kGrey, 1));
    EXPECT_TRUE(pixelNear(80, 100, kBlack));
    EXPECT_TRUE(pixelNear(20, 105, kRed));
}

TEST_F(SceneReadBack, ASimulatedLossAndResetDrawsTheSameFrame) {
    openScene({scenetest::kFlatBoxClass}, SceneSettings{.shadows = true, .ssao = true});
    ASSERT_FALSE(HasFatalFailure());
    wallInView(kBoxColour);
    addUIRectangle(10, 100, 30, 110, kRed);
    setGameStateStatus(BaseState::Running);
    frames(2, 7.0f);
    const std::vector<std::uint32_t> before = readPixels();
    ASSERT_TRUE(pixelNear(80, 40, kBoxColour));
    deviceGlobal->simulateDeviceLoss();
    frame();
    frames(2);
    EXPECT_EQ(deviceGlobal->testCooperativeLevel(), gfx::Result::Ok);
    const std::vector<std::uint32_t> after = readPixels();
    EXPECT_TRUE(pixelNear(80, 40, kBoxColour));
    EXPECT_TRUE(pixelNear(20, 105, kRed));
    EXPECT_EQ(before, after);
}

gfx::Surface* levelOf(RenderTarget* target) {
    gfx::Surface* surface = nullptr;
    target->sampledTexture()->getSurfaceLevel(0, &surface);
    surface->release();
    return surface;
}

TEST_F(SceneReadBack, LevelThreeWithShadowsAndSsaoDrawsShadowDepthThenColourWithThePassContext) {
    openScene({scenetest::kFlatBoxClass}, SceneSettings{.shadows = true, .ssao = true});
    ASSERT_FALSE(HasFatalFailure());
    wallInView(kBoxColour);
    frame();
    scenetest::flatBoxPasses().clear();
    frame();
    const std::vector<scenetest::PassRecord>& passes = scenetest::flatBoxPasses();
    ASSERT_EQ(passes.size(), 3u);
    EXPECT_EQ(passes[0].pass, DrawPass::Shadow);
    EXPECT_EQ(passes[1].pass, DrawPass::Depth);
    EXPECT_EQ(passes[2].pass, DrawPass::Colour);
    RenderStateGame& game = gameState();
    for (const scenetest::PassRecord& record : passes) {
        EXPECT_EQ(record.context.targets, game.targetTable().targets);
        EXPECT_EQ(record.visibleBoxes, 1u);
    }
    EXPECT_EQ(passes[0].context.targets[PassContext::BlurredShadowMap], game.shadowBlurTarget());
    EXPECT_EQ(passes[0].context.targets[PassContext::Normals], game.normalTarget());
    EXPECT_EQ(passes[0].context.targets[PassContext::Ssao], game.ssaoTarget());
    EXPECT_EQ(passes[0].target0, levelOf(game.shadowTarget()));
    EXPECT_EQ(passes[1].target0, levelOf(game.positionTarget())) << "positions to target 0";
    EXPECT_EQ(passes[1].target1, levelOf(game.normalTarget())) << "normals to target 1";
    EXPECT_EQ(passes[2].target1, nullptr);
}

TEST_F(SceneReadBack, LevelTwoDrawsTheColourPassOnly) {
    openScene({scenetest::kFlatBoxClass}, SceneSettings{.shaderLevel = 2, .shadows = true, .ssao = true});
    ASSERT_FALSE(HasFatalFailure());
    wallInView(kBoxColour);
    frame();
    scenetest::flatBoxPasses().clear();
    frames(2);
    const std::vector<scenetest::PassRecord>& passes = scenetest::flatBoxPasses();
    ASSERT_EQ(passes.size(), 2u);
    EXPECT_EQ(passes[0].pass, DrawPass::Colour);
    EXPECT_EQ(passes[1].pass, DrawPass::Colour);
}

} // namespace

namespace {

TEST_F(SceneReadBack, WithoutThePostEffectTheFrameIsDrawnWithoutPostProcessingAndTheErrorShown) {
    platform::recordMessageBoxes(true);
    RenderStateGame::setPostEffectPath(folder().path() + "missing/post.fx");
    openScene();
    RenderStateGame::setPostEffectPath(RenderStateGame::kPostEffectPath);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(gameState().postEffect(), nullptr);
    EXPECT_FALSE(platform::takeRecordedMessageBoxes().empty()) << "the player is told the effect failed";
    platform::recordMessageBoxes(false);
    wallInView(kBoxColour);
    addUIRectangle(10, 100, 30, 110, kRed);
    frames(2);
    readPixels();
    EXPECT_TRUE(pixelNear(80, 40, kBoxColour));
    EXPECT_TRUE(pixelNear(80, 100, kBlack));
    EXPECT_TRUE(pixelNear(20, 105, kRed));
}

} // namespace
