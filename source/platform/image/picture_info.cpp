#include "platform/image/picture_info.h"

#include <algorithm>

#include "platform/image/texture_levels.h"

namespace image {
namespace {

std::uint32_t big16(const std::uint8_t* p) { return std::uint32_t(p[0]) << 8 | p[1]; }
std::uint32_t big32(const std::uint8_t* p) { return big16(p) << 16 | big16(p + 2); }
std::uint32_t little16(const std::uint8_t* p) { return std::uint32_t(p[1]) << 8 | p[0]; }
std::uint32_t little32(const std::uint8_t* p) { return little16(p + 2) << 16 | little16(p); }

bool fail(std::string& error, const std::string& what) {
    error = what;
    return false;
}

bool pngSize(const ReadAt& readAt, std::int64_t& width, std::int64_t& height, std::string& error) {
    std::uint8_t header[24];
    if (!readAt(0, header, sizeof header) || std::string(reinterpret_cast<const char*>(header + 12), 4) != "IHDR")
        return fail(error, "PNG picture without a header");
    width = big32(header + 16);
    height = big32(header + 20);
    return true;
}

// Walks the segments up to the first frame header. A file without one (or with its height
// left to a later marker) gives no size.
bool jpegSize(const ReadAt& readAt, std::int64_t& width, std::int64_t& height, bool& huffman, std::string& error) {
    std::uint64_t offset = 2;
    for (;;) {
        std::uint8_t marker[2];
        if (!readAt(offset, marker, 2) || marker[0] != 0xFF) break;
        if (marker[1] == 0xFF) { // fill byte before a marker
            ++offset;
            continue;
        }
        offset += 2;
        const std::uint8_t kind = marker[1];
        if (kind == 0x01 || (kind >= 0xD0 && kind <= 0xD7)) continue; // markers without a length
        if (kind == 0xD8 || kind == 0xD9 || kind == 0xDA) break;
        std::uint8_t length[2];
        if (!readAt(offset, length, 2) || big16(length) < 2) break;
        const bool frame = kind >= 0xC0 && kind <= 0xCF && kind != 0xC4 && kind != 0xC8 && kind != 0xCC;
        if (frame) {
            std::uint8_t frameHeader[5];
            if (!readAt(offset + 2, frameHeader, sizeof frameHeader)) break;
            height = big16(frameHeader + 1);
            width = big16(frameHeader + 3);
            huffman = kind <= 0xC7;
            if (height == 0) break;
            return true;
        }
        offset += big16(length);
    }
    return fail(error, "JPEG picture without a frame header");
}

bool bmpSize(const ReadAt& readAt, std::int64_t& width, std::int64_t& height, std::string& error) {
    std::uint8_t header[26];
    if (!readAt(0, header, sizeof header)) return fail(error, "BMP picture without a header");
    const std::uint32_t infoSize = little32(header + 14);
    if (infoSize == 12) {
        width = little16(header + 18);
        height = little16(header + 20);
    } else if (infoSize >= 16) {
        width = std::int32_t(little32(header + 18));
        // A negative height marks rows stored top-down.
        height = std::int32_t(little32(header + 22));
        if (height < 0) height = -height;
    } else {
        return fail(error, "BMP picture with an unknown header");
    }
    return true;
}

// TGA has no signature; these fields take only a few values in a real file.
bool looksLikeTga(const std::uint8_t* header) {
    const std::uint8_t colourMap = header[1], type = header[2], depth = header[16];
    const bool knownType = type == 1 || type == 2 || type == 3 || type == 9 || type == 10 || type == 11;
    const bool knownDepth = depth == 8 || depth == 15 || depth == 16 || depth == 24 || depth == 32;
    return colourMap <= 1 && knownType && knownDepth;
}

// Every chunk lies inside the file, up to and including the closing "IEND". The PNG decoder
// takes whatever its stream gives it, so a chunk running past the end would make it walk stale
// bytes as more chunks (a 16-megabyte "tRNS" length in an 877-byte file kept it busy for
// minutes).
bool pngChunksEndInTheFile(const ReadAt& readAt) {
    std::uint64_t offset = 8;
    for (;;) {
        std::uint8_t header[8];
        if (!readAt(offset, header, sizeof header)) return false;
        const std::uint32_t length = big32(header);
        std::uint8_t last;
        if (length > 0x7FFFFFFFu || !readAt(offset + 12 + length - 1, &last, 1)) return false;
        if (std::string(reinterpret_cast<const char*>(header + 4), 4) == "IEND") return true;
        offset += 12 + std::uint64_t(length);
    }
}

// The fewest bytes a complete file of that size can have, or 0 where no useful bound is known.
// A file shorter than this is refused before its picture is allocated: the JPEG decoder, for
// one, fills a picture whose data ran out with grey rather than failing.
std::int64_t leastFileSize(const ReadAt& readAt, PictureFormat format, const std::uint8_t* start, std::int64_t width,
                           std::int64_t height, bool huffman) {
    const std::int64_t pixels = width * height;
    switch (format) {
    case PictureFormat::Jpeg:
        // Huffman coding spends at least one bit on the first coefficient of every 8 x 8 block;
        // arithmetic coding can spend less.
        return huffman ? pixels / 64 / 8 : 0;
    case PictureFormat::Tga: {
        // The pixels follow the header at once; a run-length packet covers at most 128 of them.
        const std::int64_t pixelBytes = (start[16] + 7) / 8;
        const std::int64_t colourMap = start[1] ? std::int64_t(little16(start + 5)) * ((start[7] + 7) / 8) : 0;
        const std::int64_t data = start[2] >= 9 ? (pixels + 127) / 128 * (1 + pixelBytes) : pixels * pixelBytes;
        return 18 + start[0] + colourMap + data;
    }
    case PictureFormat::Png: {
        // Deflate packs at most 1032 bytes into one, and every pixel has its bits in the data.
        std::uint8_t header[26];
        if (!readAt(0, header, sizeof header)) return 0;
        static const int kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
        const int channels = header[25] < 7 ? kChannels[header[25]] : 0;
        const std::int64_t bits = pixels * header[24] * std::max(channels, 1);
        return 8 + 25 + 12 + bits / 8 / 1032 + 12;
    }
    case PictureFormat::Bmp: {
        std::uint8_t header[34];
        if (!readAt(0, header, sizeof header)) return 0;
        const bool core = little32(header + 14) == 12;
        const std::int64_t bits = core ? little16(header + 24) : little16(header + 28);
        const std::uint32_t compression = core ? 0 : little32(header + 30);
        // Only rows stored as they are have a known length.
        if (compression != 0 && compression != 3 && compression != 6) return 0;
        return std::int64_t(little32(header + 10)) + (width * bits + 31) / 32 * 4 * height;
    }
    }
    return 0;
}

} // namespace

bool readPictureInfo(const ReadAt& readAt, PictureInfo& out, std::string& error) {
    out = PictureInfo();
    std::uint8_t start[18] = {};
    const bool full = readAt(0, start, sizeof start);
    if (!full && !readAt(0, start, 8) && !readAt(0, start, 2)) return fail(error, "not a picture (too short)");
    std::int64_t width = 0, height = 0;
    bool sized = false, huffman = false;
    if (std::string(reinterpret_cast<const char*>(start), 8) == "\x89PNG\r\n\x1A\n") {
        out.format = PictureFormat::Png;
        sized = pngSize(readAt, width, height, error);
    } else if (start[0] == 0xFF && start[1] == 0xD8) {
        out.format = PictureFormat::Jpeg;
        sized = jpegSize(readAt, width, height, huffman, error);
    } else if (start[0] == 'B' && start[1] == 'M') {
        out.format = PictureFormat::Bmp;
        sized = bmpSize(readAt, width, height, error);
    } else if (full && looksLikeTga(start)) {
        out.format = PictureFormat::Tga;
        width = little16(start + 12);
        height = little16(start + 14);
        sized = true;
    } else {
        return fail(error, "not a PNG, JPEG, BMP or TGA picture");
    }
    if (!sized) return false;
    const std::string size = std::to_string(width) + " x " + std::to_string(height);
    if (width <= 0 || height <= 0) return fail(error, "picture of " + size + " pixels has nothing to show");
    if (width > kMaxTextureSide || height > kMaxTextureSide)
        return fail(error, "picture of " + size + " pixels is too large: at most " + std::to_string(kMaxTextureSide) +
                               " pixels a side");
    if (width * height > kMaxPicturePixels)
        return fail(error, "picture of " + size + " pixels is too large: at most " +
                               std::to_string(kMaxPicturePixels) + " pixels in all");
    std::uint8_t last;
    const std::int64_t least = leastFileSize(readAt, out.format, start, width, height, huffman);
    if ((least > 0 && !readAt(std::uint64_t(least - 1), &last, 1)) ||
        (out.format == PictureFormat::Png && !pngChunksEndInTheFile(readAt)))
        return fail(error, "picture of " + size + " pixels is cut short");
    out.width = int(width);
    out.height = int(height);
    return true;
}

} // namespace image
