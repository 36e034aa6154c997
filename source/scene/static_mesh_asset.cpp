#include "scene/static_mesh_asset.h"

#include <cstring>

#include "platform/gfx/math_matrix.h"
#include "platform/gfx/math_vector.h"
#include "platform/mesh/mesh.h"
#include "platform/mesh/mesh_geometry.h"
#include "render/device_global.h"
#include "render/renderable_instance.h"
#include "render/renderable_light.h"
#include "scene/dynamic_mesh_asset.h"
#include "scene/dynamic_mesh_parameters.h"
#include "scene/mesh_bounds.h"
#include "scene/static_renderable_batch.h"

StaticMeshRenderableAsset::StaticMeshRenderableAsset(const std::string& name, ThreadResourcePool* renderContext,
                                                     BaseRenderable* owner, TextureSharingGroupInterface* sharingGroup,
                                                     const std::string& folder, const std::string& baseName,
                                                     std::uint32_t batchValue)
    : BatchableRenderableAsset(name, renderContext, owner), sharingGroup_(sharingGroup), folder_(folder),
      baseName_(baseName), batchValue_(batchValue) {
    setDefaultMeshBounds(bounds_);
}

StaticMeshRenderableAsset::~StaticMeshRenderableAsset() = default;

void StaticMeshRenderableAsset::loadStage2() {
    if (!loadMeshFile(folder_, baseName_, vdMeshTwoTex, deviceGlobal, LightmapCoordinates::Needed, file_)) return;
    mesh::Mesh& loaded = *file_.mesh;
    void* vertexData = nullptr;
    void* indexData = nullptr;
    if (gfx::failed(loaded.lockVertexBuffer(gfx::Lock::ReadOnly, &vertexData))) return;
    gfx::Vector3 min, max;
    mesh::computeBoundingBox(vertexData, loaded.numVertices(), sizeof(LightmappedMeshVertex), min, max);
    surfaceArea_ = 0.0f;
    if (gfx::succeeded(loaded.lockIndexBuffer(gfx::Lock::ReadOnly, &indexData))) {
        const auto* vertices = static_cast<const LightmappedMeshVertex*>(vertexData);
        const auto* indices = static_cast<const std::uint16_t*>(indexData);
        auto position = [&](std::uint32_t i) {
            const float* p = vertices[indices[i]].position;
            return gfx::Vector3{p[0], p[1], p[2]};
        };
        for (std::uint32_t face = 0; face < loaded.numFaces(); ++face) {
            const gfx::Vector3 p0 = position(face * 3), p1 = position(face * 3 + 1), p2 = position(face * 3 + 2);
            surfaceArea_ += 0.5f * gfx::length(gfx::cross(p1 - p0, p2 - p0));
        }
        loaded.unlockIndexBuffer();
    }
    loaded.unlockVertexBuffer();
    setCubicBounds(bounds_, min, max);
}

void StaticMeshRenderableAsset::setEffects(gfx::Effect* colour, gfx::Effect* shadow, gfx::Effect* depth) {
    colour_ = colour;
    shadow_ = shadow;
    depth_ = depth;
}

void StaticMeshRenderableAsset::refreshEffectHandles() {
    colourHandles_ = {};
    shadowLightWvp_ = depthWvp_ = 0;
    if (colour_) {
        colourHandles_.wvp = colour_->getParameterByName("gWVP");
        colourHandles_.world = colour_->getParameterByName("gWorld");
        colourHandles_.lightWvp = colour_->getParameterByName("gLightWVP");
        colourHandles_.material = colour_->getParameterByName("gMtrl");
        colourHandles_.light = colour_->getParameterByName("gLight");
        const char* names[] = {"gPointLight1", "gPointLight2", "gPointLight3", "gPointLight4"};
        for (int k = 0; k < 4; ++k) colourHandles_.pointLights[k] = colour_->getParameterByName(names[k]);
        colourHandles_.highlight = colour_->getParameterByName("gHighlightColour");
    }
    if (shadow_) shadowLightWvp_ = shadow_->getParameterByName("gLightWVP");
    if (depth_) depthWvp_ = depth_->getParameterByName("gWVP");
}

void StaticMeshRenderableAsset::unload() { gfx::safeRelease(file_.mesh); }

void StaticMeshRenderableAsset::onInstanceAdded(RenderableInstance* instance) { lightmapInstances_.push_back(instance); }

void StaticMeshRenderableAsset::beginRender(DrawPass, const PassContext&, const ViewBlock&) { drawnSubsets_ = 0; }

void StaticMeshRenderableAsset::drawSubsets(bool count) {
    for (const mesh::AttributeRange& range : file_.mesh->attributeTable()) {
        file_.mesh->drawSubset(range.attributeId);
        if (count) ++drawnSubsets_;
    }
}

void StaticMeshRenderableAsset::renderInstance(RenderableInstance* instance, const ViewBlock& view,
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
    if (pass == DrawPass::Shadow) {
        effect->setMatrix(shadowLightWvp_, lightWvp);
        effect->commitChanges();
        drawSubsets(false);
    } else if (pass == DrawPass::Depth) {
        effect->setMatrix(depthWvp_, world * view.viewProjection);
        effect->commitChanges();
        drawSubsets(false);
    } else {
        const Vector4Value highlight = declared::read(parameters, DynamicMeshParameters::highlightColour);
        effect->setVector(colourHandles_.highlight, highlight.data());
        effect->setMatrix(colourHandles_.wvp, world * view.viewProjection);
        effect->setMatrix(colourHandles_.world, world);
        effect->setMatrix(colourHandles_.lightWvp, lightWvp);
        effect->setValue(colourHandles_.light, &light->record(), sizeof(DirectionalLightRecord));
        setPointLightRecords(effect, colourHandles_.pointLights, instance);
        effect->commitChanges();
        drawSubsets(true);
    }
}

std::uint32_t StaticMeshRenderableAsset::getLightmapTriangleCount() const {
    return file_.mesh ? file_.mesh->numFaces() : 0;
}

gfx::VertexBuffer* StaticMeshRenderableAsset::getLightmapVertexBuffer() {
    return file_.mesh ? file_.mesh->getVertexBuffer() : nullptr;
}

gfx::IndexBuffer* StaticMeshRenderableAsset::getLightmapIndexBuffer() {
    return file_.mesh ? file_.mesh->getIndexBuffer() : nullptr;
}

UnloadableBatchInterface* StaticMeshRenderableAsset::createBatch(QuadTreeNode* cell, BaseRenderable* owner,
                                                                 TextureSharingGroupInterface* group,
                                                                 gfx::Effect* effect) {
    return new StaticRenderableBatch(cell, batchValue_, owner, group, effect);
}
