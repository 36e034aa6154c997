#include "platform/image/image_file.h"

#include <climits>

#include "platform/file_io.h"

// The decoders are compiled here once, private to this file, and limited to the formats the
// data uses so a stray file of another kind fails cleanly.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_ONLY_TGA
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#include <stb/stb_image.h>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

namespace image {
namespace {

bool fail(std::string* error, const std::string& what) {
    if (error) *error = what;
    return false;
}

void appendBytes(void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<std::size_t>(size));
}

} // namespace

bool loadImageFromMemory(const uint8_t* data, std::size_t size, Image& out, std::string* error) {
    out = Image();
    if (!data || size == 0) return fail(error, "empty image data");
    if (size > static_cast<std::size_t>(INT_MAX)) return fail(error, "image data too large");
    int width = 0, height = 0, channels = 0;
    stbi_uc* rgba = stbi_load_from_memory(data, static_cast<int>(size), &width, &height, &channels, 4);
    if (!rgba) return fail(error, stbi_failure_reason() ? stbi_failure_reason() : "cannot decode image");
    out.width = width;
    out.height = height;
    out.argb.resize(static_cast<std::size_t>(width) * height);
    const stbi_uc* p = rgba;
    for (uint32_t& pixel : out.argb) {
        pixel = uint32_t(p[3]) << 24 | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | uint32_t(p[2]);
        p += 4;
    }
    stbi_image_free(rgba);
    return true;
}

bool loadImageFile(const std::string& path, Image& out, std::string* error) {
    std::string bytes;
    if (!platform::readWholeFile(path, bytes)) {
        out = Image();
        return fail(error, "cannot read " + path);
    }
    if (!loadImageFromMemory(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), out, error)) {
        if (error) *error = path + ": " + *error;
        return false;
    }
    return true;
}

bool savePngFile(const std::string& path, const Image& picture, std::string* error) {
    if (picture.empty() || picture.argb.size() != static_cast<std::size_t>(picture.width) * picture.height)
        return fail(error, "no picture to save");
    std::vector<uint8_t> rgba(picture.argb.size() * 4);
    uint8_t* p = rgba.data();
    for (uint32_t pixel : picture.argb) {
        p[0] = uint8_t(pixel >> 16);
        p[1] = uint8_t(pixel >> 8);
        p[2] = uint8_t(pixel);
        p[3] = uint8_t(pixel >> 24);
        p += 4;
    }
    std::string png;
    if (!stbi_write_png_to_func(appendBytes, &png, picture.width, picture.height, 4, rgba.data(), picture.width * 4))
        return fail(error, "cannot encode PNG");
    return platform::writeFileAtomically(path, png, error);
}

} // namespace image
