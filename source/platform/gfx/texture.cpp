#include "platform/gfx/texture.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <cstring>

#include "platform/gfx/format_info.h"
#include "platform/gfx/gl_units.h"
#include "platform/gfx/surface.h"

namespace gfx {

namespace {

// Eight-bit colour with alpha given as B, G, R, A bytes goes in as the unsized GL_RGBA, which
// lets GL keep that byte order: uploads are plain copies, and software GL (llvmpipe) samples
// only such textures on its fast span path.
GLint storageFormat(const FormatInfo& info) {
    if (info.glInternal == GL_RGBA8 && info.glFormat == GL_BGRA && info.glType == GL_UNSIGNED_BYTE) return GL_RGBA;
    return GLint(info.glInternal);
}

uint32_t fullChain(uint32_t width, uint32_t height) {
    uint32_t levels = 1;
    for (uint32_t size = std::max(width, height); size > 1; size /= 2) ++levels;
    return levels;
}

GLenum faceTarget(ResourceType type, uint32_t face) {
    return type == ResourceType::CubeTexture ? GLenum(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face) : GLenum(GL_TEXTURE_2D);
}

bool storesDecoded(const FormatInfo& info, const ContextState& context) {
    return info.isCompressed() && !context.hasS3tc;
}

bool emptyRect(const Rect& r) { return r.left >= r.right || r.top >= r.bottom; }

Rect unite(const Rect& a, const Rect& b) {
    if (emptyRect(a)) return b;
    return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

} // namespace

BaseTexture::BaseTexture(const ContextLink& context, ResourceType type, uint32_t width, uint32_t height,
                         uint32_t levels, uint32_t usage, Format format, Pool pool)
    : context_(context), type_(type), width_(width), height_(height), levels_(levels), usage_(usage),
      format_(format), pool_(pool), info_(formatInfo(format)) {}

BaseTexture::~BaseTexture() {
    for (Surface* surface : surfaces_) delete surface;
    if (glName_) context_->deleteObject(GlObject::Texture, glName_);
    if (counted_) --context_->defaultPoolObjects;
}

uint32_t BaseTexture::levelWidth(uint32_t level) const { return std::max(1u, width_ >> std::min(level, 31u)); }
uint32_t BaseTexture::levelHeight(uint32_t level) const { return std::max(1u, height_ >> std::min(level, 31u)); }

unsigned BaseTexture::glTarget() const {
    return type_ == ResourceType::CubeTexture ? GL_TEXTURE_CUBE_MAP : GL_TEXTURE_2D;
}

Result BaseTexture::createStorage() {
    if (!info_ || info_->depth || width_ == 0 || height_ == 0) return Result::InvalidCall;
    if (levels_ == 0) levels_ = fullChain(width_, height_);
    levels_ = std::min(levels_, fullChain(width_, height_));
    if (type_ == ResourceType::CubeTexture && width_ != height_) return Result::InvalidCall;
    if ((usage_ & Usage::RenderTarget) && (pool_ != Pool::Default || info_->isCompressed())) return Result::InvalidCall;
    if (pool_ != Pool::SystemMemory) {
        if (!context_->alive || !context_->onDrawingThread()) return Result::InvalidCall;
        if (width_ > uint32_t(context_->maxTextureSize) || height_ > uint32_t(context_->maxTextureSize))
            return Result::OutOfVideoMemory;
    }
    levelData_.resize(std::size_t(faceCount()) * levels_);
    surfaces_.assign(levelData_.size(), nullptr);
    if (pool_ == Pool::Default) {
        counted_ = true;
        ++context_->defaultPoolObjects;
    }
    if (keepsCpuCopy()) {
        for (uint32_t face = 0; face < faceCount(); ++face)
            for (uint32_t level = 0; level < levels_; ++level)
                levelOf(face, level).cpu.assign(levelBytes(*info_, levelWidth(level), levelHeight(level)), 0);
    }
    if (pool_ == Pool::SystemMemory) return Result::Ok;

    const bool decoded = storesDecoded(*info_, *context_);
    glActiveTexture(GL_TEXTURE0 + kScratchTextureUnit);
    glGenTextures(1, &glName_);
    glBindTexture(glTarget(), glName_);
    glTexParameteri(glTarget(), GL_TEXTURE_BASE_LEVEL, 0);
    glTexParameteri(glTarget(), GL_TEXTURE_MAX_LEVEL, GLint(levels_ - 1));
    glTexParameteriv(glTarget(), GL_TEXTURE_SWIZZLE_RGBA, info_->swizzle);
    glGetError();
    for (uint32_t face = 0; face < faceCount(); ++face) {
        for (uint32_t level = 0; level < levels_; ++level) {
            const GLsizei w = GLsizei(levelWidth(level)), h = GLsizei(levelHeight(level));
            const GLenum target = faceTarget(type_, face);
            const uint8_t* zeros = keepsCpuCopy() ? levelOf(face, level).cpu.data() : nullptr;
            if (info_->isCompressed() && !decoded) {
                std::vector<uint8_t> blank;
                if (!zeros) {
                    blank.assign(levelBytes(*info_, w, h), 0);
                    zeros = blank.data();
                }
                glCompressedTexImage2D(target, GLint(level), info_->glInternal, w, h, 0,
                                       GLsizei(levelBytes(*info_, w, h)), zeros);
            } else if (decoded) {
                glTexImage2D(target, GLint(level), GL_RGBA, w, h, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
            } else {
                glTexImage2D(target, GLint(level), storageFormat(*info_), w, h, 0, info_->glFormat, info_->glType,
                             zeros);
            }
        }
    }
    if (glGetError() != GL_NO_ERROR) return Result::OutOfVideoMemory;
    return Result::Ok;
}

const std::vector<uint8_t>* BaseTexture::cpuLevel(uint32_t face, uint32_t level) const {
    if (!keepsCpuCopy() || !validLevel(face, level)) return nullptr;
    return &levelData_[face * levels_ + level].cpu;
}

void BaseTexture::upload(uint32_t face, uint32_t level, const uint8_t* data) {
    if (!glName_ || !context_->alive) return;
    const GLsizei w = GLsizei(levelWidth(level)), h = GLsizei(levelHeight(level));
    const GLenum target = faceTarget(type_, face);
    glActiveTexture(GL_TEXTURE0 + kScratchTextureUnit);
    glBindTexture(glTarget(), glName_);
    if (storesDecoded(*info_, *context_)) {
        std::vector<uint32_t> argb;
        if (convertToArgb(*info_, data, uint32_t(w), uint32_t(h), argb))
            glTexSubImage2D(target, GLint(level), 0, 0, w, h, GL_BGRA, GL_UNSIGNED_BYTE, argb.data());
    } else if (info_->isCompressed()) {
        glCompressedTexSubImage2D(target, GLint(level), 0, 0, w, h, info_->glInternal,
                                  GLsizei(levelBytes(*info_, w, h)), data);
    } else {
        glTexSubImage2D(target, GLint(level), 0, 0, w, h, info_->glFormat, info_->glType, data);
    }
    ++context_->statistics.textureUploads;
    context_->statistics.textureBytesUploaded += levelBytes(*info_, uint32_t(w), uint32_t(h));
}

void BaseTexture::uploadRect(uint32_t face, uint32_t level, const uint8_t* levelData, const Rect& rect) {
    const uint32_t w = levelWidth(level), h = levelHeight(level);
    if (!glName_ || !context_->alive) return;
    if (info_->isCompressed() || (rect.left == 0 && rect.top == 0 && rect.right == int32_t(w) &&
                                  rect.bottom == int32_t(h))) {
        upload(face, level, levelData);
        return;
    }
    const uint32_t rw = uint32_t(rect.right - rect.left), rh = uint32_t(rect.bottom - rect.top);
    glActiveTexture(GL_TEXTURE0 + kScratchTextureUnit);
    glBindTexture(glTarget(), glName_);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, GLint(w));
    const std::size_t offset =
        std::size_t(rect.top) * rowPitch(*info_, w) + std::size_t(rect.left) * info_->bytesPerPixel;
    glTexSubImage2D(faceTarget(type_, face), GLint(level), rect.left, rect.top, GLsizei(rw), GLsizei(rh),
                    info_->glFormat, info_->glType, levelData + offset);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    ++context_->statistics.textureUploads;
    context_->statistics.textureBytesUploaded += std::size_t(rw) * rh * info_->bytesPerPixel;
}

void BaseTexture::flushUploads() {
    if (!pendingUploads_) return;
    pendingUploads_ = false;
    for (uint32_t face = 0; face < faceCount(); ++face) {
        for (uint32_t level = 0; level < levels_; ++level) {
            Level& entry = levelOf(face, level);
            if (emptyRect(entry.pending)) continue;
            uploadRect(face, level, entry.cpu.data(), entry.pending);
            entry.pending = Rect{};
        }
    }
}

Result BaseTexture::writeLevel(uint32_t face, uint32_t level, const uint8_t* data) {
    if (!validLevel(face, level) || !data) return Result::InvalidCall;
    Level& entry = levelOf(face, level);
    if (entry.locked) return Result::InvalidCall;
    if (keepsCpuCopy()) std::memcpy(entry.cpu.data(), data, entry.cpu.size());
    entry.pending = Rect{};
    upload(face, level, data);
    return Result::Ok;
}

Result BaseTexture::addDirtyRect(const Rect*) {
    dirty_ = true;
    return Result::Ok;
}

Result BaseTexture::lockLevel(uint32_t face, uint32_t level, LockedRect& locked, const Rect* rect, uint32_t flags) {
    locked = LockedRect{};
    if (!validLevel(face, level)) return Result::InvalidCall;
    Level& entry = levelOf(face, level);
    if (entry.locked) return Result::InvalidCall;
    const uint32_t w = levelWidth(level), h = levelHeight(level);
    if (rect && (rect->left < 0 || rect->top < 0 || rect->right > int32_t(w) || rect->bottom > int32_t(h) ||
                 rect->left >= rect->right || rect->top >= rect->bottom))
        return Result::InvalidCall;
    if (!keepsCpuCopy()) {
        // The default pool lives on the GPU: fetch the current contents unless the lock is
        // write-only (a discard, or a texture made write-only).
        entry.cpu.assign(levelBytes(*info_, w, h), 0);
        const bool writeOnly = (flags & Lock::Discard) || (usage_ & Usage::WriteOnly);
        if (!writeOnly && glName_ && context_->alive && !storesDecoded(*info_, *context_)) {
            context_->statistics.textureBytesReadBack += entry.cpu.size();
            glActiveTexture(GL_TEXTURE0 + kScratchTextureUnit);
            glBindTexture(glTarget(), glName_);
            if (info_->isCompressed())
                glGetCompressedTexImage(faceTarget(type_, face), GLint(level), entry.cpu.data());
            else
                glGetTexImage(faceTarget(type_, face), GLint(level), info_->glFormat, info_->glType, entry.cpu.data());
        }
    }
    entry.locked = true;
    entry.lockFlags = flags;
    entry.lockRect = rect ? *rect : Rect{0, 0, int32_t(w), int32_t(h)};
    const uint32_t pitch = rowPitch(*info_, w);
    std::size_t offset = 0;
    if (rect) {
        if (info_->isCompressed())
            offset = std::size_t(rect->top / 4) * pitch + std::size_t(rect->left / 4) * info_->blockBytes;
        else
            offset = std::size_t(rect->top) * pitch + std::size_t(rect->left) * info_->bytesPerPixel;
    }
    locked.pitch = int32_t(pitch);
    locked.bits = entry.cpu.data() + offset;
    return Result::Ok;
}

Result BaseTexture::unlockLevel(uint32_t face, uint32_t level) {
    if (!validLevel(face, level)) return Result::InvalidCall;
    Level& entry = levelOf(face, level);
    if (!entry.locked) return Result::InvalidCall;
    entry.locked = false;
    if (!(entry.lockFlags & Lock::ReadOnly)) {
        dirty_ = true;
        if (glName_ && keepsCpuCopy()) {
            entry.pending = unite(entry.pending, entry.lockRect);
            pendingUploads_ = true;
        } else {
            uploadRect(face, level, entry.cpu.data(), entry.lockRect);
        }
    }
    if (!keepsCpuCopy()) std::vector<uint8_t>().swap(entry.cpu);
    return Result::Ok;
}

Result BaseTexture::readLevelArgb(uint32_t face, uint32_t level, std::vector<uint32_t>& argb) const {
    argb.clear();
    if (!validLevel(face, level)) return Result::InvalidCall;
    const uint32_t w = levelWidth(level), h = levelHeight(level);
    if (keepsCpuCopy())
        return convertToArgb(*info_, levelData_[face * levels_ + level].cpu.data(), w, h, argb) ? Result::Ok
                                                                                              : Result::NotAvailable;
    if (!glName_ || !context_->alive) return Result::InvalidCall;
    std::vector<float> rgba(std::size_t(w) * h * 4);
    glActiveTexture(GL_TEXTURE0 + kScratchTextureUnit);
    glBindTexture(glTarget(), glName_);
    glGetTexImage(faceTarget(type_, face), GLint(level), GL_RGBA, GL_FLOAT, rgba.data());
    argbFromRgbaFloats(rgba.data(), std::size_t(w) * h, info_->swizzle, argb);
    return Result::Ok;
}

Surface* BaseTexture::surfaceOf(uint32_t face, uint32_t level) {
    Surface*& surface = surfaces_[face * levels_ + level];
    if (!surface) surface = Surface::makeLevel(this, face, level, levelWidth(level), levelHeight(level));
    return surface;
}

Result Texture::create(const ContextLink& context, uint32_t width, uint32_t height, uint32_t levels, uint32_t usage,
                       Format format, Pool pool, Texture** out) {
    if (!out) return Result::InvalidCall;
    *out = nullptr;
    auto* texture = new Texture(context, ResourceType::Texture, width, height, levels, usage, format, pool);
    Result result = texture->createStorage();
    if (failed(result)) {
        texture->release();
        return result;
    }
    *out = texture;
    return Result::Ok;
}

Result Texture::getLevelDesc(uint32_t level, SurfaceDesc& desc) const {
    if (!validLevel(0, level)) return Result::InvalidCall;
    desc = SurfaceDesc{format(), ResourceType::Surface, usage(), pool(), MultisampleType::None, levelWidth(level),
                       levelHeight(level)};
    return Result::Ok;
}

Result Texture::getSurfaceLevel(uint32_t level, Surface** out) {
    if (!out) return Result::InvalidCall;
    *out = nullptr;
    if (!validLevel(0, level)) return Result::InvalidCall;
    *out = surfaceOf(0, level);
    addRef();
    return Result::Ok;
}

Result CubeTexture::create(const ContextLink& context, uint32_t edge, uint32_t levels, uint32_t usage, Format format,
                           Pool pool, CubeTexture** out) {
    if (!out) return Result::InvalidCall;
    *out = nullptr;
    auto* texture = new CubeTexture(context, ResourceType::CubeTexture, edge, edge, levels, usage, format, pool);
    Result result = texture->createStorage();
    if (failed(result)) {
        texture->release();
        return result;
    }
    *out = texture;
    return Result::Ok;
}

Result CubeTexture::getLevelDesc(uint32_t level, SurfaceDesc& desc) const {
    if (!validLevel(0, level)) return Result::InvalidCall;
    desc = SurfaceDesc{format(), ResourceType::Surface, usage(), pool(), MultisampleType::None, levelWidth(level),
                       levelHeight(level)};
    return Result::Ok;
}

Result CubeTexture::getCubeMapSurface(CubeFace face, uint32_t level, Surface** out) {
    if (!out) return Result::InvalidCall;
    *out = nullptr;
    if (!validLevel(uint32_t(face), level)) return Result::InvalidCall;
    *out = surfaceOf(uint32_t(face), level);
    addRef();
    return Result::Ok;
}

} // namespace gfx
