#pragma once
// Fog of war ("FOW_" + each ".x" file's base name): a placed copy of the fog mesh over each map
// cell, darkening what lies under it by 1.0 where the cell is unvisited and 0.075 where it was
// visited. Drawn only with instancing, many cells a draw, each cell's translation and fog value
// in effect constant arrays picked by the cell index its vertices carry.
#include <cstdint>
#include <string>
#include <vector>

#include "render/bounding_record.h"
#include "render/declared_parameter.h"
#include "scene/mesh_file.h"
#include "scene/simple_effect_renderable.h"

namespace gfx {
class IndexBuffer;
class VertexBuffer;
} // namespace gfx

struct FogOfWarParameters {
    static inline const DeclaredParameter<BoolParameter> visited{"visited", false};
};

inline constexpr float kVisitedFog = 0.075f;
inline constexpr float kUnvisitedFog = 1.0f;

class FogOfWarHexRenderableAsset : public SimpleEffectAsset {
public:
    static constexpr std::uint32_t kCellsPerDraw = 124;
    static constexpr std::uint32_t kMaxCells = 1024;

    FogOfWarHexRenderableAsset(const std::string& name, ThreadResourcePool* renderContext, BaseRenderable* owner,
                               std::string folder, std::string baseName);
    ~FogOfWarHexRenderableAsset() override;

    void loadStage1() override {}
    // The mesh and, when instanced, its copies: as many as 16-bit indices reach, at most 124.
    void loadStage2() override;
    void fillLoadedTextures() override {}
    void refreshEffectHandles() override;
    void unload() override;
    void releaseInstanceData() override {}
    void setEffect(gfx::Effect* effect) override;
    void beginRender(DrawPass pass, const PassContext& context, const ViewBlock& view) override;
    // Fog is drawn only in the instanced draws.
    void renderInstance(RenderableInstance*, const ViewBlock&, const PassContext&, DrawPass) override {}
    void endRender(DrawPass pass, const PassContext& context, const ViewBlock& view) override;
    const BoundingRecord* getBoundingBox() const override { return &bounds_; }
    // Each visible cell's translation and fog value, at most kMaxCells (logged once past that).
    void prepareInstancedArrays() override;
    void drawInstanced();

    void setInstanced(bool instanced) { instanced_ = instanced; }
    bool instanced() const { return instanced_; }
    std::uint32_t copiesPerDraw() const { return copies_; }
    const std::vector<std::uint32_t>& drawnCells() const { return drawnCells_; }
    const std::vector<gfx::Vector4>& fogValues() const { return fogValues_; }
    std::uint32_t vertexCount() const { return vertexCount_; }

private:
    BoundingRecord bounds_;
    std::string folder_, baseName_;
    MeshFile file_;
    gfx::VertexBuffer* instancedVertices_ = nullptr;
    gfx::IndexBuffer* instancedIndices_ = nullptr;
    gfx::EffectHandle viewProjection_{}, translationArray_{}, fogArray_{};
    std::vector<gfx::Vector4> translations_;
    std::vector<gfx::Vector4> fogValues_;
    std::vector<std::uint32_t> drawnCells_;
    std::uint32_t vertexCount_ = 0, faceCount_ = 0, copies_ = 0;
    bool instanced_ = false;
    bool clampLogged_ = false;
};

class FogOfWarHexRenderable : public SimpleEffectRenderable {
public:
    FogOfWarHexRenderable(ThreadResourcePool* renderContext, RenderInterface* renderInterface, RenderableManager* manager);
    // One description per ".x" file of the folders.
    void setUpParamDescriptions(ParameterDescriptionRegistry& registry) override;
    void drawPass(RenderableDirectionalLight* light, const ViewBlock& view, const PassContext& context, DrawPass pass,
                  float frameTime) override;
    void prepareInstancedArrays() override;

protected:
    // One asset per ".x" file of the folders.
    void makeAssets() override;
    std::vector<gfx::EffectMacro> macros() const override;
    void drawInstances(RenderableAsset& asset, const ViewBlock& view, const PassContext& context) override;

private:
    struct MeshFileName {
        std::string folder, baseName;
    };
    std::vector<MeshFileName> meshFiles() const;
    bool builtInstanced_ = false;
    bool queued_ = false;
};
