#include "platform/clock.h"

#include <chrono>
#include <thread>

namespace platform {
namespace {
const auto processStart = std::chrono::steady_clock::now();
}

std::uint64_t millisecondsSinceStart() {
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now() - processStart)
                                          .count());
}

void sleepMilliseconds(std::uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

} // namespace platform
