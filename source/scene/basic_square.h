#pragma once
// Debug squares ("basic_square"): a unit square lying flat at height 1 under each instance's
// placement. With instancing on, 32 squares a draw, their world matrices in an effect constant
// array picked by the copy index the vertices carry (at most 128 a frame).
#include <cstdint>
#include <vector>

#include "render/bounding_record.h"
#include "render/declared_parameter.h"
#include "scene/simple_effect_renderable.h"

namespace gfx {
class IndexBuffer;
class VertexBuffer;
} // namespace gfx

inline constexpr const char* kBasicSquareType = "basic_square";

// Carried for the update side; the square draws the same whatever they hold.
struct BasicSquareParameters {
    static inline const DeclaredParameter<BoolParameter> highlighted{"highlighted", false};
    static inline const DeclaredParameter<BoolParameter> select{"select", false};
    static inline const DeclaredParameter<BoolParameter> impassable{"impassable", false};
    static inline const DeclaredParameter<BoolParameter> occupied{"occupied", false};
    static inline const DeclaredParameter<Vector4Parameter> highlightColour{"highlightColour", {0.0f, 0.0f, 0.0f, 0.0f}};
};

class BasicSquareRenderableAsset : public SimpleEffectAsset {
public:
    static constexpr std::uint32_t kSquaresPerDraw = 32;
    static constexpr std::uint32_t kMaxSquares = 128;

    BasicSquareRenderableAsset(ThreadResourcePool* renderContext, BaseRenderable* owner);
    ~BasicSquareRenderableAsset() override;

    void loadStage1() override {}
    void loadStage2() override;
    void fillLoadedTextures() override {}
    void refreshEffectHandles() override;
    void unload() override;
    void releaseInstanceData() override {}
    void setEffect(gfx::Effect* effect) override;
    void beginRender(DrawPass pass, const PassContext& context, const ViewBlock& view) override;
    void renderInstance(RenderableInstance* instance, const ViewBlock& view, const PassContext& context,
                        DrawPass pass) override;
    void endRender(DrawPass, const PassContext&, const ViewBlock&) override {}
    const BoundingRecord* getBoundingBox() const override { return &bounds_; }
    // The visible squares' world matrices, at most kMaxSquares (logged once past that).
    void prepareInstancedArrays() override;
    void drawInstanced();

    void setInstanced(bool instanced) { instanced_ = instanced; }
    bool instanced() const { return instanced_; }
    const std::vector<std::uint32_t>& drawnSquares() const { return drawnSquares_; }
    std::uint32_t preparedSquares() const { return std::uint32_t(matrices_.size()); }

private:
    BoundingRecord bounds_;
    gfx::VertexBuffer* vertices_ = nullptr;
    gfx::IndexBuffer* indices_ = nullptr;
    gfx::VertexBuffer* instancedVertices_ = nullptr;
    gfx::IndexBuffer* instancedIndices_ = nullptr;
    gfx::EffectHandle wvp_{}, viewProjection_{}, matrixArray_{};
    std::vector<gfx::Matrix> matrices_;
    std::vector<std::uint32_t> drawnSquares_;
    bool instanced_ = false;
    bool clampLogged_ = false;
};

class BasicSquareRenderable : public SimpleEffectRenderable {
public:
    BasicSquareRenderable(ThreadResourcePool* renderContext, RenderInterface* renderInterface, RenderableManager* manager);
    void setUpParamDescriptions(ParameterDescriptionRegistry& registry) override;
    // Queues itself once a frame for the instanced arrays; draws in the colour pass; a changed
    // instancing switch makes effect and buffers again.
    void drawPass(RenderableDirectionalLight* light, const ViewBlock& view, const PassContext& context, DrawPass pass,
                  float frameTime) override;
    void prepareInstancedArrays() override;

protected:
    void makeAssets() override;
    std::vector<gfx::EffectMacro> macros() const override;
    void drawInstances(RenderableAsset& asset, const ViewBlock& view, const PassContext& context) override;

private:
    bool builtInstanced_ = false;
    bool queued_ = false;
};
