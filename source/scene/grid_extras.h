#pragma once
// The arrows over the grid: the path arrow ("TexturedArrow"), a dotted ribbon along a list of
// points ending in a head, and the facing arrow ("FacingDirectionArrow") from a base toward a tip.
// Each asset holds the geometry of its instance that changed last and draws only its first
// visible instance.
#include "scene/arrow_geometry.h"
#include "scene/simple_effect_renderable.h"
#include "scene/textured_mesh.h"
#include "render/bounding_record.h"

namespace gfx {
class Texture;
}

// The shared part of the flat textured shapes: the fixed box around the scene, the effect's
// "gWVP" and "gTex", and blending of premultiplied colours in the colour pass.
class FlatTexturedAsset : public SimpleEffectAsset {
public:
    FlatTexturedAsset(const std::string& name, ThreadResourcePool* renderContext, BaseRenderable* owner);
    void loadStage1() override {}
    void fillLoadedTextures() override {}
    void refreshEffectHandles() override;
    void releaseInstanceData() override {}
    void setEffect(gfx::Effect* effect) override;
    void endRender(DrawPass pass, const PassContext& context, const ViewBlock& view) override;
    const BoundingRecord* getBoundingBox() const override { return &bounds_; }

protected:
    // The texture from its file; logged when it cannot be read.
    static gfx::Texture* loadTexture(const char* path);
    // gWVP from the instance's world matrix and the view.
    void place(RenderableInstance* instance, const ViewBlock& view);

    BoundingRecord bounds_;
    gfx::EffectHandle wvp_{}, texture_{};
};

class TexturedArrowRenderableAsset : public FlatTexturedAsset {
public:
    TexturedArrowRenderableAsset(ThreadResourcePool* renderContext, BaseRenderable* owner);
    ~TexturedArrowRenderableAsset() override;
    void loadStage2() override;
    void unload() override;
    // Rebuilds the ribbon and head when the instance's "path" changed (or it is new).
    void updateInstanceData(RenderableInstance* instance, float frameTime) override;
    void beginRender(DrawPass pass, const PassContext& context, const ViewBlock& view) override;
    void renderInstance(RenderableInstance* instance, const ViewBlock& view, const PassContext& context,
                        DrawPass pass) override;

    const TexturedMesh& ribbon() const { return ribbon_; }
    const TexturedMesh& head() const { return head_; }
    // The geometry last built, as it went into the buffers.
    const PathArrowGeometry& geometry() const { return geometry_; }

private:
    TexturedMesh ribbon_;
    TexturedMesh head_;
    PathArrowGeometry geometry_;
    gfx::Texture* dot_ = nullptr;
    gfx::Texture* arrowhead_ = nullptr;
};

class FacingDirectionArrowRenderableAsset : public FlatTexturedAsset {
public:
    FacingDirectionArrowRenderableAsset(ThreadResourcePool* renderContext, BaseRenderable* owner);
    ~FacingDirectionArrowRenderableAsset() override;
    void loadStage2() override;
    void unload() override;
    void updateInstanceData(RenderableInstance* instance, float frameTime) override;
    void beginRender(DrawPass pass, const PassContext& context, const ViewBlock& view) override;
    void renderInstance(RenderableInstance* instance, const ViewBlock& view, const PassContext& context,
                        DrawPass pass) override;

    const TexturedGeometry& geometry() const { return geometry_; }

private:
    TexturedMesh arrow_;
    TexturedGeometry geometry_;
    gfx::Texture* arrowTexture_ = nullptr;
};

class GridExtrasRenderable : public SimpleEffectRenderable {
public:
    GridExtrasRenderable(ThreadResourcePool* renderContext, RenderInterface* renderInterface, RenderableManager* manager);
    void setUpParamDescriptions(ParameterDescriptionRegistry& registry) override;

protected:
    void makeAssets() override;
    // Only the first visible instance of each asset.
    void drawInstances(RenderableAsset& asset, const ViewBlock& view, const PassContext& context) override;
};
