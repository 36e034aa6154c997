#include "platform/gfx/surface.h"

#include <epoxy/gl.h>

#include <algorithm>

#include "platform/gfx/format_info.h"
#include "platform/gfx/gl_units.h"
#include "platform/gfx/texture.h"

namespace gfx {

Surface* Surface::makeLevel(BaseTexture* texture, uint32_t face, uint32_t level, uint32_t width, uint32_t height) {
    auto* surface = new Surface();
    surface->container_ = texture;
    surface->face_ = face;
    surface->level_ = level;
    surface->width_ = width;
    surface->height_ = height;
    surface->format_ = texture->format();
    return surface;
}

Result Surface::makeRenderbuffer(const ContextLink& context, uint32_t width, uint32_t height, Format format,
                                 MultisampleType multisample, bool countsAsDefaultPool, Surface** out) {
    if (!out) return Result::InvalidCall;
    *out = nullptr;
    const FormatInfo* info = formatInfo(format);
    if (!info || info->isCompressed() || width == 0 || height == 0 || !context->alive || !context->onDrawingThread())
        return Result::InvalidCall;
    // Checked here rather than left to GL, so an impossible size is no GL error.
    if (width > uint32_t(context->maxRenderbufferSize) || height > uint32_t(context->maxRenderbufferSize))
        return Result::OutOfVideoMemory;
    GLint maxSamples = 0;
    glGetIntegerv(GL_MAX_SAMPLES, &maxSamples);
    const uint32_t samples = std::min(uint32_t(multisample), uint32_t(std::max(0, maxSamples)));
    auto* surface = new Surface();
    surface->context_ = context;
    surface->width_ = width;
    surface->height_ = height;
    surface->format_ = format;
    surface->multisample_ = multisample;
    surface->samples_ = samples;
    glGetError();
    glGenRenderbuffers(1, &surface->renderbuffer_);
    glBindRenderbuffer(GL_RENDERBUFFER, surface->renderbuffer_);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, GLsizei(samples), info->glInternal, GLsizei(width),
                                     GLsizei(height));
    if (countsAsDefaultPool) {
        surface->countedInDefaultPool_ = true;
        ++context->defaultPoolObjects;
    }
    if (glGetError() != GL_NO_ERROR) {
        surface->release();
        return Result::OutOfVideoMemory;
    }
    *out = surface;
    return Result::Ok;
}

Result Surface::makeBackBuffer(const ContextLink& context, uint32_t width, uint32_t height, Format format,
                               MultisampleType multisample, Surface** out) {
    if (!out) return Result::InvalidCall;
    *out = nullptr;
    if (multisample != MultisampleType::None || (format != Format::X8R8G8B8 && format != Format::A8R8G8B8))
        return makeRenderbuffer(context, width, height, format, multisample, false, out);
    if (width == 0 || height == 0 || !context->alive || !context->onDrawingThread()) return Result::InvalidCall;
    if (width > uint32_t(context->maxTextureSize) || height > uint32_t(context->maxTextureSize))
        return Result::OutOfVideoMemory;
    auto* surface = new Surface();
    surface->context_ = context;
    surface->width_ = width;
    surface->height_ = height;
    surface->format_ = format;
    glGetError();
    glActiveTexture(GL_TEXTURE0 + kScratchTextureUnit);
    glGenTextures(1, &surface->imageTexture_);
    glBindTexture(GL_TEXTURE_2D, surface->imageTexture_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    // An unsized internal format lets GL keep the layout of the data, B, G, R, A bytes.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, GLsizei(width), GLsizei(height), 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
    glBindTexture(GL_TEXTURE_2D, 0);
    if (glGetError() != GL_NO_ERROR) {
        surface->release();
        return Result::OutOfVideoMemory;
    }
    *out = surface;
    return Result::Ok;
}

bool Surface::storesUnusedAlpha() const { return imageTexture_ && format_ == Format::X8R8G8B8; }

Surface::~Surface() {
    if (renderbuffer_ && context_) context_->deleteObject(GlObject::Renderbuffer, renderbuffer_);
    if (imageTexture_ && context_) context_->deleteObject(GlObject::Texture, imageTexture_);
    if (countedInDefaultPool_) --context_->defaultPoolObjects;
}

uint32_t Surface::addRef() { return container_ ? container_->addRef() : RefCounted::addRef(); }
uint32_t Surface::release() { return container_ ? container_->release() : RefCounted::release(); }

bool Surface::isDepth() const {
    const FormatInfo* info = formatInfo(format_);
    return info && info->depth;
}

Result Surface::getDesc(SurfaceDesc& desc) const {
    desc = SurfaceDesc{};
    desc.format = format_;
    desc.type = ResourceType::Surface;
    desc.width = width_;
    desc.height = height_;
    if (container_) {
        desc.usage = container_->usage();
        desc.pool = container_->pool();
    } else {
        desc.usage = isDepth() ? Usage::DepthStencil : Usage::RenderTarget;
        desc.pool = Pool::Default;
        desc.multiSampleType = multisample_;
    }
    return Result::Ok;
}

Result Surface::lockRect(LockedRect& locked, const Rect* rect, uint32_t flags) {
    locked = LockedRect{};
    if (!container_) return Result::InvalidCall;
    return container_->lockLevel(face_, level_, locked, rect, flags);
}

Result Surface::unlockRect() {
    if (!container_) return Result::InvalidCall;
    return container_->unlockLevel(face_, level_);
}

} // namespace gfx
