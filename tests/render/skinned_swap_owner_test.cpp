// The renderable manager's swap owner: loaders queued after their render-thread half are swapped
// in by the manager's next update, once each, and the animation assets they make live in the
// owner's target until they are removed or the scene shuts down.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/thread_resource_pool.h"
#include "render/animation_asset.h"
#include "render/renderable_manager.h"
#include "render/skinned_swap_owner.h"
#include "render/thread_swapping_loader.h"

namespace {

struct CountedAnimation : AnimationAsset {
    CountedAnimation(const std::string& name, int& alive) : AnimationAsset(name), alive_(alive) { ++alive_; }
    ~CountedAnimation() override { --alive_; }
    void update(AnimationState&, float) override {}
    int& alive_;
};

// Swaps itself in as a skinned mesh does: off the waiting list, onto the swapped-in list, with an
// animation asset in the target when there is one.
struct FakeSkinnedLoader : ThreadSwappingLoader {
    FakeSkinnedLoader(SkinnedSwapOwner& owner, std::string name, int& alive)
        : owner_(owner), name_(std::move(name)), alive_(alive) {}
    void finishRenderHalf() {
        loading_ = true;
        owner_.queue(this);
    }
    void swapIn() override {
        ++swaps;
        loading_ = false;
        owner_.addSwappedIn(this);
        if (AnimationTarget* target = owner_.animationTarget())
            target->add(std::make_unique<CountedAnimation>(name_, alive_));
    }
    bool isLoading() const override { return loading_; }
    SkinnedSwapOwner& owner_;
    std::string name_;
    int& alive_;
    bool loading_ = false;
    int swaps = 0;
};

struct SwapOwnerTest : ::testing::Test {
    ThreadResourcePool pool{"renderPool"};
    RenderableManager manager{-1024.0f, -1024.0f, 1024.0f, 1024.0f, &pool};
    int alive = 0;
};

TEST_F(SwapOwnerTest, TheManagersUpdateSwapsInEveryWaitingLoaderOnceInQueueOrder) {
    SkinnedSwapOwner& owner = manager.swapOwner();
    FakeSkinnedLoader first(owner, "SkinnedMesh_first", alive), second(owner, "SkinnedMesh_second", alive);
    first.finishRenderHalf();
    second.finishRenderHalf();
    EXPECT_TRUE(first.isLoading());
    EXPECT_EQ(owner.waiting(), (std::vector<ThreadSwappingLoader*>{&first, &second}));
    EXPECT_TRUE(owner.swappedIn().empty());

    manager.update();
    EXPECT_EQ(first.swaps, 1);
    EXPECT_EQ(second.swaps, 1);
    EXPECT_FALSE(first.isLoading());
    EXPECT_TRUE(owner.waiting().empty());
    EXPECT_EQ(owner.swappedIn(), (std::vector<ThreadSwappingLoader*>{&first, &second}));
    ASSERT_NE(owner.animationTarget(), nullptr);
    ASSERT_EQ(owner.animationTarget()->assets().size(), 2u);
    EXPECT_EQ(owner.animationTarget()->assets()[1]->name(), "SkinnedMesh_second");

    manager.update();
    EXPECT_EQ(first.swaps, 1) << "a swapped-in loader is not swapped in again";
    EXPECT_EQ(alive, 2);
}

TEST_F(SwapOwnerTest, ALoaderQueuedDuringASwapWaitsForTheNextUpdate) {
    SkinnedSwapOwner& owner = manager.swapOwner();
    int otherAlive = 0;
    FakeSkinnedLoader late(owner, "SkinnedMesh_late", otherAlive);
    struct Requeuing : FakeSkinnedLoader {
        using FakeSkinnedLoader::FakeSkinnedLoader;
        FakeSkinnedLoader* next = nullptr;
        void swapIn() override {
            FakeSkinnedLoader::swapIn();
            next->finishRenderHalf();
        }
    } early(owner, "SkinnedMesh_early", alive);
    early.next = &late;
    early.finishRenderHalf();
    manager.update();
    EXPECT_EQ(early.swaps, 1);
    EXPECT_EQ(late.swaps, 0);
    EXPECT_EQ(owner.waiting(), (std::vector<ThreadSwappingLoader*>{&late}));
    manager.update();
    EXPECT_EQ(late.swaps, 1);
}

TEST_F(SwapOwnerTest, AForgottenLoaderLeavesBothListsAndShutdownDestroysTheAnimationAssets) {
    SkinnedSwapOwner& owner = manager.swapOwner();
    FakeSkinnedLoader kept(owner, "SkinnedMesh_kept", alive), gone(owner, "SkinnedMesh_gone", alive),
        unswapped(owner, "SkinnedMesh_unswapped", alive);
    kept.finishRenderHalf();
    gone.finishRenderHalf();
    manager.update();
    unswapped.finishRenderHalf();
    owner.forget(&gone);
    owner.forget(&unswapped);
    EXPECT_EQ(owner.swappedIn(), (std::vector<ThreadSwappingLoader*>{&kept}));
    EXPECT_TRUE(owner.waiting().empty());
    manager.update();
    EXPECT_EQ(unswapped.swaps, 0);

    owner.animationTarget()->remove(owner.animationTarget()->assets()[1].get());
    EXPECT_EQ(alive, 1);
    manager.shutdown();
    EXPECT_EQ(alive, 0);
    EXPECT_TRUE(owner.swappedIn().empty());
}

TEST(SkinnedSwapOwner, WithoutATargetSwappedInLoadersMakeNoAnimationAssets) {
    SkinnedSwapOwner owner(false);
    int alive = 0;
    FakeSkinnedLoader loader(owner, "SkinnedMesh_plain", alive);
    loader.finishRenderHalf();
    owner.swapInWaiting();
    EXPECT_EQ(loader.swaps, 1);
    EXPECT_EQ(owner.animationTarget(), nullptr);
    EXPECT_EQ(alive, 0);
}

} // namespace
