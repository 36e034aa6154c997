#include "scene/static_renderable_batch.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/gfx/buffers.h"
#include "platform/gfx/effect.h"
#include "platform/gfx/texture.h"
#include "platform/gfx/vertex_declaration.h"
#include "render/base_renderable.h"
#include "render/device_global.h"
#include "platform/gfx/math_half.h"
#include "platform/gfx/math_vector.h"
#include "platform/mesh/mesh.h"
#include "render/renderable_instance.h"
#include "render/renderable_light.h"
#include "scene/batch_chunks.h"
#include "scene/mesh_atlas_group.h"
#include "scene/static_mesh_asset.h"

namespace {

// The largest texture the device makes; the lightmap atlas never passes it.
std::uint32_t largestTexture() {
    gfx::Caps caps;
    if (deviceGlobal && gfx::succeeded(deviceGlobal->getDeviceCaps(caps)) && caps.maxTextureWidth > 0)
        return std::min(caps.maxTextureWidth, caps.maxTextureHeight ? caps.maxTextureHeight : caps.maxTextureWidth);
    return 2048;
}

} // namespace

StaticRenderableBatch::StaticRenderableBatch(QuadTreeNode* cell, std::uint32_t batchValue, BaseRenderable* owner,
                                             TextureSharingGroupInterface* group, gfx::Effect* effect)
    : cell_(cell), batchValue_(batchValue), owner_(owner), group_(group), effect_(effect), lightmap_(largestTexture()) {
    if (effect_) lightMapHandle_ = effect_->getParameterByName("gLightMapTex");
    if (owner_) owner_->registerBatch(this);
}

StaticRenderableBatch::~StaticRenderableBatch() {
    releaseBuffers();
    gfx::safeRelease(declaration_);
}

void StaticRenderableBatch::addInstance(RenderableInstance* instance) {
    if (!instance) return;
    RenderableAsset* asset = instance->asset();
    auto group = std::find_if(instanceGroups_.begin(), instanceGroups_.end(),
                              [&](const InstanceGroup& known) { return known.asset == asset; });
    if (group == instanceGroups_.end()) {
        instanceGroups_.push_back({asset, {}});
        group = instanceGroups_.end() - 1;
    }
    group->instances.push_back(instance);
    lightmapInstances_.push_back(instance);
    ++count_;
    if (owner_) owner_->addToBatch(this);
}

void StaticRenderableBatch::removeInstance(RenderableInstance* instance) {
    const auto found = std::find(lightmapInstances_.begin(), lightmapInstances_.end(), instance);
    if (found == lightmapInstances_.end()) return;
    lightmapInstances_.erase(found);
    for (auto group = instanceGroups_.begin(); group != instanceGroups_.end(); ++group) {
        if (std::erase(group->instances, instance) == 0) continue;
        if (group->instances.empty()) instanceGroups_.erase(group);
        break;
    }
    --count_;
    if (owner_) owner_->addToBatch(this);
}

void StaticRenderableBatch::unload() {
    if (owner_) owner_->unloadBatch(this);
}

void StaticRenderableBatch::releaseBuffers() {
    gfx::safeRelease(lightmapTexture_);
    releaseChunks();
}

void StaticRenderableBatch::releaseChunks() {
    for (Chunk& chunk : chunks_) {
        gfx::safeRelease(chunk.vertices);
        gfx::safeRelease(chunk.indices);
    }
    chunks_.clear();
}

bool StaticRenderableBatch::uploadNewTexture() {
    gfx::safeRelease(lightmapTexture_);
    if (!deviceGlobal ||
        gfx::failed(deviceGlobal->createTexture(lightmapWidth_, lightmapHeight_, 1, 0, gfx::Format::A8R8G8B8,
                                                gfx::Pool::Managed, &lightmapTexture_))) {
        lightmapTexture_ = nullptr;
        return false;
    }
    return true;
}

void StaticRenderableBatch::bakeLightmap(const std::vector<RenderablePointLight*>& pointLights) {
    lightmap_.buildLightmapTexels(lightmapWidth_, lightmapHeight_, lightmapInstances_, pointLights);
    if (!lightmapWidth_ || !lightmapHeight_ || !uploadNewTexture()) return;
    lightmap_.lightLightmapTexels(lightmapWidth_, lightmapHeight_);
    lightmap_.dilateLightmap(lightmapWidth_, lightmapHeight_);
    lightmap_.uploadLightmap(lightmapWidth_, lightmapHeight_, lightmapTexture_);
}

void StaticRenderableBatch::rebuildLightmap() {
    gfx::safeRelease(lightmapTexture_);
    if (!lightmapWidth_ || !lightmapHeight_ || !uploadNewTexture()) return;
    lightmap_.clearLightmapColours(lightmapWidth_, lightmapHeight_);
    lightmap_.lightLightmapTexels(lightmapWidth_, lightmapHeight_);
    lightmap_.dilateLightmap(lightmapWidth_, lightmapHeight_);
    lightmap_.uploadLightmap(lightmapWidth_, lightmapHeight_, lightmapTexture_);
}

std::uint32_t batchVertexStride(BatchVertexLayout layout) {
    switch (layout) {
    case BatchVertexLayout::Lightmapped: return 52;
    case BatchVertexLayout::VertexLit: return 60;
    case BatchVertexLayout::Compact: return 16;
    }
    return 52;
}

gfx::Vector3 bakedVertexLight(const gfx::Vector3& position, const gfx::Vector3& normal,
                              const RenderableInstance& instance) {
    gfx::Vector3 sum;
    for (std::size_t i = 0; i < 3; ++i) {
        const RenderablePointLight* light = instance.getPointLight(i);
        if (!light) continue;
        const gfx::Vector3 toLight = light->position() - position;
        const float squaredDistance = gfx::dot(toLight, toLight);
        const float squaredRadius = light->squaredRadius();
        const float attenuation = squaredRadius > 0.0f ? 1.0f - std::min(1.0f, squaredDistance / squaredRadius) : 0.0f;
        const float nDotL = std::max(0.0f, gfx::dot(normal, gfx::normalize(toLight)));
        const PointLightRecord& record = light->record();
        sum = sum + gfx::Vector3{record.colour[0], record.colour[1], record.colour[2]} * (nDotL * attenuation);
    }
    const float h = std::max(0.0f, 0.5f * normal.y - 0.5f * normal.x);
    return {3.0f * sum.x + 0.5f * (sum.x + 0.3f * h), 3.0f * sum.y + 0.5f * (sum.y + 0.4f * h),
            3.0f * sum.z + 0.5f * (sum.z + 0.45f * h)};
}

namespace {

float placed(float coordinate, float offset, float scale) {
    if (coordinate < 0.0f) coordinate = 1.0f - std::fabs(coordinate);
    return std::fabs(scale * coordinate + offset);
}

// One source vertex of an instance written in the layout.
void bakeVertex(BatchVertexLayout layout, const LightmappedMeshVertex& source, const gfx::Matrix& world,
                const AtlasPlacement& where, const LightmapChart* chart, const RenderableInstance& instance,
                std::uint8_t* out) {
    const gfx::Vector3 position =
        gfx::transformCoord({source.position[0], source.position[1], source.position[2]}, world);
    const gfx::Vector3 normal = gfx::transformNormal({source.normal[0], source.normal[1], source.normal[2]}, world);
    const gfx::Vector3 tangent =
        gfx::transformNormal({source.tangent[0], source.tangent[1], source.tangent[2]}, world);
    const float u = placed(source.uv[0], where.offsetU, where.scaleU);
    const float v = placed(source.uv[1], where.offsetV, where.scaleV);
    if (layout == BatchVertexLayout::Compact) {
        const gfx::Vector3 light = bakedVertexLight(position, normal, instance);
        const float values[8] = {position.x, position.y, position.z, u, light.x, light.y, light.z, v};
        std::uint16_t halves[8];
        gfx::floatsToHalves(values, halves, 8);
        std::memcpy(out, halves, sizeof halves);
        return;
    }
    float values[15] = {position.x, position.y, position.z, normal.x, normal.y, normal.z,
                        tangent.x,  tangent.y,  tangent.z,  u,        v};
    if (layout == BatchVertexLayout::Lightmapped) {
        const float s = source.lightmapUv[0], t = source.lightmapUv[1];
        values[11] = chart ? (chart->uMax - chart->uMin) * s + chart->uMin : s;
        values[12] = chart ? (chart->vMax - chart->vMin) * t + chart->vMin : t;
        std::memcpy(out, values, 52);
        return;
    }
    const gfx::Vector3 light = bakedVertexLight(position, normal, instance);
    values[11] = light.x;
    values[12] = light.y;
    values[13] = light.z;
    values[14] = 1.0f;
    std::memcpy(out, values, 60);
}

} // namespace

std::vector<gfx::VertexElement> batchVertexElements(BatchVertexLayout layout) {
    using gfx::DeclType;
    using gfx::DeclUsage;
    if (layout == BatchVertexLayout::Compact)
        return {{0, 0, DeclType::Float16x4, 0, DeclUsage::Position, 0}, {0, 8, DeclType::Float16x4, 0, DeclUsage::Color, 0}};
    std::vector<gfx::VertexElement> elements = {{0, 0, DeclType::Float3, 0, DeclUsage::Position, 0},
                                                {0, 12, DeclType::Float3, 0, DeclUsage::Normal, 0},
                                                {0, 24, DeclType::Float3, 0, DeclUsage::Tangent, 0},
                                                {0, 36, DeclType::Float2, 0, DeclUsage::TexCoord, 0}};
    if (layout == BatchVertexLayout::Lightmapped)
        elements.push_back({0, 44, DeclType::Float2, 0, DeclUsage::TexCoord, 1});
    else
        elements.push_back({0, 44, DeclType::Float4, 0, DeclUsage::Color, 0});
    return elements;
}

void StaticRenderableBatch::draw(gfx::Effect* effect) {
    if (chunks_.empty() || !effect || !declaration_ || !deviceGlobal) return;
    const std::uint32_t stride = batchVertexStride(layout_);
    deviceGlobal->setVertexDeclaration(declaration_);
    for (Chunk& chunk : chunks_) {
        deviceGlobal->setStreamSource(0, chunk.vertices, 0, stride);
        deviceGlobal->setIndices(chunk.indices);
        effect->commitChanges();
        deviceGlobal->drawIndexedPrimitive(gfx::PrimitiveType::TriangleList, 0, 0, chunk.vertexCount, 0,
                                           chunk.indexCount / 3);
    }
}

bool StaticRenderableBatch::buildChunks(BatchVertexLayout layout, const MeshAtlasGroup& atlas) {
    releaseChunks();
    if (layout != layout_ || !declaration_) {
        gfx::safeRelease(declaration_);
        layout_ = layout;
        if (gfx::failed(gfx::VertexDeclaration::create(batchVertexElements(layout), &declaration_))) return false;
    }
    struct Entry {
        StaticMeshRenderableAsset* asset;
        RenderableInstance* instance;
    };
    std::vector<Entry> entries;
    std::vector<InstanceCounts> counts;
    for (const InstanceGroup& group : instanceGroups_) {
        auto* asset = dynamic_cast<StaticMeshRenderableAsset*>(group.asset);
        if (!asset || asset->absent()) continue;
        const mesh::Mesh& loaded = *asset->file().mesh;
        for (RenderableInstance* instance : group.instances) {
            entries.push_back({asset, instance});
            counts.push_back({loaded.numVertices(), loaded.numFaces() * 3});
        }
    }
    const std::vector<BatchChunkPlan> plan = planBatchChunks(counts);
    if (plan.empty() || !deviceGlobal) return false;
    const std::uint32_t stride = batchVertexStride(layout);
    for (const BatchChunkPlan& part : plan) {
        Chunk chunk;
        chunk.vertexCount = part.vertexCount;
        chunk.indexCount = part.indexCount;
        if (gfx::failed(deviceGlobal->createVertexBuffer(part.vertexCount * stride, gfx::Usage::WriteOnly,
                                                         gfx::Pool::Managed, &chunk.vertices)) ||
            gfx::failed(deviceGlobal->createIndexBuffer(part.indexCount * 2, gfx::Usage::WriteOnly,
                                                        gfx::Format::Index16, gfx::Pool::Managed, &chunk.indices))) {
            gfx::safeRelease(chunk.vertices);
            releaseChunks();
            return false;
        }
        void* vertexTarget = nullptr;
        void* indexTarget = nullptr;
        chunk.vertices->lock(0, 0, &vertexTarget, 0);
        chunk.indices->lock(0, 0, &indexTarget, 0);
        auto* vertexOut = static_cast<std::uint8_t*>(vertexTarget);
        auto* indexOut = static_cast<std::uint16_t*>(indexTarget);
        std::uint32_t firstVertex = 0;
        for (std::uint32_t i = part.firstInstance; i < part.firstInstance + part.instanceCount; ++i) {
            mesh::Mesh& loaded = *entries[i].asset->file().mesh;
            const RenderableInstance& instance = *entries[i].instance;
            const LightmapChart* chart =
                instance.lightmapIndex < lightmap_.charts().size() ? &lightmap_.charts()[instance.lightmapIndex] : nullptr;
            void* vertexData = nullptr;
            void* indexData = nullptr;
            loaded.lockVertexBuffer(gfx::Lock::ReadOnly, &vertexData);
            loaded.lockIndexBuffer(gfx::Lock::ReadOnly, &indexData);
            const auto* source = static_cast<const LightmappedMeshVertex*>(vertexData);
            const auto* indices = static_cast<const std::uint16_t*>(indexData);
            for (std::uint32_t k = 0; k < loaded.numFaces() * 3; ++k) *indexOut++ = std::uint16_t(indices[k] + firstVertex);
            const std::vector<std::string>& names = entries[i].asset->file().textureNames;
            std::vector<bool> written(loaded.numVertices(), false);
            for (const mesh::AttributeRange& range : loaded.attributeTable()) {
                const AtlasPlacement& where =
                    atlas.placement(range.attributeId < names.size() ? names[range.attributeId] : std::string());
                for (std::uint32_t v = range.vertexStart;
                     v < range.vertexStart + range.vertexCount && v < loaded.numVertices(); ++v) {
                    if (written[v]) continue;
                    written[v] = true;
                    bakeVertex(layout, source[v], instance.worldMatrix(), where, chart, instance,
                               vertexOut + std::size_t(firstVertex + v) * stride);
                }
            }
            for (std::uint32_t v = 0; v < loaded.numVertices(); ++v)
                if (!written[v])
                    bakeVertex(layout, source[v], instance.worldMatrix(), atlas.atlasIndex().defaultPlacement(), chart,
                               instance, vertexOut + std::size_t(firstVertex + v) * stride);
            loaded.unlockIndexBuffer();
            loaded.unlockVertexBuffer();
            firstVertex += loaded.numVertices();
        }
        chunk.indices->unlock();
        chunk.vertices->unlock();
        chunks_.push_back(chunk);
    }
    return true;
}
