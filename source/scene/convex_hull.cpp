#include "scene/convex_hull.h"

#include <cstring>

#include "platform/gfx/buffers.h"
#include "platform/gfx/device.h"
#include "platform/gfx/math_matrix.h"
#include "render/device_global.h"
#include "render/renderable_instance.h"
#include "scene/textured_mesh.h"

std::vector<std::uint32_t> hullTriangles(const IntVecArrayValue& indices, std::size_t vertexCount) {
    std::vector<std::int64_t> flat;
    for (const std::vector<std::int32_t>& list : indices) flat.insert(flat.end(), list.begin(), list.end());
    std::vector<std::uint32_t> kept;
    for (std::size_t t = 0; t + 2 < flat.size(); t += 3) {
        const bool inside = flat[t] >= 0 && flat[t + 1] >= 0 && flat[t + 2] >= 0 &&
                            std::size_t(flat[t]) < vertexCount && std::size_t(flat[t + 1]) < vertexCount &&
                            std::size_t(flat[t + 2]) < vertexCount;
        if (inside) kept.insert(kept.end(), {std::uint32_t(flat[t]), std::uint32_t(flat[t + 1]), std::uint32_t(flat[t + 2])});
    }
    return kept;
}

FlexibleConvexHullRenderableAsset::FlexibleConvexHullRenderableAsset(ThreadResourcePool* renderContext,
                                                                     BaseRenderable* owner)
    : SimpleEffectAsset(kConvexHullType, renderContext, owner, false) {
    initBoundingBoxes(bounds_);
    bounds_.local = {{-1000.0f, -1000.0f, -1000.0f}, {1000.0f, 1000.0f, 1000.0f}};
}

FlexibleConvexHullRenderableAsset::~FlexibleConvexHullRenderableAsset() { unload(); }

void FlexibleConvexHullRenderableAsset::setEffect(gfx::Effect* effect) {
    effect_ = effect;
    refreshEffectHandles();
}

void FlexibleConvexHullRenderableAsset::refreshEffectHandles() { wvp_ = effect_ ? effect_->getParameterByName("gWVP") : 0; }

void FlexibleConvexHullRenderableAsset::unload() {
    gfx::safeRelease(vertices_);
    gfx::safeRelease(indices_);
    vertexCount_ = indexCount_ = 0;
}

void FlexibleConvexHullRenderableAsset::build(const PointPathValue& points, const IntVecArrayValue& indices) {
    unload();
    if (points.empty() || !deviceGlobal) return;
    const std::vector<std::uint32_t> triangles = hullTriangles(indices, points.size());
    std::vector<PositionTexVertex> vertices;
    vertices.reserve(points.size());
    for (const Vector3Value& p : points) vertices.push_back({{p[0], p[1], p[2]}, {0.0f, 0.0f}});
    wide_ = points.size() > 65536;
    void* data = nullptr;
    const auto vertexBytes = std::uint32_t(vertices.size() * sizeof(PositionTexVertex));
    if (gfx::failed(deviceGlobal->createVertexBuffer(vertexBytes, 0, gfx::Pool::Managed, &vertices_)) ||
        gfx::failed(vertices_->lock(0, 0, &data, 0)))
        return unload();
    std::memcpy(data, vertices.data(), vertexBytes);
    vertices_->unlock();
    vertexCount_ = std::uint32_t(points.size());
    if (triangles.empty()) return;
    const auto indexBytes = std::uint32_t(triangles.size() * (wide_ ? 4 : 2));
    if (gfx::failed(deviceGlobal->createIndexBuffer(indexBytes, gfx::Usage::WriteOnly,
                                                    wide_ ? gfx::Format::Index32 : gfx::Format::Index16,
                                                    gfx::Pool::Managed, &indices_)) ||
        gfx::failed(indices_->lock(0, 0, &data, 0)))
        return unload();
    if (wide_) {
        std::memcpy(data, triangles.data(), indexBytes);
    } else {
        auto* narrow = static_cast<std::uint16_t*>(data);
        for (std::size_t k = 0; k < triangles.size(); ++k) narrow[k] = std::uint16_t(triangles[k]);
    }
    indices_->unlock();
    indexCount_ = std::uint32_t(triangles.size());
}

void FlexibleConvexHullRenderableAsset::updateInstanceData(RenderableInstance* instance, float) {
    SimpleParameterGroup* group = instance && instance->pair() ? instance->pair()->renderGroup() : nullptr;
    if (!group) return;
    bool changed = instance->oneShotUpdate != 0;
    instance->oneShotUpdate = 0;
    changed = group->hasParameterChanged(ConvexHullParameters::verts.name) || changed;
    changed = group->hasParameterChanged(ConvexHullParameters::indicies.name) || changed;
    const bool moved = group->hasParameterChanged("matrix");
    if (moved) instance->update();
    if (!changed) return;
    const PointPathParameter* points = declared::find(group, ConvexHullParameters::verts);
    if (!points) return;
    build(points->value, declared::read(group, ConvexHullParameters::indicies));
}

void FlexibleConvexHullRenderableAsset::beginRender(DrawPass pass, const PassContext&, const ViewBlock&) {
    if (pass == DrawPass::Colour && built()) beginPremultipliedBlend();
}

void FlexibleConvexHullRenderableAsset::renderInstance(RenderableInstance* instance, const ViewBlock& view,
                                                       const PassContext&, DrawPass pass) {
    if (pass != DrawPass::Colour || !instance || !effect_ || !built()) return;
    effect_->setMatrix(wvp_, instance->worldMatrix() * view.viewProjection);
    effect_->commitChanges();
    deviceGlobal->setStreamSource(0, vertices_, 0, sizeof(PositionTexVertex));
    deviceGlobal->setIndices(indices_);
    deviceGlobal->drawIndexedPrimitive(gfx::PrimitiveType::TriangleList, 0, 0, vertexCount_, 0, indexCount_ / 3);
    ++draws_;
}

void FlexibleConvexHullRenderableAsset::endRender(DrawPass pass, const PassContext&, const ViewBlock&) {
    if (pass == DrawPass::Colour) endPremultipliedBlend();
}

FlexibleConvexHullRenderable::FlexibleConvexHullRenderable(ThreadResourcePool* renderContext,
                                                           RenderInterface* renderInterface, RenderableManager* manager)
    : SimpleEffectRenderable(renderContext, "FlexibleConvexHullRenderable", manager, renderInterface,
                             "Data/graphics/3d/effects/ConvexHullShader.fx", "Convex Hull Renderable") {
    drawOrder = 6;
}

void FlexibleConvexHullRenderable::makeAssets() { addAsset(new FlexibleConvexHullRenderableAsset(renderContext(), this)); }

void FlexibleConvexHullRenderable::setUpParamDescriptions(ParameterDescriptionRegistry& registry) {
    describe(registry, kConvexHullType, ConvexHullParameters::verts, ConvexHullParameters::indicies);
}

void FlexibleConvexHullRenderable::drawInstances(RenderableAsset& asset, const ViewBlock& view,
                                                 const PassContext& context) {
    if (!asset.visibleInstances.empty())
        asset.renderInstance(asset.visibleInstances.front(), view, context, DrawPass::Colour);
}
