#pragma once
// The last-write time of a file, for noticing that an image was rewritten.
#include <cstdint>
#include <string>

namespace platform {

// Nanoseconds since the epoch; false when the file cannot be found (its case is resolved as for
// every other open).
bool lastWriteTime(const std::string& path, std::uint64_t& time);

} // namespace platform
