#pragma once
// Reading BMP, TGA, PNG and JPG pictures, and writing PNG files.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/image/image.h"

namespace image {

// Decodes a BMP, TGA, PNG or JPG file (the name matched regardless of case). Pictures without
// alpha come back opaque. False, with out emptied and error (when given) saying why, when the
// file can't be read or decoded. Safe to call from worker threads.
bool loadImageFile(const std::string& path, Image& out, std::string* error = nullptr);
bool loadImageFromMemory(const uint8_t* data, std::size_t size, Image& out, std::string* error = nullptr);

// Writes the picture as a 32-bit RGBA PNG, replacing path only once the whole file is written.
bool savePngFile(const std::string& path, const Image& picture, std::string* error = nullptr);

} // namespace image
