#include "platform/gfx/device.h"

#include <SDL2/SDL.h>
#include <epoxy/gl.h>

#include <algorithm>
#include <cstdio>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "platform/gfx/device_internal.h"
#include "platform/gfx/format_info.h"
#include "platform/gfx/gl_units.h"
#include "platform/gfx/graphics_system.h"

namespace gfx {

using detail::attach;
using detail::replace;
using detail::stateIndex;

namespace {

// Shader compiler messages come back as the effect's error text instead.
void GLAPIENTRY onDebugMessage(GLenum source, GLenum type, GLuint, GLenum, GLsizei, const GLchar* message,
                               const void*) {
    if (type != GL_DEBUG_TYPE_ERROR || source == GL_DEBUG_SOURCE_SHADER_COMPILER) return;
    if (GlErrorHandler handler = glErrorHandler()) handler(message);
}

// Software GL (llvmpipe) allocates its binning memory and every orphaned buffer afresh each
// frame and frees it again. With glibc's defaults the freed memory goes back to the kernel at
// once (heap trimming, and mmap for blocks of 128 KB and more), so each frame pays page faults
// and page clearing for it again: a sixth of a UI frame's CPU time. Freed memory up to these
// sizes stays in the process instead. Set once, before the first context.
void keepFreedHeapMemory() {
#ifdef __GLIBC__
    static const bool done = [] {
        mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
        mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
        return true;
    }();
    (void)done;
#endif
}

} // namespace

void ContextState::deleteNow(GlObject kind, unsigned name) {
    switch (kind) {
    case GlObject::Buffer: glDeleteBuffers(1, &name); break;
    case GlObject::Texture: glDeleteTextures(1, &name); break;
    case GlObject::Renderbuffer: glDeleteRenderbuffers(1, &name); break;
    case GlObject::Program:
        // A later program may get the same name; its shift must be uploaded afresh.
        pixelCentreSizes.erase(name);
        if (device && device->currentProgram() == name) device->useProgram(0, -1);
        glDeleteProgram(name);
        break;
    }
}

void ContextState::deleteQueued() {
    std::vector<std::pair<GlObject, unsigned>> work;
    {
        std::lock_guard<std::mutex> lock(queueMutex);
        work.swap(queued);
    }
    if (!alive) return;
    for (const auto& [kind, name] : work) deleteNow(kind, name);
}

void Device::collectReleased() {
    if (context_) context_->deleteQueued();
}

namespace detail {

std::atomic<Device*> lastDevice{nullptr};

void attach(GLenum target, GLenum attachment, Surface* surface) {
    if (!surface) {
        glFramebufferRenderbuffer(target, attachment, GL_RENDERBUFFER, 0);
    } else if (surface->imageTexture()) {
        glFramebufferTexture2D(target, attachment, GL_TEXTURE_2D, surface->imageTexture(), 0);
    } else if (surface->renderbuffer()) {
        glFramebufferRenderbuffer(target, attachment, GL_RENDERBUFFER, surface->renderbuffer());
    } else {
        BaseTexture* texture = surface->container();
        GLenum face = texture->type() == ResourceType::CubeTexture ? GL_TEXTURE_CUBE_MAP_POSITIVE_X + surface->face()
                                                                    : GL_TEXTURE_2D;
        glFramebufferTexture2D(target, attachment, face, texture->glName(), GLint(surface->level()));
    }
}

} // namespace detail

void Device::resolveColour(Surface* from, Surface* to, int width, int height) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, readFramebuffer_);
    attach(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, from);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, drawFramebuffer_);
    attach(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, to);
    attach(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT1, nullptr);
    attach(GL_DRAW_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, nullptr);
    glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
}

Device::~Device() {
    if (detail::lastDevice == this) detail::lastDevice = nullptr;
    for (Surface*& target : renderTargets_) safeRelease(target);
    safeRelease(depthStencil_);
    safeRelease(backBuffer_);
    safeRelease(backBufferResolve_);
    for (SamplerUnit& unit : samplers_) safeRelease(unit.texture);
    for (Stream& stream : streams_) safeRelease(stream.buffer);
    safeRelease(indices_);
    safeRelease(declaration_);
    if (context_) {
        context_->deleteQueued();
        context_->alive = false;
    }
    if (glContext_) {
        SDL_GL_MakeCurrent(window_, static_cast<SDL_GLContext>(glContext_));
        SDL_GL_DeleteContext(static_cast<SDL_GLContext>(glContext_));
    }
}

Result Device::initialise(WindowHandle window, PresentParameters& parameters) {
    if (!window) return Result::InvalidCall;
    window_ = window;
    keepFreedHeapMemory();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    glContext_ = SDL_GL_CreateContext(window);
    if (!glContext_) {
        std::fprintf(stderr, "OpenGL context: %s\n", SDL_GetError());
        return Result::NotAvailable;
    }
    if (epoxy_gl_version() < 33) return Result::NotAvailable;

    context_ = std::make_shared<ContextState>();
    context_->device = this;
    context_->hasS3tc = epoxy_has_gl_extension("GL_EXT_texture_compression_s3tc") && driverS3tcAllowed();
    context_->hasAnisotropy = epoxy_gl_version() >= 46 || epoxy_has_gl_extension("GL_EXT_texture_filter_anisotropic") ||
                              epoxy_has_gl_extension("GL_ARB_texture_filter_anisotropic");
    if (context_->hasAnisotropy) glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &context_->maxAnisotropy);
    debugGroups_ = epoxy_gl_version() >= 43 || epoxy_has_gl_extension("GL_KHR_debug");
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &context_->maxTextureSize);
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &context_->maxRenderbufferSize);
    if (glErrorHandler() && debugGroups_) {
        glEnable(GL_DEBUG_OUTPUT);
        glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
        glDebugMessageCallback(onDebugMessage, nullptr);
    }

    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGenVertexArrays(1, &vertexArray_);
    glBindVertexArray(vertexArray_);
    glGenFramebuffers(1, &drawFramebuffer_);
    glGenFramebuffers(1, &readFramebuffer_);
    for (uint32_t i = 0; i < kMaxSamplers; ++i) glGenSamplers(1, &samplers_[i].glSampler);

    const uint32_t black = 0;
    glActiveTexture(GL_TEXTURE0 + kScratchTextureUnit);
    glGenTextures(1, &blackTexture2D_);
    glBindTexture(GL_TEXTURE_2D, blackTexture2D_);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_BGRA, GL_UNSIGNED_BYTE, &black);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glGenTextures(1, &blackTextureCube_);
    glBindTexture(GL_TEXTURE_CUBE_MAP, blackTextureCube_);
    for (int face = 0; face < 6; ++face)
        glTexImage2D(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, GL_RGBA8, 1, 1, 0, GL_BGRA, GL_UNSIGNED_BYTE, &black);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAX_LEVEL, 0);

    parameters.deviceWindow = window;
    parameters_ = parameters;
    SDL_SetWindowFullscreen(window_, parameters_.windowed ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    Result result = createBackBuffer();
    if (failed(result)) return result;
    parameters.backBufferWidth = parameters_.backBufferWidth;
    parameters.backBufferHeight = parameters_.backBufferHeight;
    resetStates();
    detail::lastDevice = this;
    return Result::Ok;
}

Result Device::createBackBuffer() {
    safeRelease(backBuffer_);
    safeRelease(backBufferResolve_);
    if (parameters_.backBufferWidth == 0 || parameters_.backBufferHeight == 0) {
        int w = 0, h = 0;
        SDL_GL_GetDrawableSize(window_, &w, &h);
        if (parameters_.backBufferWidth == 0) parameters_.backBufferWidth = uint32_t(std::max(1, w));
        if (parameters_.backBufferHeight == 0) parameters_.backBufferHeight = uint32_t(std::max(1, h));
    }
    Result result = Surface::makeBackBuffer(context_, parameters_.backBufferWidth, parameters_.backBufferHeight,
                                            Format::X8R8G8B8, parameters_.multiSampleType, &backBuffer_);
    if (failed(result)) return result;
    if (backBuffer_->samples() > 0) {
        result = Surface::makeRenderbuffer(context_, parameters_.backBufferWidth, parameters_.backBufferHeight,
                                           Format::X8R8G8B8, MultisampleType::None, false, &backBufferResolve_);
        if (failed(result)) return result;
    }
    SDL_GL_SetSwapInterval(parameters_.presentationInterval == PresentInterval::Immediate ? 0 : 1);
    return Result::Ok;
}

void Device::resetStates() {
    for (Surface*& target : renderTargets_) safeRelease(target);
    safeRelease(depthStencil_);
    replace(renderTargets_[0], backBuffer_);
    if (parameters_.enableAutoDepthStencil) {
        Surface* depth = nullptr;
        if (succeeded(Surface::makeRenderbuffer(context_, parameters_.backBufferWidth, parameters_.backBufferHeight,
                                                Format::D24S8, parameters_.multiSampleType, false, &depth))) {
            depthStencil_ = depth;
        }
    }
    auto set = [this](RenderState state, uint32_t value) { renderStates_[size_t(stateIndex(state))] = value; };
    set(RenderState::ZEnable, depthStencil_ ? 1 : 0);
    set(RenderState::ZWriteEnable, 1);
    set(RenderState::SrcBlend, uint32_t(Blend::One));
    set(RenderState::DestBlend, uint32_t(Blend::Zero));
    set(RenderState::CullMode, uint32_t(Cull::CCW));
    set(RenderState::ZFunc, uint32_t(CompareFunc::LessEqual));
    set(RenderState::AlphaBlendEnable, 0);
    set(RenderState::BlendOp, uint32_t(BlendOp::Add));
    set(RenderState::ScissorTestEnable, 0);
    set(RenderState::MultisampleAntialias, 1);
    set(RenderState::SeparateAlphaBlendEnable, 0);
    set(RenderState::SrcBlendAlpha, uint32_t(Blend::One));
    set(RenderState::DestBlendAlpha, uint32_t(Blend::Zero));
    set(RenderState::BlendOpAlpha, uint32_t(BlendOp::Add));
    dirtyGroups_ = AllGroups;
    for (SamplerUnit& unit : samplers_) {
        unit.states.fill(0);
        unit.states[size_t(SamplerState::AddressU)] = uint32_t(TextureAddress::Wrap);
        unit.states[size_t(SamplerState::AddressV)] = uint32_t(TextureAddress::Wrap);
        unit.states[size_t(SamplerState::AddressW)] = uint32_t(TextureAddress::Wrap);
        unit.states[size_t(SamplerState::MagFilter)] = uint32_t(TextureFilter::Point);
        unit.states[size_t(SamplerState::MinFilter)] = uint32_t(TextureFilter::Point);
        unit.states[size_t(SamplerState::MipFilter)] = uint32_t(TextureFilter::None);
        unit.states[size_t(SamplerState::MaxAnisotropy)] = 1;
        safeRelease(unit.texture);
        unit.dirty = true;
    }
    for (Stream& stream : streams_) {
        safeRelease(stream.buffer);
        stream = Stream{};
    }
    safeRelease(indices_);
    safeRelease(declaration_);
    vertexInputDirty_ = true;
    viewport_ = Viewport{0, 0, parameters_.backBufferWidth, parameters_.backBufferHeight, 0.0f, 1.0f};
    scissor_ = Rect{0, 0, int32_t(parameters_.backBufferWidth), int32_t(parameters_.backBufferHeight)};
    framebufferDirty_ = true;
    inScene_ = false;
}

Result Device::testCooperativeLevel() {
    switch (loss_) {
    case LossState::None: return Result::Ok;
    case LossState::Lost: loss_ = LossState::NotReset; return Result::DeviceLost;
    case LossState::NotReset: return Result::DeviceNotReset;
    }
    return Result::Ok;
}

void Device::simulateDeviceLoss() { loss_ = LossState::Lost; }

int Device::liveDefaultPoolObjects() const { return context_ ? context_->defaultPoolObjects.load() : 0; }

Result Device::reset(PresentParameters& parameters) {
    if (loss_ == LossState::Lost) return Result::DeviceLost;
    if (!context_->onDrawingThread()) return Result::InvalidCall;
    collectReleased();
    if (context_->defaultPoolObjects > 0) {
        std::fprintf(stderr, "gfx: reset refused, %d default-pool objects are still alive\n",
                     context_->defaultPoolObjects.load());
        loss_ = LossState::NotReset;
        return Result::InvalidCall;
    }
    const bool windowedChanged = parameters.windowed != parameters_.windowed;
    parameters_ = parameters;
    parameters_.deviceWindow = window_;
    if (windowedChanged) SDL_SetWindowFullscreen(window_, parameters_.windowed ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    Result result = createBackBuffer();
    if (failed(result)) {
        std::fprintf(stderr, "gfx: reset to %u x %u failed\n", parameters_.backBufferWidth,
                     parameters_.backBufferHeight);
        loss_ = LossState::NotReset;
        return result;
    }
    parameters.backBufferWidth = parameters_.backBufferWidth;
    parameters.backBufferHeight = parameters_.backBufferHeight;
    resetStates();
    loss_ = LossState::None;
    return Result::Ok;
}

Result Device::present() {
    if (loss_ != LossState::None) return Result::DeviceLost;
    if (!backBuffer_) return Result::InvalidCall;
    const GLint w = GLint(backBuffer_->width()), h = GLint(backBuffer_->height());
    glDisable(GL_SCISSOR_TEST);
    Surface* shown = backBuffer_;
    if (backBufferResolve_) {
        resolveColour(backBuffer_, backBufferResolve_, w, h);
        shown = backBufferResolve_;
    }
    glBindFramebuffer(GL_READ_FRAMEBUFFER, readFramebuffer_);
    attach(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, shown);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    int windowW = 0, windowH = 0;
    SDL_GL_GetDrawableSize(window_, &windowW, &windowH);
    // Row 0 of every target is the top; the window's row 0 is the bottom.
    glBlitFramebuffer(0, 0, w, h, 0, windowH, windowW, 0, GL_COLOR_BUFFER_BIT,
                      (windowW == w && windowH == h) ? GL_NEAREST : GL_LINEAR);
    SDL_GL_SwapWindow(window_);
    ++presents_;
    framebufferDirty_ = true;
    dirtyGroups_ |= ScissorGroup;
    collectReleased();
    return Result::Ok;
}

Result Device::getDeviceCaps(Caps& caps) const {
    caps = Caps{};
    caps.deviceType = DeviceType::Hal;
    caps.devCaps = DeviceCaps::HardwareTransformAndLight | DeviceCaps::PureDevice;
    caps.vertexShaderVersion = shaderVersion(reportedShaderLevel(), 0);
    caps.pixelShaderVersion = shaderVersion(reportedShaderLevel(), 0);
    GLint size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
    caps.maxTextureWidth = caps.maxTextureHeight = uint32_t(size);
    caps.maxAnisotropy = uint32_t(context_->maxAnisotropy);
    caps.maxSimultaneousRenderTargets = kMaxRenderTargets;
    caps.maxStreams = kMaxStreams;
    return Result::Ok;
}

Result Device::createTexture(uint32_t width, uint32_t height, uint32_t levels, uint32_t usage, Format format,
                             Pool pool, Texture** out) {
    if (context_->onDrawingThread()) collectReleased();
    return Texture::create(context_, width, height, levels, usage, format, pool, out);
}

Result Device::createCubeTexture(uint32_t edge, uint32_t levels, uint32_t usage, Format format, Pool pool,
                                 CubeTexture** out) {
    if (context_->onDrawingThread()) collectReleased();
    return CubeTexture::create(context_, edge, levels, usage, format, pool, out);
}

Result Device::createVertexBuffer(uint32_t length, uint32_t usage, Pool pool, VertexBuffer** out) {
    if (context_->onDrawingThread()) collectReleased();
    return VertexBuffer::create(context_, length, usage, pool, out);
}

Result Device::createIndexBuffer(uint32_t length, uint32_t usage, Format format, Pool pool, IndexBuffer** out) {
    if (context_->onDrawingThread()) collectReleased();
    return IndexBuffer::create(context_, length, usage, format, pool, out);
}

Result Device::createRenderTarget(uint32_t width, uint32_t height, Format format, MultisampleType multisample,
                                  Surface** out) {
    const FormatInfo* info = formatInfo(format);
    if (!info || info->depth) {
        if (out) *out = nullptr;
        return Result::InvalidCall;
    }
    return Surface::makeRenderbuffer(context_, width, height, format, multisample, true, out);
}

Result Device::createDepthStencilSurface(uint32_t width, uint32_t height, Format format, MultisampleType multisample,
                                         Surface** out) {
    const FormatInfo* info = formatInfo(format);
    if (!info || !info->depth) {
        if (out) *out = nullptr;
        return Result::InvalidCall;
    }
    return Surface::makeRenderbuffer(context_, width, height, format, multisample, true, out);
}

Result Device::createVertexDeclaration(const std::vector<VertexElement>& elements, VertexDeclaration** out) {
    return VertexDeclaration::create(elements, out);
}

Result Device::updateTexture(BaseTexture* source, BaseTexture* destination) {
    if (!source || !destination || source->pool() != Pool::SystemMemory || destination->pool() != Pool::Default ||
        source->type() != destination->type() || source->format() != destination->format() ||
        source->levelWidth(0) != destination->levelWidth(0) || source->levelHeight(0) != destination->levelHeight(0))
        return Result::InvalidCall;
    if (!source->isDirty()) return Result::Ok;
    const uint32_t levels = std::min(source->levelCount(), destination->levelCount());
    for (uint32_t face = 0; face < source->faceCount(); ++face)
        for (uint32_t level = 0; level < levels; ++level)
            destination->writeLevel(face, level, source->cpuLevel(face, level)->data());
    source->markClean();
    return Result::Ok;
}

Result Device::stretchRect(Surface* source, const Rect* sourceRect, Surface* destination, const Rect* destinationRect,
                           TextureFilter filter) {
    if (!source || !destination || source->isDepth() || destination->isDepth() || destination->samples() > 0)
        return Result::InvalidCall;
    if ((source->container() && !source->container()->glName()) ||
        (destination->container() && !destination->container()->glName()))
        return Result::InvalidCall;
    Rect from = sourceRect ? *sourceRect : Rect{0, 0, int32_t(source->width()), int32_t(source->height())};
    Rect to = destinationRect ? *destinationRect
                              : Rect{0, 0, int32_t(destination->width()), int32_t(destination->height())};
    if (source->container()) source->container()->flushUploads();
    if (source->samples() > 0 && (from.right - from.left != to.right - to.left ||
                                  from.bottom - from.top != to.bottom - to.top))
        return Result::InvalidCall;
    glDisable(GL_SCISSOR_TEST);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, readFramebuffer_);
    attach(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, source);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, drawFramebuffer_);
    attach(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, destination);
    attach(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT1, nullptr);
    attach(GL_DRAW_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, nullptr);
    GLenum buffers[] = {GL_COLOR_ATTACHMENT0};
    glDrawBuffers(1, buffers);
    glBlitFramebuffer(from.left, from.top, from.right, from.bottom, to.left, to.top, to.right, to.bottom,
                      GL_COLOR_BUFFER_BIT, filter == TextureFilter::Linear ? GL_LINEAR : GL_NEAREST);
    framebufferDirty_ = true;
    dirtyGroups_ |= ScissorGroup;
    return Result::Ok;
}

Result Device::readSurface(Surface* surface, std::vector<uint32_t>& argb) {
    argb.clear();
    if (!surface) return Result::InvalidCall;
    if (surface->container()) return surface->container()->readLevelArgb(surface->face(), surface->level(), argb);
    if (surface->isDepth()) return Result::NotAvailable;
    const FormatInfo* info = formatInfo(surface->format());
    const GLint w = GLint(surface->width()), h = GLint(surface->height());
    Surface* resolved = nullptr;
    Surface* readFrom = surface;
    glDisable(GL_SCISSOR_TEST);
    if (surface->samples() > 0) {
        Result result =
            Surface::makeRenderbuffer(context_, surface->width(), surface->height(), surface->format(),
                                      MultisampleType::None, false, &resolved);
        if (failed(result)) return result;
        resolveColour(surface, resolved, w, h);
        readFrom = resolved;
    }
    glBindFramebuffer(GL_READ_FRAMEBUFFER, readFramebuffer_);
    attach(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, readFrom);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    std::vector<float> rgba(size_t(w) * size_t(h) * 4);
    glReadPixels(0, 0, w, h, GL_RGBA, GL_FLOAT, rgba.data());
    argbFromRgbaFloats(rgba.data(), size_t(w) * size_t(h), info->swizzle, argb);
    attach(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, nullptr);
    safeRelease(resolved);
    framebufferDirty_ = true;
    dirtyGroups_ |= ScissorGroup;
    return Result::Ok;
}

Result Device::getBackBuffer(Surface** out) {
    if (!out) return Result::InvalidCall;
    *out = backBuffer_;
    if (!backBuffer_) return Result::InvalidCall;
    backBuffer_->addRef();
    return Result::Ok;
}

Result Device::getRenderTarget(uint32_t index, Surface** out) {
    if (!out) return Result::InvalidCall;
    *out = nullptr;
    if (index >= kMaxRenderTargets) return Result::InvalidCall;
    if (!renderTargets_[index]) return Result::NotAvailable;
    *out = renderTargets_[index];
    (*out)->addRef();
    return Result::Ok;
}

Result Device::setRenderTarget(uint32_t index, Surface* surface) {
    if (index >= kMaxRenderTargets || (index == 0 && !surface)) return Result::InvalidCall;
    if (surface && (surface->isDepth() || (surface->container() && !(surface->container()->usage() & Usage::RenderTarget))))
        return Result::InvalidCall;
    replace(renderTargets_[index], surface);
    if (index == 0) {
        // Blend factors reading destination alpha depend on the target (storesUnusedAlpha).
        dirtyGroups_ |= BlendGroup;
        viewport_ = Viewport{0, 0, surface->width(), surface->height(), 0.0f, 1.0f};
        scissor_ = Rect{0, 0, int32_t(surface->width()), int32_t(surface->height())};
        dirtyGroups_ |= ViewportGroup | ScissorGroup;
    }
    framebufferDirty_ = true;
    return Result::Ok;
}

Result Device::getDepthStencilSurface(Surface** out) {
    if (!out) return Result::InvalidCall;
    *out = depthStencil_;
    if (!depthStencil_) return Result::NotAvailable;
    depthStencil_->addRef();
    return Result::Ok;
}

Result Device::setDepthStencilSurface(Surface* surface) {
    if (surface && !surface->isDepth()) return Result::InvalidCall;
    replace(depthStencil_, surface);
    framebufferDirty_ = true;
    dirtyGroups_ |= DepthGroup;
    return Result::Ok;
}

} // namespace gfx
