#pragma once
// Hints that ask the processor to start loading memory a bulk walk is about to read. Walks over
// thousands of cold objects (a closing screen's deletions) are bound by memory latency, not by
// work; asking a few objects ahead lets those loads overlap. A hint never changes behaviour.
#include <cstddef>

// The line size of the processors this runs on; only the spacing of the hints, and how data is
// laid out to share lines, depend on it.
inline constexpr std::size_t cacheLineSize = 64;

inline void prefetchForRead(const void* address) { __builtin_prefetch(address); }

inline void prefetchRangeForRead(const void* begin, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(begin);
    for (std::size_t offset = 0; offset < size; offset += cacheLineSize) __builtin_prefetch(bytes + offset);
}
