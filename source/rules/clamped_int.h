#pragma once
// Sums of counts read from files and edited by players, kept inside the 32-bit range the
// saved file writes with "%d" instead of wrapping.
#include <algorithm>
#include <cstdint>
#include <limits>

inline std::int32_t clampToInt32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                               std::numeric_limits<std::int32_t>::max()));
}

inline std::int32_t saturatingAdd(std::int32_t a, std::int64_t b) { return clampToInt32(std::int64_t{a} + b); }
