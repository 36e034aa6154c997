#include "platform/gfx/device.h"

#include <SDL2/SDL.h>
#include <epoxy/gl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>

#include "platform/gfx/driver_allocations.h"
#include "platform/gfx/format_info.h"
#include "platform/gfx/gl_units.h"
#include "platform/gfx/graphics_system.h"

namespace gfx {
namespace {

std::atomic<Device*> g_lastDevice{nullptr};
int g_perfDepth = 0;

constexpr RenderState kStates[] = {
    RenderState::ZEnable, RenderState::ZWriteEnable, RenderState::SrcBlend, RenderState::DestBlend,
    RenderState::CullMode, RenderState::ZFunc, RenderState::AlphaBlendEnable, RenderState::BlendOp,
    RenderState::ScissorTestEnable, RenderState::MultisampleAntialias, RenderState::SeparateAlphaBlendEnable,
    RenderState::SrcBlendAlpha, RenderState::DestBlendAlpha, RenderState::BlendOpAlpha,
};

int stateIndex(RenderState state) {
    for (int i = 0; i < int(std::size(kStates)); ++i)
        if (kStates[i] == state) return i;
    return -1;
}

GLenum blendFactor(uint32_t blend) {
    switch (Blend(blend)) {
    case Blend::Zero: return GL_ZERO;
    case Blend::One: return GL_ONE;
    case Blend::SrcColor: return GL_SRC_COLOR;
    case Blend::InvSrcColor: return GL_ONE_MINUS_SRC_COLOR;
    case Blend::SrcAlpha: return GL_SRC_ALPHA;
    case Blend::InvSrcAlpha: return GL_ONE_MINUS_SRC_ALPHA;
    case Blend::DestAlpha: return GL_DST_ALPHA;
    case Blend::InvDestAlpha: return GL_ONE_MINUS_DST_ALPHA;
    case Blend::DestColor: return GL_DST_COLOR;
    case Blend::InvDestColor: return GL_ONE_MINUS_DST_COLOR;
    }
    return GL_ONE;
}

GLenum blendEquation(uint32_t op) {
    switch (BlendOp(op)) {
    case BlendOp::Add: return GL_FUNC_ADD;
    case BlendOp::Subtract: return GL_FUNC_SUBTRACT;
    case BlendOp::RevSubtract: return GL_FUNC_REVERSE_SUBTRACT;
    case BlendOp::Min: return GL_MIN;
    case BlendOp::Max: return GL_MAX;
    }
    return GL_FUNC_ADD;
}

GLenum compareFunc(uint32_t func) {
    switch (CompareFunc(func)) {
    case CompareFunc::Never: return GL_NEVER;
    case CompareFunc::Less: return GL_LESS;
    case CompareFunc::Equal: return GL_EQUAL;
    case CompareFunc::LessEqual: return GL_LEQUAL;
    case CompareFunc::Greater: return GL_GREATER;
    case CompareFunc::NotEqual: return GL_NOTEQUAL;
    case CompareFunc::GreaterEqual: return GL_GEQUAL;
    case CompareFunc::Always: return GL_ALWAYS;
    }
    return GL_LEQUAL;
}

GLenum addressMode(uint32_t mode) {
    switch (TextureAddress(mode)) {
    case TextureAddress::Wrap: return GL_REPEAT;
    case TextureAddress::Mirror: return GL_MIRRORED_REPEAT;
    case TextureAddress::Clamp: return GL_CLAMP_TO_EDGE;
    case TextureAddress::Border: return GL_CLAMP_TO_BORDER;
    }
    return GL_REPEAT;
}

void attach(GLenum target, GLenum attachment, Surface* surface) {
    if (!surface) {
        glFramebufferRenderbuffer(target, attachment, GL_RENDERBUFFER, 0);
    } else if (surface->renderbuffer()) {
        glFramebufferRenderbuffer(target, attachment, GL_RENDERBUFFER, surface->renderbuffer());
    } else {
        BaseTexture* texture = surface->container();
        GLenum face = texture->type() == ResourceType::CubeTexture ? GL_TEXTURE_CUBE_MAP_POSITIVE_X + surface->face()
                                                                    : GL_TEXTURE_2D;
        glFramebufferTexture2D(target, attachment, face, texture->glName(), GLint(surface->level()));
    }
}

template <class T>
void replace(T*& slot, T* object) {
    if (object) object->addRef();
    if (slot) slot->release();
    slot = object;
}

} // namespace

Device::~Device() {
    if (g_lastDevice == this) g_lastDevice = nullptr;
    for (Surface*& target : renderTargets_) safeRelease(target);
    safeRelease(depthStencil_);
    safeRelease(backBuffer_);
    safeRelease(backBufferResolve_);
    for (SamplerUnit& unit : samplers_) safeRelease(unit.texture);
    for (Stream& stream : streams_) safeRelease(stream.buffer);
    safeRelease(indices_);
    safeRelease(declaration_);
    if (context_) context_->alive = false;
    if (glContext_) {
        SDL_GL_MakeCurrent(window_, static_cast<SDL_GLContext>(glContext_));
        SDL_GL_DeleteContext(static_cast<SDL_GLContext>(glContext_));
    }
}

Result Device::initialise(WindowHandle window, PresentParameters& parameters) {
    if (!window) return Result::InvalidCall;
    window_ = window;
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
    g_lastDevice = this;
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
    Result result = Surface::makeRenderbuffer(context_, parameters_.backBufferWidth, parameters_.backBufferHeight,
                                              Format::X8R8G8B8, parameters_.multiSampleType, false, &backBuffer_);
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
    renderStatesDirty_ = true;
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
    if (context_->defaultPoolObjects > 0) {
        std::fprintf(stderr, "gfx: reset refused, %d default-pool objects are still alive\n",
                     context_->defaultPoolObjects.load());
        return Result::InvalidCall;
    }
    const bool windowedChanged = parameters.windowed != parameters_.windowed;
    parameters_ = parameters;
    parameters_.deviceWindow = window_;
    if (windowedChanged) SDL_SetWindowFullscreen(window_, parameters_.windowed ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    Result result = createBackBuffer();
    if (failed(result)) return result;
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
        glBindFramebuffer(GL_READ_FRAMEBUFFER, readFramebuffer_);
        attach(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, backBuffer_);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, drawFramebuffer_);
        attach(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, backBufferResolve_);
        attach(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT1, nullptr);
        attach(GL_DRAW_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, nullptr);
        {
            DriverCacheAllocations driverCache;
            glBlitFramebuffer(0, 0, w, h, 0, 0, w, h, GL_COLOR_BUFFER_BIT, GL_NEAREST);
        }
        shown = backBufferResolve_;
    }
    glBindFramebuffer(GL_READ_FRAMEBUFFER, readFramebuffer_);
    attach(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, shown);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    int windowW = 0, windowH = 0;
    SDL_GL_GetDrawableSize(window_, &windowW, &windowH);
    // Row 0 of every target is the top; the window's row 0 is the bottom.
    {
        DriverCacheAllocations driverCache;
        glBlitFramebuffer(0, 0, w, h, 0, windowH, windowW, 0, GL_COLOR_BUFFER_BIT,
        (windowW == w && windowH == h) ? GL_NEAREST : GL_LINEAR);
    }
    SDL_GL_SwapWindow(window_);
    framebufferDirty_ = true;
    renderStatesDirty_ = true;
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
    return Texture::create(context_, width, height, levels, usage, format, pool, out);
}

Result Device::createCubeTexture(uint32_t edge, uint32_t levels, uint32_t usage, Format format, Pool pool,
                                 CubeTexture** out) {
    return CubeTexture::create(context_, edge, levels, usage, format, pool, out);
}

Result Device::createVertexBuffer(uint32_t length, uint32_t usage, Pool pool, VertexBuffer** out) {
    return VertexBuffer::create(context_, length, usage, pool, out);
}

Result Device::createIndexBuffer(uint32_t length, uint32_t usage, Format format, Pool pool, IndexBuffer** out) {
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
    {
        DriverCacheAllocations driverCache;
        glBlitFramebuffer(from.left, from.top, from.right, from.bottom, to.left, to.top, to.right, to.bottom,
                          GL_COLOR_BUFFER_BIT, filter == TextureFilter::Linear ? GL_LINEAR : GL_NEAREST);
    }
    framebufferDirty_ = true;
    renderStatesDirty_ = true;
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
        glBindFramebuffer(GL_READ_FRAMEBUFFER, readFramebuffer_);
        attach(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, surface);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, drawFramebuffer_);
        attach(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, resolved);
        attach(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT1, nullptr);
        attach(GL_DRAW_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, nullptr);
        {
            DriverCacheAllocations driverCache;
            glBlitFramebuffer(0, 0, w, h, 0, 0, w, h, GL_COLOR_BUFFER_BIT, GL_NEAREST);
        }
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
    renderStatesDirty_ = true;
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
        viewport_ = Viewport{0, 0, surface->width(), surface->height(), 0.0f, 1.0f};
        scissor_ = Rect{0, 0, int32_t(surface->width()), int32_t(surface->height())};
        renderStatesDirty_ = true;
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
    renderStatesDirty_ = true;
    return Result::Ok;
}

Result Device::setRenderState(RenderState state, uint32_t value) {
    int index = stateIndex(state);
    if (index < 0) return Result::InvalidCall;
    if (renderStates_[size_t(index)] != value) {
        renderStates_[size_t(index)] = value;
        renderStatesDirty_ = true;
    }
    return Result::Ok;
}

Result Device::getRenderState(RenderState state, uint32_t& value) const {
    int index = stateIndex(state);
    if (index < 0) return Result::InvalidCall;
    value = renderStates_[size_t(index)];
    return Result::Ok;
}

Result Device::setSamplerState(uint32_t sampler, SamplerState state, uint32_t value) {
    if (sampler >= kMaxSamplers || uint32_t(state) >= samplers_[0].states.size()) return Result::InvalidCall;
    SamplerUnit& unit = samplers_[sampler];
    if (unit.states[size_t(state)] != value) {
        unit.states[size_t(state)] = value;
        unit.dirty = true;
    }
    return Result::Ok;
}

Result Device::getSamplerState(uint32_t sampler, SamplerState state, uint32_t& value) const {
    if (sampler >= kMaxSamplers || uint32_t(state) >= samplers_[0].states.size()) return Result::InvalidCall;
    value = samplers_[sampler].states[size_t(state)];
    return Result::Ok;
}

Result Device::setTexture(uint32_t sampler, BaseTexture* texture) {
    if (sampler >= kMaxSamplers) return Result::InvalidCall;
    SamplerUnit& unit = samplers_[sampler];
    if (unit.texture != texture) {
        replace(unit.texture, texture);
        unit.dirty = true;
    }
    return Result::Ok;
}

Result Device::setViewport(const Viewport& viewport) {
    if (viewport.width == 0 || viewport.height == 0) return Result::InvalidCall;
    viewport_ = viewport;
    renderStatesDirty_ = true;
    return Result::Ok;
}

Result Device::getViewport(Viewport& viewport) const {
    viewport = viewport_;
    return Result::Ok;
}

Result Device::setScissorRect(const Rect& rect) {
    scissor_ = rect;
    renderStatesDirty_ = true;
    return Result::Ok;
}

Result Device::getScissorRect(Rect& rect) const {
    rect = scissor_;
    return Result::Ok;
}

Result Device::setVertexDeclaration(VertexDeclaration* declaration) {
    replace(declaration_, declaration);
    vertexInputDirty_ = true;
    return Result::Ok;
}

Result Device::setStreamSource(uint32_t stream, VertexBuffer* buffer, uint32_t offset, uint32_t stride) {
    if (stream >= kMaxStreams) return Result::InvalidCall;
    replace(streams_[stream].buffer, buffer);
    streams_[stream].offset = offset;
    streams_[stream].stride = stride;
    vertexInputDirty_ = true;
    return Result::Ok;
}

Result Device::setStreamSourceFreq(uint32_t stream, uint32_t setting) {
    if (stream >= kMaxStreams) return Result::InvalidCall;
    streams_[stream].frequency = setting;
    vertexInputDirty_ = true;
    return Result::Ok;
}

Result Device::setIndices(IndexBuffer* buffer) {
    replace(indices_, buffer);
    return Result::Ok;
}

Result Device::beginScene() {
    if (inScene_) return Result::InvalidCall;
    inScene_ = true;
    return Result::Ok;
}

Result Device::endScene() {
    if (!inScene_) return Result::InvalidCall;
    inScene_ = false;
    return Result::Ok;
}

void Device::targetSize(uint32_t& width, uint32_t& height) const {
    width = renderTargets_[0] ? renderTargets_[0]->width() : 0;
    height = renderTargets_[0] ? renderTargets_[0]->height() : 0;
}

bool Device::applyFramebuffer() {
    glBindFramebuffer(GL_FRAMEBUFFER, drawFramebuffer_);
    if (framebufferDirty_) {
        attach(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, renderTargets_[0]);
        attach(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT1, renderTargets_[1]);
        attach(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, depthStencil_);
        GLenum buffers[] = {GL_COLOR_ATTACHMENT0, renderTargets_[1] ? GLenum(GL_COLOR_ATTACHMENT1) : GLenum(GL_NONE)};
        glDrawBuffers(2, buffers);
        framebufferComplete_ = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
        framebufferDirty_ = false;
    }
    return framebufferComplete_;
}

void Device::applyRenderStates() {
    if (!renderStatesDirty_) return;
    auto state = [this](RenderState s) { return renderStates_[size_t(stateIndex(s))]; };
    if (state(RenderState::ZEnable) && depthStencil_) {
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(compareFunc(state(RenderState::ZFunc)));
    } else {
        glDisable(GL_DEPTH_TEST);
    }
    glDepthMask(state(RenderState::ZWriteEnable) ? GL_TRUE : GL_FALSE);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    if (state(RenderState::AlphaBlendEnable)) {
        glEnable(GL_BLEND);
        const bool separate = state(RenderState::SeparateAlphaBlendEnable) != 0;
        const uint32_t src = state(RenderState::SrcBlend), dst = state(RenderState::DestBlend);
        const uint32_t op = state(RenderState::BlendOp);
        glBlendFuncSeparate(blendFactor(src), blendFactor(dst),
                            blendFactor(separate ? state(RenderState::SrcBlendAlpha) : src),
                            blendFactor(separate ? state(RenderState::DestBlendAlpha) : dst));
        glBlendEquationSeparate(blendEquation(op), blendEquation(separate ? state(RenderState::BlendOpAlpha) : op));
    } else {
        glDisable(GL_BLEND);
    }
    // The vertex stage flips y so that row 0 is the top of every target; that mirrors the
    // winding, so the side culled as counter-clockwise on screen is GL's clockwise one.
    switch (Cull(state(RenderState::CullMode))) {
    case Cull::None: glDisable(GL_CULL_FACE); break;
    case Cull::CCW:
        glEnable(GL_CULL_FACE);
        glFrontFace(GL_CCW);
        glCullFace(GL_BACK);
        break;
    case Cull::CW:
        glEnable(GL_CULL_FACE);
        glFrontFace(GL_CCW);
        glCullFace(GL_FRONT);
        break;
    }
    if (state(RenderState::MultisampleAntialias))
        glEnable(GL_MULTISAMPLE);
    else
        glDisable(GL_MULTISAMPLE);
    glViewport(GLint(viewport_.x), GLint(viewport_.y), GLsizei(viewport_.width), GLsizei(viewport_.height));
    glDepthRange(viewport_.minZ, viewport_.maxZ);
    if (state(RenderState::ScissorTestEnable)) {
        glEnable(GL_SCISSOR_TEST);
        uint32_t w, h;
        targetSize(w, h);
        const int32_t left = std::clamp(scissor_.left, 0, int32_t(w));
        const int32_t top = std::clamp(scissor_.top, 0, int32_t(h));
        const int32_t right = std::clamp(scissor_.right, left, int32_t(w));
        const int32_t bottom = std::clamp(scissor_.bottom, top, int32_t(h));
        glScissor(left, top, right - left, bottom - top);
    } else {
        glDisable(GL_SCISSOR_TEST);
    }
    renderStatesDirty_ = false;
}

void Device::applySamplers() {
    for (uint32_t i = 0; i < kMaxSamplers; ++i) {
        SamplerUnit& unit = samplers_[i];
        if (!unit.dirty) continue;
        unit.dirty = false;
        glActiveTexture(GL_TEXTURE0 + i);
        BaseTexture* texture = unit.texture && unit.texture->glName() ? unit.texture : nullptr;
        const bool cube = texture && texture->type() == ResourceType::CubeTexture;
        glBindTexture(GL_TEXTURE_2D, texture && !cube ? texture->glName() : blackTexture2D_);
        glBindTexture(GL_TEXTURE_CUBE_MAP, cube ? texture->glName() : blackTextureCube_);
        const auto& s = unit.states;
        const auto minFilter = TextureFilter(s[size_t(SamplerState::MinFilter)]);
        const auto magFilter = TextureFilter(s[size_t(SamplerState::MagFilter)]);
        const auto mipFilter = TextureFilter(s[size_t(SamplerState::MipFilter)]);
        const bool minLinear = minFilter == TextureFilter::Linear || minFilter == TextureFilter::Anisotropic;
        GLenum min = minLinear ? GL_LINEAR : GL_NEAREST;
        if (texture && texture->levelCount() > 1 && mipFilter != TextureFilter::None) {
            if (mipFilter == TextureFilter::Point)
                min = minLinear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
            else
                min = minLinear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
        }
        const GLuint sampler = unit.glSampler;
        glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, GLint(min));
        glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER,
                            magFilter == TextureFilter::Linear || magFilter == TextureFilter::Anisotropic ? GL_LINEAR
                                                                                                          : GL_NEAREST);
        glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, GLint(addressMode(s[size_t(SamplerState::AddressU)])));
        glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, GLint(addressMode(s[size_t(SamplerState::AddressV)])));
        glSamplerParameteri(sampler, GL_TEXTURE_WRAP_R, GLint(addressMode(s[size_t(SamplerState::AddressW)])));
        const uint32_t border = s[size_t(SamplerState::BorderColor)];
        const float borderColour[4] = {float((border >> 16) & 255) / 255.0f, float((border >> 8) & 255) / 255.0f,
                                       float(border & 255) / 255.0f, float(border >> 24) / 255.0f};
        glSamplerParameterfv(sampler, GL_TEXTURE_BORDER_COLOR, borderColour);
        if (context_->hasAnisotropy) {
            const bool anisotropic = minFilter == TextureFilter::Anisotropic || magFilter == TextureFilter::Anisotropic;
            const float amount = anisotropic ? std::clamp(float(s[size_t(SamplerState::MaxAnisotropy)]), 1.0f,
                                                          context_->maxAnisotropy)
                                             : 1.0f;
            glSamplerParameterf(sampler, GL_TEXTURE_MAX_ANISOTROPY_EXT, amount);
        }
        glBindSampler(i, sampler);
    }
}

uint32_t Device::instanceCount() const {
    const uint32_t frequency = streams_[0].frequency;
    if (frequency & StreamSource::IndexedData) return std::max(1u, frequency & 0x3FFFFFFFu);
    return 1;
}

void Device::applyVertexInput() {
    if (!vertexInputDirty_) return;
    vertexInputDirty_ = false;
    glBindVertexArray(vertexArray_);
    for (int location = 0; location < kAttributeCount; ++location) glDisableVertexAttribArray(GLuint(location));
    if (!declaration_) return;
    for (const VertexElement& element : declaration_->elements()) {
        if (element.stream >= kMaxStreams) continue;
        const Stream& stream = streams_[element.stream];
        if (!stream.buffer || !stream.buffer->glName()) continue;
        const GLuint location = GLuint(attributeLocation(element.usage, element.usageIndex));
        GLint size = 4;
        GLenum type = GL_FLOAT;
        GLboolean normalised = GL_FALSE;
        switch (element.type) {
        case DeclType::Float1: size = 1; break;
        case DeclType::Float2: size = 2; break;
        case DeclType::Float3: size = 3; break;
        case DeclType::Float4: size = 4; break;
        case DeclType::Color: size = GL_BGRA; type = GL_UNSIGNED_BYTE; normalised = GL_TRUE; break;
        case DeclType::UByte4: type = GL_UNSIGNED_BYTE; break;
        case DeclType::UByte4N: type = GL_UNSIGNED_BYTE; normalised = GL_TRUE; break;
        case DeclType::Short2: size = 2; type = GL_SHORT; break;
        case DeclType::Short4: type = GL_SHORT; break;
        case DeclType::Float16x2: size = 2; type = GL_HALF_FLOAT; break;
        case DeclType::Float16x4: type = GL_HALF_FLOAT; break;
        case DeclType::Unused: continue;
        }
        glBindBuffer(GL_ARRAY_BUFFER, stream.buffer->glName());
        glEnableVertexAttribArray(location);
        glVertexAttribPointer(location, size, type, normalised, GLsizei(stream.stride),
                              reinterpret_cast<const void*>(uintptr_t(stream.offset + element.offset)));
        const bool perInstance = (stream.frequency & StreamSource::InstanceData) != 0;
        glVertexAttribDivisor(location, perInstance ? GLuint(std::max(1u, stream.frequency & 0x3FFFFFFFu)) : 0);
    }
}

bool Device::prepareDraw() {
    if (!program_ || loss_ != LossState::None) return false;
    if (!applyFramebuffer()) return false;
    applyRenderStates();
    applySamplers();
    applyVertexInput();
    if (clipFixupLocation_ >= 0) {
        // Pixel centres of the original device sit half a pixel up and left of GL's.
        glUniform4f(clipFixupLocation_, 1.0f / float(viewport_.width), -1.0f / float(viewport_.height), 0.0f, 0.0f);
    }
    if (renderStates_[size_t(stateIndex(RenderState::ScissorTestEnable))]) {
        uint32_t w, h;
        targetSize(w, h);
        const int32_t left = std::clamp(scissor_.left, 0, int32_t(w));
        const int32_t right = std::clamp(scissor_.right, left, int32_t(w));
        const int32_t top = std::clamp(scissor_.top, 0, int32_t(h));
        const int32_t bottom = std::clamp(scissor_.bottom, top, int32_t(h));
        if (left == right || top == bottom) return false;
    }
    return true;
}

void Device::useProgram(unsigned program, int clipFixupLocation) {
    program_ = program;
    clipFixupLocation_ = clipFixupLocation;
    glUseProgram(program);
}

Result Device::clear(uint32_t flags, uint32_t colour, float z, uint32_t stencil) {
    if (loss_ != LossState::None) return Result::Ok;
    if (!applyFramebuffer()) return Result::InvalidCall;
    GLbitfield bits = 0;
    if (flags & Clear::Target) bits |= GL_COLOR_BUFFER_BIT;
    if (depthStencil_ && (flags & Clear::ZBuffer)) bits |= GL_DEPTH_BUFFER_BIT;
    if (depthStencil_ && (flags & Clear::Stencil)) bits |= GL_STENCIL_BUFFER_BIT;
    uint32_t w, h;
    targetSize(w, h);
    int32_t left = int32_t(viewport_.x), top = int32_t(viewport_.y);
    int32_t right = left + int32_t(viewport_.width), bottom = top + int32_t(viewport_.height);
    if (renderStates_[size_t(stateIndex(RenderState::ScissorTestEnable))]) {
        left = std::max(left, scissor_.left);
        top = std::max(top, scissor_.top);
        right = std::min(right, scissor_.right);
        bottom = std::min(bottom, scissor_.bottom);
    }
    left = std::clamp(left, 0, int32_t(w));
    top = std::clamp(top, 0, int32_t(h));
    right = std::clamp(right, left, int32_t(w));
    bottom = std::clamp(bottom, top, int32_t(h));
    if (left == right || top == bottom || bits == 0) return Result::Ok;
    glEnable(GL_SCISSOR_TEST);
    glScissor(left, top, right - left, bottom - top);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glStencilMask(0xFF);
    glClearColor(float((colour >> 16) & 255) / 255.0f, float((colour >> 8) & 255) / 255.0f,
                 float(colour & 255) / 255.0f, float(colour >> 24) / 255.0f);
    glClearDepth(z);
    glClearStencil(GLint(stencil));
    {
        DriverCacheAllocations driverCache; // partial clears go through the driver's blit shaders
        glClear(bits);
    }
    renderStatesDirty_ = true;
    return Result::Ok;
}

Result Device::drawPrimitive(PrimitiveType type, uint32_t startVertex, uint32_t primitiveCount) {
    if (type != PrimitiveType::TriangleList) return Result::InvalidCall;
    if (!prepareDraw()) return program_ ? Result::Ok : Result::InvalidCall;
    DriverCacheAllocations driverCache; // shader variants are compiled at the first draw
    glDrawArraysInstanced(GL_TRIANGLES, GLint(startVertex), GLsizei(primitiveCount * 3), GLsizei(instanceCount()));
    return Result::Ok;
}

Result Device::drawIndexedPrimitive(PrimitiveType type, int32_t baseVertex, uint32_t minIndex, uint32_t numVertices,
                                    uint32_t startIndex, uint32_t primitiveCount) {
    (void)minIndex;
    (void)numVertices;
    if (type != PrimitiveType::TriangleList || !indices_ || !indices_->glName()) return Result::InvalidCall;
    if (!prepareDraw()) return program_ ? Result::Ok : Result::InvalidCall;
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indices_->glName());
    const uint32_t size = indices_->indexSize();
    DriverCacheAllocations driverCache;
    glDrawElementsInstancedBaseVertex(GL_TRIANGLES, GLsizei(primitiveCount * 3),
                                      size == 4 ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT,
                                      reinterpret_cast<const void*>(uintptr_t(startIndex) * size),
                                      GLsizei(instanceCount()), baseVertex);
    return Result::Ok;
}

void beginPerfEvent(uint32_t colour, const char* name) {
    Device* device = g_lastDevice;
    if (!device || !device->debugGroups_ || !name) return;
    glPushDebugGroup(GL_DEBUG_SOURCE_APPLICATION, colour, -1, name);
    ++g_perfDepth;
}

void endPerfEvent() {
    Device* device = g_lastDevice;
    if (!device || !device->debugGroups_ || g_perfDepth == 0) return;
    glPopDebugGroup();
    --g_perfDepth;
}

} // namespace gfx
