#pragma once
// One animated instance's playing state, owned by whoever plays it: stop and fade controls,
// speed, the receiver of key events, bone matrices from outside, and what an update produces.
#include <cstdint>
#include <vector>

#include "platform/gfx/math_types.h"

namespace mesh {
class AnimationCallbackHandler;
}

struct AnimationState {
    // Nothing moves while set.
    bool stopped = false;
    // Set: the bones follow externalBones (world matrices, one per bone, as a rag doll writes
    // them) instead of the played animation. Bones past its end stay where the played frames
    // left them.
    bool external = false;
    const std::vector<gfx::Matrix>* externalBones = nullptr;

    // A fade moves weight from fadeOutTrack to fadeInTrack over fadeDuration seconds; the
    // faded-out track is disabled on the update after the fade completes.
    uint32_t fadeInTrack = 0;
    uint32_t fadeOutTrack = 1;
    float fadeProgress = 1.0f;
    float fadeDuration = 0.0f;

    float speed = 1.0f;
    // Receives the key events (each one's data is an AnimationKeyEvent); may be null.
    mesh::AnimationCallbackHandler* callbackHandler = nullptr;

    // Written by update: one skinning matrix per bone (bone offset times the bone's pose).
    std::vector<gfx::Matrix> finalBones;
    // Written by update: each bone's pose (without its offset), for what is attached to a bone.
    std::vector<gfx::Matrix> bonePoses;
    // Written by update: the bone matrices already hold the placement in the world (they came
    // from outside), so the instance's own matrix must not be applied again.
    bool usingPremultipliedAnims = false;
};
