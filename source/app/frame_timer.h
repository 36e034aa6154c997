#pragma once
// Frame timing for the message loop: elapsed time per frame, and the limiter that caps the frame
// rate when swaps do not wait for the display.
#include <cstdint>

// Where the message loop reads the time and sleeps (milliseconds); tests give their own.
class FrameClock {
public:
    virtual ~FrameClock() = default;
    virtual std::int64_t now();
    virtual void sleep(std::uint32_t milliseconds);
};

struct FrameTimer {
    bool enabled = false;
    std::uint32_t frameLengthMs = 0;
    std::int64_t lastTick = -1; // no tick taken yet
    float maximumDelta = 1.0f;
    std::uint32_t frameCount = 0;
    float delta = 0.0f;

    // Enables the limiter at a display's refresh rate (0, unknown, counts as 60 Hz). The frame
    // length is rounded down, so frames never come slower than the display shows them.
    void limitTo(int refreshRateHz);
    // Milliseconds to sleep before the next frame when enabled: 0 when none or not enabled.
    std::uint32_t waitBefore(std::int64_t now) const;
    // Measures the elapsed time at now (milliseconds): 0 on the first frame. Returns it clamped
    // to maximumDelta.
    float tick(std::int64_t now);
};
