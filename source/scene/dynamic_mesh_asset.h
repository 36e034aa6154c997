#pragma once
// One ".x" mesh of the dynamic mesh renderable: loaded into the 44-byte layout with its texture
// coordinates moved into its folder's atlas, it draws each instance in the shadow, depth and lit
// colour passes with the matrices, highlight colour and lights of that instance.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/gfx/effect.h"
#include "render/bounding_record.h"
#include "render/renderable_asset.h"
#include "scene/mesh_file.h"

namespace gfx {
class VertexBuffer;
class VertexDeclaration;
} // namespace gfx
class MeshAtlasGroup;
class RenderableDirectionalLight;
class RenderableInstance;
class RenderablePointLight;

// The scene's point lights as the instanced technique reads them: two vectors per light
// (colour; position and squared radius), at most kInstancedSceneLights of them.
inline constexpr std::size_t kInstancedSceneLights = 32;
void setScenePointLights(gfx::Effect* effect, const std::vector<RenderablePointLight*>& sceneLights);

// The colour effect's four point-light records from the instance's nearest lights: each light's
// 32 bytes, or 32 zero bytes where the instance has fewer. Shared by the mesh assets.
void setPointLightRecords(gfx::Effect* effect, const gfx::EffectHandle (&handles)[4], const RenderableInstance* instance);

class DynamicMeshRenderableAsset : public RenderableAsset {
public:
    DynamicMeshRenderableAsset(const std::string& name, ThreadResourcePool* renderContext, BaseRenderable* owner,
                               const std::string& folder, const std::string& baseName, MeshAtlasGroup* group);
    ~DynamicMeshRenderableAsset() override;

    // The mesh lives in the managed pool: nothing to do around a reset.
    void onLostDevice() override {}
    void onResetDevice() override {}
    void loadStage1() override {}
    // Loads the mesh (a file that fails leaves the asset absent, logged once), places its
    // coordinates in the group's atlas and makes its box the cube around it.
    void loadStage2() override;
    void fillLoadedTextures() override {}
    void refreshEffectHandles() override;
    void unload() override;
    void releaseInstanceData() override {}
    void beginRender(DrawPass pass, const PassContext& context, const ViewBlock& view) override;
    // Nothing for an absent mesh, a pass whose effect failed, an instance whose "shouldRender" is
    // false or one without a directional light.
    void renderInstance(RenderableInstance* instance, const ViewBlock& view, const PassContext& context,
                        DrawPass pass) override;
    void endRender(DrawPass, const PassContext&, const ViewBlock&) override {}
    const BoundingRecord* getBoundingBox() const override { return &bounds_; }
    void copyVertices(std::vector<std::array<float, 3>>& points, std::vector<std::uint32_t>& indices) override;

    // The colour, shadow and depth effects of the renderable (not owned; any may be null).
    void setEffects(gfx::Effect* colour, gfx::Effect* shadow, gfx::Effect* depth);
    // The four point-light records of the colour effect from the instance's nearest lights: each
    // light's 32 bytes, or 32 zero bytes where the instance has fewer.
    void setPointLights(RenderableInstance* instance);

    // Instanced drawing (effects compiled with SHADER_INSTANCED 1): one record per visible
    // instance that is drawn (its "shouldRender" true and a directional light given): its world
    // matrix's first three columns (the transpose's first three rows), its highlight colour and
    // the indices of its first four point lights in the scene's list (-1 for none or past the
    // array), written into the instance stream.
    void prepareInstances(const std::vector<RenderablePointLight*>& sceneLights);
    // Every prepared instance in one draw per subset, after the pass's matrices: the camera's
    // view-projection (colour, depth) and view (depth) or the light's view-projection (shadow,
    // colour); the first drawn instance's directional light is the colour pass's light.
    void drawInstanced(DrawPass pass, const ViewBlock& view);
    std::uint32_t preparedInstances() const { return preparedCount_; }

    bool absent() const { return !file_.mesh; }
    const MeshFile& file() const { return file_; }
    std::uint32_t drawnSubsets() const { return drawnSubsets_; }
    MeshAtlasGroup* group() const { return group_; }

private:
    // Every material's subset; counted in the colour pass.
    void drawSubsets(bool count);

    BoundingRecord bounds_;
    MeshFile file_;
    std::string folder_;
    std::string baseName_;
    MeshAtlasGroup* group_;
    gfx::Effect* colour_ = nullptr;
    gfx::Effect* shadow_ = nullptr;
    gfx::Effect* depth_ = nullptr;
    struct ColourHandles {
        gfx::EffectHandle wvp, lightWvp, world, material, light, pointLights[4], highlight;
    } colourHandles_{};
    gfx::EffectHandle shadowLightWvp_{};
    gfx::EffectHandle depthLocalToScreen_{}, depthLocalToCamera_{};
    std::uint32_t drawnSubsets_ = 0;

    gfx::VertexDeclaration* instancedDeclaration_ = nullptr;
    gfx::VertexBuffer* instanceStream_ = nullptr;
    std::uint32_t instanceCapacity_ = 0;
    std::uint32_t preparedCount_ = 0;
    const RenderableDirectionalLight* preparedLight_ = nullptr;
};
