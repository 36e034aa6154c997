#pragma once
// What the file-reading fuzz targets share: a private folder in memory-backed storage, writing
// each input there as the file the loader reads, and reading back what a loader saved.
#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

// A fresh folder, made once per process, with a trailing "/"; removed with everything in it
// when the process exits. It is made inside $ZODERUD_FUZZ_SCRATCH when that is set (fuzz.sh
// sets it, and removes it even after a crash), else in /dev/shm or /tmp.
const std::string& scratchFolder();
// Replaces path with exactly the bytes of the input.
void writeInput(const std::string& path, const std::uint8_t* data, std::size_t size);
// The file's bytes; aborts when it can't be read.
std::string readBytes(const std::string& path);
// Aborts, naming what differs, when a save of what was loaded from a save differs from it.
void requireSameSaves(const char* what, const std::string& first, const std::string& second);

} // namespace fuzz
