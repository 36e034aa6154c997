#include "platform/image/image_file.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

#include <climits>
#include <cstring>
#include <mutex>

#include "platform/file_io.h"
#include "platform/image/picture_info.h"
#include "platform/paths.h"

namespace image {
namespace {

bool fail(std::string* error, const std::string& what) {
    if (error) *error = what;
    return false;
}

std::string sdlError() {
    const char* message = SDL_GetError();
    return message && *message ? message : "unknown error";
}

// Once per process, before any thread decodes: the loaders would otherwise each set up
// their library on first use, unsynchronised.
void initDecoders() {
    static std::once_flag once;
    std::call_once(once, [] { IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG); });
}

SDL_Surface* decode(SDL_RWops* source, PictureFormat format) {
    switch (format) {
    case PictureFormat::Png: return IMG_LoadPNG_RW(source);
    case PictureFormat::Jpeg: return IMG_LoadJPG_RW(source);
    case PictureFormat::Bmp: return SDL_LoadBMP_RW(source, 0);
    case PictureFormat::Tga: return IMG_LoadTGA_RW(source);
    }
    return nullptr;
}

// The size is checked from the header first, so the decoders only ever see pictures within
// the limits; the decoded surface is checked again in case the header and the data disagree.
bool loadFromSource(SDL_RWops* source, Image& out, std::string* error) {
    const ReadAt readAt = [source](std::uint64_t offset, std::uint8_t* bytes, std::size_t count) {
        if (offset > std::uint64_t(INT64_MAX) || SDL_RWseek(source, Sint64(offset), RW_SEEK_SET) < 0) return false;
        return SDL_RWread(source, bytes, 1, count) == count;
    };
    PictureInfo info;
    std::string reason;
    if (!readPictureInfo(readAt, info, reason)) return fail(error, reason);
    if (SDL_RWseek(source, 0, RW_SEEK_SET) < 0) return fail(error, sdlError());

    initDecoders();
    SDL_Surface* decoded = decode(source, info.format);
    if (!decoded) return fail(error, "cannot decode the picture: " + sdlError());
    if (decoded->w != info.width || decoded->h != info.height) {
        SDL_FreeSurface(decoded);
        return fail(error, "the picture's data does not match the size in its header");
    }
    // One conversion covers every layout the decoders give: palettes, colour keys, 24-bit.
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(decoded);
    if (!argb) return fail(error, "cannot convert the picture: " + sdlError());
    out.width = argb->w;
    out.height = argb->h;
    out.argb.resize(std::size_t(argb->w) * std::size_t(argb->h));
    for (int y = 0; y < argb->h; ++y)
        std::memcpy(&out.at(0, y), static_cast<const std::uint8_t*>(argb->pixels) + std::size_t(y) * argb->pitch,
                    std::size_t(argb->w) * 4);
    SDL_FreeSurface(argb);
    return true;
}

// An SDL stream that appends everything written to a string.
SDL_RWops* openStringWriter(std::string& target) {
    SDL_RWops* stream = SDL_AllocRW();
    if (!stream) return nullptr;
    stream->type = SDL_RWOPS_UNKNOWN;
    stream->hidden.unknown.data1 = &target;
    stream->size = [](SDL_RWops* self) -> Sint64 {
        return Sint64(static_cast<std::string*>(self->hidden.unknown.data1)->size());
    };
    stream->seek = [](SDL_RWops* self, Sint64, int) -> Sint64 {
        return Sint64(static_cast<std::string*>(self->hidden.unknown.data1)->size());
    };
    stream->read = [](SDL_RWops*, void*, size_t, size_t) -> size_t { return 0; };
    stream->write = [](SDL_RWops* self, const void* data, size_t size, size_t count) -> size_t {
        static_cast<std::string*>(self->hidden.unknown.data1)->append(static_cast<const char*>(data), size * count);
        return count;
    };
    stream->close = [](SDL_RWops* self) -> int {
        SDL_FreeRW(self);
        return 0;
    };
    return stream;
}

} // namespace

bool loadImageFromMemory(const uint8_t* data, std::size_t size, Image& out, std::string* error) {
    out = Image();
    if (!data || size == 0) return fail(error, "empty image data");
    if (size > static_cast<std::size_t>(INT_MAX)) return fail(error, "image data too large");
    SDL_RWops* source = SDL_RWFromConstMem(data, int(size));
    if (!source) return fail(error, sdlError());
    const bool loaded = loadFromSource(source, out, error);
    SDL_RWclose(source);
    if (!loaded) out = Image();
    return loaded;
}

bool loadImageFile(const std::string& path, Image& out, std::string* error) {
    out = Image();
    const std::string resolved = platform::resolvePath(path);
    if (!platform::pathExists(resolved)) return fail(error, path + ": no such file");
    if (!platform::isRegularFile(resolved)) return fail(error, path + ": not a file");
    SDL_RWops* source = SDL_RWFromFile(resolved.c_str(), "rb");
    if (!source) return fail(error, path + ": cannot be read (" + sdlError() + ")");
    const bool loaded = loadFromSource(source, out, error);
    SDL_RWclose(source);
    if (!loaded) {
        out = Image();
        if (error) *error = path + ": " + *error;
    }
    return loaded;
}

bool savePngFile(const std::string& path, const Image& picture, std::string* error) {
    if (picture.empty() || picture.argb.size() != static_cast<std::size_t>(picture.width) * picture.height)
        return fail(error, "no picture to save");
    // The surface only borrows the pixels; the encoder reads them as they are.
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(picture.argb.data()), picture.width,
                                                              picture.height, 32, picture.width * 4,
                                                              SDL_PIXELFORMAT_ARGB8888);
    if (!surface) return fail(error, "cannot encode PNG: " + sdlError());
    initDecoders();
    std::string png;
    SDL_RWops* stream = openStringWriter(png);
    const bool encoded = stream && IMG_SavePNG_RW(surface, stream, 1) == 0;
    SDL_FreeSurface(surface);
    if (!encoded) return fail(error, "cannot encode PNG: " + sdlError());
    return platform::writeFileAtomically(path, png, error);
}

bool saveJpegFile(const std::string& path, const Image& picture, int quality, std::string* error) {
    if (picture.empty() || picture.argb.size() != static_cast<std::size_t>(picture.width) * picture.height)
        return fail(error, "no picture to save");
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(picture.argb.data()), picture.width,
                                                              picture.height, 32, picture.width * 4,
                                                              SDL_PIXELFORMAT_ARGB8888);
    if (!surface) return fail(error, "cannot encode JPG: " + sdlError());
    initDecoders();
    std::string jpeg;
    SDL_RWops* stream = openStringWriter(jpeg);
    const bool encoded = stream && IMG_SaveJPG_RW(surface, stream, 1, quality) == 0;
    SDL_FreeSurface(surface);
    if (!encoded) return fail(error, "cannot encode JPG: " + sdlError());
    return platform::writeFileAtomically(path, jpeg, error);
}

} // namespace image
