#pragma once
// A two-dimensional image the device can draw into, read from or lock: a level of a texture,
// a render target, a depth-stencil surface or the back buffer.
#include <cstdint>

#include "platform/gfx/context.h"
#include "platform/gfx/ref_counted.h"
#include "platform/gfx/types.h"

namespace gfx {

class BaseTexture;

class Surface : public RefCounted {
public:
    // A level of a texture shares the texture's count, so holding the surface keeps the
    // texture alive.
    uint32_t addRef() override;
    uint32_t release() override;

    Result getDesc(SurfaceDesc& desc) const;
    // Only levels of textures can be locked; render targets and depth surfaces answer InvalidCall.
    Result lockRect(LockedRect& locked, const Rect* rect, uint32_t flags);
    Result unlockRect();

    // Device-internal.
    BaseTexture* container() const { return container_; }
    uint32_t face() const { return face_; }
    uint32_t level() const { return level_; }
    unsigned renderbuffer() const { return renderbuffer_; }
    // The GL texture holding a back buffer's image (not a level of any BaseTexture), or 0.
    unsigned imageTexture() const { return imageTexture_; }
    // The format has no alpha but the GL image keeps one: blending must read destination alpha
    // as 1 itself.
    bool storesUnusedAlpha() const;
    uint32_t samples() const { return samples_; }
    uint32_t width() const { return width_; }
    uint32_t height() const { return height_; }
    Format format() const { return format_; }
    bool isDepth() const;

    // A level of texture (not counted on its own).
    static Surface* makeLevel(BaseTexture* texture, uint32_t face, uint32_t level, uint32_t width, uint32_t height);
    // A GL renderbuffer of its own; countsAsDefaultPool for surfaces the caller must release
    // before a reset.
    static Result makeRenderbuffer(const ContextLink& context, uint32_t width, uint32_t height, Format format,
                                   MultisampleType multisample, bool countsAsDefaultPool, Surface** out);

    // The back buffer's colour: a GL texture of 8-bit channels in B, G, R, A byte order where
    // the format allows, otherwise a renderbuffer as above. Software GL (llvmpipe) takes its
    // rectangle and span fast paths only for targets stored in that order, and a renderbuffer
    // is always stored as R, G, B.
    static Result makeBackBuffer(const ContextLink& context, uint32_t width, uint32_t height, Format format,
                                 MultisampleType multisample, Surface** out);

private:
    Surface() = default;
    ~Surface() override;
    friend class BaseTexture;

    ContextLink context_;
    BaseTexture* container_ = nullptr;
    uint32_t face_ = 0;
    uint32_t level_ = 0;
    unsigned renderbuffer_ = 0;
    unsigned imageTexture_ = 0;
    uint32_t samples_ = 0;
    uint32_t width_ = 0;
    uint32_t height_ = 0;
    Format format_ = Format::Unknown;
    MultisampleType multisample_ = MultisampleType::None;
    bool countedInDefaultPool_ = false;
};

} // namespace gfx
