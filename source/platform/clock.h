#pragma once
// Wall time for frame timing: a steady clock counted from process start (never CPU time).
#include <cstdint>

namespace platform {

std::uint64_t millisecondsSinceStart();
void sleepMilliseconds(std::uint32_t ms);

} // namespace platform
