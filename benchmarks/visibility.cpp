// A frame of the visibility tree: 10,000 instances spread over the map are updated and culled
// with a camera over the middle of it, once with none of them moving and once with 1,000 moving
// every frame (their new placement handed off first), beside the same frame of an empty tree in
// the same run. Each case reports microseconds per frame of wall time and CPU time over all
// threads, and how many instances the culling found visible.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

#include "app/parameter_description.h"
#include "app/parameter_manager.h"
#include "app/simple_parameter_group.h"
#include "app/thread_resource_pool.h"
#include "platform/gfx/math_matrix.h"
#include "platform/paths.h"
#include "render/base_renderable.h"
#include "render/render_interface.h"
#include "render/renderable_asset.h"
#include "render/renderable_instance.h"
#include "render/renderable_instance_tree.h"
#include "render/renderable_light.h"
#include "render/tree_records.h"
#include "render/view_frustum.h"
#include "support/scene_test_assets.h"

namespace {

constexpr int kInstances = 10000;
constexpr int kMoving = 1000;
constexpr float kMapHalf = 1024.0f;

class BenchRenderable : public BaseRenderable {
public:
    BenchRenderable() : BaseRenderable(nullptr, "BenchRenderable", nullptr) {}
    ~BenchRenderable() override { deleteAssets(); }
    void loadAssets() override {}
    void fillLoadedTextures() override {}
    void unloadInstances() override {}
    void createEffects() override {}
    void setFrameParameters() override {}
    void releaseAssets() override {}
    void setUpParamDescriptions(ParameterDescriptionRegistry&) override {}
    void removeParamDescriptions(ParameterDescriptionRegistry&) override {}
};

// A two-unit box, as a small prop of the map would be.
class BenchAsset : public scenetest::TestAsset {
public:
    explicit BenchAsset(BaseRenderable* owner) : TestAsset("prop", owner, {-1, -1, -1}, {1, 1, 1}) {}
};

MatrixValue at(float x, float z) {
    const gfx::Matrix matrix = gfx::translationMatrix(x, 0.0f, z);
    MatrixValue value;
    std::copy(matrix.data(), matrix.data() + 16, value.begin());
    return value;
}

// The render side of a scene as the renderable manager keeps it: the tree over the map, a camera
// 60 units above the middle looking ahead and down, a directional light and a few point lights.
class Scene {
public:
    explicit Scene(int instances)
        : pool_("renderPool"), registry_(&pool_),
          renderInterface_(&registry_, &pool_, 1024, 768, "."), frustum_(&renderInterface_),
          tree_(&renderInterface_, nullptr, 5, &pool_, false, -kMapHalf, -kMapHalf, kMapHalf, kMapHalf) {
        auto* description = new ParameterDescription("prop", &pool_, true);
        description->addParameter(new MatrixParameter("matrix", at(0, 0), false, &pool_, nullptr),
                                  static_cast<std::uint32_t>(ParameterKind::Matrix));
        registerParameterDescription(registry_, description);
        asset_ = new BenchAsset(&renderable_);
        renderable_.assets.push_back(asset_);
        ParameterManager& parameters = *renderInterface_.parameterManager();

        tree_.insertLight(new LightTreeRecord(new RenderableDirectionalLight(), &pool_));
        std::mt19937 random(7);
        std::uniform_real_distribution<float> spread(-kMapHalf + 2.0f, kMapHalf - 2.0f);
        for (int i = 0; i < instances; ++i) {
            ParameterManager::ParameterGroupPair* pair = parameters.createGroupPair("prop");
            const float x = spread(random), z = spread(random);
            pair->updateGroup()->setMatrix("matrix", at(x, z));
            positions_.push_back({x, z});
            pairs_.push_back(pair);
        }
        parameters.sync();
        for (ParameterManager::ParameterGroupPair* pair : pairs_) {
            tree_.insertInstance(new InstanceTreeRecord(new RenderableInstance(pair, asset_, false), &pool_));
        }
        frustum_.setProjection(1024.0f / 617.0f, true);
        frustum_.setView(gfx::lookAtLH({0, 60, -40}, {0, 0, 40}, {0, 1, 0}), {0, 60, -40}, {0, 0, 40});
        frame(0);
    }

    // One frame: the moving instances' new placements cross the hand-off, then the tree updates
    // what changed and culls.
    std::size_t frame(int moving) {
        ++step_;
        for (int i = 0; i < moving; ++i) {
            const auto& p = positions_[std::size_t(i)];
            pairs_[std::size_t(i)]->updateGroup()->setMatrix("matrix", at(p[0] + float(step_ % 8), p[1]));
        }
        renderInterface_.parameterManager()->sync();
        tree_.updateDirty(0);
        renderable_.clearAssetInstances();
        visible_.clear();
        lights_.clear();
        std::uint32_t cells = 0;
        tree_.cull(frustum_, visible_, lights_, cells);
        return asset_->visibleInstances.size();
    }

private:
    ThreadResourcePool pool_;
    ParameterDescriptionRegistry registry_;
    RenderInterface renderInterface_;
    ViewFrustum frustum_;
    BenchRenderable renderable_;
    BenchAsset* asset_ = nullptr;
    RenderableInstanceTree tree_;
    std::vector<ParameterManager::ParameterGroupPair*> pairs_;
    std::vector<std::array<float, 2>> positions_;
    std::vector<InstanceTreeRecord*> visible_;
    std::vector<LightTreeRecord*> lights_;
    int step_ = 0;
};

void BM_EmptyTreeFrame(benchmark::State& state) {
    platform::setCurrentDirectory(ZODERUD_SOURCE_DIR);
    Scene scene(0);
    std::size_t visible = 0;
    for (auto _ : state) visible = scene.frame(0);
    state.counters["visible"] = double(visible);
}

void BM_InstancesStillFrame(benchmark::State& state) {
    platform::setCurrentDirectory(ZODERUD_SOURCE_DIR);
    Scene scene(kInstances);
    std::size_t visible = 0;
    for (auto _ : state) visible = scene.frame(0);
    state.counters["visible"] = double(visible);
}

void BM_InstancesMovingFrame(benchmark::State& state) {
    platform::setCurrentDirectory(ZODERUD_SOURCE_DIR);
    Scene scene(kInstances);
    std::size_t visible = 0;
    for (auto _ : state) visible = scene.frame(kMoving);
    state.counters["visible"] = double(visible);
    state.counters["moving"] = kMoving;
}

#define VISIBILITY_BENCHMARK(name) \
    BENCHMARK(name)->UseRealTime()->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond)

VISIBILITY_BENCHMARK(BM_EmptyTreeFrame);
VISIBILITY_BENCHMARK(BM_InstancesStillFrame);
VISIBILITY_BENCHMARK(BM_InstancesMovingFrame);

} // namespace
