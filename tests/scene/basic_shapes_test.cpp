// The built-in cube and sphere without a scene: the cube's faces, the sphere's mesh, their
// render-object parameters, their draw orders, and what the sphere leaves behind in the device.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <set>

#include "app/parameter_description.h"
#include "app/parameter_manager.h"
#include "app/simple_parameter_group.h"
#include "app/thread_resource_pool.h"
#include "platform/gfx/buffers.h"
#include "platform/gfx/math_matrix.h"
#include "platform/gfx/math_vector.h"
#include "platform/gfx/sphere_geometry.h"
#include "platform/gfx_fixture.h"
#include "render/device_global.h"
#include "render/renderable_factory.h"
#include "render/renderable_instance.h"
#include "render/renderable_light.h"
#include "scene/basic_cube.h"
#include "scene/basic_shape_parameters.h"
#include "scene/basic_sphere.h"

namespace {

gfx::Vector3 vec(const float (&v)[3]) { return {v[0], v[1], v[2]}; }

TEST(BasicCubeTable, EachFaceIsAFrontFacingSquareOnItsSideWithTheWholeTextureOnce) {
    const std::vector<BasicCubeVertex>& vertices = basicCubeVertices();
    const std::vector<std::uint16_t>& indices = basicCubeIndices();
    ASSERT_EQ(vertices.size(), 24u);
    ASSERT_EQ(indices.size(), 36u);
    EXPECT_EQ(vertices.size() * sizeof(BasicCubeVertex), 1056u);
    const gfx::Vector3 normals[6] = {{0, 0, -1}, {0, 0, 1}, {0, 1, 0}, {0, -1, 0}, {-1, 0, 0}, {1, 0, 0}};
    for (int f = 0; f < 6; ++f) {
        std::set<std::pair<float, float>> uvs;
        for (int k = 0; k < 4; ++k) {
            const BasicCubeVertex& v = vertices[std::size_t(4 * f + k)];
            EXPECT_EQ(vec(v.normal), normals[f]) << "face " << f;
            EXPECT_FLOAT_EQ(gfx::dot(vec(v.position), normals[f]), 0.5f) << "face " << f << " lies on its side";
            EXPECT_FLOAT_EQ(gfx::dot(vec(v.tangent), normals[f]), 0.0f) << "face " << f;
            for (float c : v.position) EXPECT_EQ(std::abs(c), 0.5f);
            uvs.insert({v.uv[0], v.uv[1]});
        }
        EXPECT_EQ(uvs, (std::set<std::pair<float, float>>{{0, 0}, {0, 1}, {1, 0}, {1, 1}})) << "face " << f;
        for (int t = 0; t < 2; ++t) {
            const auto corner = [&](int k) { return vec(vertices[indices[std::size_t(6 * f + 3 * t + k)]].position); };
            for (int k = 0; k < 3; ++k) EXPECT_EQ(indices[std::size_t(6 * f + 3 * t + k)] / 4, f);
            // Clockwise seen from outside in the left-handed frame: the cross product points out.
            const gfx::Vector3 out = gfx::cross(corner(1) - corner(0), corner(2) - corner(0));
            EXPECT_GT(gfx::dot(out, normals[f]), 0.0f) << "face " << f << " triangle " << t;
        }
    }
    // The table's first face, as the cube's data gives it.
    const float first[4][5] = {{-0.5f, -0.5f, -0.5f, 0, 1}, {-0.5f, 0.5f, -0.5f, 0, 0}, {0.5f, 0.5f, -0.5f, 1, 0},
                               {0.5f, -0.5f, -0.5f, 1, 1}};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(vec(vertices[std::size_t(k)].position), (gfx::Vector3{first[k][0], first[k][1], first[k][2]}));
        EXPECT_EQ(vertices[std::size_t(k)].uv[0], first[k][3]);
        EXPECT_EQ(vertices[std::size_t(k)].uv[1], first[k][4]);
    }
    EXPECT_EQ(vec(vertices[20].tangent), (gfx::Vector3{0, -1, 0}));
    EXPECT_EQ(vec(vertices[4].tangent), (gfx::Vector3{-1, 0, 0}));
}

TEST(SphereGeometry, SixteenBySixteenIsAClosedUnitSphereFacingOutward) {
    const gfx::SphereGeometry sphere = gfx::makeSphere(1.0f, 16, 16);
    ASSERT_EQ(sphere.vertices.size(), 16u * 15u + 2u);
    ASSERT_EQ(sphere.indices.size(), 3u * 2u * 16u * 15u);
    for (const gfx::SphereVertex& v : sphere.vertices) {
        EXPECT_NEAR(gfx::length(vec(v.position)), 1.0f, 1e-5f);
        EXPECT_NEAR(gfx::dot(vec(v.position), vec(v.normal)), 1.0f, 1e-5f) << "normals point out";
    }
    std::map<std::pair<std::uint16_t, std::uint16_t>, int> edges;
    for (std::size_t t = 0; t < sphere.indices.size(); t += 3) {
        const std::uint16_t a = sphere.indices[t], b = sphere.indices[t + 1], c = sphere.indices[t + 2];
        ASSERT_LT(std::max({a, b, c}), sphere.vertices.size());
        const gfx::Vector3 pa = vec(sphere.vertices[a].position), pb = vec(sphere.vertices[b].position),
                           pc = vec(sphere.vertices[c].position);
        EXPECT_GT(gfx::dot(gfx::cross(pb - pa, pc - pa), pa + pb + pc), 0.0f) << "triangle " << t / 3;
        for (auto [from, to] : {std::pair{a, b}, std::pair{b, c}, std::pair{c, a}}) ++edges[{from, to}];
    }
    for (const auto& [edge, count] : edges) {
        EXPECT_EQ(count, 1);
        EXPECT_EQ(edges.count({edge.second, edge.first}), 1u) << "every edge is shared by two triangles";
    }
    const gfx::SphereGeometry large = gfx::makeSphere(2.5f, 8, 4);
    EXPECT_NEAR(gfx::length(vec(large.vertices[5].position)), 2.5f, 1e-5f);
    EXPECT_TRUE(gfx::makeSphere(1.0f, 2, 16).vertices.empty());
    EXPECT_TRUE(gfx::makeSphere(1.0f, 1000, 1000).vertices.empty()) << "past what 16-bit indices reach";
}

TEST(BasicShapes, TypesParametersAndDrawOrders) {
    ThreadResourcePool pool("renderPool");
    ParameterDescriptionRegistry registry;
    for (auto [name, order] : {std::pair{"BasicCubeRenderable", 0}, std::pair{"BasicSphereRenderable", 6}}) {
        IRenderableFactory* factory = findRenderableFactory(name);
        ASSERT_NE(factory, nullptr) << name;
        std::unique_ptr<BaseRenderable> renderable(factory->create(&pool, nullptr, nullptr));
        EXPECT_EQ(renderable->drawOrder, order) << name;
        renderable->setUpParamDescriptions(registry);
    }
    ParameterManager manager(&registry, &pool);
    ParameterManager::ParameterGroupPair* cube = manager.createGroupPair(kBasicCubeType);
    ParameterManager::ParameterGroupPair* sphere = manager.createGroupPair(kBasicSphereType);
    ASSERT_NE(cube, nullptr);
    ASSERT_NE(sphere, nullptr);
    manager.sync();
    EXPECT_STREQ(BasicCubeParameters::castShadow.name, "castShadow");
    EXPECT_STREQ(BasicCubeParameters::flipColour.name, "flipColour");
    EXPECT_STREQ(BasicCubeParameters::highlightColour.name, "highlightColour");
    EXPECT_STREQ(BasicSphereParameters::alpha.name, "alpha");
    ASSERT_NE(declared::find(cube->renderGroup(), BasicCubeParameters::castShadow), nullptr);
    EXPECT_TRUE(declared::find(cube->renderGroup(), BasicCubeParameters::castShadow)->value);
    ASSERT_NE(declared::find(cube->renderGroup(), BasicCubeParameters::flipColour), nullptr);
    EXPECT_FALSE(declared::find(cube->renderGroup(), BasicCubeParameters::flipColour)->value);
    ASSERT_NE(declared::find(cube->renderGroup(), BasicCubeParameters::highlightColour), nullptr);
    EXPECT_EQ(declared::find(cube->renderGroup(), BasicCubeParameters::highlightColour)->value, (Vector4Value{0, 0, 0, 0}));
    ASSERT_NE(declared::find(sphere->renderGroup(), BasicSphereParameters::alpha), nullptr);
    EXPECT_EQ(declared::find(sphere->renderGroup(), BasicSphereParameters::alpha)->value, 1.0f);
}

// The two renderables on a bare device, their instances filed by hand as the culling files them.
class BasicShapesOnDevice : public gfxtest::GfxTest {
protected:
    void SetUp() override {
        GfxTest::SetUp();
        deviceGlobal = device_;
        createVertexDeclarations();
    }
    void TearDown() override {
        instances_.clear();
        for (BaseRenderable* renderable : {static_cast<BaseRenderable*>(&cube_), static_cast<BaseRenderable*>(&sphere_)})
            renderable->releaseAssets();
        releaseVertexDeclarations();
        deviceGlobal = nullptr;
        GfxTest::TearDown();
    }
    void load(BaseRenderable& renderable) {
        renderable.setUpParamDescriptions(registry_);
        renderable.loadAssets();
        renderable.createEffects();
        for (RenderableAsset* asset : renderable.assets) {
            asset->loadStage2();
            asset->refreshEffectHandles();
        }
    }
    RenderableInstance* visible(BaseRenderable& renderable, const char* type, const gfx::Matrix& matrix) {
        ParameterManager::ParameterGroupPair* pair = manager_.createGroupPair(type);
        MatrixValue value;
        std::copy(matrix.data(), matrix.data() + 16, value.begin());
        pair->updateGroup()->addMatrix("matrix", value);
        manager_.sync();
        RenderableAsset* asset = renderable.assets.front();
        instances_.push_back(std::make_unique<RenderableInstance>(pair, asset, false));
        instances_.back()->update();
        instances_.back()->setDirectionalLight(&light_);
        asset->addInstance(instances_.back().get());
        return instances_.back().get();
    }
    std::uint32_t blending() const {
        std::uint32_t value = 99;
        device_->getRenderState(gfx::RenderState::AlphaBlendEnable, value);
        return value;
    }

    ThreadResourcePool pool_{"renderPool"};
    ParameterDescriptionRegistry registry_;
    ParameterManager manager_{&registry_, &pool_};
    BasicCubeRenderable cube_{&pool_, nullptr, nullptr};
    BasicSphereRenderable sphere_{&pool_, nullptr, nullptr};
    RenderableDirectionalLight light_;
    ViewBlock view_{gfx::lookAtLH({0, 2, -5}, {0, 0, 0}, {0, 1, 0}), gfx::identityMatrix(), {0, 2, -5}};
    PassContext context_;
    std::vector<std::unique_ptr<RenderableInstance>> instances_;
};

TEST_F(BasicShapesOnDevice, TheCubesBuffersHoldTheTableAndItsVisibleInstancesAreOneDrawPerPass) {
    load(cube_);
    auto* asset = static_cast<BasicCubeRenderableAsset*>(cube_.assets.front());
    EXPECT_EQ(asset->name(), "BasicCube");
    ASSERT_NE(asset->vertexBuffer(), nullptr);
    void* data = nullptr;
    ASSERT_EQ(asset->vertexBuffer()->lock(0, 0, &data, gfx::Lock::ReadOnly), gfx::Result::Ok);
    EXPECT_EQ(std::memcmp(data, basicCubeVertices().data(), 1056), 0);
    asset->vertexBuffer()->unlock();
    ASSERT_EQ(asset->indexBuffer()->lock(0, 0, &data, gfx::Lock::ReadOnly), gfx::Result::Ok);
    EXPECT_EQ(std::memcmp(data, basicCubeIndices().data(), 72), 0);
    asset->indexBuffer()->unlock();

    for (int i = 0; i < 3; ++i) visible(cube_, kBasicCubeType, gfx::translationMatrix(float(i), 0, 0));
    instances_.back()->setDirectionalLight(nullptr);
    for (DrawPass pass : kFramePassOrder) cube_.drawPass(&light_, view_, context_, pass, 0.0f);
    EXPECT_EQ(asset->draws(), 3u) << "one draw per pass";
    EXPECT_EQ(asset->drawnInstances(), 6u) << "the instance without a light is left out";
}

TEST_F(BasicShapesOnDevice, TheSphereBlendsOnlyInTheColourPassAndSwitchesBlendingOffAfter) {
    load(sphere_);
    auto* asset = static_cast<BasicSphereRenderableAsset*>(sphere_.assets.front());
    EXPECT_EQ(asset->name(), "basic_sphere");
    EXPECT_EQ(asset->vertexCount(), 242u);
    EXPECT_EQ(asset->triangleCount(), 480u);
    visible(sphere_, kBasicSphereType, gfx::translationMatrix(0, 0, 3));
    for (DrawPass pass : {DrawPass::Shadow, DrawPass::Depth}) {
        device_->setRenderState(gfx::RenderState::AlphaBlendEnable, 1);
        sphere_.drawPass(&light_, view_, context_, pass, 0.0f);
        EXPECT_EQ(blending(), 1u) << "pass " << int(pass) << " leaves the device alone";
    }
    sphere_.drawPass(&light_, view_, context_, DrawPass::Colour, 0.0f);
    EXPECT_EQ(blending(), 0u) << "later renderables draw opaque";
}

TEST_F(BasicShapesOnDevice, WithoutTheirEffectsNeitherDraws) {
    // Effects made without a device fail: the passes then draw nothing.
    cube_.setUpParamDescriptions(registry_);
    sphere_.setUpParamDescriptions(registry_);
    deviceGlobal = nullptr;
    cube_.loadAssets();
    cube_.createEffects();
    sphere_.loadAssets();
    sphere_.createEffects();
    deviceGlobal = device_;
    for (RenderableAsset* asset : {cube_.assets.front(), sphere_.assets.front()}) asset->loadStage2();
    visible(cube_, kBasicCubeType, gfx::identityMatrix());
    visible(sphere_, kBasicSphereType, gfx::identityMatrix());
    device_->setRenderState(gfx::RenderState::AlphaBlendEnable, 1);
    for (DrawPass pass : kFramePassOrder) {
        cube_.drawPass(&light_, view_, context_, pass, 0.0f);
        sphere_.drawPass(&light_, view_, context_, pass, 0.0f);
    }
    EXPECT_EQ(static_cast<BasicCubeRenderableAsset*>(cube_.assets.front())->draws(), 0u);
    EXPECT_EQ(blending(), 1u) << "the sphere never began its pass";
}

} // namespace
