// Flat tiles: one type per ".dds" file, the quad for the back buffer's size, the colour pass only,
// each type's visible tiles in one instanced draw with the "uv" and "tint" each tile takes (a tile
// without parameters keeps the last ones), and in a running scene the "uv" rectangle on screen.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "app/parameter_description.h"
#include "app/parameter_manager.h"
#include "platform/gfx/buffers.h"
#include "platform/gfx/math_matrix.h"
#include "platform/gfx/math_vector.h"
#include "platform/gfx_fixture.h"
#include "platform/image/dds_writer.h"
#include "render/device_global.h"
#include "render/render_interface.h"
#include "render/render_state_game.h"
#include "render/renderable_factory.h"
#include "render/renderable_instance.h"
#include "render/renderable_light.h"
#include "render/renderable_manager.h"
#include "render/view_frustum.h"
#include "scene/flat_tile_group.h"
#include "scene/tile_parameters.h"
#include "support/scene_harness.h"
#include "support/temp_folder.h"

namespace {

// Four vertical stripes: red, green, blue, white.
void writeStripes(const std::string& path) {
    image::Image picture(16, 16);
    const std::uint32_t stripes[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) picture.at(x, y) = stripes[x / 4];
    ASSERT_TRUE(image::saveDdsFile(path, {picture}));
}

TEST(FlatTiles, EveryDdsFileOfTheFoldersIsATileTypeWithUvAndTint) {
    TempFolder folder;
    folder.write("grass.dds", "");
    folder.write("stone.DDS", "");
    folder.write("notes.txt", "");
    ThreadResourcePool pool("renderPool");
    ParameterDescriptionRegistry registry;
    IRenderableFactory* factory = findRenderableFactory("FlatTileGroupRenderable");
    ASSERT_NE(factory, nullptr);
    std::unique_ptr<BaseRenderable> tiles(factory->create(&pool, nullptr, nullptr));
    EXPECT_EQ(tiles->drawOrder, 4);
    tiles->assetFolders = {folder.path()};
    tiles->setUpParamDescriptions(registry);
    tiles->loadAssets();
    ASSERT_EQ(tiles->assets.size(), 2u);
    auto* grass = static_cast<FlatTileGroupRenderableAsset*>(tiles->assets.front());
    EXPECT_EQ(grass->name(), "grass");
    EXPECT_EQ(grass->texturePath(), folder.path() + "grass.dds");
    EXPECT_EQ(tiles->assets.back()->name(), "stone");
    EXPECT_FALSE(grass->batchable());

    {
    ParameterManager manager(&registry, &pool);
    ParameterManager::ParameterGroupPair* tile = manager.createGroupPair("grass");
    ASSERT_NE(tile, nullptr);
    manager.sync();
    ASSERT_NE(declared::find(tile->renderGroup(), FlatTileParameters::uv), nullptr);
    EXPECT_EQ(declared::find(tile->renderGroup(), FlatTileParameters::uv)->value, (Vector4Value{0, 0, 1, 1}));
    ASSERT_NE(declared::find(tile->renderGroup(), FlatTileParameters::tint), nullptr);
    EXPECT_EQ(declared::find(tile->renderGroup(), FlatTileParameters::tint)->value, (Vector4Value{0, 0, 0, 0}));
    }
    tiles->removeParamDescriptions(registry);
    EXPECT_EQ(registry.find("grass"), nullptr);
    EXPECT_EQ(registry.find("stone"), nullptr);
    tiles->releaseAssets();
}

class FlatTilesOnDevice : public gfxtest::GfxTest {
protected:
    void SetUp() override {
        GfxTest::SetUp();
        deviceGlobal = device_;
        createVertexDeclarations();
        renderInterface_.renderSettings().width = 1280;
        renderInterface_.renderSettings().height = 720;
        writeStripes(folder_.path() + "grass.dds");
        writeStripes(folder_.path() + "stone.dds");
        tiles_.assetFolders = {folder_.path()};
        tiles_.setUpParamDescriptions(registry_);
        tiles_.loadAssets();
        tiles_.createEffects();
        for (RenderableAsset* asset : tiles_.assets) asset->loadStage2();
        grass_ = static_cast<FlatTileGroupRenderableAsset*>(tiles_.assets.front());
        stone_ = static_cast<FlatTileGroupRenderableAsset*>(tiles_.assets.back());
    }
    void TearDown() override {
        instances_.clear();
        tiles_.releaseAssets();
        tiles_.removeParamDescriptions(registry_);
        releaseVertexDeclarations();
        deviceGlobal = nullptr;
        GfxTest::TearDown();
    }
    // A visible tile; with a null uv, one without parameters.
    void visible(FlatTileGroupRenderableAsset* asset, const Vector4Value* uv = nullptr, const Vector4Value& tint = {}) {
        ParameterManager::ParameterGroupPair* pair = nullptr;
        if (uv) {
            pair = manager_.createGroupPair(asset->name());
            declared::set(pair->updateGroup(), FlatTileParameters::uv, *uv);
            declared::set(pair->updateGroup(), FlatTileParameters::tint, tint);
            manager_.sync();
        }
        instances_.push_back(std::make_unique<RenderableInstance>(pair, asset, false));
        asset->addInstance(instances_.back().get());
    }
    void drawFrame() {
        for (DrawPass pass : kFramePassOrder) tiles_.drawPass(&light_, view_, context_, pass, 0.0f);
    }

    TempFolder folder_;
    ThreadResourcePool pool_{"renderPool"};
    ParameterDescriptionRegistry registry_;
    ParameterManager manager_{&registry_, &pool_};
    RenderInterface renderInterface_{&registry_, &pool_, 1280, 720, ""};
    FlatTileGroupRenderable tiles_{&pool_, &renderInterface_, nullptr};
    FlatTileGroupRenderableAsset* grass_ = nullptr;
    FlatTileGroupRenderableAsset* stone_ = nullptr;
    RenderableDirectionalLight light_;
    ViewBlock view_{gfx::identityMatrix(), gfx::identityMatrix(), {0, 0, 0}};
    PassContext context_;
    std::vector<std::unique_ptr<RenderableInstance>> instances_;
};

TEST_F(FlatTilesOnDevice, TheQuadIsShiftedByOneBackBufferPixelInUAndV) {
    ASSERT_NE(tiles_.tileEffect(), nullptr);
    ASSERT_NE(tiles_.instancedEffect(), nullptr);
    ASSERT_NE(grass_->vertexBuffer(), nullptr);
    const float du = 1.0f / 1280.0f, dv = 1.0f / 720.0f;
    const FlatTileVertex expected[4] = {{{0, 0, 0}, {-du, 1 - dv}}, {{0, 2, 0}, {-du, -dv}},
                                        {{2, 2, 0}, {1 - du, -dv}}, {{2, 0, 0}, {1 - du, 1 - dv}}};
    void* data = nullptr;
    ASSERT_EQ(grass_->vertexBuffer()->lock(0, 0, &data, gfx::Lock::ReadOnly), gfx::Result::Ok);
    const auto* quad = static_cast<const FlatTileVertex*>(data);
    for (int k = 0; k < 4; ++k) {
        for (int c = 0; c < 3; ++c) EXPECT_EQ(quad[k].position[c], expected[k].position[c]) << "vertex " << k;
        EXPECT_FLOAT_EQ(quad[k].uv[0], expected[k].uv[0]) << "vertex " << k;
        EXPECT_FLOAT_EQ(quad[k].uv[1], expected[k].uv[1]) << "vertex " << k;
    }
    grass_->vertexBuffer()->unlock();
}

TEST_F(FlatTilesOnDevice, EachTypesTilesGoOutInOneDrawOfTheColourPassOnly) {
    const Vector4Value whole{0, 0, 1, 1};
    for (int i = 0; i < 3; ++i) visible(grass_, &whole);
    visible(stone_, &whole);
    for (DrawPass pass : {DrawPass::Shadow, DrawPass::Depth}) tiles_.drawPass(&light_, view_, context_, pass, 0.0f);
    EXPECT_TRUE(grass_->draws().empty()) << "passes 0 and 2 draw nothing";
    EXPECT_TRUE(grass_->drawnTiles().empty());
    tiles_.drawPass(&light_, view_, context_, DrawPass::Colour, 0.0f);
    EXPECT_EQ(grass_->draws(), (std::vector<std::uint32_t>{3}));
    EXPECT_EQ(stone_->draws(), (std::vector<std::uint32_t>{1}));
    std::uint32_t blending = 1;
    device_->getRenderState(gfx::RenderState::AlphaBlendEnable, blending);
    EXPECT_EQ(blending, 0u) << "blending is off after the pass";
}

TEST_F(FlatTilesOnDevice, ATileWithoutParametersKeepsTheLastUvAndTint) {
    const Vector4Value half{0.5f, 0, 1, 1}, red{1, 0, 0, 1};
    visible(grass_);
    visible(grass_, &half, red);
    visible(grass_);
    visible(stone_);
    drawFrame();
    ASSERT_EQ(grass_->drawnTiles().size(), 3u);
    EXPECT_EQ(grass_->drawnTiles()[0].uv, (Vector4Value{0, 0, 1, 1})) << "the values set at load";
    EXPECT_EQ(grass_->drawnTiles()[0].tint, (Vector4Value{0, 0, 0, 1}));
    EXPECT_EQ(grass_->drawnTiles()[1].uv, half);
    EXPECT_EQ(grass_->drawnTiles()[2].uv, half) << "kept from the tile before";
    EXPECT_EQ(grass_->drawnTiles()[2].tint, red);
    ASSERT_EQ(stone_->drawnTiles().size(), 1u);
    EXPECT_EQ(stone_->drawnTiles()[0].uv, half) << "kept across tile types, as one effect serves them all";
}

// The scene's rows at the harness's 160x120: the top 96.
constexpr float kSceneRows = 96.0f;

// A tile facing the camera, its picture four stripes (red, green, blue, white).
class FlatTileReadBack : public scenetest::SceneHarness {};

TEST_F(FlatTileReadBack, TheUvRectangleShowsTheRightHalfOfThePicture) {
    open(scenetest::SceneSettings{.postProcessing = false});
    ASSERT_FALSE(HasFatalFailure());
    writeStripes(folder().path() + "stripes.dds");
    loadScene(writeRenderPaths({"FlatTileGroupRenderable"}));
    ASSERT_FALSE(HasFatalFailure());
    enterScene();
    ASSERT_FALSE(HasFatalFailure());
    addDirectionalLight();
    setCamera({1.0f, 1.0f, -3.0f}, {1.0f, 1.0f, 0.0f});
    RenderInterface::RenderableObject* tile = renderInterface().createRenderObject("stripes", gfx::identityMatrix().data());
    ASSERT_NE(tile, nullptr);
    ASSERT_TRUE(declared::set(tile->pair()->updateGroup(), FlatTileParameters::uv, Vector4Value{0.5f, 0, 1, 1}));
    frames(3);
    readPixels();
    const gfx::Matrix& viewProjection = gameState().renderableManager()->frustum()->viewProjection();
    const auto screen = [&](float x, float y) {
        const gfx::Vector3 ndc = gfx::transformCoord({x, y, 0.0f}, viewProjection);
        return std::pair{int((ndc.x * 0.5f + 0.5f) * float(settings().width)),
                         int((0.5f - ndc.y * 0.5f) * kSceneRows)};
    };
    // The quad's x from 0 to 2 shows u from 0.5 to 1: blue, then white.
    for (auto [x, expected] : {std::pair{0.25f, 0xFF0000FFu}, std::pair{0.75f, 0xFF0000FFu}, std::pair{1.25f, 0xFFFFFFFFu},
                               std::pair{1.75f, 0xFFFFFFFFu}}) {
        const auto [px, py] = screen(x, 1.0f);
        EXPECT_TRUE(pixelNear(px, py, expected, 3)) << "x " << x;
    }
}

} // namespace
