#pragma once
// One animation set: per animated frame its scale, rotation and translation keys in ticks, the
// set's ticks per second and length, and the callback keys a controller raises as it plays.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/gfx/math_types.h"

namespace mesh {

struct VectorKey {
    double time = 0.0; // ticks
    gfx::Vector3 value;
};

// Rotations in the engine's convention: rotationMatrix(value) is the frame matrix the key stands
// for.
struct RotationKey {
    double time = 0.0; // ticks
    gfx::Quaternion value;
};

// A key without a kind of its own takes the frame's own value for that kind.
struct FrameAnimation {
    std::string frameName;
    std::vector<VectorKey> scaleKeys;
    std::vector<RotationKey> rotationKeys;
    std::vector<VectorKey> translationKeys;
};

struct CallbackKey {
    double time = 0.0; // ticks, within 0..duration
    void* data = nullptr;
};

// A frame's pose between keys: what sampling gives and tracks blend.
struct FramePose {
    gfx::Vector3 scale{1.0f, 1.0f, 1.0f};
    gfx::Quaternion rotation;
    gfx::Vector3 translation;
};

class AnimationSet {
public:
    // Files that give no rate run at the format's own 4800 ticks per second.
    static constexpr double kDefaultTicksPerSecond = 4800.0;

    AnimationSet(std::string name, double ticksPerSecond, double durationTicks, std::vector<FrameAnimation> animations);

    const std::string& name() const { return name_; }
    double sourceTicksPerSecond() const { return ticksPerSecond_; }
    double durationTicks() const { return durationTicks_; }
    // Seconds one cycle lasts; the set loops over it. 0 for a set without length.
    double period() const { return period_; }
    const std::vector<FrameAnimation>& animations() const { return animations_; }
    // Sorted by time.
    const std::vector<CallbackKey>& callbackKeys() const { return callbacks_; }

    // The pose of the named frame at a position in seconds (wrapped into the period): linear
    // between scale and translation keys, spherical between rotation keys, held before the first
    // and after the last key. Kinds without keys take the bind pose's. Nothing when the set does
    // not animate that frame.
    std::optional<FramePose> sample(const std::string& frameName, double seconds, const FramePose& bind) const;

    // The same keys, rate and length with these callback keys (sorted here). Nothing is dropped:
    // the keys are kept as they are.
    std::shared_ptr<AnimationSet> compressed(std::vector<CallbackKey> callbacks) const;

private:
    std::string name_;
    double ticksPerSecond_;
    double durationTicks_;
    double period_;
    std::vector<FrameAnimation> animations_;
    std::vector<CallbackKey> callbacks_;
};

} // namespace mesh
