#include "render/skinned_swap_owner.h"

#include <algorithm>

#include "render/thread_swapping_loader.h"

void AnimationTarget::remove(const AnimationAsset* asset) {
    std::erase_if(assets_, [&](const std::unique_ptr<AnimationAsset>& held) { return held.get() == asset; });
}

SkinnedSwapOwner::SkinnedSwapOwner(bool withAnimationTarget)
    : target_(withAnimationTarget ? std::make_unique<AnimationTarget>() : nullptr) {}

void SkinnedSwapOwner::queue(ThreadSwappingLoader* loader) { waiting_.push_back(loader); }

void SkinnedSwapOwner::addSwappedIn(ThreadSwappingLoader* loader) { swappedIn_.push_back(loader); }

void SkinnedSwapOwner::swapInWaiting() {
    std::vector<ThreadSwappingLoader*> now;
    now.swap(waiting_);
    for (ThreadSwappingLoader* loader : now) loader->swapIn();
}

void SkinnedSwapOwner::forget(const ThreadSwappingLoader* loader) {
    std::erase(waiting_, loader);
    std::erase(swappedIn_, loader);
}

void SkinnedSwapOwner::clear() {
    waiting_.clear();
    swappedIn_.clear();
    if (target_) target_->clear();
}
