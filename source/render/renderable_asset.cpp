#include "render/renderable_asset.h"

RenderableAsset::RenderableAsset(const std::string& name, ThreadResourcePool* renderContext, BaseRenderable* owner,
                                 bool batchable)
    : renderContext_(renderContext), name_(name), batchable_(batchable), owner_(owner) {}

RenderableAsset::~RenderableAsset() = default;

void RenderableAsset::onInstanceAdded(RenderableInstance*) {}

void RenderableAsset::updateInstanceData(RenderableInstance*, float) {}

void RenderableAsset::addInstance(RenderableInstance* instance) { visibleInstances.push_back(instance); }

void RenderableAsset::prepareInstancedArrays() {}

void RenderableAsset::copyVertices(std::vector<std::array<float, 3>>&, std::vector<std::uint32_t>&) {}

std::uint32_t RenderableAsset::getLightmapTriangleCount() const { return 0; }

gfx::VertexBuffer* RenderableAsset::getLightmapVertexBuffer() { return nullptr; }

gfx::IndexBuffer* RenderableAsset::getLightmapIndexBuffer() { return nullptr; }

float RenderableAsset::getLightmapSizeFactor() const { return 0.0f; }
