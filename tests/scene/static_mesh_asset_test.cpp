// The static mesh asset and its batch: the lightmapped mesh with its surface and buffers for the
// baker, the batch's instance lists as instances come and go, and its baked lightmap.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/buffers.h"
#include "platform/gfx/effect.h"
#include "platform/gfx/math_matrix.h"
#include "platform/gfx/math_vector.h"
#include "platform/gfx/texture.h"
#include "platform/gfx_fixture.h"
#include "platform/mesh/mesh.h"
#include "render/device_global.h"
#include "render/renderable_instance.h"
#include "render/renderable_light.h"
#include "app/parameter_description.h"
#include "app/thread_resource_pool.h"
#include "platform/gfx/math_half.h"
#include "render/render_interface.h"
#include "scene/asset_texture_sharing_group.h"
#include "scene/static_mesh_asset.h"
#include "scene/static_renderable_batch.h"
#include "support/failed_frame.h"
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

// The vertices of a built chunk, as floats.
std::vector<float> chunkFloats(StaticRenderableBatch::Chunk& chunk) {
    const std::vector<uint8_t>& bytes = chunk.vertices->contents();
    std::vector<float> out(bytes.size() / 4);
    std::memcpy(out.data(), bytes.data(), out.size() * 4);
    return out;
}

std::vector<uint16_t> chunkIndices(StaticRenderableBatch::Chunk& chunk) {
    const std::vector<uint8_t>& bytes = chunk.indices->contents();
    std::vector<uint16_t> out(bytes.size() / 2);
    std::memcpy(out.data(), bytes.data(), out.size() * 2);
    return out;
}

class StaticBatchBuildTest : public StaticMeshTest {
protected:
    void SetUp() override {
        StaticMeshTest::SetUp();
        sharing_.atlas().loadAtlas(*owner_);
    }
    StaticRenderableBatch* batchOf(const std::vector<RenderableInstance*>& instances) {
        auto* batch = static_cast<StaticRenderableBatch*>(
            assets_.front()->createBatch(nullptr, owner_.get(), &sharing_, colour_));
        for (RenderableInstance* instance : instances) batch->addInstance(instance);
        return batch;
    }

    ThreadResourcePool pool_{"renderPool"};
    ParameterDescriptionRegistry registry_;
    RenderInterface renderInterface_{&registry_, &pool_, 320, 240, ""};
    AssetTextureSharingGroup sharing_{&pool_, &renderInterface_, kStatic};
};

TEST_F(StaticBatchBuildTest, LightmappedChunksHoldEveryInstanceInWorldSpaceWithBothCoordinateSets) {
    StaticMeshRenderableAsset* pillar = asset("pillar");
    RenderableInstance* first = instance(pillar, gfx::identityMatrix());
    RenderableInstance* second = instance(pillar, gfx::translationMatrix(5, 0, 0));
    StaticRenderableBatch* batch = batchOf({first, second});
    batch->bakeLightmap({});
    ASSERT_TRUE(batch->buildChunks(BatchVertexLayout::Lightmapped, sharing_.atlas()));
    ASSERT_EQ(batch->chunks().size(), 1u);
    StaticRenderableBatch::Chunk& chunk = batch->chunks()[0];
    const uint32_t n = pillar->file().mesh->numVertices();
    EXPECT_EQ(chunk.vertexCount, 2 * n);
    EXPECT_EQ(chunk.indexCount, 2 * 36u);
    const std::vector<float> v = chunkFloats(chunk);
    ASSERT_EQ(v.size(), size_t(2 * n * 13));
    const std::vector<uint16_t> indices = chunkIndices(chunk);
    for (size_t k = 0; k < 36; ++k) EXPECT_EQ(indices[36 + k], indices[k] + n) << k;
    for (uint32_t i = 0; i < n; ++i) {
        const float* a = &v[i * 13];
        const float* b = &v[(n + i) * 13];
        EXPECT_FLOAT_EQ(b[0], a[0] + 5.0f);
        EXPECT_FLOAT_EQ(b[1], a[1]);
        EXPECT_LE(a[9], 0.5f) << "the pillar's stone lies in the left half of the atlas";
        for (int k = 0; k < 2; ++k) {
            const float* vertex = k ? b : a;
            const LightmapChart& chart = batch->lightmapData().charts()[(k ? second : first)->lightmapIndex];
            EXPECT_GE(vertex[11], chart.uMin);
            EXPECT_LE(vertex[11], chart.uMax);
            EXPECT_GE(vertex[12], chart.vMin);
            EXPECT_LE(vertex[12], chart.vMax);
        }
    }
    EXPECT_NE(batch->lightmapData().charts()[0].x0, batch->lightmapData().charts()[1].x0);
}

TEST_F(StaticBatchBuildTest, VertexLitAndCompactChunksCarryTheBakedLight) {
    StaticMeshRenderableAsset* pillar = asset("pillar");
    RenderableInstance* lit = instance(pillar, gfx::identityMatrix());
    RenderablePointLight light(pairs_.light(4.0f, {0.0f, 3.0f, 0.0f}, {1.0f, 0.5f, 0.25f}));
    lit->pointLightList() = {&light};
    StaticRenderableBatch* batch = batchOf({lit});

    ASSERT_TRUE(batch->buildChunks(BatchVertexLayout::VertexLit, sharing_.atlas()));
    const std::vector<float> v = chunkFloats(batch->chunks()[0]);
    ASSERT_EQ(v.size(), size_t(pillar->file().mesh->numVertices() * 15));
    bool topSeen = false;
    for (size_t i = 0; i < v.size(); i += 15) {
        const gfx::Vector3 position{v[i], v[i + 1], v[i + 2]}, normal{v[i + 3], v[i + 4], v[i + 5]};
        const gfx::Vector3 expected = bakedVertexLight(position, normal, *lit);
        EXPECT_FLOAT_EQ(v[i + 11], expected.x);
        EXPECT_FLOAT_EQ(v[i + 13], expected.z);
        EXPECT_FLOAT_EQ(v[i + 14], 1.0f);
        if (normal.y > 0.99f) {
            topSeen = true;
            // The top at height 2, the light 1 above: n.l 1, attenuation 1 - 1 / 16 at the middle,
            // less at the corners; the red sum S gives 3 S + 0.5 (S + 0.3 x 0.5).
            const float d2 = position.x * position.x + 1.0f + position.z * position.z;
            const float s = 1.0f * (1.0f / std::sqrt(d2)) * (1.0f - d2 / 16.0f);
            EXPECT_NEAR(v[i + 11], 3.0f * s + 0.5f * (s + 0.15f), 1e-5f);
        }
    }
    EXPECT_TRUE(topSeen);

    ASSERT_TRUE(batch->buildChunks(BatchVertexLayout::Compact, sharing_.atlas()));
    ASSERT_EQ(batch->chunks().size(), 1u) << "a rebuild replaces the chunks";
    const std::vector<uint8_t>& bytes = batch->chunks()[0].vertices->contents();
    ASSERT_EQ(bytes.size(), size_t(pillar->file().mesh->numVertices() * 16));
    uint16_t halves[8];
    std::memcpy(halves, bytes.data(), 16);
    EXPECT_NEAR(gfx::halfToFloat(halves[0]), v[0], 1e-3f);
    EXPECT_NEAR(gfx::halfToFloat(halves[1]), v[1], 1e-3f);
    EXPECT_NEAR(gfx::halfToFloat(halves[4]), v[11], 1e-2f);
}

TEST_F(StaticBatchBuildTest, AnEmptyBatchBuildsNoChunks) {
    asset("pillar");
    StaticRenderableBatch* batch = batchOf({});
    EXPECT_FALSE(batch->buildChunks(BatchVertexLayout::Lightmapped, sharing_.atlas()));
    EXPECT_TRUE(batch->chunks().empty());
}

TEST(AssetTextureSharingGroup, QueuesBatchesOnlyWhileItDrawsThemAndPendingOnesOnce) {
    AssetTextureSharingGroup group(nullptr, nullptr, "Data/graphics/3d/meshes/static/");
    EXPECT_EQ(group.getName(), "static");
    StaticRenderableBatch made(nullptr, 0, nullptr, &group, nullptr);
    StaticRenderableBatch* batch = &made;
    group.queuePending(batch);
    group.queuePending(batch);
    group.queueVisible(batch);
    EXPECT_EQ(group.pendingBatches.size(), 1u);
    EXPECT_EQ(group.visibleBatches.size(), 1u);
    group.pendingBatches.clear();
    group.visibleBatches.clear();
    for (auto [draw, suspended] : {std::pair{false, false}, std::pair{true, true}}) {
        group.drawBatches = draw;
        group.batchesSuspended = suspended;
        group.queuePending(batch);
        group.queueVisible(batch);
        EXPECT_TRUE(group.pendingBatches.empty());
        EXPECT_TRUE(group.visibleBatches.empty());
    }
}

TEST_F(StaticBatchBuildTest, EveryLayoutDrawsTheSlabBrighterNearItsPointLight) {
    StaticMeshRenderableAsset* slab = asset("ground_slab");
    RenderableInstance* ground = instance(slab, gfx::identityMatrix());
    RenderablePointLight light(pairs_.light(3.0f, {3.0f, 0.5f, 3.0f}, {1.0f, 1.0f, 1.0f}));
    ground->pointLightList() = {&light};
    StaticRenderableBatch* batch = batchOf({ground});
    batch->bakeLightmap({&light});
    ASSERT_NE(batch->lightmapTexture(), nullptr);

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
    const gfx::Matrix viewProjection = gfx::lookAtLH({0, 12, -2}, {0, 0, 0}, {0, 1, 0}) *
                                       gfx::perspectiveFovLH(0.9f, float(kWidth) / float(kHeight), 0.1f, 100.0f);
    auto pixelOf = [&](const gfx::Vector3& point) {
        const gfx::Vector3 clip = gfx::transformCoord(point, viewProjection);
        return std::pair<uint32_t, uint32_t>(uint32_t((clip.x * 0.5f + 0.5f) * kWidth),
                                             uint32_t((0.5f - clip.y * 0.5f) * kHeight));
    };
    struct Case {
        const char* what;
        BatchVertexLayout layout;
        const char* technique;
        const char* shaderLevel3;
    };
    for (const Case& c : {Case{"lightmapped", BatchVertexLayout::Lightmapped, "BatchedLightmappedShadowTech", "1"},
                          Case{"vertex-lit", BatchVertexLayout::VertexLit, "BatchedLightShadowTech", "1"},
                          Case{"compact", BatchVertexLayout::Compact, "BatchedLightShadowTech", "0"}}) {
        std::vector<gfx::EffectMacro> macros = {{"SHADOWS_ENABLED", "0"}, {"SSAO_ENABLED", "0"},
                                                {"SM3_ENABLED", c.shaderLevel3}, {"SHADER_INSTANCED", "0"}};
        gfx::Effect* effect = nullptr;
        std::string errors;
        ASSERT_EQ(gfx::createEffectFromFile(device_, kEffects + "UberShader.fx", macros, &effect, &errors),
                  gfx::Result::Ok)
            << errors;
        ASSERT_TRUE(batch->buildChunks(c.layout, sharing_.atlas())) << c.what;
        effect->setTechnique(effect->getTechniqueByName(c.technique));
        effect->setTexture(effect->getParameterByName("gTex"), white);
        effect->setTexture(effect->getParameterByName("gNormalTex"), flat);
        effect->setTexture(effect->getParameterByName("gLightMapTex"), batch->lightmapTexture());
        effect->setMatrix(effect->getParameterByName("gViewProj"), viewProjection);
        // A dim sun straight down, so the point light's share shows.
        const float sun[20] = {0.1f, 0.1f, 0.1f, 1, 0, 0, 0, 1, 0.1f, 0.1f, 0.1f, 1, 16, 0, 0, 0, 0, -1, 0, 0};
        effect->setVectorArray(effect->getParameterByName("gLight"), sun, 5);
        device_->clear(gfx::Clear::Target, 0xFF000000u, 1.0f, 0);
        uint32_t passes = 0;
        effect->begin(&passes, 0);
        effect->beginPass(0);
        batch->draw(effect);
        effect->endPass();
        effect->end();
        const std::vector<uint32_t> pixels = readBackBuffer();
        const auto [nx, ny] = pixelOf({3.0f, 0.0f, 3.0f});
        const auto [fx, fy] = pixelOf({-3.0f, 0.0f, -3.0f});
        const uint32_t nearLight = at(pixels, kWidth, nx, ny), farAway = at(pixels, kWidth, fx, fy);
        EXPECT_NE(farAway, 0xFF000000u) << c.what << ": the slab is drawn";
        EXPECT_GT(nearLight & 0xFFu, (farAway & 0xFFu) + 8) << c.what;
        saveFailedFrame(pixels, kWidth, kHeight, std::string(".") + c.what);
        effect->release();
    }
    white->release();
    flat->release();
}

} // namespace
