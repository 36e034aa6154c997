#pragma once
// An off-screen surface the game render state draws into and then samples as a texture (scene,
// UI, shadow maps, normals and positions, SSAO). Its device objects are made and released apart
// from the object, around device resets.
#include <cstdint>

#include "platform/gfx/types.h"

namespace gfx {
class Surface;
class Texture;
} // namespace gfx

class RenderTarget {
public:
    // Makes nothing yet. A target with depth gets a D24S8 depth-stencil surface.
    RenderTarget(std::uint32_t width, std::uint32_t height, gfx::Format format, bool hasDepth,
                 gfx::MultisampleType multisample);
    ~RenderTarget();
    RenderTarget(const RenderTarget&) = delete;
    RenderTarget& operator=(const RenderTarget&) = delete;

    // The result of the last creation.
    gfx::Result createResources();
    void releaseResources();
    // Binds the target at index (with its depth surface); with clear, clears it and begins the
    // scene. A target whose texture is missing binds nothing.
    void bind(std::uint32_t colour, std::uint32_t index, bool clear);
    // Index 0 ends the scene, another index only detaches that index; a multisampled target
    // resolves into its resolve texture.
    void unbind(std::uint32_t index);
    void clear(std::uint32_t colour);

    // What effects sample: the resolve texture when multisampled, the texture otherwise.
    gfx::Texture* sampledTexture() const { return multisample_ != gfx::MultisampleType::None ? resolveTexture_ : texture_; }
    gfx::Surface* depthStencilSurface() const { return depthStencil_; }
    std::uint32_t width() const { return width_; }
    std::uint32_t height() const { return height_; }
    gfx::Format format() const { return format_; }
    bool hasDepth() const { return hasDepth_; }
    gfx::MultisampleType multisample() const { return multisample_; }

private:
    std::uint32_t clearFlags() const;

    gfx::Texture* texture_ = nullptr;
    gfx::Texture* resolveTexture_ = nullptr;
    gfx::Surface* depthStencil_ = nullptr;
    // Multisampled: the multisampled surface drawn into, kept.
    gfx::Surface* renderSurface_ = nullptr;
    std::uint32_t width_;
    std::uint32_t height_;
    gfx::Format format_;
    bool hasDepth_;
    bool surfaceReleased_ = false;
    gfx::MultisampleType multisample_;
};
