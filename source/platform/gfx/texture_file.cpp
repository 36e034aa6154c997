#include "platform/gfx/texture_file.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "platform/file_io.h"
#include "platform/gfx/dds_file.h"
#include "platform/gfx/device.h"
#include "platform/gfx/format_info.h"
#include "platform/gfx/texture.h"
#include "platform/image/image_file.h"
#include "platform/image/texture_levels.h"
#include "platform/paths.h"

namespace gfx {
namespace {

bool isDdsPath(const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || path.size() - dot != 4) return false;
    std::string extension = path.substr(dot + 1);
    for (char& c : extension) c = char(std::tolower(static_cast<unsigned char>(c)));
    return extension == "dds";
}

Result textureFromPicture(Device* device, const image::Image& picture, const TextureFileOptions& options,
                          Texture** out) {
    image::TextureLevelOptions levelOptions;
    levelOptions.width = int(options.width);
    levelOptions.height = int(options.height);
    levelOptions.mipLevels = int(options.mipLevels);
    levelOptions.filter = options.scale ? image::LevelFilter::Triangle : image::LevelFilter::None;
    levelOptions.colourKey = options.colourKey;
    const std::vector<image::Image> levels = image::prepareTextureLevels(picture, levelOptions);
    if (levels.empty()) return Result::Fail;
    const Format format = options.format == Format::X8R8G8B8 ? Format::X8R8G8B8 : Format::A8R8G8B8;
    Texture* texture = nullptr;
    Result result = device->createTexture(uint32_t(levels[0].width), uint32_t(levels[0].height),
                                          uint32_t(levels.size()), options.usage, format, options.pool, &texture);
    if (failed(result)) return result;
    for (uint32_t level = 0; level < texture->levelCount() && level < levels.size(); ++level) {
        // 0xAARRGGBB values are the bytes B, G, R, A in memory: A8R8G8B8 as it is stored.
        texture->writeLevel(0, level, reinterpret_cast<const uint8_t*>(levels[level].argb.data()));
    }
    *out = texture;
    return Result::Ok;
}

// The file's levels go in as they are when they are what was asked for; anything else (another
// size, more levels than the file has, a colour key, a conversion) starts from level 0 decoded.
Result textureFromDds(Device* device, const std::string& path, const TextureFileOptions& options, Texture** out) {
    std::string bytes;
    if (!platform::readWholeFile(path, bytes)) {
        std::fprintf(stderr, "gfx: cannot read \"%s\"\n", path.c_str());
        return Result::Fail;
    }
    DdsImage dds;
    std::string error;
    if (!parseDds(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), dds, error)) {
        std::fprintf(stderr, "gfx: DDS file \"%s\" refused: %s\n", path.c_str(), error.c_str());
        return Result::Fail;
    }
    const uint32_t width = options.width ? options.width : uint32_t(image::roundUpToPowerOfTwo(int(dds.width)));
    const uint32_t height = options.height ? options.height : uint32_t(image::roundUpToPowerOfTwo(int(dds.height)));
    const uint32_t chain = uint32_t(image::fullMipChainLength(int(width), int(height)));
    const uint32_t levels = options.mipLevels ? std::min(options.mipLevels, chain) : chain;
    const bool asStored = width == dds.width && height == dds.height && levels <= dds.levels.size() &&
                          options.colourKey == 0 &&
                          (options.format == Format::FromFile || options.format == dds.format);
    if (asStored) {
        Texture* texture = nullptr;
        Result result = device->createTexture(width, height, levels, options.usage, dds.format, options.pool, &texture);
        if (failed(result)) return result;
        for (uint32_t level = 0; level < levels; ++level) texture->writeLevel(0, level, dds.levelData(level));
        *out = texture;
        return Result::Ok;
    }
    image::Image picture;
    picture.width = int(dds.width);
    picture.height = int(dds.height);
    if (!convertToArgb(*formatInfo(dds.format), dds.levelData(0), dds.width, dds.height, picture.argb)) {
        std::fprintf(stderr, "gfx: DDS file \"%s\" cannot be converted\n", path.c_str());
        return Result::Fail;
    }
    return textureFromPicture(device, picture, options, out);
}

Result cubeTextureFromDds(Device* device, const uint8_t* bytes, std::size_t size, const std::string& name,
                          CubeTexture** out) {
    if (!out) return Result::InvalidCall;
    *out = nullptr;
    if (!device || !bytes) return Result::InvalidCall;
    DdsImage dds;
    std::string error;
    if (!parseDds(bytes, size, dds, error)) {
        std::fprintf(stderr, "gfx: DDS file \"%s\" refused: %s\n", name.c_str(), error.c_str());
        return Result::Fail;
    }
    if (!dds.cubeMap) {
        std::fprintf(stderr, "gfx: DDS file \"%s\" is no cube map\n", name.c_str());
        return Result::Fail;
    }
    CubeTexture* texture = nullptr;
    const uint32_t levels = uint32_t(dds.levels.size());
    Result result = device->createCubeTexture(dds.width, levels, 0, dds.format, Pool::Managed, &texture);
    if (failed(result)) return result;
    for (uint32_t face = 0; face < dds.faces; ++face) {
        for (uint32_t level = 0; level < levels; ++level) texture->writeLevel(face, level, dds.levelData(face, level));
    }
    *out = texture;
    return Result::Ok;
}

} // namespace

Result createCubeTextureFromFile(Device* device, const std::string& path, CubeTexture** out) {
    if (out) *out = nullptr;
    std::string bytes;
    if (!platform::readWholeFile(platform::resolvePath(path), bytes)) {
        std::fprintf(stderr, "gfx: cannot read \"%s\"\n", path.c_str());
        return Result::Fail;
    }
    return cubeTextureFromDds(device, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), path, out);
}

Result createCubeTextureFromFileInMemory(Device* device, const void* data, std::size_t size, CubeTexture** out) {
    return cubeTextureFromDds(device, static_cast<const uint8_t*>(data), size, "(in memory)", out);
}

Result createTextureFromFile(Device* device, const std::string& path, Texture** out) {
    return createTextureFromFileEx(device, path, TextureFileOptions{}, out);
}

Result createTextureFromFileEx(Device* device, const std::string& path, const TextureFileOptions& options,
                               Texture** out) {
    if (!out) return Result::InvalidCall;
    *out = nullptr;
    if (!device || (options.format != Format::A8R8G8B8 && options.format != Format::X8R8G8B8 &&
                    options.format != Format::FromFile))
        return Result::InvalidCall;
    const std::string resolved = platform::resolvePath(path);
    if (isDdsPath(resolved)) return textureFromDds(device, resolved, options, out);
    image::Image picture;
    std::string error;
    if (!image::loadImageFile(resolved, picture, &error)) {
        // Pictures come from users too (portraits): say why one is refused, as a DDS file does.
        std::fprintf(stderr, "gfx: picture \"%s\" refused: %s\n", path.c_str(), error.c_str());
        return Result::Fail;
    }
    return textureFromPicture(device, picture, options, out);
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
