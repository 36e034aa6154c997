#include "scene/simple_line.h"

#include "app/parameter_description.h"
#include "platform/gfx/device.h"
#include "platform/gfx/line_drawer.h"
#include "platform/gfx/math_matrix.h"
#include "render/device_global.h"
#include "render/renderable_instance.h"
#include "render/renderable_manager.h"
#include "scene/declared_description.h"
#include "scene/flat_shape_parameters.h"

std::uint32_t lineColour(const float (&rgb)[3]) {
    std::uint32_t argb = 0xFF000000u;
    for (int k = 0; k < 3; ++k) {
        const float c = rgb[k];
        const std::uint32_t byte = c >= 1.0f ? 255u : c > 0.0f ? std::uint32_t(c * 255.0f + 0.5f) : 0u;
        argb |= byte << (16 - 8 * k);
    }
    return argb;
}

SimpleLineRenderableAsset::SimpleLineRenderableAsset(ThreadResourcePool* renderContext, BaseRenderable* owner)
    : RenderableAsset(kSimpleLineType, renderContext, owner, false), material_(defaultMeshMaterial()) {
    initBoundingBoxes(bounds_);
    bounds_.local = {{-1000.0f, -1000.0f, -1000.0f}, {1000.0f, 1000.0f, 1000.0f}};
}

SimpleLineRenderableAsset::~SimpleLineRenderableAsset() = default;

void SimpleLineRenderableAsset::loadStage2() {
    if (!deviceGlobal) return;
    line_ = std::make_unique<gfx::LineDrawer>(deviceGlobal);
    line_->setAntialias(true);
    line_->setWidth(4.0f);
}

void SimpleLineRenderableAsset::unload() { line_.reset(); }

void SimpleLineRenderableAsset::beginRender(DrawPass, const PassContext&, const ViewBlock&) {
    if (deviceGlobal) deviceGlobal->setRenderState(gfx::RenderState::CullMode, std::uint32_t(gfx::Cull::None));
}

void SimpleLineRenderableAsset::endRender(DrawPass, const PassContext&, const ViewBlock&) {
    if (deviceGlobal) deviceGlobal->setRenderState(gfx::RenderState::CullMode, std::uint32_t(gfx::Cull::CCW));
}

void SimpleLineRenderableAsset::renderInstance(RenderableInstance* instance, const ViewBlock& view, const PassContext&,
                                               DrawPass pass) {
    if (pass != DrawPass::Colour || !instance || !line_) return;
    const PointPathAndColourValue path =
        declared::read(instance->pair() ? instance->pair()->renderGroup() : nullptr, PathParameters::path);
    if (path.empty()) return;
    std::vector<gfx::Vector3> points;
    points.reserve(path.size());
    for (const PointAndColour& p : path) points.push_back({p.point[0], 1.0f, p.point[2]});
    line_->begin();
    line_->drawTransform(points.data(), std::uint32_t(points.size()), instance->worldMatrix() * view.viewProjection,
                         lineColour(path.front().colour));
    line_->end();
}

SimpleLineRenderable::SimpleLineRenderable(ThreadResourcePool* renderContext, RenderInterface*, RenderableManager* manager)
    : BaseRenderable(renderContext, "SimpleLineRenderable", manager) {
    drawOrder = 2;
}

SimpleLineRenderable::~SimpleLineRenderable() { deleteAssets(); }

void SimpleLineRenderable::loadAssets() {
    auto* asset = new SimpleLineRenderableAsset(renderContext(), this);
    asset->loadStage1();
    if (manager()) manager()->registerAsset(asset);
    assets.push_back(asset);
}

void SimpleLineRenderable::unloadInstances() {
    for (RenderableAsset* asset : assets) {
        asset->releaseInstanceData();
        asset->visibleInstances.clear();
    }
}

void SimpleLineRenderable::releaseAssets() {
    for (RenderableAsset* asset : assets) asset->unload();
    deleteAssets();
}

void SimpleLineRenderable::setUpParamDescriptions(ParameterDescriptionRegistry& registry) {
    if (declared::registerDescription(registry, renderContext(), kSimpleLineType, PathParameters::path))
        descriptionNames_.push_back(kSimpleLineType);
}

void SimpleLineRenderable::removeParamDescriptions(ParameterDescriptionRegistry& registry) {
    for (const std::string& name : descriptionNames_) registry.remove(name);
    descriptionNames_.clear();
}
