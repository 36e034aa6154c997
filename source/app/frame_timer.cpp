#include "app/frame_timer.h"

#include <algorithm>

float FrameTimer::tick(std::int64_t now) {
    delta = lastTick >= 0 ? static_cast<float>(now - lastTick) * 0.001f : 0.0f;
    ++frameCount;
    lastTick = now;
    return std::min(delta, maximumDelta);
}
