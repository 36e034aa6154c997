#pragma once
// What an animated instance plays: a named asset advanced once a frame with the instance's own
// playing state.
#include <string>

struct AnimationState;

class AnimationAsset {
public:
    explicit AnimationAsset(std::string name) : name_(std::move(name)) {}
    virtual ~AnimationAsset() = default;
    AnimationAsset(const AnimationAsset&) = delete;
    AnimationAsset& operator=(const AnimationAsset&) = delete;

    const std::string& name() const { return name_; }
    virtual void update(AnimationState& state, float seconds) = 0;

private:
    std::string name_;
};
