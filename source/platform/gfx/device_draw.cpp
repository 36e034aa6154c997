// The device's states, scenes, clears and draws: what is kept, and how it reaches GL before
// each draw.
#include <epoxy/gl.h>

#include <algorithm>

#include "platform/gfx/device.h"
#include "platform/gfx/device_internal.h"
#include "platform/gfx/gl_units.h"

namespace gfx {

using detail::attach;
using detail::replace;

namespace {

int g_perfDepth = 0;

constexpr RenderState kStates[] = {
    RenderState::ZEnable, RenderState::ZWriteEnable, RenderState::SrcBlend, RenderState::DestBlend,
    RenderState::CullMode, RenderState::ZFunc, RenderState::AlphaBlendEnable, RenderState::BlendOp,
    RenderState::ScissorTestEnable, RenderState::MultisampleAntialias, RenderState::SeparateAlphaBlendEnable,
    RenderState::SrcBlendAlpha, RenderState::DestBlendAlpha, RenderState::BlendOpAlpha,
};

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

} // namespace

namespace detail {

int stateIndex(RenderState state) {
    for (int i = 0; i < int(std::size(kStates)); ++i)
        if (kStates[i] == state) return i;
    return -1;
}

} // namespace detail

using detail::stateIndex;

uint32_t Device::stateGroup(RenderState state) {
    switch (state) {
    case RenderState::ZEnable:
    case RenderState::ZWriteEnable:
    case RenderState::ZFunc: return DepthGroup;
    case RenderState::CullMode:
    case RenderState::MultisampleAntialias: return RasterGroup;
    case RenderState::ScissorTestEnable: return ScissorGroup;
    default: return BlendGroup;
    }
}

Result Device::setRenderState(RenderState state, uint32_t value) {
    int index = stateIndex(state);
    if (index < 0) return Result::InvalidCall;
    if (renderStates_[size_t(index)] != value) {
        renderStates_[size_t(index)] = value;
        dirtyGroups_ |= stateGroup(state);
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
    dirtyGroups_ |= ViewportGroup;
    return Result::Ok;
}

Result Device::getViewport(Viewport& viewport) const {
    viewport = viewport_;
    return Result::Ok;
}

Result Device::setScissorRect(const Rect& rect) {
    scissor_ = rect;
    dirtyGroups_ |= ScissorGroup;
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
    if (!dirtyGroups_) return;
    auto state = [this](RenderState s) { return renderStates_[size_t(stateIndex(s))]; };
    if (dirtyGroups_ & DepthGroup) {
        if (state(RenderState::ZEnable) && depthStencil_) {
            glEnable(GL_DEPTH_TEST);
            glDepthFunc(compareFunc(state(RenderState::ZFunc)));
        } else {
            glDisable(GL_DEPTH_TEST);
        }
        glDepthMask(state(RenderState::ZWriteEnable) ? GL_TRUE : GL_FALSE);
        ++context_->statistics.renderStateApplications;
    }
    if (dirtyGroups_ & BlendGroup) {
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        if (state(RenderState::AlphaBlendEnable)) {
            glEnable(GL_BLEND);
            const bool separate = state(RenderState::SeparateAlphaBlendEnable) != 0;
            const uint32_t src = state(RenderState::SrcBlend), dst = state(RenderState::DestBlend);
            const uint32_t op = state(RenderState::BlendOp);
            // A target without alpha kept in an image with alpha (the back buffer) reads
            // destination alpha as 1, as one stored without alpha does.
            const bool alphaIsOne = renderTargets_[0] && renderTargets_[0]->storesUnusedAlpha();
            auto factor = [alphaIsOne](uint32_t blend) {
                if (alphaIsOne && Blend(blend) == Blend::DestAlpha) return GLenum(GL_ONE);
                if (alphaIsOne && Blend(blend) == Blend::InvDestAlpha) return GLenum(GL_ZERO);
                return blendFactor(blend);
            };
            glBlendFuncSeparate(factor(src), factor(dst), factor(separate ? state(RenderState::SrcBlendAlpha) : src),
                                factor(separate ? state(RenderState::DestBlendAlpha) : dst));
            glBlendEquationSeparate(blendEquation(op),
                                    blendEquation(separate ? state(RenderState::BlendOpAlpha) : op));
        } else {
            glDisable(GL_BLEND);
        }
        ++context_->statistics.renderStateApplications;
    }
    if (dirtyGroups_ & RasterGroup) {
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
        ++context_->statistics.renderStateApplications;
    }
    if (dirtyGroups_ & ViewportGroup) {
        glViewport(GLint(viewport_.x), GLint(viewport_.y), GLsizei(viewport_.width), GLsizei(viewport_.height));
        glDepthRange(viewport_.minZ, viewport_.maxZ);
        ++context_->statistics.viewportApplications;
    }
    if (dirtyGroups_ & ScissorGroup) {
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
        ++context_->statistics.scissorApplications;
    }
    dirtyGroups_ = 0;
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
    collectReleased();
    if (!applyFramebuffer()) return false;
    applyRenderStates();
    applySamplers();
    applyVertexInput();
    for (uint32_t i = 0; i < kMaxSamplers; ++i)
        if (samplers_[i].texture) samplers_[i].texture->flushUploads();
    if (clipFixupLocation_ >= 0) {
        // Pixel centres of the original device sit half a pixel up and left of GL's. A uniform
        // belongs to its program, so each program needs it once per viewport size.
        auto& uploaded = context_->pixelCentreSizes[program_];
        if (uploaded.first != viewport_.width || uploaded.second != viewport_.height) {
            glUniform4f(clipFixupLocation_, 1.0f / float(viewport_.width), -1.0f / float(viewport_.height), 0.0f,
                        0.0f);
            uploaded = {viewport_.width, viewport_.height};
            ++context_->statistics.pixelCentreUploads;
        }
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
    collectReleased();
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
    const bool alphaIsOne = renderTargets_[0] && renderTargets_[0]->storesUnusedAlpha();
    glClearColor(float((colour >> 16) & 255) / 255.0f, float((colour >> 8) & 255) / 255.0f,
                 float(colour & 255) / 255.0f, alphaIsOne ? 1.0f : float(colour >> 24) / 255.0f);
    glClearDepth(z);
    glClearStencil(GLint(stencil));
    glClear(bits);
    dirtyGroups_ |= DepthGroup | BlendGroup | ScissorGroup;
    return Result::Ok;
}

Result Device::drawPrimitive(PrimitiveType type, uint32_t startVertex, uint32_t primitiveCount) {
    if (type != PrimitiveType::TriangleList) return Result::InvalidCall;
    if (!prepareDraw()) return program_ ? Result::Ok : Result::InvalidCall;
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
    glDrawElementsInstancedBaseVertex(GL_TRIANGLES, GLsizei(primitiveCount * 3),
                                      size == 4 ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT,
                                      reinterpret_cast<const void*>(uintptr_t(startIndex) * size),
                                      GLsizei(instanceCount()), baseVertex);
    return Result::Ok;
}

Result Device::flush() {
    if (loss_ == LossState::None) glFlush();
    return Result::Ok;
}

void beginPerfEvent(uint32_t colour, const char* name) {
    Device* device = detail::lastDevice;
    if (!device || !device->debugGroups_ || !name) return;
    glPushDebugGroup(GL_DEBUG_SOURCE_APPLICATION, colour, -1, name);
    ++g_perfDepth;
}

void endPerfEvent() {
    Device* device = detail::lastDevice;
    if (!device || !device->debugGroups_ || g_perfDepth == 0) return;
    glPopDebugGroup();
    --g_perfDepth;
}

int openPerfEvents() { return g_perfDepth; }

} // namespace gfx
