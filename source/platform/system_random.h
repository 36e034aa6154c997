#pragma once
// Bytes from the operating system's cryptographic random source.
#include <cstddef>

namespace platform {

// Fills out with count random bytes; false (out partly untouched) when the system can't.
bool systemRandomBytes(void* out, std::size_t count);

} // namespace platform
