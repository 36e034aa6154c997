// The base behaviour every 3D renderable keeps unless it overrides it: drawing a pass asset by
// asset, instance updates, clearing the visible lists, deleting assets; and the filing of batched
// instances by exact class and texture-group name.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/math_matrix.h"
#include "render/quad_tree_node.h"
#include "render/renderable_instance_tree.h"
#include "support/scene_test_assets.h"

namespace {

using namespace scenetest;

// Writes every call it gets into one shared journal.
class JournalAsset : public TestAsset {
public:
    JournalAsset(const std::string& name, BaseRenderable* owner, std::vector<std::string>& journal, int* deleted)
        : TestAsset(name, owner, {-1, -1, -1}, {1, 1, 1}), journal_(journal), deleted_(deleted) {}
    ~JournalAsset() override {
        if (deleted_) ++*deleted_;
    }
    void beginRender(DrawPass pass, const PassContext&, const ViewBlock&) override {
        journal_.push_back(name() + " begin " + std::to_string(int(pass)));
    }
    void renderInstance(RenderableInstance* instance, const ViewBlock&, const PassContext&, DrawPass) override {
        journal_.push_back(name() + " draw " + std::to_string(indexOf(instance)));
    }
    void endRender(DrawPass pass, const PassContext&, const ViewBlock&) override {
        journal_.push_back(name() + " end " + std::to_string(int(pass)));
    }
    void updateInstanceData(RenderableInstance* instance, float frameTime) override {
        journal_.push_back(name() + " update " + std::to_string(indexOf(instance)) + " " +
                           std::to_string(int(frameTime * 1000)));
    }
    void prepareInstancedArrays() override { journal_.push_back(name() + " prepare"); }

    std::vector<RenderableInstance*> known;

private:
    int indexOf(RenderableInstance* instance) const {
        for (size_t i = 0; i < known.size(); ++i)
            if (known[i] == instance) return int(i);
        return -1;
    }
    std::vector<std::string>& journal_;
    int* deleted_;
};

class BaseRenderableTest : public ::testing::Test {
protected:
    JournalAsset* asset(const std::string& name) {
        auto* made = new JournalAsset(name, &renderable_, journal_, &deleted_);
        renderable_.assets.push_back(made);
        return made;
    }
    RenderableInstance* attach(JournalAsset* to) {
        instances_.push_back(std::make_unique<RenderableInstance>(pairs_.object(gfx::identityMatrix()), to, false));
        to->instances.push_back(instances_.back().get());
        to->known.push_back(instances_.back().get());
        return instances_.back().get();
    }

    ObjectPairs pairs_;
    std::vector<std::string> journal_;
    int deleted_ = 0;
    std::vector<std::unique_ptr<RenderableInstance>> instances_;
    TestRenderable renderable_{"DynamicMeshRenderable"};
};

TEST_F(BaseRenderableTest, APassDrawsOnlyAssetsWithVisibleInstancesBetweenTheirBeginAndEnd) {
    JournalAsset* hidden = asset("hidden");
    JournalAsset* shown = asset("shown");
    attach(hidden);
    RenderableInstance* first = attach(shown);
    RenderableInstance* second = attach(shown);
    shown->addInstance(second);
    shown->addInstance(first);
    renderable_.drawPass(nullptr, ViewBlock{}, PassContext{}, DrawPass::Depth, 0.0f);
    EXPECT_EQ(journal_, (std::vector<std::string>{"shown begin 2", "shown draw 1", "shown draw 0", "shown end 2"}));

    journal_.clear();
    renderable_.clearAssetInstances();
    renderable_.drawPass(nullptr, ViewBlock{}, PassContext{}, DrawPass::Colour, 0.0f);
    EXPECT_TRUE(journal_.empty());
    EXPECT_TRUE(shown->visibleInstances.empty());
    EXPECT_EQ(shown->instances.size(), 2u) << "clearing the visible lists keeps every instance attached";
    EXPECT_EQ(hidden->instances.size(), 1u);
}

TEST_F(BaseRenderableTest, UpdatesReachEveryAttachedInstanceVisibleOrNot) {
    JournalAsset* a = asset("a");
    JournalAsset* b = asset("b");
    attach(a);
    attach(a);
    RenderableInstance* onlyVisible = attach(b);
    b->addInstance(onlyVisible);
    renderable_.updateAssetInstances(0.25f);
    EXPECT_EQ(journal_, (std::vector<std::string>{"a update 0 250", "a update 1 250", "b update 0 250"}));
}

TEST_F(BaseRenderableTest, WithoutAssetsNothingIsDrawnOrPreparedAndAssetsAreDeletedOnce) {
    renderable_.drawPass(nullptr, ViewBlock{}, PassContext{}, DrawPass::Shadow, 0.0f);
    renderable_.prepareInstancedArrays();
    EXPECT_TRUE(journal_.empty());
    EXPECT_TRUE(renderable_.wantsInstanceUpdates());
    EXPECT_FALSE(renderable_.usesLightmaps());

    asset("a");
    asset("b");
    renderable_.prepareInstancedArrays();
    EXPECT_EQ(journal_, (std::vector<std::string>{"a prepare", "b prepare"}));
    renderable_.deleteAssets();
    EXPECT_EQ(deleted_, 2);
    EXPECT_TRUE(renderable_.assets.empty());
    renderable_.deleteAssets();
    EXPECT_EQ(deleted_, 2);
}

TEST(BatchFiling, OneBatchPerCellRenderableClassAndTextureGroupNameComparedExactly) {
    ObjectPairs pairs;
    RenderableInstanceTree tree(nullptr, nullptr, 1, pairs.pool(), false, -64.0f, -64.0f, 64.0f, 64.0f);
    TestRenderable statics("StaticMeshRenderable");
    TestRenderable staticsAgain("StaticMeshRenderable");
    TestRenderable otherCase("staticMeshRenderable");
    TestGroup stone("stone"), stoneAgain("stone"), capital("Stone"), spaced("stone ");
    struct Case {
        const char* what;
        BaseRenderable* owner;
        TestGroup* group;
        bool joinsFirst;
    };
    const std::vector<Case> cases = {
        {"another group object of the same name", &statics, &stoneAgain, true},
        {"another renderable of the same class", &staticsAgain, &stone, true},
        {"a group name in other letter case", &statics, &capital, false},
        {"a group name with a trailing space", &statics, &spaced, false},
        {"a class name in other letter case", &otherCase, &stone, false},
    };
    auto* firstAsset = new TestBatchableAsset("first", &statics, &stone, {0, 0, 0}, {1, 1, 1});
    statics.assets.push_back(firstAsset);
    // The tree owns the records and their instances.
    auto place = [&](RenderableAsset* asset) {
        auto* record = new InstanceTreeRecord(
            new RenderableInstance(pairs.object(gfx::translationMatrix(10, 0, 10)), asset, false), pairs.pool());
        tree.insertInstance(record);
        return record;
    };
    InstanceTreeRecord* first = place(firstAsset);
    ASSERT_NE(first->node, nullptr);
    ASSERT_EQ(first->node->batches().size(), 1u);
    auto* firstBatch = static_cast<TestBatch*>(first->node->batches()[0]);
    for (const Case& c : cases) {
        auto* asset = new TestBatchableAsset(c.what, c.owner, c.group, {0, 0, 0}, {1, 1, 1});
        c.owner->assets.push_back(asset);
        InstanceTreeRecord* record = place(asset);
        ASSERT_EQ(record->node, first->node) << c.what;
        const bool joined = std::find(firstBatch->instances.begin(), firstBatch->instances.end(), record->instance) !=
                            firstBatch->instances.end();
        EXPECT_EQ(joined, c.joinsFirst) << c.what;
        EXPECT_EQ(asset->batchesMade, c.joinsFirst ? 0 : 1) << c.what;
    }
}

} // namespace
