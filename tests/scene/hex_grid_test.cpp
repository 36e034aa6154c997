// The map grid: its hexagon, its parameters, its draws of 124 cells with instancing (and the
// clamp past 3200), and in a running scene each cell's tint at its centre, instanced or not.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "app/parameter_manager.h"
#include "platform/gfx/math_matrix.h"
#include "platform/gfx/math_vector.h"
#include "platform/gfx_fixture.h"
#include "render/device_global.h"
#include "render/render_interface.h"
#include "render/render_state_game.h"
#include "render/renderable_instance.h"
#include "render/renderable_light.h"
#include "render/renderable_manager.h"
#include "render/view_frustum.h"
#include "scene/hex_grid.h"
#include "support/log_capture.h"
#include "support/scene_harness.h"

namespace {

TEST(HexCell, TheHexagonHasItsCornersOnTheXAxisAndItsTrianglesFaceUp) {
    const std::vector<HexVertex>& hex = hexVertices();
    ASSERT_EQ(hex.size(), 6u);
    EXPECT_EQ(hex.size() * sizeof(HexVertex), 264u);
    for (const HexVertex& v : hex) {
        EXPECT_NEAR(std::hypot(v.position[0], v.position[2]), 2.0f, 1e-5f) << "circumradius 2";
        EXPECT_EQ(v.position[1], 0.0f);
    }
    EXPECT_EQ(hex[5].position[0], 2.0f);
    EXPECT_EQ(hex[2].position[0], -2.0f);
    const std::vector<std::uint16_t>& indices = hexIndices();
    ASSERT_EQ(indices.size(), 12u);
    for (std::size_t t = 0; t < 12; t += 3) {
        const auto p = [&](int k) {
            const HexVertex& v = hex[indices[t + std::size_t(k)]];
            return gfx::Vector3{v.position[0], v.position[1], v.position[2]};
        };
        // Clockwise seen from above in the left-handed frame.
        EXPECT_GT(gfx::cross(p(1) - p(0), p(2) - p(0)).y, 0.0f) << "triangle " << t / 3;
    }
}

class HexGridOnDevice : public gfxtest::GfxTest {
protected:
    void SetUp() override {
        GfxTest::SetUp();
        deviceGlobal = device_;
        createVertexDeclarations();
        renderInterface_.renderSettings().instancing = 1;
        grid_.setUpParamDescriptions(registry_);
        grid_.loadAssets();
        grid_.createEffects();
        for (RenderableAsset* asset : grid_.assets) asset->loadStage2();
        asset_ = static_cast<HexGridRenderableAsset*>(grid_.assets.front());
    }
    void TearDown() override {
        instances_.clear();
        grid_.releaseAssets();
        releaseVertexDeclarations();
        deviceGlobal = nullptr;
        GfxTest::TearDown();
    }
    void visibleCells(std::size_t count) {
        for (std::size_t i = instances_.size(); i < count; ++i) {
            ParameterManager::ParameterGroupPair* pair = manager_.createGroupPair(kHexCellType);
            instances_.push_back(std::make_unique<RenderableInstance>(pair, asset_, false));
        }
        manager_.sync();
        asset_->visibleInstances.clear();
        for (std::size_t i = 0; i < count; ++i) asset_->addInstance(instances_[i].get());
    }
    std::vector<std::uint32_t> drawFrame() {
        const std::size_t before = asset_->drawnCells().size();
        grid_.prepareInstancedArrays();
        for (DrawPass pass : kFramePassOrder) grid_.drawPass(&light_, view_, context_, pass, 0.0f);
        return {asset_->drawnCells().begin() + std::ptrdiff_t(before), asset_->drawnCells().end()};
    }

    ThreadResourcePool pool_{"renderPool"};
    ParameterDescriptionRegistry registry_;
    ParameterManager manager_{&registry_, &pool_};
    RenderInterface renderInterface_{&registry_, &pool_, 320, 240, ""};
    HexGridRenderable grid_{&pool_, &renderInterface_, nullptr};
    HexGridRenderableAsset* asset_ = nullptr;
    RenderableDirectionalLight light_;
    ViewBlock view_{gfx::identityMatrix(), gfx::identityMatrix(), {0, 0, 0}};
    PassContext context_;
    std::vector<std::unique_ptr<RenderableInstance>> instances_;
};

TEST_F(HexGridOnDevice, VisibleCellsGoOutInDrawsOf124) {
    ASSERT_TRUE(asset_->instanced());
    ASSERT_NE(grid_.effect(), nullptr);
    struct Case {
        std::size_t cells;
        std::vector<std::uint32_t> draws;
    };
    for (const Case& c : {Case{125, {124, 1}}, Case{248, {124, 124}}, Case{1, {1}}, Case{0, {}}}) {
        visibleCells(c.cells);
        EXPECT_EQ(drawFrame(), c.draws) << c.cells << " cells";
    }
}

TEST_F(HexGridOnDevice, MoreThan3200VisibleCellsAreClampedAndLoggedOnce) {
    LogCapture log;
    visibleCells(3201);
    const std::vector<std::uint32_t> draws = drawFrame();
    EXPECT_EQ(asset_->preparedCells(), 3200u);
    std::uint32_t drawn = 0;
    for (std::uint32_t m : draws) drawn += m;
    EXPECT_EQ(drawn, 3200u);
    EXPECT_EQ(draws.size(), 26u) << "25 full draws and one of 100";
    drawFrame();
    EXPECT_EQ(std::count_if(log.lines().begin(), log.lines().end(),
                            [](const std::string& line) { return line.find("3200") != std::string::npos; }),
              1);
}

TEST_F(HexGridOnDevice, SwitchingInstancingOffRebuildsAndDrawsCellByCell) {
    visibleCells(3);
    EXPECT_EQ(drawFrame(), (std::vector<std::uint32_t>{3}));
    renderInterface_.renderSettings().instancing = 0;
    EXPECT_EQ(drawFrame(), (std::vector<std::uint32_t>{1, 1, 1}));
    EXPECT_FALSE(asset_->instanced());
    renderInterface_.renderSettings().instancing = 1;
    EXPECT_EQ(drawFrame(), (std::vector<std::uint32_t>{3}));
}

// A 3x3 patch of cells, each its own colour, seen from above and in front.
class HexGridReadBack : public scenetest::SceneHarness, public ::testing::WithParamInterface<bool> {};

TEST_P(HexGridReadBack, EachCellsCentreShowsItsTint) {
    openScene({"HexGridRenderable"}, scenetest::SceneSettings{.postProcessing = false, .instancing = GetParam()});
    ASSERT_FALSE(HasFatalFailure());
    addDirectionalLight();
    setCamera({0.0f, 22.0f, -11.0f}, {0.0f, 0.0f, 0.0f});
    const std::uint32_t tints[9] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00, 0xFF00FFFF,
                                    0xFFFF00FF, 0xFF808080, 0xFFFF8000, 0xFF0080FF};
    std::vector<gfx::Vector3> centres;
    for (int column = -1; column <= 1; ++column)
        for (int row = -1; row <= 1; ++row) {
            const gfx::Vector3 centre{3.0f * float(column), 0.0f,
                                      2.0f * 1.7320508f * float(row) + (column != 0 ? 1.7320508f : 0.0f)};
            RenderInterface::RenderableObject* cell =
                renderInterface().createRenderObject(kHexCellType, gfx::translationMatrix(centre).data());
            ASSERT_NE(cell, nullptr);
            const std::uint32_t tint = tints[centres.size()];
            const Vector4Value colour{float(tint >> 16 & 255) / 255.0f, float(tint >> 8 & 255) / 255.0f,
                                      float(tint & 255) / 255.0f, 1.0f};
            ASSERT_TRUE(declared::set(cell->pair()->updateGroup(), HexCellParameters::highlightColour, colour));
            centres.push_back(centre);
        }
    frames(3);
    readPixels();
    const gfx::Matrix& viewProjection = gameState().renderableManager()->frustum()->viewProjection();
    for (std::size_t i = 0; i < centres.size(); ++i) {
        const gfx::Vector3 ndc = gfx::transformCoord(centres[i], viewProjection);
        const int x = int((ndc.x * 0.5f + 0.5f) * float(settings().width));
        const int y = int((0.5f - ndc.y * 0.5f) * 96.0f);
        EXPECT_TRUE(pixelNear(x, y, tints[i], 2)) << "cell " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(InstancingOnAndOff, HexGridReadBack, ::testing::Bool());

} // namespace
