#include "scene/fog_of_war.h"

#include <algorithm>
#include <cstring>

#include "app/directory_lister.h"
#include "app/log.h"
#include "platform/gfx/buffers.h"
#include "platform/gfx/device.h"
#include "platform/mesh/mesh.h"
#include "render/device_global.h"
#include "render/render_settings.h"
#include "render/renderable_instance.h"
#include "render/renderable_manager.h"

namespace {

struct InstancedVertex {
    float position[4];
    float uv[2];
};
static_assert(sizeof(InstancedVertex) == 24);

} // namespace

FogOfWarHexRenderableAsset::FogOfWarHexRenderableAsset(const std::string& name, ThreadResourcePool* renderContext,
                                                       BaseRenderable* owner, std::string folder, std::string baseName)
    : SimpleEffectAsset(name, renderContext, owner, false), folder_(std::move(folder)), baseName_(std::move(baseName)) {
    initBoundingBoxes(bounds_);
    bounds_.local = {{-1.5f, -1.5f, -1.5f}, {1.5f, 12.0f, 1.5f}};
}

FogOfWarHexRenderableAsset::~FogOfWarHexRenderableAsset() { unload(); }

void FogOfWarHexRenderableAsset::loadStage2() {
    unload();
    if (!deviceGlobal || !loadMeshFile(folder_, baseName_, vdMesh, deviceGlobal, LightmapCoordinates::NotNeeded, file_))
        return;
    mesh::Mesh& loaded = *file_.mesh;
    vertexCount_ = loaded.numVertices();
    faceCount_ = loaded.numFaces();
    refreshEffectHandles();
    if (!instanced_ || vertexCount_ == 0 || faceCount_ == 0) return;
    // Copy indices are 16-bit: a draw holds only as many copies as 65536 vertices allow.
    copies_ = std::min(kCellsPerDraw, 65536u / vertexCount_);
    if (copies_ == 0) {
        LOG_MESSAGE("Fog of war: %s has too many vertices to draw", file_.path.c_str());
        return;
    }
    std::vector<InstancedVertex> vertices;
    std::vector<std::uint16_t> indices;
    vertices.reserve(std::size_t(vertexCount_) * copies_);
    indices.reserve(std::size_t(faceCount_) * 3 * copies_);
    void* data = nullptr;
    if (gfx::failed(loaded.lockVertexBuffer(gfx::Lock::ReadOnly, &data))) return;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    for (std::uint32_t i = 0; i < copies_; ++i)
        for (std::uint32_t v = 0; v < vertexCount_; ++v) {
            float position[3];
            std::memcpy(position, bytes + std::size_t(v) * loaded.numBytesPerVertex(), sizeof position);
            vertices.push_back({{position[0], position[1], position[2], float(i)}, {float(i), float(v)}});
        }
    loaded.unlockVertexBuffer();
    if (gfx::failed(loaded.lockIndexBuffer(gfx::Lock::ReadOnly, &data))) return;
    const bool wide = loaded.options() & mesh::Options::Use32BitIndices;
    for (std::uint32_t i = 0; i < copies_; ++i)
        for (std::uint32_t k = 0; k < faceCount_ * 3; ++k) {
            const std::uint32_t index = wide ? static_cast<const std::uint32_t*>(data)[k] : static_cast<const std::uint16_t*>(data)[k];
            indices.push_back(std::uint16_t(index + i * vertexCount_));
        }
    loaded.unlockIndexBuffer();
    const auto vertexBytes = std::uint32_t(vertices.size() * sizeof(InstancedVertex));
    const auto indexBytes = std::uint32_t(indices.size() * sizeof(std::uint16_t));
    if (gfx::failed(deviceGlobal->createVertexBuffer(vertexBytes, gfx::Usage::WriteOnly, gfx::Pool::Managed, &instancedVertices_)) ||
        gfx::failed(instancedVertices_->lock(0, 0, &data, 0)))
        return unload();
    std::memcpy(data, vertices.data(), vertexBytes);
    instancedVertices_->unlock();
    if (gfx::failed(deviceGlobal->createIndexBuffer(indexBytes, gfx::Usage::WriteOnly, gfx::Format::Index16,
                                                    gfx::Pool::Managed, &instancedIndices_)) ||
        gfx::failed(instancedIndices_->lock(0, 0, &data, 0)))
        return unload();
    std::memcpy(data, indices.data(), indexBytes);
    instancedIndices_->unlock();
}

void FogOfWarHexRenderableAsset::setEffect(gfx::Effect* effect) {
    effect_ = effect;
    refreshEffectHandles();
}

void FogOfWarHexRenderableAsset::refreshEffectHandles() {
    viewProjection_ = translationArray_ = fogArray_ = 0;
    if (!effect_) return;
    viewProjection_ = effect_->getParameterByName("gViewProj");
    translationArray_ = effect_->getParameterBySemantic("INSTANCE_WORLDMATRIX_ARRAY");
    fogArray_ = effect_->getParameterBySemantic("INSTANCE_COLOURTINT_ARRAY");
}

void FogOfWarHexRenderableAsset::unload() {
    gfx::safeRelease(file_.mesh);
    gfx::safeRelease(instancedVertices_);
    gfx::safeRelease(instancedIndices_);
    vertexCount_ = faceCount_ = copies_ = 0;
}

void FogOfWarHexRenderableAsset::beginRender(DrawPass pass, const PassContext&, const ViewBlock& view) {
    if (pass != DrawPass::Colour || !deviceGlobal) return;
    gfx::Device* device = deviceGlobal;
    // What is under the fog loses the fog value times its alpha; the alpha becomes 0.
    device->setRenderState(gfx::RenderState::AlphaBlendEnable, 1);
    device->setRenderState(gfx::RenderState::SeparateAlphaBlendEnable, 1);
    device->setRenderState(gfx::RenderState::BlendOp, std::uint32_t(gfx::BlendOp::RevSubtract));
    device->setRenderState(gfx::RenderState::SrcBlend, std::uint32_t(gfx::Blend::DestAlpha));
    device->setRenderState(gfx::RenderState::DestBlend, std::uint32_t(gfx::Blend::One));
    device->setRenderState(gfx::RenderState::SrcBlendAlpha, std::uint32_t(gfx::Blend::Zero));
    device->setRenderState(gfx::RenderState::DestBlendAlpha, std::uint32_t(gfx::Blend::Zero));
    if (!instanced_) return;
    device->setVertexDeclaration(vdPosition4Tex);
    device->setStreamSource(0, instancedVertices_, 0, sizeof(InstancedVertex));
    device->setIndices(instancedIndices_);
    if (effect_) effect_->setMatrix(viewProjection_, view.viewProjection);
}

void FogOfWarHexRenderableAsset::endRender(DrawPass pass, const PassContext&, const ViewBlock&) {
    if (pass != DrawPass::Colour || !deviceGlobal) return;
    deviceGlobal->setRenderState(gfx::RenderState::AlphaBlendEnable, 0);
    deviceGlobal->setRenderState(gfx::RenderState::SeparateAlphaBlendEnable, 0);
}

void FogOfWarHexRenderableAsset::prepareInstancedArrays() {
    translations_.clear();
    fogValues_.clear();
    for (RenderableInstance* instance : visibleInstances) {
        if (translations_.size() == kMaxCells) {
            if (!clampLogged_) LOG_MESSAGE("Fog of war: more than %u visible cells; the rest are not drawn", kMaxCells);
            clampLogged_ = true;
            break;
        }
        const gfx::Matrix& world = instance->worldMatrix();
        translations_.push_back({world.m[3][0], world.m[3][1], world.m[3][2], 0.0f});
        const bool visited =
            declared::read(instance->pair() ? instance->pair()->renderGroup() : nullptr, FogOfWarParameters::visited);
        fogValues_.push_back({visited ? kVisitedFog : kUnvisitedFog, 0.0f, 0.0f, 0.0f});
    }
}

void FogOfWarHexRenderableAsset::drawInstanced() {
    if (!effect_ || !instancedVertices_ || !instancedIndices_ || !deviceGlobal || copies_ == 0) return;
    const auto count = std::uint32_t(std::min(translations_.size(), visibleInstances.size()));
    for (std::uint32_t done = 0; done < count;) {
        const std::uint32_t m = std::min(count - done, copies_);
        effect_->setVectorArray(translationArray_, &translations_[done], m);
        effect_->setVectorArray(fogArray_, &fogValues_[done], m);
        effect_->commitChanges();
        deviceGlobal->drawIndexedPrimitive(gfx::PrimitiveType::TriangleList, 0, 0, vertexCount_ * m, 0, faceCount_ * m);
        drawnCells_.push_back(m);
        done += m;
    }
}

FogOfWarHexRenderable::FogOfWarHexRenderable(ThreadResourcePool* renderContext, RenderInterface* renderInterface,
                                             RenderableManager* manager)
    : SimpleEffectRenderable(renderContext, "FogOfWarHexRenderable", manager, renderInterface,
                             "Data/graphics/3d/effects/FogOfWarHexShader.fx", "Fog of War Hex Renderable") {
    drawOrder = 5;
}

std::vector<gfx::EffectMacro> FogOfWarHexRenderable::macros() const {
    const RenderSettings s = settings();
    const bool level3 = s.shaderLevel >= 3;
    const auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
    return {{"SHADOWS_ENABLED", flag(level3 && s.shadows)},
            {"SSAO_ENABLED", flag(level3 && s.ssao)},
            {"SM3_ENABLED", flag(level3)},
            {"SHADER_INSTANCED", flag(s.instancing)}};
}

std::vector<FogOfWarHexRenderable::MeshFileName> FogOfWarHexRenderable::meshFiles() const {
    std::vector<MeshFileName> files;
    for (const std::string& folder : assetFolders) {
        std::vector<FileEntry> entries;
        listFolderEntries(folder, "x", entries, false, false);
        for (const FileEntry& entry : entries) {
            const std::string& full = entry.fullPath;
            files.push_back({full.substr(0, full.size() - entry.fileName.size()), baseNameOfFile(entry.fileName)});
        }
    }
    return files;
}

void FogOfWarHexRenderable::makeAssets() {
    builtInstanced_ = settings().instancing != 0;
    for (const MeshFileName& file : meshFiles()) {
        auto* asset = new FogOfWarHexRenderableAsset(meshAssetName("FOW_", file.baseName), renderContext(), this,
                                                     file.folder, file.baseName);
        asset->setInstanced(builtInstanced_);
        addAsset(asset);
    }
}

void FogOfWarHexRenderable::setUpParamDescriptions(ParameterDescriptionRegistry& registry) {
    for (const MeshFileName& file : meshFiles())
        describe(registry, meshAssetName("FOW_", file.baseName), FogOfWarParameters::visited);
}

void FogOfWarHexRenderable::prepareInstancedArrays() {
    queued_ = false;
    SimpleEffectRenderable::prepareInstancedArrays();
}

void FogOfWarHexRenderable::drawPass(RenderableDirectionalLight* light, const ViewBlock& view,
                                     const PassContext& context, DrawPass pass, float frameTime) {
    if (!queued_ && manager()) {
        manager()->queueForInstancedDrawing(this);
        queued_ = true;
    }
    if (pass != DrawPass::Colour) return;
    // The colour pass ends the frame's passes: the next frame queues again.
    queued_ = false;
    const bool instancing = settings().instancing != 0;
    if (instancing != builtInstanced_ && deviceGlobal) {
        builtInstanced_ = instancing;
        compileEffect();
        createEffects();
        for (RenderableAsset* asset : assets) {
            static_cast<FogOfWarHexRenderableAsset*>(asset)->setInstanced(instancing);
            asset->loadStage2();
        }
    }
    if (!instancing) return;
    SimpleEffectRenderable::drawPass(light, view, context, pass, frameTime);
}

void FogOfWarHexRenderable::drawInstances(RenderableAsset& asset, const ViewBlock&, const PassContext&) {
    auto& fog = static_cast<FogOfWarHexRenderableAsset&>(asset);
    if (fog.instanced()) fog.drawInstanced();
}
