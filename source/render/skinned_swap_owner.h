#pragma once
// Who swaps skinned meshes in: loaders waiting for their swap, the ones swapped in, and the
// animation target that keeps the animation assets they make. The renderable manager owns one,
// touched on the render thread only.
#include <memory>
#include <vector>

#include "render/animation_asset.h"

class ThreadSwappingLoader;

class AnimationTarget {
public:
    void add(std::unique_ptr<AnimationAsset> asset) { assets_.push_back(std::move(asset)); }
    // Destroys the asset; what it played from must still exist.
    void remove(const AnimationAsset* asset);
    const std::vector<std::unique_ptr<AnimationAsset>>& assets() const { return assets_; }
    void clear() { assets_.clear(); }

private:
    std::vector<std::unique_ptr<AnimationAsset>> assets_;
};

class SkinnedSwapOwner {
public:
    // With no target, swapped-in meshes make no animation assets.
    explicit SkinnedSwapOwner(bool withAnimationTarget);

    // A loader whose render-thread half is done; it waits for the next swapInWaiting.
    void queue(ThreadSwappingLoader* loader);
    // Called by a loader from its swapIn.
    void addSwappedIn(ThreadSwappingLoader* loader);
    // swapIn on every waiting loader, in queue order; a loader queued meanwhile waits for the
    // next call.
    void swapInWaiting();
    // A loader that is going away leaves both lists.
    void forget(const ThreadSwappingLoader* loader);
    // Both lists emptied and every animation asset destroyed.
    void clear();

    const std::vector<ThreadSwappingLoader*>& waiting() const { return waiting_; }
    const std::vector<ThreadSwappingLoader*>& swappedIn() const { return swappedIn_; }
    AnimationTarget* animationTarget() { return target_.get(); }

private:
    std::vector<ThreadSwappingLoader*> waiting_;
    std::vector<ThreadSwappingLoader*> swappedIn_;
    std::unique_ptr<AnimationTarget> target_;
};
