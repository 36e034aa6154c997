#include "platform/mesh/animation_controller.h"

#include <algorithm>
#include <cmath>

#include "platform/gfx/math_matrix.h"
#include "platform/gfx/math_quaternion.h"

namespace mesh {

void AnimationController::registerOutput(const std::string& frameName, gfx::Matrix* transform) {
    Output output{frameName, transform, {}};
    if (!gfx::decompose(*transform, output.bind.scale, output.bind.rotation, output.bind.translation))
        output.bind = FramePose{};
    outputs_.push_back(std::move(output));
}

void AnimationController::registerAnimationSet(std::shared_ptr<AnimationSet> set) {
    sets_.push_back(set);
    const auto free = std::find_if(tracks_.begin(), tracks_.end(), [](const AnimationTrack& t) { return !t.set; });
    if (free != tracks_.end()) {
        free->set = std::move(set);
        free->enabled = free == tracks_.begin();
    } else {
        tracks_.push_back({std::move(set), false, 1.0f, 1.0f, 0.0});
    }
}

void AnimationController::replaceAnimationSet(uint32_t index, std::shared_ptr<AnimationSet> replacement) {
    const std::shared_ptr<AnimationSet> old = sets_.at(index);
    for (AnimationTrack& track : tracks_)
        if (track.set == old) track.set = replacement;
    sets_[index] = std::move(replacement);
}

void AnimationController::setTrackAnimationSet(uint32_t track, std::shared_ptr<AnimationSet> set) {
    tracks_.at(track).set = std::move(set);
}

void AnimationController::raiseCallbacks(uint32_t index, double from, double to,
                                         AnimationCallbackHandler& handler) const {
    const AnimationSet& set = *tracks_[index].set;
    const double length = set.durationTicks();
    if (length <= 0.0 || set.callbackKeys().empty() || !(to > from)) return;
    const double start = from * set.sourceTicksPerSecond(), end = to * set.sourceTicksPerSecond();
    // A key fires when the position passes it: after the start, up to and including the end.
    for (double cycle = std::floor(start / length);; cycle += 1.0) {
        const double base = cycle * length;
        if (base > end) return;
        for (const CallbackKey& key : set.callbackKeys()) {
            const double at = base + key.time;
            if (at > end) return;
            if (at > start) handler.handleCallback(index, key.data);
        }
    }
}

void AnimationController::advanceTime(double seconds, AnimationCallbackHandler* handler) {
    time_ += seconds;
    for (uint32_t i = 0; i < tracks_.size(); ++i) {
        AnimationTrack& track = tracks_[i];
        if (!track.enabled || !track.set) continue;
        const double from = track.position;
        track.position += seconds * double(track.speed);
        if (handler) raiseCallbacks(i, from, track.position, *handler);
    }
    writeOutputs();
}

void AnimationController::writeOutputs() {
    for (Output& output : outputs_) {
        float total = 0.0f;
        gfx::Vector3 scale, translation;
        gfx::Quaternion rotation{0.0f, 0.0f, 0.0f, 0.0f};
        for (const AnimationTrack& track : tracks_) {
            if (!track.enabled || !track.set || track.weight <= 0.0f) continue;
            const std::optional<FramePose> pose = track.set->sample(output.frameName, track.position, output.bind);
            if (!pose) continue;
            const float w = track.weight;
            scale = {scale.x + pose->scale.x * w, scale.y + pose->scale.y * w, scale.z + pose->scale.z * w};
            translation = {translation.x + pose->translation.x * w, translation.y + pose->translation.y * w,
                           translation.z + pose->translation.z * w};
            // q and -q are one rotation: add each on the side of the sum so far.
            const float side = gfx::dot(rotation, pose->rotation) < 0.0f ? -w : w;
            rotation = {rotation.x + pose->rotation.x * side, rotation.y + pose->rotation.y * side,
                        rotation.z + pose->rotation.z * side, rotation.w + pose->rotation.w * side};
            total += w;
        }
        if (total <= 0.0f) continue;
        scale = {scale.x / total, scale.y / total, scale.z / total};
        translation = {translation.x / total, translation.y / total, translation.z / total};
        *output.transform = gfx::transformationMatrix(scale, gfx::normalize(rotation), translation);
    }
}

} // namespace mesh
