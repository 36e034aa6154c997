#include "scene/dynamic_mesh_asset.h"

#include <cstring>

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
} // namespace

DynamicMeshRenderableAsset::DynamicMeshRenderableAsset(const std::string& name, ThreadResourcePool* renderContext,
                                                       BaseRenderable* owner, const std::string& folder,
                                                       const std::string& baseName, MeshAtlasGroup* group)
    : RenderableAsset(name, renderContext, owner, false), folder_(folder), baseName_(baseName), group_(group) {
    setDefaultMeshBounds(bounds_);
}

DynamicMeshRenderableAsset::~DynamicMeshRenderableAsset() = default;

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

void DynamicMeshRenderableAsset::unload() { gfx::safeRelease(file_.mesh); }

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
