#include "app/frame_timer.h"

#include <algorithm>

#include "platform/clock.h"

std::int64_t FrameClock::now() { return static_cast<std::int64_t>(platform::millisecondsSinceStart()); }

void FrameClock::sleep(std::uint32_t milliseconds) { platform::sleepMilliseconds(milliseconds); }

void FrameTimer::limitTo(int refreshRateHz) {
    enabled = true;
    frameLengthMs = 1000u / static_cast<std::uint32_t>(refreshRateHz > 0 ? refreshRateHz : 60);
}

std::uint32_t FrameTimer::waitBefore(std::int64_t now) const {
    if (!enabled || lastTick < 0) return 0;
    std::int64_t wait = lastTick + frameLengthMs - now;
    return wait > 0 ? static_cast<std::uint32_t>(wait) : 0;
}

float FrameTimer::tick(std::int64_t now) {
    delta = lastTick >= 0 ? static_cast<float>(now - lastTick) * 0.001f : 0.0f;
    ++frameCount;
    lastTick = now;
    return std::min(delta, maximumDelta);
}
