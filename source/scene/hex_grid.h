#pragma once
// The hexagonal map grid ("single_hex"): one flat textured hexagon per cell, tinted by the cell's
// "highlightColour". With instancing on, the visible cells are drawn 124 to a draw, each cell's
// translation and tint in effect constant arrays picked by the cell index its vertices carry.
#include <cstdint>
#include <vector>

#include "render/bounding_record.h"
#include "render/declared_parameter.h"
#include "scene/simple_effect_renderable.h"

namespace gfx {
class IndexBuffer;
class Texture;
class VertexBuffer;
} // namespace gfx

inline constexpr const char* kHexCellType = "single_hex";

struct HexCellParameters {
    static inline const DeclaredParameter<BoolParameter> highlighted{"highlighted", false};
    static inline const DeclaredParameter<BoolParameter> select{"select", false};
    static inline const DeclaredParameter<BoolParameter> impassable{"impassable", false};
    static inline const DeclaredParameter<BoolParameter> occupied{"occupied", false};
    static inline const DeclaredParameter<Vector4Parameter> highlightColour{"highlightColour", {0.0f, 0.0f, 0.0f, 0.0f}};
};

class HexGridRenderableAsset : public SimpleEffectAsset {
public:
    static constexpr std::uint32_t kCellsPerDraw = 124;
    static constexpr std::uint32_t kMaxCells = 3200;

    HexGridRenderableAsset(ThreadResourcePool* renderContext, BaseRenderable* owner);
    ~HexGridRenderableAsset() override;

    void loadStage1() override {}
    // The hexagon, its texture and, when instanced, its 124 copies.
    void loadStage2() override;
    void fillLoadedTextures() override {}
    void refreshEffectHandles() override;
    void unload() override;
    void releaseInstanceData() override {}
    void setEffect(gfx::Effect* effect) override;
    void beginRender(DrawPass pass, const PassContext& context, const ViewBlock& view) override;
    // One cell: its matrix and tint.
    void renderInstance(RenderableInstance* instance, const ViewBlock& view, const PassContext& context,
                        DrawPass pass) override;
    void endRender(DrawPass pass, const PassContext& context, const ViewBlock& view) override;
    const BoundingRecord* getBoundingBox() const override { return &bounds_; }
    // Each visible cell's translation and tint, at most kMaxCells (logged once past that).
    void prepareInstancedArrays() override;
    // The prepared cells in draws of at most kCellsPerDraw.
    void drawInstanced();

    // Whether the buffers were made for instanced drawing.
    void setInstanced(bool instanced) { instanced_ = instanced; }
    bool instanced() const { return instanced_; }
    // The cells of each draw since the asset was made, for tests and benchmarks.
    const std::vector<std::uint32_t>& drawnCells() const { return drawnCells_; }
    std::uint32_t preparedCells() const { return std::uint32_t(translations_.size()); }
    std::uint32_t arrayUploads() const { return arrayUploads_; }

private:
    BoundingRecord bounds_;
    gfx::VertexBuffer* vertices_ = nullptr;
    gfx::IndexBuffer* indices_ = nullptr;
    gfx::VertexBuffer* instancedVertices_ = nullptr;
    gfx::IndexBuffer* instancedIndices_ = nullptr;
    gfx::Texture* texture_ = nullptr;
    gfx::EffectHandle wvp_{}, viewProjection_{}, textureHandle_{}, colour_{}, translationArray_{}, colourArray_{};
    std::vector<gfx::Vector4> translations_;
    std::vector<gfx::Vector4> colours_;
    std::vector<std::uint32_t> drawnCells_;
    std::uint32_t arrayUploads_ = 0;
    bool instanced_ = false;
    bool clampLogged_ = false;
};

class HexGridRenderable : public SimpleEffectRenderable {
public:
    HexGridRenderable(ThreadResourcePool* renderContext, RenderInterface* renderInterface, RenderableManager* manager);
    void setUpParamDescriptions(ParameterDescriptionRegistry& registry) override;
    // Queues itself once a frame for the instanced arrays; draws in the colour pass. When the
    // instancing switch changed since the effect was built, effect and buffers are made again.
    void drawPass(RenderableDirectionalLight* light, const ViewBlock& view, const PassContext& context, DrawPass pass,
                  float frameTime) override;
    void prepareInstancedArrays() override;

protected:
    void makeAssets() override;
    std::vector<gfx::EffectMacro> macros() const override;
    void drawInstances(RenderableAsset& asset, const ViewBlock& view, const PassContext& context) override;

private:
    bool instancingOn() const;
    bool builtInstanced_ = false;
    bool queued_ = false;
};

// The hexagon: corners on the x axis, circumradius 2, in the y = 0 plane.
struct HexVertex {
    float position[3];
    float normal[3];
    float tangent[3];
    float uv[2];
};
const std::vector<HexVertex>& hexVertices();
const std::vector<std::uint16_t>& hexIndices();
