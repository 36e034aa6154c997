#include "platform/image/dds_writer.h"

#include <cstdint>
#include <cstring>

#include "platform/file_io.h"

namespace image {
namespace {

bool fail(std::string* error, const std::string& what) {
    if (error) *error = what;
    return false;
}

void put(std::string& bytes, std::size_t offset, uint32_t value) { std::memcpy(&bytes[offset], &value, 4); }

} // namespace

bool saveDdsFile(const std::string& path, const std::vector<Image>& faces, std::string* error) {
    if (faces.size() != 1 && faces.size() != 6) return fail(error, "a DDS file holds one picture or six cube faces");
    const Image& first = faces.front();
    for (const Image& face : faces) {
        if (face.empty() || face.argb.size() != std::size_t(face.width) * std::size_t(face.height))
            return fail(error, "no picture to save");
        if (face.width != first.width || face.height != first.height) return fail(error, "cube faces differ in size");
    }
    const bool cube = faces.size() == 6;
    if (cube && first.width != first.height) return fail(error, "cube faces must be square");

    std::string bytes(128, '\0');
    std::memcpy(&bytes[0], "DDS ", 4);
    put(bytes, 4, 124);
    put(bytes, 8, 0x100F); // caps, height, width, pitch, pixel format
    put(bytes, 12, uint32_t(first.height));
    put(bytes, 16, uint32_t(first.width));
    put(bytes, 20, uint32_t(first.width) * 4);
    put(bytes, 28, 1);
    put(bytes, 76, 32);
    put(bytes, 80, 0x41); // RGB with alpha
    put(bytes, 88, 32);
    put(bytes, 92, 0x00FF0000);
    put(bytes, 96, 0x0000FF00);
    put(bytes, 100, 0x000000FF);
    put(bytes, 104, 0xFF000000);
    put(bytes, 108, cube ? 0x1008 : 0x1000); // texture, complex for a cube
    put(bytes, 112, cube ? 0xFE00 : 0);      // every cube face
    for (const Image& face : faces) {
        // 0xAARRGGBB little-endian is B, G, R, A in memory, the file's order.
        const std::size_t start = bytes.size();
        bytes.resize(start + face.argb.size() * 4);
        std::memcpy(&bytes[start], face.argb.data(), face.argb.size() * 4);
    }
    return platform::writeFileAtomically(path, bytes, error);
}

} // namespace image
