// Fuzz target: the picture loader (header checks, then SDL2_image and the system decoders),
// and the texture levels made from what it decoded.
#include <cstddef>
#include <cstdint>

#include "platform/image/image_file.h"
#include "platform/image/texture_levels.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    image::Image picture;
    if (!image::loadImageFromMemory(data, size, picture)) return 0;
    // Small levels keep each run quick while still resampling the whole picture.
    image::TextureLevelOptions options;
    options.width = 16;
    options.height = 16;
    options.colourKey = 0xFFFF00FF;
    image::prepareTextureLevels(picture, options);
    options.filter = image::LevelFilter::None;
    options.mipLevels = 1;
    image::prepareTextureLevels(picture, options);
    return 0;
}
