#include "platform/mesh/animation_set.h"

#include <algorithm>
#include <cmath>

#include "platform/gfx/math_quaternion.h"
#include "platform/gfx/math_vector.h"

namespace mesh {
namespace {

// The keys around a time and how far between them it lies: the pair is the same key before the
// first and after the last.
template <typename Key>
void bracket(const std::vector<Key>& keys, double ticks, const Key*& from, const Key*& to, float& t) {
    auto after = std::upper_bound(keys.begin(), keys.end(), ticks,
                                  [](double time, const Key& key) { return time < key.time; });
    if (after == keys.begin()) {
        from = to = &keys.front();
        t = 0.0f;
    } else if (after == keys.end()) {
        from = to = &keys.back();
        t = 0.0f;
    } else {
        from = &*(after - 1);
        to = &*after;
        const double span = to->time - from->time;
        t = span > 0.0 ? float((ticks - from->time) / span) : 0.0f;
    }
}

gfx::Vector3 sampleVector(const std::vector<VectorKey>& keys, double ticks, const gfx::Vector3& fallback) {
    if (keys.empty()) return fallback;
    const VectorKey *from = nullptr, *to = nullptr;
    float t = 0.0f;
    bracket(keys, ticks, from, to, t);
    return gfx::lerp(from->value, to->value, t);
}

gfx::Quaternion sampleRotation(const std::vector<RotationKey>& keys, double ticks, const gfx::Quaternion& fallback) {
    if (keys.empty()) return fallback;
    const RotationKey *from = nullptr, *to = nullptr;
    float t = 0.0f;
    bracket(keys, ticks, from, to, t);
    return gfx::slerp(from->value, to->value, t);
}

} // namespace

AnimationSet::AnimationSet(std::string name, double ticksPerSecond, double durationTicks,
                           std::vector<FrameAnimation> animations)
    : name_(std::move(name)), ticksPerSecond_(ticksPerSecond > 0.0 ? ticksPerSecond : kDefaultTicksPerSecond),
      durationTicks_(durationTicks > 0.0 ? durationTicks : 0.0), period_(durationTicks_ / ticksPerSecond_),
      animations_(std::move(animations)) {
    const auto byTime = [](const auto& a, const auto& b) { return a.time < b.time; };
    for (FrameAnimation& animation : animations_) {
        std::stable_sort(animation.scaleKeys.begin(), animation.scaleKeys.end(), byTime);
        std::stable_sort(animation.rotationKeys.begin(), animation.rotationKeys.end(), byTime);
        std::stable_sort(animation.translationKeys.begin(), animation.translationKeys.end(), byTime);
    }
}

std::optional<FramePose> AnimationSet::sample(const std::string& frameName, double seconds,
                                              const FramePose& bind) const {
    const auto found = std::find_if(animations_.begin(), animations_.end(),
                                    [&](const FrameAnimation& a) { return a.frameName == frameName; });
    if (found == animations_.end()) return std::nullopt;
    double local = seconds;
    if (period_ > 0.0) {
        local = std::fmod(seconds, period_);
        if (local < 0.0) local += period_;
        // The end of a cycle shows the last keys, not the first ones again.
        if (local == 0.0 && seconds > 0.0) local = period_;
    }
    const double ticks = local * ticksPerSecond_;
    return FramePose{sampleVector(found->scaleKeys, ticks, bind.scale),
                     sampleRotation(found->rotationKeys, ticks, bind.rotation),
                     sampleVector(found->translationKeys, ticks, bind.translation)};
}

std::shared_ptr<AnimationSet> AnimationSet::compressed(std::vector<CallbackKey> callbacks) const {
    auto out = std::make_shared<AnimationSet>(*this);
    std::stable_sort(callbacks.begin(), callbacks.end(),
                     [](const CallbackKey& a, const CallbackKey& b) { return a.time < b.time; });
    out->callbacks_ = std::move(callbacks);
    return out;
}

} // namespace mesh
