#pragma once
// Decals ("Decal"): a blood splash 8 by 8 lying at height 0.3 under each instance's placement.
#include "scene/grid_extras.h"

class DecalsRenderableAsset : public FlatTexturedAsset {
public:
    DecalsRenderableAsset(ThreadResourcePool* renderContext, BaseRenderable* owner);
    ~DecalsRenderableAsset() override;
    // The texture and the square.
    void loadStage2() override;
    void unload() override;
    void beginRender(DrawPass pass, const PassContext& context, const ViewBlock& view) override;
    void renderInstance(RenderableInstance* instance, const ViewBlock& view, const PassContext& context,
                        DrawPass pass) override;

    const TexturedMesh& square() const { return square_; }

private:
    TexturedMesh square_;
    gfx::Texture* decalTexture_ = nullptr;
};

// The square's corners, (-4, 0.3, -4) to (4, 0.3, 4).
TexturedGeometry decalSquare();

class DecalsRenderable : public SimpleEffectRenderable {
public:
    DecalsRenderable(ThreadResourcePool* renderContext, RenderInterface* renderInterface, RenderableManager* manager);
    void setUpParamDescriptions(ParameterDescriptionRegistry& registry) override;

protected:
    void makeAssets() override;
};
