#pragma once
// Reading BMP, TGA, PNG and JPG pictures, and writing PNG and JPG files.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/image/image.h"

namespace image {

// Decodes a BMP, TGA, PNG or JPG file (the name matched regardless of case; the kind told by
// the contents). Pictures without alpha come back opaque. The size is read from the header and
// checked against the limits (picture_info.h) before anything is decoded. False, with out
// emptied and error (when given) saying why, when the file is missing, not a file, unreadable,
// too large or can't be decoded. Safe to call from worker threads.
bool loadImageFile(const std::string& path, Image& out, std::string* error = nullptr);
bool loadImageFromMemory(const uint8_t* data, std::size_t size, Image& out, std::string* error = nullptr);

// Writes the picture as a 32-bit RGBA PNG, replacing path only once the whole file is written.
bool savePngFile(const std::string& path, const Image& picture, std::string* error = nullptr);
// Writes the picture as an opaque JPG of the given quality (1 to 100), replacing path only once
// the whole file is written.
bool saveJpegFile(const std::string& path, const Image& picture, int quality, std::string* error = nullptr);

} // namespace image
