#pragma once
// What the file-reading fuzz targets share: a private folder in memory-backed storage, and
// writing each input there as the file the loader reads.
#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

// A fresh folder, made once per process, with a trailing "/".
const std::string& scratchFolder();
// Replaces path with exactly the bytes of the input.
void writeInput(const std::string& path, const std::uint8_t* data, std::size_t size);

} // namespace fuzz
