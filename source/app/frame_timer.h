#pragma once
// Frame timing for the message loop: elapsed time per frame, and an optional limiter (never enabled).
#include <cstdint>

struct FrameTimer {
    bool enabled = false;
    std::uint32_t frameLengthMs = 0;
    std::int64_t lastTick = -1; // no tick taken yet
    float maximumDelta = 1.0f;
    std::uint32_t frameCount = 0;
    float delta = 0.0f;

    // Sleeps out the rest of the frame when enabled, then measures the elapsed time at now
    // (milliseconds): 0 on the first frame. Returns it clamped to maximumDelta.
    float tick(std::int64_t now);
};
