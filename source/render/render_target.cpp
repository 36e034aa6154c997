#include "render/render_target.h"

#include "platform/gfx/surface.h"
#include "platform/gfx/texture.h"
#include "render/device_global.h"

RenderTarget::RenderTarget(std::uint32_t width, std::uint32_t height, gfx::Format format, bool hasDepth,
                           gfx::MultisampleType multisample)
    : width_(width), height_(height), format_(format), hasDepth_(hasDepth), multisample_(multisample) {}

RenderTarget::~RenderTarget() { releaseResources(); }

gfx::Result RenderTarget::createResources() {
    gfx::Result result = gfx::Result::Ok;
    if (multisample_ != gfx::MultisampleType::None) {
        gfx::safeRelease(renderSurface_);
        result = deviceGlobal->createRenderTarget(width_, height_, format_, multisample_, &renderSurface_);
        result = deviceGlobal->createTexture(width_, height_, 1, gfx::Usage::RenderTarget, format_,
                                             gfx::Pool::Default, &resolveTexture_);
    } else {
        result = deviceGlobal->createTexture(width_, height_, 1, gfx::Usage::RenderTarget, format_,
                                             gfx::Pool::Default, &texture_);
        if (texture_ && surfaceReleased_) {
            texture_->getSurfaceLevel(0, &renderSurface_);
        }
    }
    if (hasDepth_) {
        result = deviceGlobal->createDepthStencilSurface(width_, height_, gfx::Format::D24S8, multisample_,
                                                         &depthStencil_);
    }
    return result;
}

void RenderTarget::releaseResources() {
    gfx::safeRelease(renderSurface_);
    surfaceReleased_ = true;
    gfx::safeRelease(texture_);
    gfx::safeRelease(depthStencil_);
    gfx::safeRelease(resolveTexture_);
}

std::uint32_t RenderTarget::clearFlags() const {
    return hasDepth_ ? gfx::Clear::Target | gfx::Clear::ZBuffer : gfx::Clear::Target;
}

void RenderTarget::bind(std::uint32_t colour, std::uint32_t index, bool clear) {
    if (multisample_ != gfx::MultisampleType::None) {
        deviceGlobal->setRenderTarget(index, renderSurface_);
    } else if (texture_) {
        gfx::Surface* surface = nullptr;
        texture_->getSurfaceLevel(0, &surface);
        deviceGlobal->setRenderTarget(index, surface);
        gfx::safeRelease(surface);
    }
    if (hasDepth_) {
        deviceGlobal->setDepthStencilSurface(depthStencil_);
        deviceGlobal->setRenderState(gfx::RenderState::ZEnable, 1);
    }
    if (clear) {
        deviceGlobal->clear(clearFlags(), colour, 1.0f, 0);
        deviceGlobal->beginScene();
    }
}

void RenderTarget::unbind(std::uint32_t index) {
    if (index == 0) {
        deviceGlobal->endScene();
    } else {
        deviceGlobal->setRenderTarget(index, nullptr);
    }
    if (multisample_ != gfx::MultisampleType::None && resolveTexture_) {
        gfx::Surface* resolved = nullptr;
        resolveTexture_->getSurfaceLevel(0, &resolved);
        deviceGlobal->stretchRect(renderSurface_, nullptr, resolved, nullptr, gfx::TextureFilter::Point);
        gfx::safeRelease(resolved);
    }
    if (hasDepth_ && index == 0) {
        deviceGlobal->setDepthStencilSurface(nullptr);
        deviceGlobal->setRenderState(gfx::RenderState::ZEnable, 0);
    }
}

void RenderTarget::clear(std::uint32_t colour) { deviceGlobal->clear(clearFlags(), colour, 1.0f, 0); }
