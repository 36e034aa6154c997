#pragma once
// Textures made from BMP, TGA, PNG, JPG and DDS files, and textures saved as PNG files.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/gfx/types.h"

namespace gfx {

class BaseTexture;
class CubeTexture;
class Device;
class Texture;

struct TextureFileOptions {
    uint32_t width = 0;     // 0: the file's width rounded up to a power of two
    uint32_t height = 0;    // 0: the file's height rounded up to a power of two
    uint32_t mipLevels = 0; // 0: the full chain down to 1x1
    uint32_t usage = 0;
    // A8R8G8B8, X8R8G8B8 or FromFile. A DDS file keeps its format, size and levels when it has
    // what is asked for; otherwise it is decoded and sized like any other picture.
    Format format = Format::A8R8G8B8;
    Pool pool = Pool::Managed;
    // false: the picture is not resampled; it sits at the top-left of level 0 and the rest of
    // the level is transparent black.
    bool scale = true;
    // Pixels exactly equal to this ARGB value become transparent black; 0 keys nothing.
    uint32_t colourKey = 0;
};

// A refused DDS file is logged to stderr with the reason. All defaults: size rounded up to powers
// of two, full mip chain, managed pool.
Result createTextureFromFile(Device* device, const std::string& path, Texture** out);
Result createTextureFromFileEx(Device* device, const std::string& path, const TextureFileOptions& options,
                               Texture** out);

// Cube maps from DDS files with all six faces: format, edge and levels as stored, managed pool.
// A file that is no cube map, or is corrupt, is refused (logged to stderr with the reason).
Result createCubeTextureFromFile(Device* device, const std::string& path, CubeTexture** out);
Result createCubeTextureFromFileInMemory(Device* device, const void* data, std::size_t size, CubeTexture** out);

// Level 0 as a 32-bit PNG, written atomically. Textures in the default pool are read back from
// the GPU, so call it on the device's thread.
Result saveTextureToPng(const std::string& path, BaseTexture* texture);

} // namespace gfx
