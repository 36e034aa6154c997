// Static 2D tiles: one type per atlas entry, the colour a tile is baked with (the tint clamped),
// batches baked in world space from each type's template quad and atlas placement, split into
// buffers of 5000 tiles, built again when a tile joins, leaves or changes its tint, and drawn once
// per time they are queued.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "app/parameter_description.h"
#include "app/parameter_manager.h"
#include "app/simple_parameter_group.h"
#include "platform/gfx/buffers.h"
#include "platform/gfx/math_matrix.h"
#include "platform/gfx/math_vector.h"
#include "platform/gfx_fixture.h"
#include "render/dds_texture_loader.h"
#include "render/device_global.h"
#include "render/fx_shader_loader.h"
#include "render/render_interface.h"
#include "render/renderable_factory.h"
#include "render/renderable_instance.h"
#include "render/renderable_light.h"
#include "scene/declared_description.h"
#include "scene/flat_tile_group.h"
#include "scene/static_flat_tiles.h"
#include "scene/tile_parameters.h"
#include "platform/image/dds_writer.h"
#include "render/render_state_game.h"
#include "render/renderable_manager.h"
#include "render/view_frustum.h"
#include "support/scene_harness.h"
#include "support/scene_test_assets.h"
#include "support/temp_folder.h"

namespace {

const char* const kIndex =
    "# tiles of the test page\n# texture atlas index, type, u offset, v offset, depth offset, u scale, v scale\n"
    "stone.dds\ttiles.dds\t0, 2D, 0.500000, 0.000000, 0.000000, 0.500000, 1.000000\n"
    "grass.dds\ttiles.dds\t0, 2D, 0.000000, 0.000000, 0.000000, 0.500000, 1.000000\n\n";

TEST(StaticTiles, EveryAtlasEntryIsATypeDrawnFromThePageBesideItsIndex) {
    TempFolder folder;
    folder.write("tiles.tai", kIndex);
    ThreadResourcePool pool("renderPool");
    ParameterDescriptionRegistry registry;
    IRenderableFactory* factory = findRenderableFactory("Static2DFlatTileRenderable");
    ASSERT_NE(factory, nullptr);
    std::unique_ptr<BaseRenderable> made(factory->create(&pool, nullptr, nullptr));
    auto& tiles = static_cast<Static2DFlatTileRenderable&>(*made);
    EXPECT_EQ(tiles.drawOrder, 0);
    tiles.assetFolders = {folder.path()};
    tiles.setUpParamDescriptions(registry);
    ASSERT_EQ(tiles.groups().size(), 1u);
    EXPECT_EQ(tiles.groups()[0]->getName(), "tiles");
    tiles.loadAssets();
    ASSERT_EQ(tiles.assets.size(), 2u);
    EXPECT_EQ(tiles.assets.front()->name(), "static_2d_tile_grass");
    EXPECT_EQ(tiles.assets.back()->name(), "static_2d_tile_stone");
    EXPECT_TRUE(tiles.assets.front()->batchable());
    ASSERT_NE(tiles.groups()[0]->loader(), nullptr);
    EXPECT_EQ(tiles.groups()[0]->loader()->path(), folder.path() + "tiles.dds");
    EXPECT_EQ(tiles.effectLoader()->path(), "Data/graphics/2D/effects/newStaticTileGroup.fx");
    const auto* stone = static_cast<const Static2DFlatTileRenderableAsset*>(tiles.assets.back());
    EXPECT_EQ(stone->placement().offsetU, 0.5f);
    EXPECT_EQ(stone->placement().scaleU, 0.5f);
    {
        ParameterManager manager(&registry, &pool);
        for (const char* type : {"static_2d_tile_grass", "static_2d_tile_stone"}) {
            ParameterManager::ParameterGroupPair* tile = manager.createGroupPair(type);
            ASSERT_NE(tile, nullptr) << type;
            manager.sync();
            ASSERT_NE(declared::find(tile->renderGroup(), StaticTileParameters::uv), nullptr);
            EXPECT_EQ(declared::find(tile->renderGroup(), StaticTileParameters::uv)->value, (Vector4Value{0, 0, 1, 1}));
            ASSERT_NE(declared::find(tile->renderGroup(), StaticTileParameters::tint), nullptr);
            EXPECT_EQ(declared::find(tile->renderGroup(), StaticTileParameters::tint)->value, (Vector4Value{0, 0, 0, 1}));
        }
    }
    tiles.removeParamDescriptions(registry);
    EXPECT_EQ(registry.find("static_2d_tile_grass"), nullptr);
    tiles.releaseAssets();
}

TEST(StaticTiles, TheShippedPagesAndFlatTileGiveTheirTypesAndTheirPicturesRead) {
    ThreadResourcePool pool("renderPool");
    ParameterDescriptionRegistry registry;
    Static2DFlatTileRenderable tiles(&pool, nullptr, nullptr);
    tiles.assetFolders = {"Data/graphics/3d/tiles/static/"};
    tiles.setUpParamDescriptions(registry);
    tiles.loadAssets();
    ASSERT_EQ(tiles.assets.size(), 2u);
    EXPECT_EQ(tiles.assets.front()->name(), "static_2d_tile_grass");
    EXPECT_EQ(tiles.assets.back()->name(), "static_2d_tile_stone");
    ASSERT_NE(tiles.groups()[0]->loader(), nullptr);
    EXPECT_EQ(tiles.groups()[0]->loader()->getState(), LoadableAsset::FileLoaded) << "tiles.dds was painted at build time";
    EXPECT_EQ(tiles.effectLoader()->getState(), LoadableAsset::FileLoaded) << "newStaticTileGroup.fx compiles";
    tiles.removeParamDescriptions(registry);
    tiles.releaseAssets();

    FlatTileGroupRenderable flat(&pool, nullptr, nullptr);
    flat.assetFolders = {"Data/graphics/3d/tiles/flat/"};
    flat.loadAssets();
    ASSERT_EQ(flat.assets.size(), 1u);
    EXPECT_EQ(flat.assets.front()->name(), "grass");
    flat.releaseAssets();
}

TEST(StaticTiles, TheBakedColourIsTheTintClampedToItsRange) {
    ThreadResourcePool pool("renderPool");
    ParameterDescriptionRegistry registry;
    ASSERT_TRUE(declared::registerDescription(registry, &pool, "static_2d_tile_grass", StaticTileParameters::uv,
                                              StaticTileParameters::tint));
    ParameterManager manager(&registry, &pool);
    EXPECT_EQ(bakedTileColour(nullptr), 0xFF000000u) << "no parameters: opaque black";
    struct Case {
        Vector4Value tint;
        std::uint32_t colour;
    };
    for (const Case& c : {Case{{1.5f, 0.5f, 0.0f, 1.0f}, 0xFFFF7F00u}, Case{{0, 0, 0, 1}, 0xFF000000u},
                          Case{{-1.0f, 2.0f, 0.25f, 0.5f}, 0x7F00FF3Fu}, Case{{1, 1, 1, 1}, 0xFFFFFFFFu}}) {
        ParameterManager::ParameterGroupPair* tile = manager.createGroupPair("static_2d_tile_grass");
        ASSERT_TRUE(declared::set(tile->updateGroup(), StaticTileParameters::tint, c.tint));
        manager.sync();
        EXPECT_EQ(bakedTileColour(tile->renderGroup()), c.colour) << c.tint[0] << " " << c.tint[1];
    }
}

class StaticTilesOnDevice : public gfxtest::GfxTest {
protected:
    void SetUp() override {
        GfxTest::SetUp();
        deviceGlobal = device_;
        createVertexDeclarations();
        folder_.write("tiles.tai", kIndex);
        tiles_.assetFolders = {folder_.path()};
        tiles_.setUpParamDescriptions(registry_);
        tiles_.loadAssets();
        tiles_.effectLoader()->prepare();
        tiles_.effectLoader()->finishLoad();
        tiles_.setFrameParameters();
        for (RenderableAsset* asset : tiles_.assets) asset->loadStage2();
        grass_ = static_cast<Static2DFlatTileRenderableAsset*>(tiles_.assets.front());
        stone_ = static_cast<Static2DFlatTileRenderableAsset*>(tiles_.assets.back());
        batch_ = static_cast<StaticFlatTileRenderableBatch*>(
            stone_->createBatch(nullptr, &tiles_, stone_->getTextureSharingGroup(), stone_->getBatchEffect()));
    }
    void TearDown() override {
        instances_.clear();
        tiles_.releaseAssets();
        tiles_.removeParamDescriptions(registry_);
        releaseVertexDeclarations();
        deviceGlobal = nullptr;
        GfxTest::TearDown();
    }
    // A tile without parameters lies at the origin.
    RenderableInstance* tile(Static2DFlatTileRenderableAsset* asset, const gfx::Matrix& world, bool withParameters,
                             const Vector4Value& tint = {0, 0, 0, 1}) {
        ParameterManager::ParameterGroupPair* pair = nullptr;
        if (withParameters) {
            pair = manager_.createGroupPair(asset->name());
            MatrixValue value;
            std::copy(world.data(), world.data() + 16, value.begin());
            pair->updateGroup()->addMatrix("matrix", value);
            declared::set(pair->updateGroup(), StaticTileParameters::tint, tint);
            manager_.sync();
        }
        instances_.push_back(std::make_unique<RenderableInstance>(pair, asset, false));
        instances_.back()->update();
        asset->instances.push_back(instances_.back().get());
        return instances_.back().get();
    }
    std::vector<BakedTileVertex> bufferVertices(std::size_t index) {
        const StaticFlatTileRenderableBatch::Buffer& buffer = batch_->buffers().at(index);
        std::vector<BakedTileVertex> vertices(buffer.vertexCount);
        void* data = nullptr;
        if (buffer.vertices->lock(0, 0, &data, gfx::Lock::ReadOnly) != gfx::Result::Ok) return {};
        std::memcpy(vertices.data(), data, vertices.size() * sizeof(BakedTileVertex));
        buffer.vertices->unlock();
        return vertices;
    }

    TempFolder folder_;
    ThreadResourcePool pool_{"renderPool"};
    ParameterDescriptionRegistry registry_;
    ParameterManager manager_{&registry_, &pool_};
    RenderInterface renderInterface_{&registry_, &pool_, 320, 240, ""};
    Static2DFlatTileRenderable tiles_{&pool_, &renderInterface_, nullptr};
    Static2DFlatTileRenderableAsset* grass_ = nullptr;
    Static2DFlatTileRenderableAsset* stone_ = nullptr;
    StaticFlatTileRenderableBatch* batch_ = nullptr;
    ViewBlock view_{gfx::identityMatrix(), gfx::identityMatrix(), {0, 0, 0}};
    PassContext context_;
    RenderableDirectionalLight light_;
    std::vector<std::unique_ptr<RenderableInstance>> instances_;
};

TEST_F(StaticTilesOnDevice, ATileIsBakedFromItsTemplateInWorldSpaceAtItsAtlasPlace) {
    ASSERT_NE(tiles_.effect(), nullptr);
    ASSERT_EQ(tiles_.batches().size(), 1u) << "the batch registered itself";
    const std::vector<BakedTileVertex>& quad = stone_->templateQuad();
    ASSERT_EQ(quad.size(), 4u);
    EXPECT_FLOAT_EQ(quad[0].uv[0], -1.0f / 320.0f) << "the flat tile quad, shifted by a pixel";
    EXPECT_FLOAT_EQ(quad[2].position[0], 2.0f);
    batch_->addInstance(tile(stone_, gfx::translationMatrix(10, 0, 5), true));
    batch_->addInstance(tile(grass_, gfx::identityMatrix(), true, {1.5f, 0.5f, 0.0f, 1.0f}));
    batch_->addInstance(tile(grass_, gfx::identityMatrix(), false));
    tiles_.prepareInstancedArrays();
    ASSERT_EQ(batch_->buffers().size(), 1u);
    const std::vector<BakedTileVertex> vertices = bufferVertices(0);
    ASSERT_EQ(vertices.size(), 12u);
    const auto& placed = batch_->placed();
    const StaticFlatTileRenderableBatch::Placed stone = placed.at(instances_[0].get());
    const StaticFlatTileRenderableBatch::Placed grass = placed.at(instances_[1].get());
    EXPECT_EQ(stone.colour, 0xFF000000u);
    EXPECT_EQ(grass.colour, 0xFFFF7F00u);
    EXPECT_EQ(placed.at(instances_[2].get()).colour, 0xFF000000u) << "a tile without parameters";
    for (std::uint32_t k = 0; k < 4; ++k) {
        const BakedTileVertex& v = vertices[stone.firstVertex + k];
        EXPECT_FLOAT_EQ(v.position[0], quad[k].position[0] + 10.0f);
        EXPECT_FLOAT_EQ(v.position[2], quad[k].position[2] + 5.0f);
        EXPECT_EQ(v.colour, 0xFF000000u);
        EXPECT_FLOAT_EQ(v.uv[0], std::abs(quad[k].uv[0] * 0.5f + 0.5f)) << "the right half of the page";
        EXPECT_FLOAT_EQ(v.uv[1], std::abs(quad[k].uv[1]));
        EXPECT_EQ(vertices[grass.firstVertex + k].colour, 0xFFFF7F00u);
        EXPECT_FLOAT_EQ(vertices[grass.firstVertex + k].uv[0], std::abs(quad[k].uv[0] * 0.5f));
    }
}

TEST_F(StaticTilesOnDevice, BuffersHoldAtMost5000Tiles) {
    struct Case {
        std::size_t tiles;
        std::vector<std::uint32_t> vertices;
    };
    std::size_t made = 0;
    for (const Case& c : {Case{1, {4}}, Case{5000, {20000}}, Case{5001, {20000, 4}}, Case{10001, {20000, 20000, 4}}}) {
        for (; made < c.tiles; ++made) batch_->addInstance(tile(stone_, gfx::identityMatrix(), false));
        tiles_.prepareInstancedArrays();
        std::vector<std::uint32_t> counts;
        for (const auto& buffer : batch_->buffers()) {
            counts.push_back(buffer.vertexCount);
            EXPECT_EQ(buffer.indexCount, buffer.vertexCount / 4 * 6);
        }
        EXPECT_EQ(counts, c.vertices) << c.tiles << " tiles";
    }
}

TEST_F(StaticTilesOnDevice, JoiningLeavingAndANewTintBuildTheBatchAgain) {
    RenderableInstance* first = tile(stone_, gfx::identityMatrix(), true);
    batch_->addInstance(first);
    tiles_.prepareInstancedArrays();
    ASSERT_EQ(batch_->buffers().size(), 1u) << "a tile that joins is baked";
    RenderableInstance* second = tile(stone_, gfx::identityMatrix(), false);
    batch_->addInstance(second);
    tiles_.prepareInstancedArrays();
    EXPECT_EQ(batch_->buffers()[0].vertexCount, 8u);

    tiles_.updateAssetInstances(0.0f);
    EXPECT_TRUE(tiles_.groups()[0]->buildQueue.empty()) << "an unchanged tint builds nothing";
    declared::set(first->pair()->updateGroup(), StaticTileParameters::tint, Vector4Value{0, 1, 0, 1});
    manager_.sync();
    tiles_.updateAssetInstances(0.0f);
    EXPECT_EQ(batch_->placed().at(first).colour, 0xFF000000u) << "written back at the next build";
    tiles_.prepareInstancedArrays();
    EXPECT_EQ(batch_->placed().at(first).colour, 0xFF00FF00u);

    batch_->removeInstance(second);
    tiles_.prepareInstancedArrays();
    EXPECT_EQ(batch_->buffers()[0].vertexCount, 4u);
    EXPECT_EQ(batch_->placed().count(second), 0u);
    batch_->removeInstance(second);
    EXPECT_TRUE(tiles_.groups()[0]->buildQueue.empty()) << "a tile the batch lacks changes nothing";

    scenetest::TestAsset plain("plain", &tiles_, {-1, -1, -1}, {1, 1, 1});
    RenderableInstance outsider(nullptr, &plain, false);
    batch_->addInstance(&outsider);
    EXPECT_TRUE(tiles_.groups()[0]->buildQueue.empty()) << "a tile of an asset that is not batchable is ignored";
    EXPECT_EQ(batch_->tileCount(), 1u);
}

TEST_F(StaticTilesOnDevice, ABatchQueuedTwiceIsDrawnTwiceInTheColourPassOnly) {
    batch_->addInstance(tile(stone_, gfx::identityMatrix(), false));
    tiles_.prepareInstancedArrays();
    batch_->unload();
    batch_->unload();
    for (DrawPass pass : {DrawPass::Shadow, DrawPass::Depth}) tiles_.drawPass(&light_, view_, context_, pass, 0.0f);
    EXPECT_EQ(batch_->drawCount(), 0u);
    tiles_.drawPass(&light_, view_, context_, DrawPass::Colour, 0.0f);
    EXPECT_EQ(batch_->drawCount(), 2u);
    EXPECT_TRUE(tiles_.groups()[0]->drawQueue.empty());
    tiles_.drawPass(&light_, view_, context_, DrawPass::Colour, 0.0f);
    EXPECT_EQ(batch_->drawCount(), 2u) << "the queue is emptied every frame";
    std::uint32_t blending = 1;
    device_->getRenderState(gfx::RenderState::AlphaBlendEnable, blending);
    EXPECT_EQ(blending, 0u);
}

// In a running scene, through the visibility tree's batches: a stone tile (the right half of a
// page of four stripes, red, green, blue, white) facing the camera shows blue, then white.
class StaticTileReadBack : public scenetest::SceneHarness {};

TEST_F(StaticTileReadBack, ABakedTileShowsItsAtlasPlace) {
    open(scenetest::SceneSettings{.postProcessing = false, .instancing = true});
    ASSERT_FALSE(HasFatalFailure());
    image::Image page(16, 16);
    const std::uint32_t stripes[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) page.at(x, y) = stripes[x / 4];
    ASSERT_TRUE(image::saveDdsFile(folder().path() + "tiles.dds", {page}));
    folder().write("tiles.tai", kIndex);
    loadScene(writeRenderPaths({"Static2DFlatTileRenderable"}));
    ASSERT_FALSE(HasFatalFailure());
    enterScene();
    ASSERT_FALSE(HasFatalFailure());
    addDirectionalLight();
    setCamera({1.0f, 1.0f, -3.0f}, {1.0f, 1.0f, 0.0f});
    ASSERT_NE(renderInterface().createRenderObject("static_2d_tile_stone", gfx::identityMatrix().data()), nullptr);
    frames(4);
    readPixels();
    const gfx::Matrix& viewProjection = gameState().renderableManager()->frustum()->viewProjection();
    for (auto [x, expected] : {std::pair{0.25f, 0xFF0000FFu}, std::pair{0.75f, 0xFF0000FFu}, std::pair{1.25f, 0xFFFFFFFFu},
                               std::pair{1.75f, 0xFFFFFFFFu}}) {
        const gfx::Vector3 ndc = gfx::transformCoord({x, 1.0f, 0.0f}, viewProjection);
        const int px = int((ndc.x * 0.5f + 0.5f) * float(settings().width));
        const int py = int((0.5f - ndc.y * 0.5f) * 96.0f);
        EXPECT_TRUE(pixelNear(px, py, expected, 3)) << "x " << x;
    }
}

} // namespace
