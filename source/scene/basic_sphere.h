#pragma once
// The built-in unit sphere (render type "basic_sphere"): drawn in the colour pass only, each
// instance blended over the scene by its "alpha".
#include <cstdint>

#include "platform/gfx/effect.h"
#include "render/base_renderable.h"
#include "render/bounding_record.h"
#include "render/renderable_asset.h"

namespace gfx {
class EffectDescription;
class IndexBuffer;
class VertexBuffer;
} // namespace gfx
class RenderInterface;

class BasicSphereRenderableAsset : public RenderableAsset {
public:
    BasicSphereRenderableAsset(ThreadResourcePool* renderContext, BaseRenderable* owner);
    ~BasicSphereRenderableAsset() override;

    void onLostDevice() override;
    void onResetDevice() override;
    void loadStage1() override {}
    // The sphere of radius 1, 16 slices and 16 stacks in the mesh layout.
    void loadStage2() override;
    void fillLoadedTextures() override {}
    void refreshEffectHandles() override;
    void unload() override;
    void releaseInstanceData() override {}
    // Colour pass: blending (one, inverse source alpha) on, the mesh layout and buffers.
    void beginRender(DrawPass pass, const PassContext& context, const ViewBlock& view) override;
    void renderInstance(RenderableInstance* instance, const ViewBlock& view, const PassContext& context,
                        DrawPass pass) override;
    // Colour pass: blending off again, so what draws next is opaque.
    void endRender(DrawPass pass, const PassContext& context, const ViewBlock& view) override;
    const BoundingRecord* getBoundingBox() const override { return &bounds_; }

    // The renderable's effect (not owned; null draws nothing).
    void setEffect(gfx::Effect* effect) { effect_ = effect; }
    std::uint32_t vertexCount() const { return vertexCount_; }
    std::uint32_t triangleCount() const { return triangleCount_; }

private:
    BoundingRecord bounds_;
    gfx::Effect* effect_ = nullptr;
    gfx::EffectHandle wvp_{}, world_{}, alpha_{};
    gfx::VertexBuffer* vertices_ = nullptr;
    gfx::IndexBuffer* indices_ = nullptr;
    std::uint32_t vertexCount_ = 0;
    std::uint32_t triangleCount_ = 0;
};

class BasicSphereRenderable : public BaseRenderable {
public:
    BasicSphereRenderable(ThreadResourcePool* renderContext, RenderInterface* renderInterface, RenderableManager* manager);
    ~BasicSphereRenderable() override;

    // Worker: the asset, and the effect read and compiled from its file.
    void loadAssets() override;
    void fillLoadedTextures() override {}
    void unloadInstances() override;
    // The effect made on the device from the compiled file; technique "BaseTech".
    void createEffects() override;
    void setFrameParameters() override {}
    void releaseAssets() override;
    void setUpParamDescriptions(ParameterDescriptionRegistry& registry) override;
    void removeParamDescriptions(ParameterDescriptionRegistry& registry) override;
    // The colour pass only; a failed effect draws nothing.
    void drawPass(RenderableDirectionalLight* light, const ViewBlock& view, const PassContext& context, DrawPass pass,
                  float frameTime) override;

private:
    void releaseEffect();

    gfx::EffectDescription* compiled_ = nullptr;
    gfx::Effect* effect_ = nullptr;
    gfx::EffectHandle technique_{};
};
