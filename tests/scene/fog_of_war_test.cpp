// Fog of war: an asset and a type per ".x" file, each cell's fog value, its draws of 124 cells (or
// fewer when the mesh is large), and in a running scene the ground darkened under each cell.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>
#include <sstream>

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
#include "scene/fog_of_war.h"
#include "support/scene_harness.h"
#include "support/temp_folder.h"

namespace {

// A ".x" text file of `quads` separate squares side by side (4 vertices, 2 faces each).
std::string quadsMesh(int quads) {
    std::ostringstream x;
    x << "xof 0303txt 0032\nMaterial Fog {\n 1.0;1.0;1.0;1.0;;\n 0.0;\n 0.0;0.0;0.0;;\n 0.0;0.0;0.0;;\n}\n";
    x << "Frame f {\n FrameTransformMatrix {\n  1.0,0.0,0.0,0.0,\n  0.0,1.0,0.0,0.0,\n  0.0,0.0,1.0,0.0,\n  0.0,0.0,0.0,1.0;;\n }\n";
    x << " Mesh m {\n  " << quads * 4 << ";\n";
    for (int q = 0; q < quads; ++q) {
        // Apart, so that no two squares share a vertex.
        const float x0 = float(q) * 0.02f - 1.5f;
        const float corners[4][2] = {{x0, -1.5f}, {x0, 1.5f}, {x0 + 0.01f, 1.5f}, {x0 + 0.01f, -1.5f}};
        for (int k = 0; k < 4; ++k)
            x << "  " << corners[k][0] << ";1.0;" << corners[k][1] << ";" << (q == quads - 1 && k == 3 ? ";" : ",") << "\n";
    }
    x << "  " << quads * 2 << ";\n";
    for (int q = 0; q < quads; ++q) {
        const int b = 4 * q;
        x << "  3;" << b << "," << b + 1 << "," << b + 2 << ";,\n";
        x << "  3;" << b << "," << b + 2 << "," << b + 3 << ";" << (q == quads - 1 ? ";" : ",") << "\n";
    }
    x << "  MeshMaterialList {\n   1;\n   " << quads * 2 << ";\n   ";
    for (int f = 0; f < quads * 2; ++f) x << (f ? "," : "") << 0;
    x << ";;\n   {Fog}\n  }\n }\n}\n";
    return x.str();
}

std::string fogMesh() {
    std::ifstream file("Data/graphics/3d/fog/fog.x");
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

class FogOfWarOnDevice : public gfxtest::GfxTest {
protected:
    void SetUp() override {
        GfxTest::SetUp();
        deviceGlobal = device_;
        createVertexDeclarations();
        renderInterface_.renderSettings().instancing = 1;
        folder_.write("fog.x", fogMesh());
        folder_.write("wide.x", quadsMesh(150));
        fog_.assetFolders = {folder_.path()};
        fog_.setUpParamDescriptions(registry_);
        fog_.loadAssets();
        fog_.createEffects();
        for (RenderableAsset* asset : fog_.assets) asset->loadStage2();
    }
    void TearDown() override {
        instances_.clear();
        fog_.releaseAssets();
        releaseVertexDeclarations();
        deviceGlobal = nullptr;
        GfxTest::TearDown();
    }
    FogOfWarHexRenderableAsset* asset(const std::string& name) {
        for (RenderableAsset* a : fog_.assets)
            if (a->name() == name) return static_cast<FogOfWarHexRenderableAsset*>(a);
        return nullptr;
    }
    void visibleCells(FogOfWarHexRenderableAsset* of, std::size_t count, bool visitedEvenCells = false) {
        of->visibleInstances.clear();
        for (std::size_t i = 0; i < count; ++i) {
            ParameterManager::ParameterGroupPair* pair = manager_.createGroupPair(of->name());
            declared::set(pair->updateGroup(), FogOfWarParameters::visited, visitedEvenCells && i % 2 == 0);
            instances_.push_back(std::make_unique<RenderableInstance>(pair, of, false));
            of->addInstance(instances_.back().get());
        }
        manager_.sync();
    }
    std::vector<std::uint32_t> drawFrame(FogOfWarHexRenderableAsset* of) {
        const std::size_t before = of->drawnCells().size();
        fog_.prepareInstancedArrays();
        for (DrawPass pass : kFramePassOrder) fog_.drawPass(&light_, view_, context_, pass, 0.0f);
        return {of->drawnCells().begin() + std::ptrdiff_t(before), of->drawnCells().end()};
    }

    TempFolder folder_;
    ThreadResourcePool pool_{"renderPool"};
    ParameterDescriptionRegistry registry_;
    ParameterManager manager_{&registry_, &pool_};
    RenderInterface renderInterface_{&registry_, &pool_, 320, 240, ""};
    FogOfWarHexRenderable fog_{&pool_, &renderInterface_, nullptr};
    RenderableDirectionalLight light_;
    ViewBlock view_{gfx::identityMatrix(), gfx::identityMatrix(), {0, 0, 0}};
    PassContext context_;
    std::vector<std::unique_ptr<RenderableInstance>> instances_;
};

TEST_F(FogOfWarOnDevice, EachFileGivesItsAssetAndTypeAndCellsTakeTheirFogValues) {
    FogOfWarHexRenderableAsset* fog = asset("FOW_fog");
    ASSERT_NE(fog, nullptr) << "fog.x gives FOW_fog";
    EXPECT_NE(asset("FOW_wide"), nullptr);
    EXPECT_NE(manager_.createGroupPair("FOW_fog"), nullptr) << "and its parameter description";
    visibleCells(fog, 4, true);
    fog_.prepareInstancedArrays();
    ASSERT_EQ(fog->fogValues().size(), 4u);
    EXPECT_FLOAT_EQ(fog->fogValues()[0].x, 0.075f) << "visited";
    EXPECT_FLOAT_EQ(fog->fogValues()[1].x, 1.0f) << "unvisited";
}

TEST_F(FogOfWarOnDevice, CellsGoOutInDrawsOf124AndALargeMeshInAsManyAs16BitIndicesReach) {
    FogOfWarHexRenderableAsset* fog = asset("FOW_fog");
    FogOfWarHexRenderableAsset* wide = asset("FOW_wide");
    ASSERT_NE(fog, nullptr);
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(fog->copiesPerDraw(), 124u);
    ASSERT_EQ(wide->vertexCount(), 600u);
    EXPECT_EQ(wide->copiesPerDraw(), 109u) << "65536 / 600 copies";
    visibleCells(fog, 125);
    visibleCells(wide, 125);
    EXPECT_EQ(drawFrame(fog), (std::vector<std::uint32_t>{124, 1}));
    EXPECT_EQ(wide->drawnCells(), (std::vector<std::uint32_t>{109, 16}));
    visibleCells(fog, 1025);
    drawFrame(fog);
    EXPECT_EQ(fog->fogValues().size(), 1024u) << "the arrays hold 1024 cells";
    renderInterface_.renderSettings().instancing = 0;
    EXPECT_TRUE(drawFrame(fog).empty()) << "no fog without instancing";
}

class FogOfWarReadBack : public scenetest::SceneHarness, public ::testing::WithParamInterface<bool> {};

TEST_P(FogOfWarReadBack, UnvisitedCellsBlackenTheGroundAndVisitedOnesDarkenItSlightly) {
    folder().write("fog.x", fogMesh());
    openScene({scenetest::kFlatBoxClass, "FogOfWarHexRenderable"},
              scenetest::SceneSettings{.postProcessing = GetParam(), .instancing = true});
    ASSERT_FALSE(HasFatalFailure());
    setGameStateStatus(BaseState::Running);
    addDirectionalLight();
    // The ground: a grey box whose top lies at height 0.
    addBox({0.0f, -30.0f, 0.0f}, 30.0f, 0xFF808080);
    setCamera({0.0f, 22.0f, -11.0f}, {0.0f, 0.0f, 0.0f});
    const gfx::Vector3 unvisited{-4.0f, 0.0f, 0.0f}, visited{4.0f, 0.0f, 0.0f};
    for (bool wasVisited : {false, true}) {
        const gfx::Matrix placed = gfx::translationMatrix(wasVisited ? visited : unvisited);
        RenderInterface::RenderableObject* cell = renderInterface().createRenderObject("FOW_fog", placed.data());
        ASSERT_NE(cell, nullptr);
        ASSERT_TRUE(declared::set(cell->pair()->updateGroup(), FogOfWarParameters::visited, wasVisited));
    }
    frames(3, 7.0f);
    readPixels();
    const gfx::Matrix& viewProjection = gameState().renderableManager()->frustum()->viewProjection();
    const auto centre = [&](const gfx::Vector3& at) {
        const gfx::Vector3 ndc = gfx::transformCoord({at.x, 1.5f, at.z}, viewProjection);
        return std::pair{int((ndc.x * 0.5f + 0.5f) * float(settings().width)), int((0.5f - ndc.y * 0.5f) * 96.0f)};
    };
    const auto [ux, uy] = centre(unvisited);
    const auto [vx, vy] = centre(visited);
    EXPECT_TRUE(pixelNear(ux, uy, 0xFF000000, 2)) << "unvisited: the grey less 1.0";
    const int expected = int(std::lround((128.0 / 255.0 - 0.075) * 255.0));
    const std::uint32_t darkened = 0xFF000000u | std::uint32_t(expected) * 0x010101u;
    EXPECT_TRUE(pixelNear(vx, vy, darkened, 2)) << "visited: the grey less 0.075";
    EXPECT_TRUE(pixelNear(80, 90, 0xFF808080, 2)) << "the ground away from the fog";
}

INSTANTIATE_TEST_SUITE_P(PostProcessingOnAndOff, FogOfWarReadBack, ::testing::Bool());

} // namespace
