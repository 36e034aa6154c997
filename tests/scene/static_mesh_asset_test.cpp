// The static mesh asset and its batch: the lightmapped mesh with its surface and buffers for the
// baker, the batch's instance lists as instances come and go, and its baked lightmap.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/buffers.h"
#include "platform/gfx/effect.h"
#include "platform/gfx/math_matrix.h"
#include "platform/gfx/texture.h"
#include "platform/gfx_fixture.h"
#include "platform/mesh/mesh.h"
#include "render/device_global.h"
#include "render/renderable_instance.h"
#include "render/renderable_light.h"
#include "scene/static_mesh_asset.h"
#include "scene/static_renderable_batch.h"
#include "support/log_capture.h"
#include "support/scene_test_assets.h"

namespace {

const std::string kStatic = std::string(ZODERUD_SOURCE_DIR) + "/Data/graphics/3d/meshes/static/";
const std::string kEffects = std::string(ZODERUD_SOURCE_DIR) + "/Data/graphics/3d/effects/";

// Counts what batches ask of their owner.
class BatchOwner : public scenetest::TestRenderable {
public:
    BatchOwner() : TestRenderable("StaticMeshRenderable") {}
    ~BatchOwner() override {
        for (UnloadableBatchInterface* batch : batches) delete static_cast<StaticRenderableBatch*>(batch);
        batches.clear();
    }
    void addToBatch(UnloadableBatchInterface* batch) override { rebuildRequests.push_back(batch); }
    std::vector<UnloadableBatchInterface*> rebuildRequests;
};

class StaticMeshTest : public gfxtest::GfxTest {
protected:
    void SetUp() override {
        GfxTest::SetUp();
        deviceGlobal = device_;
        createVertexDeclarations();
        std::vector<gfx::EffectMacro> macros;
        for (const char* name : {"SHADOWS_ENABLED", "SSAO_ENABLED", "SM3_ENABLED", "SHADER_INSTANCED"})
            macros.push_back({name, "0"});
        std::string errors;
        ASSERT_EQ(gfx::createEffectFromFile(device_, kEffects + "UberShader.fx", macros, &colour_, &errors),
                  gfx::Result::Ok)
            << errors;
    }
    void TearDown() override {
        instances_.clear();
        owner_.reset();
        assets_.clear();
        gfx::safeRelease(colour_);
        releaseVertexDeclarations();
        deviceGlobal = nullptr;
        GfxTest::TearDown();
    }
    StaticMeshRenderableAsset* asset(const std::string& baseName) {
        assets_.push_back(std::make_unique<StaticMeshRenderableAsset>("Mesh_" + baseName, nullptr, owner_.get(),
                                                                        &group_, kStatic, baseName, 7));
        assets_.back()->loadStage2();
        assets_.back()->setEffects(colour_, nullptr, nullptr);
        assets_.back()->refreshEffectHandles();
        return assets_.back().get();
    }
    RenderableInstance* instance(StaticMeshRenderableAsset* of, const gfx::Matrix& placement) {
        instances_.push_back(std::make_unique<RenderableInstance>(pairs_.object(placement), of, false));
        instances_.back()->update();
        of->onInstanceAdded(instances_.back().get());
        return instances_.back().get();
    }

    scenetest::ObjectPairs pairs_;
    scenetest::TestGroup group_{"static"};
    std::unique_ptr<BatchOwner> owner_ = std::make_unique<BatchOwner>();
    gfx::Effect* colour_ = nullptr;
    std::vector<std::unique_ptr<StaticMeshRenderableAsset>> assets_;
    std::vector<std::unique_ptr<RenderableInstance>> instances_;
};

TEST_F(StaticMeshTest, ThePillarGivesItsSurfaceCubeAndTrianglesToTheBaker) {
    LogCapture log;
    StaticMeshRenderableAsset* pillar = asset("pillar");
    ASSERT_FALSE(pillar->absent());
    // Four sides of 0.5 by 2 and two ends of 0.5 by 0.5.
    EXPECT_NEAR(pillar->getLightmapSizeFactor(), 4.5f, 1e-5f);
    EXPECT_EQ(pillar->getBoundingBox()->local.min, (gfx::Vector3{-0.25f, -0.25f, -0.25f}));
    EXPECT_EQ(pillar->getBoundingBox()->local.max, (gfx::Vector3{2, 2, 2}));
    EXPECT_EQ(pillar->getLightmapTriangleCount(), 12u);
    EXPECT_TRUE(log.lines().empty());

    gfx::VertexBuffer* vertices = pillar->getLightmapVertexBuffer();
    ASSERT_NE(vertices, nullptr);
    EXPECT_EQ(vertices->length(), pillar->file().mesh->numVertices() * 52u);
    vertices->release();
    gfx::IndexBuffer* indices = pillar->getLightmapIndexBuffer();
    ASSERT_NE(indices, nullptr);
    indices->release();
    void* data = nullptr;
    EXPECT_EQ(pillar->file().mesh->lockVertexBuffer(gfx::Lock::ReadOnly, &data), gfx::Result::Ok)
        << "the caller's release leaves the mesh's buffer alive";
    pillar->file().mesh->unlockVertexBuffer();

    StaticMeshRenderableAsset* wall = asset("low_wall");
    EXPECT_FALSE(wall->absent()) << "a mesh without lightmap coordinates still loads";
    EXPECT_TRUE(log.contains("Need to add light map UVs for: " + kStatic + "low_wall.x "));
}

TEST_F(StaticMeshTest, BatchesKeepTheirInstancesPerAssetAndLetRemovedOnesGo) {
    StaticMeshRenderableAsset* pillar = asset("pillar");
    StaticMeshRenderableAsset* slab = asset("ground_slab");
    RenderableInstance* a = instance(pillar, gfx::identityMatrix());
    RenderableInstance* b = instance(slab, gfx::identityMatrix());
    RenderableInstance* c = instance(pillar, gfx::translationMatrix(2, 0, 0));
    EXPECT_EQ(pillar->lightmapInstances(), (std::vector<RenderableInstance*>{a, c}));

    auto* batch = static_cast<StaticRenderableBatch*>(pillar->createBatch(nullptr, owner_.get(), &group_, colour_));
    ASSERT_EQ(owner_->batches, (std::vector<UnloadableBatchInterface*>{batch}));
    EXPECT_EQ(batch->getTextureSharingGroup(), &group_);
    EXPECT_EQ(batch->batchValue(), 7u);
    EXPECT_EQ(batch->effect(), colour_);
    for (RenderableInstance* added : {a, b, c}) batch->addInstance(added);
    ASSERT_EQ(batch->instanceGroups().size(), 2u);
    EXPECT_EQ(batch->instanceGroups()[0].instances, (std::vector<RenderableInstance*>{a, c}));
    EXPECT_EQ(batch->instanceGroups()[1].instances, (std::vector<RenderableInstance*>{b}));
    EXPECT_EQ(batch->count(), 3u);
    EXPECT_EQ(owner_->rebuildRequests.size(), 3u);

    batch->removeInstance(b);
    EXPECT_EQ(batch->instanceGroups().size(), 1u) << "the slab's group left with its last instance";
    EXPECT_EQ(batch->lightmapInstances(), (std::vector<RenderableInstance*>{a, c}));
    EXPECT_EQ(batch->count(), 2u);
    EXPECT_EQ(owner_->rebuildRequests.size(), 4u) << "a removal queues a rebuild";
    batch->removeInstance(b);
    EXPECT_EQ(owner_->rebuildRequests.size(), 4u) << "an instance the batch lacks changes nothing";

    batch->unload();
    EXPECT_EQ(owner_->unloadedBatches, (std::vector<UnloadableBatchInterface*>{batch}));
}

TEST_F(StaticMeshTest, TheBakedLightmapFollowsTheLightsWhenRebuilt) {
    StaticMeshRenderableAsset* pillar = asset("pillar");
    RenderableInstance* standing = instance(pillar, gfx::identityMatrix());
    auto* batch = static_cast<StaticRenderableBatch*>(pillar->createBatch(nullptr, owner_.get(), &group_, colour_));
    batch->bakeLightmap({});
    EXPECT_EQ(batch->lightmapTexture(), nullptr) << "no instances, no lightmap";

    batch->addInstance(standing);
    ParameterManager::ParameterGroupPair* lightPair = pairs_.light(3.0f, {1.0f, 1.0f, 0.0f}, {1, 1, 1});
    RenderablePointLight light(lightPair);
    batch->bakeLightmap({&light});
    ASSERT_NE(batch->lightmapTexture(), nullptr);
    EXPECT_EQ(batch->lightmapWidth(), 16u);
    EXPECT_EQ(batch->lightmapTexture()->levelWidth(0), 16u);
    auto brightest = [&] {
        uint32_t best = 0;
        for (uint32_t pixel : readLevel(batch->lightmapTexture(), 0)) best = std::max(best, pixel & 0xFFu);
        return best;
    };
    EXPECT_GT(brightest(), 32u) << "the pillar's side facing the light is lit";

    // Far away, the light no longer reaches; the charts stay.
    lightPair->updateGroup()->setVector3("position", {1.0f, 1.0f, -200.0f});
    pairs_.handOff();
    light.update();
    batch->rebuildLightmap();
    ASSERT_NE(batch->lightmapTexture(), nullptr);
    EXPECT_EQ(batch->lightmapWidth(), 16u);
    EXPECT_EQ(brightest(), 0u);
    batch->releaseBuffers();
    EXPECT_EQ(batch->lightmapTexture(), nullptr);
}

} // namespace
