// Debug squares and hulls: the squares' draws of 32 (and the clamp past 128), the hull's
// triangles, the geometry of the hull that changed last, and only its first instance drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "app/parameter_manager.h"
#include "app/thread_resource_pool.h"
#include "platform/gfx/math_matrix.h"
#include "platform/gfx_fixture.h"
#include "render/device_global.h"
#include "render/render_interface.h"
#include "render/renderable_factory.h"
#include "render/renderable_instance.h"
#include "render/renderable_light.h"
#include "scene/basic_square.h"
#include "scene/convex_hull.h"
#include "support/log_capture.h"

namespace {

TEST(HullTriangles, TrianglesNamingAMissingVertexAreDropped) {
    struct Case {
        const char* name;
        IntVecArrayValue indices;
        std::size_t vertices;
        std::vector<std::uint32_t> kept;
    };
    const Case cases[] = {
        {"all inside", {{0, 1, 2, 2, 1, 3}}, 4, {0, 1, 2, 2, 1, 3}},
        {"one past the count", {{0, 1, 2, 1, 2, 4}}, 4, {0, 1, 2}},
        {"negative", {{-1, 1, 2, 0, 1, 2}}, 3, {0, 1, 2}},
        {"across the inner lists", {{0, 1}, {2, 3}, {1, 0}}, 4, {0, 1, 2, 3, 1, 0}},
        {"an unfinished triangle", {{0, 1, 2, 0}}, 3, {0, 1, 2}},
        {"past 16 bits", {{65536, 0, 1, 70000, 0, 1}}, 70000, {65536, 0, 1}},
    };
    for (const Case& c : cases) EXPECT_EQ(hullTriangles(c.indices, c.vertices), c.kept) << c.name;
}

class ShapesOnDevice : public gfxtest::GfxTest {
protected:
    void SetUp() override {
        GfxTest::SetUp();
        deviceGlobal = device_;
        createVertexDeclarations();
        renderInterface_.renderSettings().instancing = 1;
        for (SimpleEffectRenderable* renderable : {static_cast<SimpleEffectRenderable*>(&squares_),
                                                   static_cast<SimpleEffectRenderable*>(&hulls_)}) {
            renderable->setUpParamDescriptions(registry_);
            renderable->loadAssets();
            renderable->createEffects();
            for (RenderableAsset* asset : renderable->assets) asset->loadStage2();
        }
        square_ = static_cast<BasicSquareRenderableAsset*>(squares_.assets.front());
        hull_ = static_cast<FlexibleConvexHullRenderableAsset*>(hulls_.assets.front());
    }
    void TearDown() override {
        instances_.clear();
        squares_.releaseAssets();
        hulls_.releaseAssets();
        releaseVertexDeclarations();
        deviceGlobal = nullptr;
        GfxTest::TearDown();
    }
    RenderableInstance* visible(RenderableAsset* asset, const char* type) {
        ParameterManager::ParameterGroupPair* pair = manager_.createGroupPair(type);
        manager_.sync();
        instances_.push_back(std::make_unique<RenderableInstance>(pair, asset, false));
        asset->addInstance(instances_.back().get());
        return instances_.back().get();
    }
    void setHull(RenderableInstance* instance, const PointPathValue& points, const IntVecArrayValue& indices) {
        ParameterGroupInterface* group = instance->pair()->updateGroup();
        ASSERT_TRUE(declared::set(group, ConvexHullParameters::verts, points));
        ASSERT_TRUE(declared::set(group, ConvexHullParameters::indicies, indices));
        manager_.sync();
    }
    std::vector<std::uint32_t> drawSquares() {
        const std::size_t before = square_->drawnSquares().size();
        squares_.prepareInstancedArrays();
        for (DrawPass pass : kFramePassOrder) squares_.drawPass(&light_, view_, context_, pass, 0.0f);
        return {square_->drawnSquares().begin() + std::ptrdiff_t(before), square_->drawnSquares().end()};
    }

    ThreadResourcePool pool_{"renderPool"};
    ParameterDescriptionRegistry registry_;
    ParameterManager manager_{&registry_, &pool_};
    RenderInterface renderInterface_{&registry_, &pool_, 320, 240, ""};
    BasicSquareRenderable squares_{&pool_, &renderInterface_, nullptr};
    FlexibleConvexHullRenderable hulls_{&pool_, &renderInterface_, nullptr};
    BasicSquareRenderableAsset* square_ = nullptr;
    FlexibleConvexHullRenderableAsset* hull_ = nullptr;
    RenderableDirectionalLight light_;
    ViewBlock view_{gfx::identityMatrix(), gfx::identityMatrix(), {0, 0, 0}};
    PassContext context_;
    std::vector<std::unique_ptr<RenderableInstance>> instances_;
};

TEST_F(ShapesOnDevice, SquaresGoOutInDrawsOf32AtMost128AndOneByOneWithoutInstancing) {
    ASSERT_NE(squares_.effect(), nullptr);
    for (int i = 0; i < 33; ++i) visible(square_, kBasicSquareType);
    EXPECT_EQ(drawSquares(), (std::vector<std::uint32_t>{32, 1}));
    LogCapture log;
    for (int i = 33; i < 129; ++i) visible(square_, kBasicSquareType);
    EXPECT_EQ(drawSquares(), (std::vector<std::uint32_t>{32, 32, 32, 32}));
    EXPECT_EQ(square_->preparedSquares(), 128u);
    drawSquares();
    EXPECT_EQ(std::count_if(log.lines().begin(), log.lines().end(),
                            [](const std::string& line) { return line.find("128") != std::string::npos; }),
              1);
    renderInterface_.renderSettings().instancing = 0;
    square_->visibleInstances.resize(3);
    EXPECT_EQ(drawSquares(), (std::vector<std::uint32_t>{1, 1, 1}));
}

TEST_F(ShapesOnDevice, TheHullThatChangedLastIsDrawnOnceAndEmptyVertsDrawNothing) {
    ASSERT_NE(hulls_.effect(), nullptr);
    RenderableInstance* first = visible(hull_, kConvexHullType);
    RenderableInstance* second = visible(hull_, kConvexHullType);
    for (RenderableInstance* instance : {first, second}) hull_->updateInstanceData(instance, 0.0f);
    EXPECT_FALSE(hull_->built()) << "no verts yet";
    setHull(first, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}});
    hull_->updateInstanceData(first, 0.0f);
    hull_->updateInstanceData(second, 0.0f);
    EXPECT_EQ(hull_->vertexCount(), 3u);
    setHull(second, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}}, {{0, 1, 2, 2, 1, 3, 3, 4, 0}});
    hull_->updateInstanceData(first, 0.0f);
    hull_->updateInstanceData(second, 0.0f);
    EXPECT_EQ(hull_->vertexCount(), 4u) << "the second changed last";
    EXPECT_EQ(hull_->indexCount(), 6u) << "the triangle naming vertex 4 is dropped";
    EXPECT_FALSE(hull_->wideIndices());
    hulls_.drawPass(&light_, view_, context_, DrawPass::Colour, 0.0f);
    EXPECT_EQ(hull_->draws(), 1u) << "only the first visible instance";
    hulls_.drawPass(&light_, view_, context_, DrawPass::Shadow, 0.0f);
    EXPECT_EQ(hull_->draws(), 1u) << "colour pass only";

    setHull(first, {}, {});
    hull_->updateInstanceData(first, 0.0f);
    EXPECT_FALSE(hull_->built());
    hulls_.drawPass(&light_, view_, context_, DrawPass::Colour, 0.0f);
    EXPECT_EQ(hull_->draws(), 1u) << "empty verts draw nothing";

    PointPathValue many(70000, Vector3Value{0, 0, 0});
    setHull(first, many, {{0, 1, 69999}});
    hull_->updateInstanceData(first, 0.0f);
    EXPECT_TRUE(hull_->wideIndices()) << "32-bit indices past 65536 vertices";
    EXPECT_EQ(hull_->indexCount(), 3u);
}

TEST(SquaresAndHulls, ClassNamesAndDrawOrders) {
    ThreadResourcePool pool("renderPool");
    for (auto [name, order] : {std::pair{"BasicSquareRenderable", 2}, std::pair{"FlexibleConvexHullRenderable", 6}}) {
        IRenderableFactory* factory = findRenderableFactory(name);
        ASSERT_NE(factory, nullptr) << name;
        std::unique_ptr<BaseRenderable> renderable(factory->create(&pool, nullptr, nullptr));
        EXPECT_EQ(renderable->className(), name);
        EXPECT_EQ(renderable->drawOrder, order);
    }
}

} // namespace
