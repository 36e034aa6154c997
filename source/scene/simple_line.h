#pragma once
// Simple lines ("SimpleLine"): a polyline through an instance's "path" at height 1.0, 4 pixels
// wide with softened edges, in the first point's colour, drawn in the colour pass.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/parameter_kind.h"
#include "render/base_renderable.h"
#include "render/bounding_record.h"
#include "render/renderable_asset.h"
#include "scene/default_material.h"

namespace gfx {
class LineDrawer;
}
class RenderInterface;

// A path colour as the line draws it: alpha 255, each component 0 at or below 0, 255 at or
// above 1, else component x 255 + 0.5 truncated.
std::uint32_t lineColour(const float (&rgb)[3]);

class SimpleLineRenderableAsset : public RenderableAsset {
public:
    SimpleLineRenderableAsset(ThreadResourcePool* renderContext, BaseRenderable* owner);
    ~SimpleLineRenderableAsset() override;

    void onLostDevice() override {}
    void onResetDevice() override {}
    void loadStage1() override {}
    // The line: antialiased, 4 pixels wide.
    void loadStage2() override;
    void fillLoadedTextures() override {}
    void refreshEffectHandles() override {}
    void unload() override;
    void releaseInstanceData() override {}
    // No culling while the line draws; counter-clockwise culling again after.
    void beginRender(DrawPass pass, const PassContext& context, const ViewBlock& view) override;
    void renderInstance(RenderableInstance* instance, const ViewBlock& view, const PassContext& context,
                        DrawPass pass) override;
    void endRender(DrawPass pass, const PassContext& context, const ViewBlock& view) override;
    const BoundingRecord* getBoundingBox() const override { return &bounds_; }

    const MeshMaterial& material() const { return material_; }
    gfx::LineDrawer* line() const { return line_.get(); }

private:
    std::unique_ptr<gfx::LineDrawer> line_;
    MeshMaterial material_;
    BoundingRecord bounds_;
};

class SimpleLineRenderable : public BaseRenderable {
public:
    SimpleLineRenderable(ThreadResourcePool* renderContext, RenderInterface* renderInterface, RenderableManager* manager);
    ~SimpleLineRenderable() override;

    void loadAssets() override;
    void fillLoadedTextures() override {}
    void unloadInstances() override;
    void createEffects() override {}
    void setFrameParameters() override {}
    // Every asset unloaded and deleted.
    void releaseAssets() override;
    void setUpParamDescriptions(ParameterDescriptionRegistry& registry) override;
    void removeParamDescriptions(ParameterDescriptionRegistry& registry) override;

private:
    std::vector<std::string> descriptionNames_;
};
