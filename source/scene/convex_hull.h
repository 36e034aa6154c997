#pragma once
// A free triangle mesh handed over as parameters ("ConvexHull": "verts" and "indicies"), drawn
// translucent in the colour pass. The asset holds the geometry of the instance whose parameters
// changed last and draws only its first visible instance. Triangles that name a missing vertex
// are dropped; indices are 32-bit when the vertices need it.
#include <cstdint>
#include <vector>

#include "render/bounding_record.h"
#include "render/declared_parameter.h"
#include "scene/simple_effect_renderable.h"

namespace gfx {
class IndexBuffer;
class VertexBuffer;
} // namespace gfx

inline constexpr const char* kConvexHullType = "ConvexHull";

struct ConvexHullParameters {
    static inline const DeclaredParameter<PointPathParameter> verts{"verts", {}};
    // Spelt so by the update side; the inner lists' entries are read one after another.
    static inline const DeclaredParameter<IntVecArrayParameter> indicies{"indicies", {}};
};

// The triangles of the indices whose three corners all lie below vertexCount, in order.
std::vector<std::uint32_t> hullTriangles(const IntVecArrayValue& indices, std::size_t vertexCount);

class FlexibleConvexHullRenderableAsset : public SimpleEffectAsset {
public:
    FlexibleConvexHullRenderableAsset(ThreadResourcePool* renderContext, BaseRenderable* owner);
    ~FlexibleConvexHullRenderableAsset() override;

    void loadStage1() override {}
    void loadStage2() override { refreshEffectHandles(); }
    void fillLoadedTextures() override {}
    void refreshEffectHandles() override;
    void unload() override;
    void releaseInstanceData() override {}
    void setEffect(gfx::Effect* effect) override;
    // Places the instance from its "matrix" and rebuilds from its "verts" when they changed.
    void updateInstanceData(RenderableInstance* instance, float frameTime) override;
    void beginRender(DrawPass pass, const PassContext& context, const ViewBlock& view) override;
    void renderInstance(RenderableInstance* instance, const ViewBlock& view, const PassContext& context,
                        DrawPass pass) override;
    void endRender(DrawPass pass, const PassContext& context, const ViewBlock& view) override;
    const BoundingRecord* getBoundingBox() const override { return &bounds_; }

    bool built() const { return vertices_ && indices_; }
    std::uint32_t vertexCount() const { return vertexCount_; }
    std::uint32_t indexCount() const { return indexCount_; }
    bool wideIndices() const { return wide_; }
    std::uint32_t draws() const { return draws_; }

private:
    void build(const PointPathValue& points, const IntVecArrayValue& indices);

    BoundingRecord bounds_;
    gfx::VertexBuffer* vertices_ = nullptr;
    gfx::IndexBuffer* indices_ = nullptr;
    std::uint32_t vertexCount_ = 0, indexCount_ = 0, draws_ = 0;
    bool wide_ = false;
    gfx::EffectHandle wvp_{};
};

class FlexibleConvexHullRenderable : public SimpleEffectRenderable {
public:
    FlexibleConvexHullRenderable(ThreadResourcePool* renderContext, RenderInterface* renderInterface,
                                 RenderableManager* manager);
    void setUpParamDescriptions(ParameterDescriptionRegistry& registry) override;

protected:
    void makeAssets() override;
    // Only the first visible instance of each asset.
    void drawInstances(RenderableAsset& asset, const ViewBlock& view, const PassContext& context) override;
};
