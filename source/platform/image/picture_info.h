#pragma once
// What a picture file says about itself before it is decoded: its kind and its size, checked
// against the limits, so a few bytes that claim a huge picture are refused before any memory
// is spent on them.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace image {

enum class PictureFormat { Png, Jpeg, Bmp, Tga };

struct PictureInfo {
    PictureFormat format = PictureFormat::Png;
    int width = 0;
    int height = 0;
};

// The most pixels a picture may have: a 48-megapixel photo fits, and its decoded copies stay
// within a few hundred megabytes.
constexpr std::int64_t kMaxPicturePixels = 8192LL * 6144;

// Reads count bytes at offset into out; false when the source has fewer.
using ReadAt = std::function<bool(std::uint64_t offset, std::uint8_t* out, std::size_t count)>;

// Recognises PNG, JPEG and BMP by their signatures and TGA by a plausible header, and reads
// the size from the header (for JPEG, from the first frame header). False, with error saying
// why, for another kind of file, a header that gives no size, a size of 0, over
// kMaxTextureSide on a side or over kMaxPicturePixels in all, a file too short for the size it
// claims (PNG, uncompressed BMP, TGA), or a PNG whose chunks don't all end inside the file.
bool readPictureInfo(const ReadAt& readAt, PictureInfo& out, std::string& error);

} // namespace image
