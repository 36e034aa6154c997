#pragma once
// Plays animation sets onto frame matrices: tracks (each a set with its own position, enable flag,
// weight and speed) blended by weight, looping over each set's period, raising the sets' callback
// keys as a track's position crosses them.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/math_types.h"
#include "platform/mesh/animation_set.h"

namespace mesh {

// Receives a set's callback keys while the controller advances, on the thread that advances it.
class AnimationCallbackHandler {
public:
    virtual ~AnimationCallbackHandler() = default;
    virtual void handleCallback(uint32_t track, void* callbackData) = 0;
};

struct AnimationTrack {
    std::shared_ptr<AnimationSet> set;
    bool enabled = false;
    float weight = 1.0f;
    float speed = 1.0f;
    double position = 0.0; // seconds
};

class AnimationController {
public:
    // Tracks for a fade between two sets at least, or one per set; track i plays set i and only
    // the first is enabled.
    static constexpr uint32_t kMinimumTracks = 2;

    // The matrix a frame's pose is written to, with the frame's own value at this time as the
    // pose of kinds a set has no keys for. The matrix must outlive the controller's use of it.
    void registerOutput(const std::string& frameName, gfx::Matrix* transform);

    uint32_t numAnimationSets() const { return uint32_t(sets_.size()); }
    const std::shared_ptr<AnimationSet>& animationSet(uint32_t index) const { return sets_.at(index); }
    // Appends a set; a set the tracks do not yet have goes on its own track, enabled when it is
    // the first.
    void registerAnimationSet(std::shared_ptr<AnimationSet> set);
    // The set at index and every track playing it take the replacement; the tracks keep their
    // positions.
    void replaceAnimationSet(uint32_t index, std::shared_ptr<AnimationSet> replacement);

    uint32_t numTracks() const { return uint32_t(tracks_.size()); }
    const AnimationTrack& track(uint32_t index) const { return tracks_.at(index); }
    void setTrackAnimationSet(uint32_t track, std::shared_ptr<AnimationSet> set);
    void setTrackEnable(uint32_t track, bool enabled) { tracks_.at(track).enabled = enabled; }
    void setTrackWeight(uint32_t track, float weight) { tracks_.at(track).weight = weight; }
    void setTrackSpeed(uint32_t track, float speed) { tracks_.at(track).speed = speed; }
    void setTrackPosition(uint32_t track, double seconds) { tracks_.at(track).position = seconds; }

    // Seconds advanced in all.
    double time() const { return time_; }
    // Moves every enabled track by seconds times its speed, raises to the handler (when given)
    // each callback key a track passes, in order and once per cycle, across the end of a cycle
    // too, then writes the blended pose of every animated frame to its output. A frame no
    // enabled, weighted track animates keeps its matrix.
    void advanceTime(double seconds, AnimationCallbackHandler* handler);

private:
    struct Output {
        std::string frameName;
        gfx::Matrix* transform = nullptr;
        FramePose bind;
    };
    void raiseCallbacks(uint32_t index, double from, double to, AnimationCallbackHandler& handler) const;
    void writeOutputs();

    std::vector<std::shared_ptr<AnimationSet>> sets_;
    std::vector<AnimationTrack> tracks_ = std::vector<AnimationTrack>(kMinimumTracks);
    std::vector<Output> outputs_;
    double time_ = 0.0;
};

} // namespace mesh
