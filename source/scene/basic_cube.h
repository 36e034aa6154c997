#pragma once
// The built-in textured unit cube (render type "BasicCube", the entities' boxes): lit like the
// dynamic meshes, casting shadows, no model file. The consecutive visible instances of the asset
// go to the device in one instanced draw per pass, each instance's world matrix, highlight and
// point-light indices in a second vertex stream.
#include <cstdint>
#include <vector>

#include "platform/gfx/effect.h"
#include "render/base_renderable.h"
#include "render/bounding_record.h"
#include "render/renderable_asset.h"
#include "scene/instance_stream.h"

namespace gfx {
class CubeTexture;
class IndexBuffer;
class Texture;
class VertexBuffer;
class VertexDeclaration;
} // namespace gfx
class RenderInterface;
class RenderableDirectionalLight;

// One vertex of the cube's 44-byte layout.
struct BasicCubeVertex {
    float position[3];
    float normal[3];
    float tangent[3];
    float uv[2];
};
static_assert(sizeof(BasicCubeVertex) == 44);

// Side 1 around the origin, four corners per face: -z, +z, +y, -y, -x, +x. Each face's corners
// carry the four corners of the texture, so every face shows the whole picture once.
const std::vector<BasicCubeVertex>& basicCubeVertices();
// Two triangles per face f: (4f, 4f + 1, 4f + 2) and (4f + 2, 4f + 3, 4f).
const std::vector<std::uint16_t>& basicCubeIndices();

class BasicCubeRenderableAsset : public RenderableAsset {
public:
    BasicCubeRenderableAsset(ThreadResourcePool* renderContext, BaseRenderable* owner);
    ~BasicCubeRenderableAsset() override;

    void onLostDevice() override;
    void onResetDevice() override;
    void loadStage1() override {}
    // The buffers of the table, the crate picture and a flat normal texel.
    void loadStage2() override;
    void fillLoadedTextures() override {}
    void refreshEffectHandles() override;
    void unload() override;
    void releaseInstanceData() override {}
    // The mesh layout with the instance stream, the cube's buffers; the pass's instances start.
    void beginRender(DrawPass pass, const PassContext& context, const ViewBlock& view) override;
    // Takes the instance into the pass's draw; an instance without a directional light, or a
    // pass whose effect failed, draws nothing.
    void renderInstance(RenderableInstance* instance, const ViewBlock& view, const PassContext& context,
                        DrawPass pass) override;
    // Draws the instances taken since beginRender in one call, lit by the first one's light.
    void endRender(DrawPass pass, const PassContext& context, const ViewBlock& view) override;
    const BoundingRecord* getBoundingBox() const override { return &bounds_; }

    // The renderable's effects (not owned; any may be null).
    void setEffects(gfx::Effect* colour, gfx::Effect* shadow, gfx::Effect* depth);
    gfx::VertexBuffer* vertexBuffer() const { return vertices_; }
    gfx::IndexBuffer* indexBuffer() const { return indices_; }
    // Instanced draws and instances drawn since the asset was made, for tests and benchmarks.
    std::uint32_t draws() const { return draws_; }
    std::uint32_t drawnInstances() const { return drawnInstances_; }

private:
    gfx::Effect* effectOf(DrawPass pass) const;
    bool makeInstanceStream(std::uint32_t count);

    BoundingRecord bounds_;
    gfx::VertexBuffer* vertices_ = nullptr;
    gfx::IndexBuffer* indices_ = nullptr;
    gfx::Texture* crate_ = nullptr;
    gfx::Texture* flatNormal_ = nullptr;
    gfx::Effect* colour_ = nullptr;
    gfx::Effect* shadow_ = nullptr;
    gfx::Effect* depth_ = nullptr;
    struct ColourHandles {
        gfx::EffectHandle wvp, world, material, eye, texture, light, pointLights[4], highlight, normalTexture,
            lightWvp, viewProjection, lightViewProjection, scenePointLights;
    } colourHandles_{};
    gfx::EffectHandle shadowLightWvp_{}, shadowLightViewProjection_{};
    gfx::EffectHandle depthLocalToScreen_{}, depthLocalToCamera_{}, depthViewProjection_{}, depthView_{};

    struct InstanceRecord {
        float worldRows[3][4];
        float highlight[4];
        float lights[4];
    };
    std::vector<InstanceRecord> pending_;
    const RenderableDirectionalLight* pendingLight_ = nullptr;
    gfx::VertexDeclaration* instancedDeclaration_ = nullptr;
    InstanceStream instanceStream_;
    std::uint32_t draws_ = 0;
    std::uint32_t drawnInstances_ = 0;
};

class BasicCubeRenderable : public BaseRenderable {
public:
    BasicCubeRenderable(ThreadResourcePool* renderContext, RenderInterface* renderInterface, RenderableManager* manager);
    ~BasicCubeRenderable() override;

    void loadAssets() override;
    void fillLoadedTextures() override {}
    void unloadInstances() override;
    // The environment cube texture and the three effects with the macros of the render settings.
    void createEffects() override;
    void setFrameParameters() override {}
    void releaseAssets() override;
    void setUpParamDescriptions(ParameterDescriptionRegistry& registry) override;
    void removeParamDescriptions(ParameterDescriptionRegistry& registry) override;
    // A pass whose effect failed draws nothing.
    void drawPass(RenderableDirectionalLight* light, const ViewBlock& view, const PassContext& context, DrawPass pass,
                  float frameTime) override;

    gfx::Effect* colourEffect() const { return colour_; }

private:
    void releaseEffects();

    RenderInterface* renderInterface_;
    gfx::Effect* colour_ = nullptr;
    gfx::Effect* shadow_ = nullptr;
    gfx::Effect* depth_ = nullptr;
    gfx::CubeTexture* environment_ = nullptr;
    gfx::EffectHandle colourTechnique_{}, shadowTechnique_{}, depthTechnique_{};
    gfx::EffectHandle shadowMap_{}, depthMap_{}, lowDepthMap_{}, environmentMap_{};
};
