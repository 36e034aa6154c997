#include "platform/gfx/texture_file.h"

#include "platform/gfx/device.h"
#include "platform/gfx/texture.h"
#include "platform/image/image_file.h"
#include "platform/image/texture_levels.h"
#include "platform/paths.h"

namespace gfx {

Result createTextureFromFile(Device* device, const std::string& path, Texture** out) {
    return createTextureFromFileEx(device, path, TextureFileOptions{}, out);
}

Result createTextureFromFileEx(Device* device, const std::string& path, const TextureFileOptions& options,
                               Texture** out) {
    if (!out) return Result::InvalidCall;
    *out = nullptr;
    if (!device || (options.format != Format::A8R8G8B8 && options.format != Format::X8R8G8B8))
        return Result::InvalidCall;
    image::Image picture;
    if (!image::loadImageFile(platform::resolvePath(path), picture)) return Result::Fail;
    image::TextureLevelOptions levelOptions;
    levelOptions.width = int(options.width);
    levelOptions.height = int(options.height);
    levelOptions.mipLevels = int(options.mipLevels);
    levelOptions.filter = options.scale ? image::LevelFilter::Triangle : image::LevelFilter::None;
    levelOptions.colourKey = options.colourKey;
    const std::vector<image::Image> levels = image::prepareTextureLevels(picture, levelOptions);
    if (levels.empty()) return Result::Fail;
    Texture* texture = nullptr;
    Result result = device->createTexture(uint32_t(levels[0].width), uint32_t(levels[0].height),
                                          uint32_t(levels.size()), options.usage, options.format, options.pool,
                                          &texture);
    if (failed(result)) return result;
    for (uint32_t level = 0; level < texture->levelCount() && level < levels.size(); ++level) {
        // 0xAARRGGBB values are the bytes B, G, R, A in memory: A8R8G8B8 as it is stored.
        texture->writeLevel(0, level, reinterpret_cast<const uint8_t*>(levels[level].argb.data()));
    }
    *out = texture;
    return Result::Ok;
}

Result saveTextureToPng(const std::string& path, BaseTexture* texture) {
    if (!texture) return Result::InvalidCall;
    image::Image picture;
    Result result = texture->readLevelArgb(0, 0, picture.argb);
    if (failed(result)) return result;
    picture.width = int(texture->levelWidth(0));
    picture.height = int(texture->levelHeight(0));
    return image::savePngFile(path, picture) ? Result::Ok : Result::Fail;
}

} // namespace gfx
