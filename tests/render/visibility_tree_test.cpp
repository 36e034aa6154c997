// The visibility tree, the frustum, the lights and the instances, without a device.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>

#include "platform/gfx/math_matrix.h"
#include "platform/gfx/math_vector.h"
#include "render/quad_tree_node.h"
#include "render/render_interface.h"
#include "render/renderable_instance_tree.h"
#include "render/renderable_light.h"
#include "render/view_frustum.h"
#include "support/scene_test_assets.h"

namespace {

using gfx::Vector3;
using namespace scenetest;

constexpr float kTolerance = 1e-4f;

void expectVector(const Vector3& actual, const Vector3& expected) {
    EXPECT_NEAR(actual.x, expected.x, kTolerance);
    EXPECT_NEAR(actual.y, expected.y, kTolerance);
    EXPECT_NEAR(actual.z, expected.z, kTolerance);
}

int countNodes(const QuadTreeNode* node) {
    if (!node) return 0;
    int count = 1;
    for (std::size_t i = 0; i < 4; ++i) count += countNodes(node->child(i));
    return count;
}

// Every cell of the subtree for which listed(cell) holds.
void collect(QuadTreeNode* node, const std::function<bool(QuadTreeNode*)>& listed, std::vector<QuadTreeNode*>& out) {
    if (!node) return;
    if (listed(node)) out.push_back(node);
    for (std::size_t i = 0; i < 4; ++i) collect(node->child(i), listed, out);
}

template <class Record>
std::vector<QuadTreeNode*> cellsListing(RenderableInstanceTree& tree, Record* record,
                                        const std::vector<Record*>& (QuadTreeNode::*list)() const) {
    std::vector<QuadTreeNode*> cells;
    collect(
        tree.root(),
        [&](QuadTreeNode* node) {
            const std::vector<Record*>& records = (node->*list)();
            return std::find(records.begin(), records.end(), record) != records.end();
        },
        cells);
    return cells;
}

// A camera at the origin looking along +z, 4:3, perspective.
void lookAlongZ(ViewFrustum& frustum) {
    frustum.setProjection(4.0f / 3.0f, true);
    frustum.setView(gfx::lookAtLH({0, 0, 0}, {0, 0, 1}, {0, 1, 0}), {0, 0, 0}, {0, 0, 1});
}

class VisibilityTreeTest : public ::testing::Test {
protected:
    VisibilityTreeTest()
        : tree_(nullptr, nullptr, 5, objects_.pool(), false, -1024.0f, -1024.0f, 1024.0f, 1024.0f),
          renderable_("TestRenderable") {}

    TestAsset* asset(const Vector3& min, const Vector3& max) {
        auto* made = new TestAsset("asset" + std::to_string(renderable_.assets.size()), &renderable_, min, max);
        renderable_.assets.push_back(made);
        return made;
    }

    InstanceTreeRecord* place(RenderableAsset* of, const gfx::Matrix& matrix) {
        auto* instance = new RenderableInstance(objects_.object(matrix), of, false);
        auto* record = new InstanceTreeRecord(instance, objects_.pool());
        tree_.insertInstance(record);
        return record;
    }

    LightTreeRecord* pointLight(float radius, const Vector3Value& position) {
        auto* record =
            new LightTreeRecord(new RenderablePointLight(objects_.light(radius, position, {1, 1, 1})), objects_.pool());
        tree_.insertLight(record);
        return record;
    }

    std::set<InstanceTreeRecord*> dirtySet() {
        return {tree_.dirtyRecords().begin(), tree_.dirtyRecords().end()};
    }

    ObjectPairs objects_;
    RenderableInstanceTree tree_;
    TestRenderable renderable_;
};

TEST_F(VisibilityTreeTest, DepthFiveMakesSixLevelsAndABoxFindsTheSixtyFourUnitCellItLiesIn) {
    EXPECT_EQ(countNodes(tree_.root()), 1365);
    InstanceTreeRecord* small = place(asset({10, 0, 10}, {20, 5, 20}), gfx::identityMatrix());
    ASSERT_NE(small->node, nullptr);
    EXPECT_EQ(small->node->level(), 5u);
    const BoundingBox& cell = small->node->box();
    EXPECT_EQ(cell.min.x, 0.0f);
    EXPECT_EQ(cell.max.x, 64.0f);
    EXPECT_EQ(cell.min.z, 0.0f);
    EXPECT_EQ(cell.max.z, 64.0f);
    EXPECT_EQ(cell.min.y, -32.0f) << "a cell is as tall as half its width above and below";

    InstanceTreeRecord* straddling = place(asset({-5, 0, 100}, {5, 1, 110}), gfx::identityMatrix());
    EXPECT_EQ(straddling->node, tree_.root());
}

TEST_F(VisibilityTreeTest, AScaledInstanceIgnoresRotationAndHasHalfItsDiagonalAsRadius) {
    const gfx::Matrix matrix =
        gfx::scalingMatrix(2, 2, 2) * gfx::rotationYMatrix(0.7f) * gfx::translationMatrix(10, 0, 0);
    RenderableInstance instance(objects_.object(matrix), asset({-1, -1, -1}, {1, 1, 1}), false);
    expectVector(instance.bounds().world.min, {8, -2, -2});
    expectVector(instance.bounds().world.max, {12, 2, 2});
    EXPECT_NEAR(instance.radius(), 2.0f * std::sqrt(3.0f), kTolerance);
    expectVector(instance.centre(), {10, 0, 0});
}

TEST_F(VisibilityTreeTest, AMovedInstanceIsCountedAndChangesCell) {
    InstanceTreeRecord* record = place(asset({-1, -1, -1}, {1, 1, 1}), gfx::translationMatrix(30, 0, 30));
    EXPECT_EQ(tree_.updateDirty(0), 1u) << "the first update places every new instance";
    QuadTreeNode* before = record->node;
    EXPECT_EQ(tree_.updateDirty(0), 0u);

    objects_.move(record->instance->pair(), gfx::translationMatrix(-500, 0, 700));
    objects_.handOff();
    EXPECT_EQ(dirtySet(), std::set<InstanceTreeRecord*>{record});
    EXPECT_EQ(tree_.updateDirty(0), 1u);
    EXPECT_TRUE(record->instance->moved());
    ASSERT_NE(record->node, before);
    EXPECT_TRUE(record->node->containsBox(record->box()));
    EXPECT_EQ(record->node->level(), 5u);
    EXPECT_TRUE(tree_.dirtyRecords().empty());
}

TEST_F(VisibilityTreeTest, ABoxAtTheNearPlaneIsPartlyVisibleAndOneWellInsideWhollyVisible) {
    ViewFrustum frustum(nullptr);
    lookAlongZ(frustum);
    TestAsset* unit = asset({-0.5f, -0.5f, -0.5f}, {0.5f, 0.5f, 0.5f});
    InstanceTreeRecord* inside = place(unit, gfx::translationMatrix(0, 0, 10));
    InstanceTreeRecord* atNear = place(unit, gfx::translationMatrix(0, 0, 1));
    InstanceTreeRecord* behind = place(unit, gfx::translationMatrix(0, 0, -10));
    InstanceTreeRecord* beyondFar = place(unit, gfx::translationMatrix(0, 0, 200));
    tree_.updateDirty(0);

    std::vector<InstanceTreeRecord*> visible;
    std::vector<LightTreeRecord*> lights;
    std::uint32_t cells = 0;
    tree_.cull(frustum, visible, lights, cells);
    EXPECT_EQ(std::set<InstanceTreeRecord*>(visible.begin(), visible.end()),
              (std::set<InstanceTreeRecord*>{inside, atNear}));
    EXPECT_EQ(inside->visibility, 2u);
    EXPECT_EQ(atNear->visibility, 3u);
    EXPECT_GE(cells, 1u);
    EXPECT_EQ(unit->visibleInstances.size(), 2u) << "visible instances reach their asset's draw list";
    EXPECT_EQ(behind->visibility, 0u);
    EXPECT_EQ(beyondFar->visibility, 0u);

    renderable_.clearAssetInstances();
    EXPECT_TRUE(unit->visibleInstances.empty());
}

TEST_F(VisibilityTreeTest, TheCullingSkipsCellsOutOfViewAndQueuesTheBatchesOfCellsItReaches) {
    ViewFrustum frustum(nullptr);
    lookAlongZ(frustum);
    TestGroup stone("stone"), wood("wood");
    TestRenderable other("OtherRenderable");
    auto* stoneAsset = new TestBatchableAsset("stone", &renderable_, &stone, {1, 0, 1}, {2, 1, 2});
    auto* woodAsset = new TestBatchableAsset("wood", &renderable_, &wood, {1, 0, 1}, {2, 1, 2});
    auto* otherAsset = new TestBatchableAsset("other", &other, &stone, {1, 0, 1}, {2, 1, 2});
    renderable_.assets.push_back(stoneAsset);
    renderable_.assets.push_back(woodAsset);
    other.assets.push_back(otherAsset);

    InstanceTreeRecord* first = place(stoneAsset, gfx::translationMatrix(0, 0, 20));
    InstanceTreeRecord* second = place(stoneAsset, gfx::translationMatrix(2, 0, 20));
    place(woodAsset, gfx::translationMatrix(0, 0, 20));
    place(otherAsset, gfx::translationMatrix(0, 0, 20));
    InstanceTreeRecord* away = place(stoneAsset, gfx::translationMatrix(600, 0, -600));
    ASSERT_EQ(first->node, second->node);
    EXPECT_EQ(stoneAsset->batchesMade, 2) << "one batch per cell, class and texture group";
    EXPECT_EQ(woodAsset->batchesMade, 1);
    EXPECT_EQ(otherAsset->batchesMade, 1);
    ASSERT_EQ(first->node->batches().size(), 3u);
    auto* shared = static_cast<TestBatch*>(first->node->batches()[0]);
    EXPECT_EQ(shared->instances, (std::vector<RenderableInstance*>{first->instance, second->instance}));

    tree_.updateDirty(0);
    std::vector<InstanceTreeRecord*> visible;
    std::vector<LightTreeRecord*> lights;
    std::uint32_t cells = 0;
    tree_.cull(frustum, visible, lights, cells);
    EXPECT_TRUE(visible.empty()) << "batched instances are drawn by their batches";
    EXPECT_LT(cells, 1365u);
    std::set<UnloadableBatchInterface*> queued(renderable_.unloadedBatches.begin(), renderable_.unloadedBatches.end());
    EXPECT_TRUE(queued.count(shared));
    EXPECT_FALSE(queued.count(away->node->batches()[0])) << "a cell out of view is not reached";

    tree_.removeInstance(second);
    EXPECT_EQ(shared->instances, (std::vector<RenderableInstance*>{first->instance}));
    EXPECT_EQ(first->node->batchedRecords().size(), 3u);
}

TEST_F(VisibilityTreeTest, AddingAPointLightMarksExactlyTheInstancesUnderItsCell) {
    TestAsset* unit = asset({-1, -1, -1}, {1, 1, 1});
    InstanceTreeRecord* under = place(unit, gfx::translationMatrix(100, 0, 100));
    InstanceTreeRecord* alsoUnder = place(unit, gfx::translationMatrix(110, 0, 120));
    InstanceTreeRecord* elsewhere = place(unit, gfx::translationMatrix(-300, 0, 300));
    tree_.updateDirty(0);
    ASSERT_TRUE(tree_.dirtyRecords().empty());

    // Radius 4: a box of half-size 16 around (100, 0, 100), inside the cell from 64 to 128.
    LightTreeRecord* light = pointLight(4.0f, {100, 0, 100});
    ASSERT_NE(light->node, nullptr);
    EXPECT_EQ(light->node->level(), 5u);
    EXPECT_EQ(light->node->box().min.x, 64.0f);
    EXPECT_EQ(dirtySet(), (std::set<InstanceTreeRecord*>{under, alsoUnder}));
    tree_.updateDirty(0);
    EXPECT_EQ(under->instance->getPointLight(0), light->light);
    EXPECT_EQ(elsewhere->instance->getPointLight(0), nullptr) << "lights are gathered again only when dirty";
}

TEST_F(VisibilityTreeTest, InstancesGatherEveryLightNearestFirstAndSkipRecordsWithoutALight) {
    TestAsset* unit = asset({-1, -1, -1}, {1, 1, 1});
    LightTreeRecord* far = pointLight(1.0f, {50, 0, 0});
    LightTreeRecord* near = pointLight(1.0f, {5, 0, 0});
    auto* directional = new LightTreeRecord(new RenderableDirectionalLight(), objects_.pool());
    tree_.insertLight(directional);
    tree_.insertLight(new LightTreeRecord(nullptr, objects_.pool()));
    EXPECT_EQ(directional->node, tree_.root()) << "a box spanning all of space is contained nowhere";

    InstanceTreeRecord* record = place(unit, gfx::translationMatrix(0, 0, 0));
    tree_.updateDirty(0);
    RenderableInstance& instance = *record->instance;
    ASSERT_EQ(instance.pointLights().size(), 2u);
    EXPECT_EQ(instance.getPointLight(0), near->light);
    EXPECT_EQ(instance.getPointLight(1), far->light);
    EXPECT_EQ(instance.getPointLight(2), nullptr);
    EXPECT_EQ(instance.directionalLight(), directional->light);
}

TEST_F(VisibilityTreeTest, ARemovedLightLeavesNoInstancePointingAtItAndRelightsThoseUnderIt) {
    TestAsset* unit = asset({-1, -1, -1}, {1, 1, 1});
    LightTreeRecord* point = pointLight(4.0f, {100, 0, 100});
    auto* directional = new LightTreeRecord(new RenderableDirectionalLight(), objects_.pool());
    tree_.insertLight(directional);
    InstanceTreeRecord* under = place(unit, gfx::translationMatrix(100, 0, 100));
    InstanceTreeRecord* elsewhere = place(unit, gfx::translationMatrix(-300, 0, 300));
    tree_.updateDirty(0);
    ASSERT_EQ(elsewhere->instance->getPointLight(0), point->light);

    const RenderableLight* gone = point->light;
    ASSERT_TRUE(tree_.removeLight(point));
    for (InstanceTreeRecord* record : {under, elsewhere}) {
        const auto& lights = record->instance->pointLights();
        EXPECT_EQ(std::find(lights.begin(), lights.end(), gone), lights.end());
    }
    EXPECT_EQ(dirtySet(), std::set<InstanceTreeRecord*>{under});
    EXPECT_TRUE(tree_.lightRecords().size() == 1 && tree_.lightRecords()[0] == directional);

    ASSERT_TRUE(tree_.removeLight(directional));
    EXPECT_EQ(under->instance->directionalLight(), nullptr);
    EXPECT_EQ(elsewhere->instance->directionalLight(), nullptr);
    EXPECT_FALSE(tree_.removeLight(directional)) << "a record no longer in the tree is not found";
}

TEST_F(VisibilityTreeTest, ALightOrRegionOfNoWidthOnASplitLineIsFiledOnceAndRemovedWhole) {
    LightTreeRecord* light = pointLight(0.0f, {0, 0, 0});
    EXPECT_EQ(cellsListing(tree_, light, &QuadTreeNode::lightRecords).size(), 1u);
    auto* region = new RegionRecord(64, -10, 64, 10, objects_.pool());
    tree_.insertRegion(region);
    EXPECT_EQ(cellsListing(tree_, region, &QuadTreeNode::regionRecords).size(), 1u);

    ASSERT_TRUE(tree_.removeLight(light));
    ASSERT_TRUE(tree_.removeRegion(region));
    std::vector<QuadTreeNode*> cells;
    collect(
        tree_.root(),
        [](QuadTreeNode* node) { return !node->lightRecords().empty() || !node->regionRecords().empty(); }, cells);
    EXPECT_TRUE(cells.empty());
    EXPECT_TRUE(tree_.lightRecords().empty());
    EXPECT_TRUE(tree_.regionRecords().empty());
}

TEST(PointLight, TheBoxIsTheSquaredRadiusAroundThePositionAndMissingValuesReadZero) {
    ObjectPairs objects;
    struct Case {
        float radius;
        Vector3Value position;
        Vector3 min, max;
    } cases[] = {
        {2.0f, {1, 0, 0}, {-3, -4, -4}, {5, 4, 4}},
        {0.5f, {0, 0, 0}, {-0.25f, -0.25f, -0.25f}, {0.25f, 0.25f, 0.25f}},
    };
    for (const Case& c : cases) {
        RenderablePointLight light(objects.light(c.radius, c.position, {0.2f, 0.4f, 0.6f}));
        expectVector(light.bounds().world.min, c.min);
        expectVector(light.bounds().world.max, c.max);
        EXPECT_FLOAT_EQ(light.record().squaredRadius, c.radius * c.radius);
        EXPECT_EQ(light.record().colour[3], 1.0f);
        EXPECT_FLOAT_EQ(light.record().colour[1], 0.4f);
        EXPECT_EQ(light.getLightData(), light.record().position);
    }

    RenderablePointLight bare(objects.bareLight());
    EXPECT_EQ(bare.record().squaredRadius, 0.0f);
    EXPECT_EQ(bare.record().colour[0], 0.0f);
    expectVector(bare.bounds().world.min, {0, 0, 0});
    expectVector(bare.bounds().world.max, {0, 0, 0});
}

TEST(DirectionalLight, TheShadowSideVectorIsForwardCrossUpAndTheShadowCoversTheFrustum) {
    ViewFrustum frustum(nullptr);
    frustum.setProjection(4.0f / 3.0f, true);

    frustum.setView(gfx::lookAtLH({0, 0, 0}, {0, 0, 1}, {0, 1, 0}), {0, 0, 0}, {0, 0, 1});
    Vector3 corners[8];
    shadowFrustumCorners(frustum, corners);
    // Two corners of the near slice that differ only by the side vector: along -x.
    const Vector3 side = corners[0] - corners[1];
    EXPECT_LT(side.x, 0.0f);
    EXPECT_NEAR(side.y, 0.0f, kTolerance);
    EXPECT_NEAR(side.z, 0.0f, kTolerance);

    RenderableDirectionalLight light;
    light.setFrustum(&frustum);
    light.update();
    for (const Vector3& corner : corners) {
        const gfx::Vector4 p = gfx::transform(corner, light.shadowViewProjection());
        EXPECT_GE(p.x / p.w, -1.0f);
        EXPECT_LE(p.x / p.w, 1.0f);
        EXPECT_GE(p.y / p.w, -1.0f);
        EXPECT_LE(p.y / p.w, 1.0f);
        EXPECT_GE(p.z / p.w, 0.0f);
        EXPECT_LE(p.z / p.w, 1.0f + kTolerance);
    }

    // Looking straight down the side vector is zero: each slice's corners share x and z.
    frustum.setView(gfx::lookAtLH({0, 50, 0}, {0, 0, 0}, {0, 0, 1}), {0, 50, 0}, {0, 0, 0});
    shadowFrustumCorners(frustum, corners);
    for (int i = 1; i < 4; ++i) {
        EXPECT_NEAR(corners[i].x, corners[0].x, kTolerance);
        EXPECT_NEAR(corners[i].z, corners[0].z, kTolerance);
        EXPECT_NEAR(corners[4 + i].x, corners[4].x, kTolerance);
        EXPECT_NEAR(corners[4 + i].z, corners[4].z, kTolerance);
    }
}

TEST(DirectionalLight, HoldsItsFixedColoursAndTheDirectionItIsGiven) {
    RenderableDirectionalLight light;
    const DirectionalLightRecord& record = light.record();
    EXPECT_EQ(record.ambient[0], 0.05f);
    EXPECT_EQ(record.specular[3], 0.0f);
    EXPECT_EQ(record.diffuse[2], 0.78f);
    EXPECT_EQ(record.specularPower, 32.0f);
    light.setDirection({0.5f, -0.5f, 0.25f});
    EXPECT_EQ(record.direction[2], 0.25f);
    EXPECT_EQ(light.getLightData(), record.position);
    EXPECT_TRUE(light.isDirectional());
}

TEST(ViewFrustum, ASphereRejectedByAPlaneTriesThatPlaneFirstNextTime) {
    ViewFrustum frustum(nullptr);
    lookAlongZ(frustum);
    TestedSphere beyond{{0, 0, 500}, 0, 1.0f};
    EXPECT_EQ(frustum.classifySphere(beyond), ViewFrustum::Outside);
    EXPECT_EQ(beyond.lastPlane, std::uint32_t(ViewFrustum::Far));
    TestedSphere inside{{0, 0, 50}, 0, 1.0f};
    EXPECT_EQ(frustum.classifySphere(inside), ViewFrustum::Inside);
    TestedSphere crossing{{0, 0, 120}, 0, 1.0f};
    EXPECT_EQ(frustum.classifySphere(crossing), ViewFrustum::Intersecting);
    TestedBox box{{{-1, -1, -1}, {1, 1, 1}}, 0};
    EXPECT_EQ(frustum.classifyBox(box), ViewFrustum::Intersecting) << "a box is never wholly inside";
    TestedBox behind{{{-1, -1, -20}, {1, 1, -10}}, 0};
    EXPECT_EQ(frustum.classifyBox(behind), ViewFrustum::Outside);
    EXPECT_EQ(behind.lastPlane, std::uint32_t(ViewFrustum::Near));
}

TEST(ViewFrustum, AScreenOfNoHeightStillGivesAFiniteViewCone) {
    ThreadResourcePool pool("renderPool");
    ParameterDescriptionRegistry registry;
    RenderInterface renderInterface(&registry, &pool, 800, 600, ".");
    for (std::uint32_t height : {0u, 1u, 600u}) {
        renderInterface.renderSettings().height = height;
        ViewFrustum frustum(&renderInterface);
        lookAlongZ(frustum);
        EXPECT_TRUE(std::isfinite(frustum.coneHalfAngle())) << height;
        EXPECT_GT(frustum.coneHalfAngle(), 0.0f) << height;
        EXPECT_LT(frustum.coneHalfAngle(), 1.5708f) << height;
        EXPECT_TRUE(frustum.coneContains({0, 0, 10}, 1.0f)) << height;
        EXPECT_FALSE(frustum.coneContains({0, 0, -10}, 1.0f)) << height;
    }
}

} // namespace
