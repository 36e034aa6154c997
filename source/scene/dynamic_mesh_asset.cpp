#include "scene/dynamic_mesh_asset.h"

#include <algorithm>
#include <cstring>

#include "platform/gfx/buffers.h"
#include "platform/gfx/device.h"
#include "platform/gfx/math_matrix.h"
#include "platform/mesh/mesh.h"
#include "platform/mesh/mesh_geometry.h"
#include "render/device_global.h"
#include "render/renderable_instance.h"
#include "render/renderable_light.h"
#include "scene/dynamic_mesh_parameters.h"
#include "scene/mesh_atlas_group.h"
#include "scene/mesh_bounds.h"

namespace {

constexpr unsigned kUvOffset = 36;

// What the instance stream carries per instance: 80 bytes.
struct InstanceRecord {
    float worldRows[3][4];
    float highlight[4];
    float lights[4];
};
static_assert(sizeof(InstanceRecord) == 80);

} // namespace

void setScenePointLights(gfx::Effect* effect, const std::vector<RenderablePointLight*>& sceneLights) {
    if (!effect) return;
    std::vector<float> values(kInstancedSceneLights * 8, 0.0f);
    for (std::size_t i = 0; i < sceneLights.size() && i < kInstancedSceneLights; ++i) {
        if (!sceneLights[i]) continue;
        const PointLightRecord& record = sceneLights[i]->record();
        std::memcpy(&values[i * 8], &record, sizeof record);
    }
    effect->setVectorArray(effect->getParameterBySemantic("INSTANCE_POINTLIGHTS_ARRAY"), values.data(),
                           std::uint32_t(kInstancedSceneLights * 2));
}

DynamicMeshRenderableAsset::DynamicMeshRenderableAsset(const std::string& name, ThreadResourcePool* renderContext,
                                                       BaseRenderable* owner, const std::string& folder,
                                                       const std::string& baseName, MeshAtlasGroup* group)
    : RenderableAsset(name, renderContext, owner, false), folder_(folder), baseName_(baseName), group_(group) {
    setDefaultMeshBounds(bounds_);
}

DynamicMeshRenderableAsset::~DynamicMeshRenderableAsset() {
    gfx::safeRelease(instancedDeclaration_);
    gfx::safeRelease(instanceStream_);
}

void DynamicMeshRenderableAsset::loadStage2() {
    if (!loadMeshFile(folder_, baseName_, vdMesh, deviceGlobal, LightmapCoordinates::NotNeeded, file_)) return;
    mesh::Mesh& loaded = *file_.mesh;
    void* data = nullptr;
    if (gfx::failed(loaded.lockVertexBuffer(0, &data))) return;
    gfx::Vector3 min, max;
    mesh::computeBoundingBox(data, loaded.numVertices(), loaded.numBytesPerVertex(), min, max);
    if (group_)
        placeInAtlas(data, loaded.numVertices(), loaded.numBytesPerVertex(), kUvOffset, loaded.attributeTable(),
                     file_.textureNames, *group_);
    loaded.unlockVertexBuffer();
    setCubicBounds(bounds_, min, max);
}

void DynamicMeshRenderableAsset::setEffects(gfx::Effect* colour, gfx::Effect* shadow, gfx::Effect* depth) {
    colour_ = colour;
    shadow_ = shadow;
    depth_ = depth;
}

void DynamicMeshRenderableAsset::refreshEffectHandles() {
    colourHandles_ = {};
    shadowLightWvp_ = depthLocalToScreen_ = depthLocalToCamera_ = 0;
    if (colour_) {
        colourHandles_.wvp = colour_->getParameterByName("gWVP");
        colourHandles_.lightWvp = colour_->getParameterByName("gLightWVP");
        colourHandles_.world = colour_->getParameterByName("gWorld");
        colourHandles_.material = colour_->getParameterByName("gMtrl");
        colourHandles_.light = colour_->getParameterByName("gLight");
        const char* names[] = {"gPointLight1", "gPointLight2", "gPointLight3", "gPointLight4"};
        for (int k = 0; k < 4; ++k) colourHandles_.pointLights[k] = colour_->getParameterByName(names[k]);
        colourHandles_.highlight = colour_->getParameterByName("gHighlightColour");
    }
    if (shadow_) shadowLightWvp_ = shadow_->getParameterByName("gLightWVP");
    if (depth_) {
        depthLocalToScreen_ = depth_->getParameterByName("g_local_to_screen");
        depthLocalToCamera_ = depth_->getParameterByName("g_local_to_camera");
    }
}

void DynamicMeshRenderableAsset::unload() {
    gfx::safeRelease(file_.mesh);
    gfx::safeRelease(instancedDeclaration_);
    gfx::safeRelease(instanceStream_);
    instanceCapacity_ = preparedCount_ = 0;
}

void DynamicMeshRenderableAsset::beginRender(DrawPass, const PassContext&, const ViewBlock&) { drawnSubsets_ = 0; }

void DynamicMeshRenderableAsset::drawSubsets(bool count) {
    for (const mesh::AttributeRange& range : file_.mesh->attributeTable()) {
        if (range.attributeId >= file_.materials.size()) continue;
        file_.mesh->drawSubset(range.attributeId);
        if (count) ++drawnSubsets_;
    }
}

void setPointLightRecords(gfx::Effect* effect, const gfx::EffectHandle (&handles)[4], const RenderableInstance* instance) {
    if (!effect || !instance) return;
    for (std::size_t k = 0; k < 4; ++k) {
        PointLightRecord record{};
        if (const RenderablePointLight* light = instance->getPointLight(k)) record = light->record();
        effect->setValue(handles[k], &record, sizeof record);
    }
}

void DynamicMeshRenderableAsset::setPointLights(RenderableInstance* instance) {
    setPointLightRecords(colour_, colourHandles_.pointLights, instance);
}

void DynamicMeshRenderableAsset::renderInstance(RenderableInstance* instance, const ViewBlock& view,
                                                const PassContext&, DrawPass pass) {
    if (absent() || !instance) return;
    gfx::Effect* effect = pass == DrawPass::Shadow ? shadow_ : pass == DrawPass::Depth ? depth_ : colour_;
    if (!effect) return;
    const SimpleParameterGroup* parameters = instance->pair() ? instance->pair()->renderGroup() : nullptr;
    if (!declared::read(parameters, DynamicMeshParameters::shouldRender)) return;
    const RenderableDirectionalLight* light = instance->directionalLight();
    if (!light) return;
    const gfx::Matrix& world = instance->worldMatrix();
    const gfx::Matrix lightWvp = world * light->shadowViewProjection();
    switch (pass) {
    case DrawPass::Shadow:
        effect->setMatrix(shadowLightWvp_, lightWvp);
        effect->commitChanges();
        drawSubsets(false);
        break;
    case DrawPass::Depth:
        effect->setMatrix(depthLocalToScreen_, world * view.viewProjection);
        effect->setMatrix(depthLocalToCamera_, world * view.view);
        effect->commitChanges();
        drawSubsets(false);
        break;
    case DrawPass::Colour: {
        const Vector4Value highlight = declared::read(parameters, DynamicMeshParameters::highlightColour);
        effect->setVector(colourHandles_.highlight, highlight.data());
        effect->setMatrix(colourHandles_.wvp, world * view.viewProjection);
        effect->setMatrix(colourHandles_.world, world);
        effect->setMatrix(colourHandles_.lightWvp, lightWvp);
        effect->setValue(colourHandles_.light, &light->record(), sizeof(DirectionalLightRecord));
        setPointLights(instance);
        effect->commitChanges();
        drawSubsets(true);
        break;
    }
    }
}

void DynamicMeshRenderableAsset::copyVertices(std::vector<std::array<float, 3>>& points,
                                              std::vector<std::uint32_t>& indices) {
    if (absent()) return;
    mesh::Mesh& loaded = *file_.mesh;
    void* data = nullptr;
    if (gfx::succeeded(loaded.lockVertexBuffer(gfx::Lock::ReadOnly, &data))) {
        for (std::uint32_t v = 0; v < loaded.numVertices(); ++v) {
            std::array<float, 3> point;
            std::memcpy(point.data(), static_cast<const std::uint8_t*>(data) + std::size_t(v) * loaded.numBytesPerVertex(),
                        sizeof point);
            points.push_back(point);
        }
        loaded.unlockVertexBuffer();
    }
    if (gfx::succeeded(loaded.lockIndexBuffer(gfx::Lock::ReadOnly, &data))) {
        const bool wide = loaded.options() & mesh::Options::Use32BitIndices;
        for (std::uint32_t i = 0; i < loaded.numFaces() * 3; ++i)
            indices.push_back(wide ? static_cast<const std::uint32_t*>(data)[i] : static_cast<const std::uint16_t*>(data)[i]);
        loaded.unlockIndexBuffer();
    }
}

void DynamicMeshRenderableAsset::prepareInstances(const std::vector<RenderablePointLight*>& sceneLights) {
    preparedCount_ = 0;
    preparedLight_ = nullptr;
    if (absent() || !deviceGlobal) return;
    std::vector<InstanceRecord> records;
    for (RenderableInstance* instance : visibleInstances) {
        const SimpleParameterGroup* parameters = instance->pair() ? instance->pair()->renderGroup() : nullptr;
        if (!declared::read(parameters, DynamicMeshParameters::shouldRender) || !instance->directionalLight()) continue;
        if (!preparedLight_) preparedLight_ = instance->directionalLight();
        InstanceRecord record{};
        const gfx::Matrix& world = instance->worldMatrix();
        for (int row = 0; row < 3; ++row)
            for (int column = 0; column < 4; ++column) record.worldRows[row][column] = world.m[column][row];
        const Vector4Value highlight = declared::read(parameters, DynamicMeshParameters::highlightColour);
        std::memcpy(record.highlight, highlight.data(), sizeof record.highlight);
        for (std::size_t k = 0; k < 4; ++k) {
            record.lights[k] = -1.0f;
            const RenderablePointLight* light = instance->getPointLight(k);
            const auto found = std::find(sceneLights.begin(), sceneLights.end(), light);
            if (light && found != sceneLights.end() && std::size_t(found - sceneLights.begin()) < kInstancedSceneLights)
                record.lights[k] = float(found - sceneLights.begin());
        }
        records.push_back(record);
    }
    if (records.empty()) return;
    if (!instancedDeclaration_) {
        std::vector<gfx::VertexElement> elements = file_.mesh->declaration();
        for (std::uint8_t set = 1; set <= 3; ++set)
            elements.push_back({1, std::uint16_t((set - 1) * 16), gfx::DeclType::Float4, 0, gfx::DeclUsage::TexCoord, set});
        elements.push_back({1, 48, gfx::DeclType::Float4, 0, gfx::DeclUsage::Color, 1});
        elements.push_back({1, 64, gfx::DeclType::Float4, 0, gfx::DeclUsage::BlendIndices, 0});
        if (gfx::failed(deviceGlobal->createVertexDeclaration(elements, &instancedDeclaration_))) return;
    }
    if (records.size() > instanceCapacity_) {
        gfx::safeRelease(instanceStream_);
        instanceCapacity_ = 0;
        const std::uint32_t capacity = std::uint32_t(records.size()) * 2;
        if (gfx::failed(deviceGlobal->createVertexBuffer(capacity * sizeof(InstanceRecord), gfx::Usage::WriteOnly,
                                                         gfx::Pool::Managed, &instanceStream_)))
            return;
        instanceCapacity_ = capacity;
    }
    void* data = nullptr;
    if (gfx::failed(instanceStream_->lock(0, std::uint32_t(records.size() * sizeof(InstanceRecord)), &data, 0))) return;
    std::memcpy(data, records.data(), records.size() * sizeof(InstanceRecord));
    instanceStream_->unlock();
    preparedCount_ = std::uint32_t(records.size());
}

void DynamicMeshRenderableAsset::drawInstanced(DrawPass pass, const ViewBlock& view) {
    if (absent() || !preparedCount_ || !instanceStream_ || !instancedDeclaration_ || !deviceGlobal) return;
    gfx::Effect* effect = pass == DrawPass::Shadow ? shadow_ : pass == DrawPass::Depth ? depth_ : colour_;
    if (!effect) return;
    const gfx::Matrix lightViewProjection =
        preparedLight_ ? preparedLight_->shadowViewProjection() : gfx::identityMatrix();
    if (pass == DrawPass::Depth) {
        effect->setMatrix(effect->getParameterByName("gDepthViewProj"), view.viewProjection);
        effect->setMatrix(effect->getParameterByName("gDepthView"), view.view);
    } else {
        effect->setMatrix(effect->getParameterByName("gLightVP"), lightViewProjection);
    }
    if (pass == DrawPass::Colour) {
        effect->setMatrix(effect->getParameterByName("gViewProj"), view.viewProjection);
        if (preparedLight_)
            effect->setValue(colourHandles_.light, &preparedLight_->record(), sizeof(DirectionalLightRecord));
    }
    effect->commitChanges();
    gfx::VertexBuffer* vertices = file_.mesh->getVertexBuffer();
    gfx::IndexBuffer* indices = file_.mesh->getIndexBuffer();
    gfx::Device* device = deviceGlobal;
    device->setVertexDeclaration(instancedDeclaration_);
    device->setStreamSource(0, vertices, 0, file_.mesh->numBytesPerVertex());
    device->setStreamSourceFreq(0, gfx::StreamSource::IndexedData | preparedCount_);
    device->setStreamSource(1, instanceStream_, 0, sizeof(InstanceRecord));
    device->setStreamSourceFreq(1, gfx::StreamSource::InstanceData | 1u);
    device->setIndices(indices);
    for (const mesh::AttributeRange& range : file_.mesh->attributeTable()) {
        if (range.attributeId >= file_.materials.size() || range.faceCount == 0) continue;
        device->drawIndexedPrimitive(gfx::PrimitiveType::TriangleList, 0, range.vertexStart, range.vertexCount,
                                     range.faceStart * 3, range.faceCount);
        if (pass == DrawPass::Colour) ++drawnSubsets_;
    }
    device->setStreamSourceFreq(0, 1);
    device->setStreamSourceFreq(1, 1);
    device->setStreamSource(1, nullptr, 0, 0);
    gfx::safeRelease(vertices);
    gfx::safeRelease(indices);
}
