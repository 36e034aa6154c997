// One dynamic mesh asset: its render-object parameters, its cubic box, textures placed by
// material, and what it sends and draws per pass for an instance.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/parameter_description.h"
#include "app/parameter_manager.h"
#include "app/simple_parameter_group.h"
#include "app/thread_resource_pool.h"
#include "platform/gfx/effect.h"
#include "platform/gfx/math_matrix.h"
#include "platform/gfx/texture.h"
#include "platform/gfx_fixture.h"
#include "platform/mesh/mesh.h"
#include "render/device_global.h"
#include "render/render_interface.h"
#include "render/renderable_instance.h"
#include "render/renderable_light.h"
#include "scene/dynamic_mesh_asset.h"
#include "scene/dynamic_mesh_parameters.h"
#include "scene/mesh_atlas_group.h"
#include "support/failed_frame.h"
#include "support/log_capture.h"
#include "support/scene_test_assets.h"

namespace {

const std::string kDynamic = std::string(ZODERUD_SOURCE_DIR) + "/Data/graphics/3d/meshes/dynamic/";
const std::string kEffects = std::string(ZODERUD_SOURCE_DIR) + "/Data/graphics/3d/effects/";
const std::string kData = std::string(ZODERUD_TEST_DATA_DIR) + "/";

TEST(DynamicMeshParameters, TheDescriptionHoldsBothParametersWithTheirDefaults) {
    ThreadResourcePool pool("renderPool");
    ParameterDescriptionRegistry registry;
    ASSERT_TRUE(registerDynamicMeshDescription(registry, &pool, "Mesh_crate"));
    EXPECT_FALSE(registerDynamicMeshDescription(registry, &pool, "Mesh_crate")) << "a name is registered once";
    ParameterManager manager(&registry, &pool);
    ParameterManager::ParameterGroupPair* pair = manager.createGroupPair("Mesh_crate");
    ASSERT_NE(pair, nullptr);
    manager.sync();
    const Vector4Parameter* highlight = declared::find(pair->renderGroup(), DynamicMeshParameters::highlightColour);
    const BoolParameter* shouldRender = declared::find(pair->renderGroup(), DynamicMeshParameters::shouldRender);
    ASSERT_NE(highlight, nullptr);
    ASSERT_NE(shouldRender, nullptr);
    EXPECT_EQ(highlight->value, (Vector4Value{0, 0, 0, 1}));
    EXPECT_TRUE(shouldRender->value);
    EXPECT_STREQ(DynamicMeshParameters::highlightColour.name, "highlightColour");
    EXPECT_STREQ(DynamicMeshParameters::shouldRender.name, "shouldRender");
}

class DynamicMeshAssetTest : public gfxtest::GfxTest {
protected:
    void SetUp() override {
        GfxTest::SetUp();
        deviceGlobal = device_;
        createVertexDeclarations();
        registerDynamicMeshDescription(registry_, &pool_, "Mesh_crate");
        group_.loadAtlas(owner_);
        std::vector<gfx::EffectMacro> macros;
        for (const char* name : {"SHADOWS_ENABLED", "SSAO_ENABLED", "SM3_ENABLED", "SHADER_INSTANCED"})
            macros.push_back({name, "0"});
        for (auto [file, slot] : {std::pair{"UberShader.fx", &colour_}, std::pair{"ShadowUberShader.fx", &shadow_},
                                  std::pair{"DepthUberShader.fx", &depth_}}) {
            std::string errors;
            ASSERT_EQ(gfx::createEffectFromFile(device_, kEffects + file, macros, slot, &errors), gfx::Result::Ok)
                << errors;
        }
    }
    void TearDown() override {
        instances_.clear();
        assets_.clear();
        gfx::safeRelease(colour_);
        gfx::safeRelease(shadow_);
        gfx::safeRelease(depth_);
        releaseVertexDeclarations();
        deviceGlobal = nullptr;
        GfxTest::TearDown();
    }

    DynamicMeshRenderableAsset* asset(const std::string& folder, const std::string& baseName, bool withEffects = true) {
        assets_.push_back(std::make_unique<DynamicMeshRenderableAsset>("Mesh_" + baseName, &pool_, &owner_, folder,
                                                                         baseName, &group_));
        DynamicMeshRenderableAsset* made = assets_.back().get();
        made->loadStage2();
        if (withEffects) made->setEffects(colour_, shadow_, depth_);
        made->refreshEffectHandles();
        return made;
    }
    // An instance of a "Mesh_crate" render object at the matrix, lit by the scene's light.
    RenderableInstance* instance(RenderableAsset* of, const gfx::Matrix& matrix, bool shouldRender = true) {
        ParameterManager::ParameterGroupPair* pair = manager_.createGroupPair("Mesh_crate");
        MatrixValue value;
        std::copy(matrix.data(), matrix.data() + 16, value.begin());
        pair->updateGroup()->addMatrix("matrix", value);
        declared::set(pair->updateGroup(), DynamicMeshParameters::shouldRender, shouldRender);
        manager_.sync();
        instances_.push_back(std::make_unique<RenderableInstance>(pair, of, false));
        instances_.back()->update();
        instances_.back()->setDirectionalLight(&light_);
        return instances_.back().get();
    }
    std::vector<float> values(gfx::Effect* effect, const char* name) {
        return effect->parameterValues(effect->getParameterByName(name));
    }
    // Every pass for one instance, as the renderable runs them.
    void drawAllPasses(DynamicMeshRenderableAsset* asset, RenderableInstance* instance) {
        for (DrawPass pass : kFramePassOrder) {
            gfx::Effect* effect = pass == DrawPass::Shadow ? shadow_ : pass == DrawPass::Depth ? depth_ : colour_;
            uint32_t passes = 0;
            effect->begin(&passes, 0);
            effect->beginPass(0);
            asset->beginRender(pass, context_, view_);
            asset->renderInstance(instance, view_, context_, pass);
            asset->endRender(pass, context_, view_);
            effect->endPass();
            effect->end();
        }
    }

    ThreadResourcePool pool_{"renderPool"};
    ParameterDescriptionRegistry registry_;
    ParameterManager manager_{&registry_, &pool_};
    RenderInterface renderInterface_{&registry_, &pool_, 320, 240, ""};
    scenetest::TestRenderable owner_{"DynamicMeshRenderable"};
    MeshAtlasGroup group_{&pool_, &renderInterface_, kDynamic};
    RenderableDirectionalLight light_;
    gfx::Effect* colour_ = nullptr;
    gfx::Effect* shadow_ = nullptr;
    gfx::Effect* depth_ = nullptr;
    ViewBlock view_{gfx::lookAtLH({0, 2, -5}, {0, 0, 0}, {0, 1, 0}), gfx::identityMatrix(), {0, 2, -5}};
    PassContext context_;
    std::vector<std::unique_ptr<DynamicMeshRenderableAsset>> assets_;
    std::vector<std::unique_ptr<RenderableInstance>> instances_;
};

TEST_F(DynamicMeshAssetTest, ALongThinMeshGetsTheCubeAroundItAndAnAbsentOneKeepsTheDefault) {
    LogCapture log;
    DynamicMeshRenderableAsset* rod = asset(kData, "long_rod");
    ASSERT_FALSE(rod->absent());
    // The rod spans x from -2 to 2, y from 0 to 0.2 and z from -0.05 to 0.05.
    EXPECT_EQ(rod->getBoundingBox()->local.min, (gfx::Vector3{-2, -2, -2}));
    EXPECT_EQ(rod->getBoundingBox()->local.max, (gfx::Vector3{2, 2, 2}));
    EXPECT_EQ(rod->getBoundingBox()->world.max, (gfx::Vector3{2, 2, 2}));

    DynamicMeshRenderableAsset* missing = asset(kData, "no_such_mesh");
    EXPECT_TRUE(missing->absent());
    EXPECT_EQ(missing->getBoundingBox()->local.min, (gfx::Vector3{-0.7071f, -0.7071f, -0.7071f}));
    EXPECT_EQ(missing->getBoundingBox()->local.max, (gfx::Vector3{0.7071f, 0.7071f, 0.7071f}));
    missing->beginRender(DrawPass::Colour, context_, view_);
    missing->renderInstance(instance(missing, gfx::identityMatrix()), view_, context_, DrawPass::Colour);
    EXPECT_EQ(missing->drawnSubsets(), 0u);
    std::vector<std::array<float, 3>> points;
    std::vector<uint32_t> indices;
    missing->copyVertices(points, indices);
    EXPECT_TRUE(points.empty());
    EXPECT_EQ(std::count_if(log.lines().begin(), log.lines().end(),
                            [](const std::string& line) { return line.find("no_such_mesh") != std::string::npos; }),
              1);
}

TEST_F(DynamicMeshAssetTest, EachMaterialsCoordinatesGoWhereItsOwnTextureLies) {
    // The plinth's stone lies in the right half of the folder's atlas; its painted top has no
    // texture and keeps its coordinates.
    DynamicMeshRenderableAsset* plinth = asset(kDynamic, "plinth");
    ASSERT_FALSE(plinth->absent());
    const mesh::Mesh& loaded = *plinth->file().mesh;
    std::vector<std::array<float, 3>> points;
    std::vector<uint32_t> indices;
    plinth->copyVertices(points, indices);
    EXPECT_EQ(points.size(), loaded.numVertices());
    EXPECT_EQ(indices.size(), loaded.numFaces() * 3u);
    void* data = nullptr;
    ASSERT_EQ(plinth->file().mesh->lockVertexBuffer(gfx::Lock::ReadOnly, &data), gfx::Result::Ok);
    const auto* vertices = static_cast<const MeshVertex*>(data);
    for (const mesh::AttributeRange& range : loaded.attributeTable()) {
        float lowest = 1.0f, highest = 0.0f;
        for (uint32_t v = range.vertexStart; v < range.vertexStart + range.vertexCount; ++v) {
            lowest = std::min(lowest, vertices[v].uv[0]);
            highest = std::max(highest, vertices[v].uv[0]);
        }
        if (range.attributeId == 0) {
            EXPECT_FLOAT_EQ(lowest, 0.5f);
            EXPECT_FLOAT_EQ(highest, 1.0f);
        } else {
            EXPECT_FLOAT_EQ(lowest, 0.0f) << "the untextured material keeps its coordinates";
            EXPECT_FLOAT_EQ(highest, 1.0f);
        }
    }
    plinth->file().mesh->unlockVertexBuffer();
}

TEST_F(DynamicMeshAssetTest, ShouldRenderFalseSkipsEveryPass) {
    DynamicMeshRenderableAsset* crate = asset(kDynamic, "crate");
    const gfx::Matrix placed = gfx::translationMatrix(1, 2, 3);
    const std::vector<float> shadowBefore = values(shadow_, "gLightWVP");
    const std::vector<float> depthBefore = values(depth_, "g_local_to_camera");
    const std::vector<float> colourBefore = values(colour_, "gWorld");
    drawAllPasses(crate, instance(crate, placed, false));
    EXPECT_EQ(values(shadow_, "gLightWVP"), shadowBefore);
    EXPECT_EQ(values(depth_, "g_local_to_camera"), depthBefore);
    EXPECT_EQ(values(colour_, "gWorld"), colourBefore);
    EXPECT_EQ(crate->drawnSubsets(), 0u);

    drawAllPasses(crate, instance(crate, placed, true));
    const gfx::Matrix toCamera = placed * view_.view;
    EXPECT_EQ(values(depth_, "g_local_to_camera"), std::vector<float>(toCamera.data(), toCamera.data() + 16));
    EXPECT_EQ(values(colour_, "gWorld"), std::vector<float>(placed.data(), placed.data() + 16));
    EXPECT_NE(values(shadow_, "gLightWVP"), shadowBefore);
    EXPECT_EQ(crate->drawnSubsets(), 1u);
    EXPECT_EQ(values(colour_, "gHighlightColour"), (std::vector<float>{0, 0, 0, 1}));
}

TEST_F(DynamicMeshAssetTest, TwoPointLightsFillTheFirstTwoRecordsAndZeroTheOthers) {
    scenetest::ObjectPairs lights;
    RenderablePointLight near(lights.light(2.0f, {1, 2, 3}, {1, 0.5f, 0.25f}));
    RenderablePointLight far(lights.light(3.0f, {4, 5, 6}, {0, 1, 0}));
    DynamicMeshRenderableAsset* crate = asset(kDynamic, "crate");
    RenderableInstance* lit = instance(crate, gfx::identityMatrix());
    lit->pointLightList() = {&near, &far};
    for (const char* name : {"gPointLight3", "gPointLight4"})
        colour_->setVectorArray(colour_->getParameterByName(name), std::vector<float>(8, 9.0f).data(), 2);
    crate->setPointLights(lit);
    EXPECT_EQ(values(colour_, "gPointLight1"), (std::vector<float>{1, 0.5f, 0.25f, 1, 1, 2, 3, 4}));
    EXPECT_EQ(values(colour_, "gPointLight2"), (std::vector<float>{0, 1, 0, 1, 4, 5, 6, 9}));
    EXPECT_EQ(values(colour_, "gPointLight3"), std::vector<float>(8, 0.0f));
    EXPECT_EQ(values(colour_, "gPointLight4"), std::vector<float>(8, 0.0f));
}

TEST_F(DynamicMeshAssetTest, NoLightOrNoEffectDrawsNothing) {
    DynamicMeshRenderableAsset* crate = asset(kDynamic, "crate");
    RenderableInstance* unlit = instance(crate, gfx::identityMatrix());
    unlit->setDirectionalLight(nullptr);
    drawAllPasses(crate, unlit);
    EXPECT_EQ(crate->drawnSubsets(), 0u);

    DynamicMeshRenderableAsset* withoutEffects = asset(kDynamic, "crate", false);
    withoutEffects->beginRender(DrawPass::Colour, context_, view_);
    withoutEffects->renderInstance(instance(withoutEffects, gfx::identityMatrix()), view_, context_, DrawPass::Colour);
    EXPECT_EQ(withoutEffects->drawnSubsets(), 0u);
}

TEST_F(DynamicMeshAssetTest, InstancedAndPerInstanceDrawingGiveTheSamePicture) {
    std::vector<gfx::EffectMacro> macros;
    for (const char* name : {"SHADOWS_ENABLED", "SSAO_ENABLED", "SM3_ENABLED"}) macros.push_back({name, "0"});
    macros.push_back({"SHADER_INSTANCED", "1"});
    gfx::Effect* instanced = nullptr;
    std::string errors;
    ASSERT_EQ(gfx::createEffectFromFile(device_, kEffects + "UberShader.fx", macros, &instanced, &errors),
              gfx::Result::Ok)
        << errors;
    gfx::Texture* white = nullptr;
    gfx::Texture* flat = nullptr;
    for (auto [texture, colour] : {std::pair{&white, 0xFFFFFFFFu}, std::pair{&flat, 0xFF8080FFu}}) {
        ASSERT_EQ(device_->createTexture(1, 1, 1, 0, gfx::Format::A8R8G8B8, gfx::Pool::Managed, texture),
                  gfx::Result::Ok);
        gfx::LockedRect locked;
        (*texture)->lockRect(0, locked, nullptr, 0);
        std::memcpy(locked.bits, &colour, 4);
        (*texture)->unlockRect(0);
    }
    const gfx::Vector3 eye{0, 2.5f, -6};
    view_.view = gfx::lookAtLH(eye, {0, 0, 0}, {0, 1, 0});
    view_.viewProjection = view_.view * gfx::perspectiveFovLH(0.9f, float(kWidth) / float(kHeight), 0.1f, 100.0f);
    view_.eye = eye;
    light_.setDirection({0.4f, -1.0f, 0.6f});
    scenetest::ObjectPairs lightPairs;
    RenderablePointLight warm(lightPairs.light(3.0f, {-1.5f, 1.5f, -1.0f}, {1, 0.6f, 0.2f}));
    RenderablePointLight cold(lightPairs.light(4.0f, {1.5f, 1.0f, -1.5f}, {0.2f, 0.4f, 1}));
    const std::vector<RenderablePointLight*> sceneLights = {&warm, &cold};

    DynamicMeshRenderableAsset* crate = asset(kDynamic, "crate");
    RenderableInstance* left = instance(crate, gfx::rotationYMatrix(0.5f) * gfx::translationMatrix(-1.3f, 0, 0));
    RenderableInstance* right = instance(crate, gfx::rotationYMatrix(-0.3f) * gfx::translationMatrix(1.3f, 0.2f, 0));
    RenderableInstance* hidden = instance(crate, gfx::translationMatrix(0, 0, -3), false);
    left->pointLightList() = {&cold};
    right->pointLightList() = {&warm, &cold};
    {
        ParameterManager::ParameterGroupPair* pair = right->pair();
        declared::set(pair->updateGroup(), DynamicMeshParameters::highlightColour, Vector4Value{0.3f, 0, 0, 1});
        manager_.sync();
    }
    crate->visibleInstances = {left, right, hidden};

    auto frame = [&](gfx::Effect* effect, bool instancedDraw) {
        effect->setTexture(effect->getParameterByName("gTex"), white);
        effect->setTexture(effect->getParameterByName("gNormalTex"), flat);
        effect->setVector(effect->getParameterByName("gEyePosW"), gfx::Vector4{eye.x, eye.y, eye.z, 0});
        crate->setEffects(effect, shadow_, depth_);
        crate->refreshEffectHandles();
        device_->clear(gfx::Clear::Target, 0xFF202020u, 1.0f, 0);
        uint32_t passes = 0;
        effect->begin(&passes, 0);
        effect->beginPass(0);
        crate->beginRender(DrawPass::Colour, context_, view_);
        if (instancedDraw) {
            setScenePointLights(effect, sceneLights);
            crate->prepareInstances(sceneLights);
            crate->drawInstanced(DrawPass::Colour, view_);
        } else {
            for (RenderableInstance* each : crate->visibleInstances) crate->renderInstance(each, view_, context_, DrawPass::Colour);
        }
        crate->endRender(DrawPass::Colour, context_, view_);
        effect->endPass();
        effect->end();
        return readBackBuffer();
    };
    const std::vector<uint32_t> oneByOne = frame(colour_, false);
    EXPECT_EQ(crate->drawnSubsets(), 2u);
    const std::vector<uint32_t> together = frame(instanced, true);
    EXPECT_EQ(crate->preparedInstances(), 2u) << "the hidden instance is left out";
    EXPECT_EQ(crate->drawnSubsets(), 1u) << "one draw for both instances";
    size_t drawn = 0, differing = 0;
    for (size_t i = 0; i < oneByOne.size(); ++i) {
        drawn += oneByOne[i] != 0xFF202020u;
        differing += !gfxtest::near(together[i], oneByOne[i], 3);
    }
    EXPECT_GT(drawn, 200u) << "both crates are on screen";
    // The two paths round the transforms differently, which may move an edge pixel.
    EXPECT_LE(differing, drawn / 100) << differing << " of " << drawn << " pixels differ";
    saveFailedFrame(oneByOne, kWidth, kHeight, ".one_by_one");
    saveFailedFrame(together, kWidth, kHeight, ".instanced");
    instanced->release();
    white->release();
    flat->release();
}

} // namespace
