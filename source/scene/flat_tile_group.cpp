#include "scene/flat_tile_group.h"

#include <algorithm>
#include <cstring>

#include "app/directory_lister.h"
#include "app/log.h"
#include "app/parameter_description.h"
#include "platform/gfx/buffers.h"
#include "platform/gfx/device.h"
#include "platform/gfx/math_matrix.h"
#include "platform/gfx/texture.h"
#include "platform/gfx/texture_file.h"
#include "platform/gfx/vertex_declaration.h"
#include "platform/message_box.h"
#include "render/device_global.h"
#include "render/render_interface.h"
#include "render/render_settings.h"
#include "render/renderable_instance.h"
#include "render/renderable_manager.h"
#include "scene/declared_description.h"
#include "scene/tile_parameters.h"

namespace {

const char* const kTileEffect = "Data/graphics/2D/effects/tileGroup.fx";
const char* const kInstancedEffect = "Data/graphics/2D/effects/staticTileGroup.fx";
const std::uint16_t kQuadIndices[6] = {0, 1, 2, 2, 3, 0};

} // namespace

std::vector<FlatTileVertex> flatTileQuad(std::uint32_t width, std::uint32_t height) {
    const float du = width ? 1.0f / float(width) : 0.0f;
    const float dv = height ? 1.0f / float(height) : 0.0f;
    return {{{0, 0, 0}, {-du, 1 - dv}}, {{0, 2, 0}, {-du, -dv}}, {{2, 2, 0}, {1 - du, -dv}}, {{2, 0, 0}, {1 - du, 1 - dv}}};
}

FlatTileGroupRenderableAsset::FlatTileGroupRenderableAsset(const std::string& name, ThreadResourcePool* renderContext,
                                                           FlatTileGroupRenderable* owner, std::string texturePath)
    : RenderableAsset(name, renderContext, owner, false), group_(owner), texturePath_(std::move(texturePath)) {
    initBoundingBoxes(bounds_);
    bounds_.local = {{-1.0f, -1.0f, -0.1f}, {1.0f, 1.0f, 0.1f}};
}

FlatTileGroupRenderableAsset::~FlatTileGroupRenderableAsset() { unload(); }

void FlatTileGroupRenderableAsset::loadStage2() {
    if (!deviceGlobal) return;
    unload();
    const std::vector<FlatTileVertex> quad = flatTileQuad(group_->backBufferWidth(), group_->backBufferHeight());
    void* data = nullptr;
    if (gfx::succeeded(deviceGlobal->createVertexBuffer(sizeof(FlatTileVertex) * 4, gfx::Usage::WriteOnly,
                                                        gfx::Pool::Managed, &vertices_)) &&
        gfx::succeeded(vertices_->lock(0, 0, &data, 0))) {
        std::memcpy(data, quad.data(), sizeof(FlatTileVertex) * 4);
        vertices_->unlock();
    }
    if (gfx::succeeded(deviceGlobal->createIndexBuffer(sizeof kQuadIndices, gfx::Usage::WriteOnly, gfx::Format::Index16,
                                                       gfx::Pool::Managed, &indices_)) &&
        gfx::succeeded(indices_->lock(0, 0, &data, 0))) {
        std::memcpy(data, kQuadIndices, sizeof kQuadIndices);
        indices_->unlock();
    }
    if (gfx::failed(gfx::createTextureFromFile(deviceGlobal, texturePath_, &texture_)))
        LOG_MESSAGE("Flat tiles: unable to load the texture %s", texturePath_.c_str());
    group_->currentUv = {0.0f, 0.0f, 1.0f, 1.0f};
    group_->currentTint = {0.0f, 0.0f, 0.0f, 1.0f};
}

void FlatTileGroupRenderableAsset::unload() {
    gfx::safeRelease(vertices_);
    gfx::safeRelease(indices_);
    gfx::safeRelease(texture_);
    gfx::safeRelease(declaration_);
    instanceStream_.release();
}

void FlatTileGroupRenderableAsset::beginRender(DrawPass, const PassContext&, const ViewBlock&) { pending_.clear(); }

void FlatTileGroupRenderableAsset::renderInstance(RenderableInstance* instance, const ViewBlock&, const PassContext&,
                                                  DrawPass pass) {
    if (pass != DrawPass::Colour || !instance) return;
    if (const SimpleParameterGroup* parameters = instance->pair() ? instance->pair()->renderGroup() : nullptr) {
        group_->currentUv = declared::read(parameters, FlatTileParameters::uv);
        group_->currentTint = declared::read(parameters, FlatTileParameters::tint);
    }
    InstanceRecord record{};
    const gfx::Matrix& world = instance->worldMatrix();
    for (int column = 0; column < 3; ++column)
        for (int row = 0; row < 4; ++row) record.worldColumns[column][row] = world.m[row][column];
    std::copy(group_->currentUv.begin(), group_->currentUv.end(), record.uv);
    std::copy(group_->currentTint.begin(), group_->currentTint.end(), record.tint);
    pending_.push_back(record);
    if (recordTiles_) drawnTiles_.push_back({group_->currentUv, group_->currentTint});
}

bool FlatTileGroupRenderableAsset::makeInstanceStream(std::uint32_t count) {
    if (!declaration_) {
        std::vector<gfx::VertexElement> elements = vdPositionTex ? vdPositionTex->elements() : std::vector<gfx::VertexElement>{};
        if (elements.empty()) return false;
        for (std::uint8_t set = 1; set <= 3; ++set)
            elements.push_back({1, std::uint16_t((set - 1) * 16), gfx::DeclType::Float4, 0, gfx::DeclUsage::TexCoord, set});
        elements.push_back({1, 48, gfx::DeclType::Float4, 0, gfx::DeclUsage::Color, 1});
        elements.push_back({1, 64, gfx::DeclType::Float4, 0, gfx::DeclUsage::Color, 0});
        if (gfx::failed(deviceGlobal->createVertexDeclaration(elements, &declaration_))) return false;
    }
    return instanceStream_.upload(pending_.data(), count, std::uint32_t(sizeof(InstanceRecord)));
}

void FlatTileGroupRenderableAsset::endRender(DrawPass pass, const PassContext&, const ViewBlock& view) {
    gfx::Effect* effect = group_->tileEffect();
    if (pass != DrawPass::Colour || pending_.empty() || !effect || !vertices_ || !indices_ || !deviceGlobal) return;
    const auto count = std::uint32_t(pending_.size());
    if (!makeInstanceStream(count)) return;
    effect->setMatrix(effect->getParameterByName("gViewProj"), view.viewProjection);
    effect->setTexture(effect->getParameterByName("gImageTexture"), texture_);
    effect->commitChanges();
    gfx::Device* device = deviceGlobal;
    device->setVertexDeclaration(declaration_);
    device->setStreamSource(0, vertices_, 0, sizeof(FlatTileVertex));
    device->setStreamSourceFreq(0, gfx::StreamSource::IndexedData | count);
    device->setStreamSource(1, instanceStream_.buffer(), 0, sizeof(InstanceRecord));
    device->setStreamSourceFreq(1, gfx::StreamSource::InstanceData | 1u);
    device->setIndices(indices_);
    device->drawIndexedPrimitive(gfx::PrimitiveType::TriangleList, 0, 0, 4, 0, 2);
    device->setStreamSourceFreq(0, 1);
    device->setStreamSourceFreq(1, 1);
    device->setStreamSource(1, nullptr, 0, 0);
    draws_.push_back(count);
    pending_.clear();
}

FlatTileGroupRenderable::FlatTileGroupRenderable(ThreadResourcePool* renderContext, RenderInterface* renderInterface,
                                                 RenderableManager* manager)
    : BaseRenderable(renderContext, "FlatTileGroupRenderable", manager), renderInterface_(renderInterface) {
    drawOrder = 4;
}

FlatTileGroupRenderable::~FlatTileGroupRenderable() {
    releaseEffects();
    deleteAssets();
}

std::uint32_t FlatTileGroupRenderable::backBufferWidth() const {
    return renderInterface_ ? renderInterface_->renderSettings().width : 0;
}

std::uint32_t FlatTileGroupRenderable::backBufferHeight() const {
    return renderInterface_ ? renderInterface_->renderSettings().height : 0;
}

std::vector<FlatTileGroupRenderable::TileFile> FlatTileGroupRenderable::tileFiles() const {
    std::vector<TileFile> files;
    for (const std::string& folder : assetFolders) {
        std::vector<FileEntry> entries;
        listFolderEntries(folder, "dds", entries, false, false);
        for (const FileEntry& entry : entries) {
            const std::string& full = entry.fullPath;
            files.push_back({full.substr(0, full.size() - entry.fileName.size()), entry.fileName, entry.name});
        }
    }
    return files;
}

void FlatTileGroupRenderable::loadAssets() {
    for (const TileFile& file : tileFiles()) {
        auto* asset = new FlatTileGroupRenderableAsset(file.typeName, renderContext(), this, file.folder + file.fileName);
        asset->loadStage1();
        if (manager()) manager()->registerAsset(asset);
        assets.push_back(asset);
    }
}

void FlatTileGroupRenderable::unloadInstances() {
    for (RenderableAsset* asset : assets) {
        asset->releaseInstanceData();
        asset->visibleInstances.clear();
    }
}

void FlatTileGroupRenderable::createEffects() {
    if (!deviceGlobal) return;
    releaseEffects();
    for (auto [path, slot] : {std::pair{kTileEffect, &tileEffect_}, std::pair{kInstancedEffect, &instancedEffect_}}) {
        std::string errors;
        if (gfx::failed(gfx::createEffectFromFile(deviceGlobal, path, {}, slot, &errors))) {
            *slot = nullptr;
            LOG_MESSAGE("Flat tiles: unable to make the effect %s", path);
            platform::showMessageBox("", errors);
        }
    }
    if (tileEffect_) tileTechnique_ = tileEffect_->getTechniqueByName("Tech");
    if (instancedEffect_) {
        instancedTechnique_ = instancedEffect_->getTechniqueByName("Tech");
        worldMatrixArray_ = instancedEffect_->getParameterBySemantic("INSTANCE_WORLDMATRIX_ARRAY");
        uvArray_ = instancedEffect_->getParameterBySemantic("INSTANCE_UV_ARRAY");
        colourArray_ = instancedEffect_->getParameterBySemantic("INSTANCE_COLOUR_ARRAY");
        viewProj_ = instancedEffect_->getParameterByName("gViewProj");
        imageTexture_ = instancedEffect_->getParameterByName("gImageTexture");
    }
}

void FlatTileGroupRenderable::releaseEffects() {
    gfx::safeRelease(instancedEffect_);
    gfx::safeRelease(tileEffect_);
    tileTechnique_ = instancedTechnique_ = 0;
    worldMatrixArray_ = uvArray_ = colourArray_ = viewProj_ = imageTexture_ = 0;
}

void FlatTileGroupRenderable::releaseAssets() {
    for (RenderableAsset* asset : assets) asset->unload();
    releaseEffects();
    deleteAssets();
}

void FlatTileGroupRenderable::setUpParamDescriptions(ParameterDescriptionRegistry& registry) {
    for (const TileFile& file : tileFiles())
        if (declared::registerDescription(registry, renderContext(), file.typeName, FlatTileParameters::uv,
                                          FlatTileParameters::tint))
            descriptionNames_.push_back(file.typeName);
}

void FlatTileGroupRenderable::removeParamDescriptions(ParameterDescriptionRegistry& registry) {
    for (const std::string& name : descriptionNames_) registry.remove(name);
    descriptionNames_.clear();
}

void FlatTileGroupRenderable::addToBatch(UnloadableBatchInterface* batch) {
    if (std::find(frameBatches_.begin(), frameBatches_.end(), batch) == frameBatches_.end()) frameBatches_.push_back(batch);
}

void FlatTileGroupRenderable::drawPass(RenderableDirectionalLight*, const ViewBlock& view, const PassContext& context,
                                       DrawPass pass, float) {
    if (pass != DrawPass::Colour || !deviceGlobal) return;
    gfx::Device* device = deviceGlobal;
    device->setRenderState(gfx::RenderState::AlphaBlendEnable, 1);
    device->setRenderState(gfx::RenderState::BlendOp, std::uint32_t(gfx::BlendOp::Add));
    device->setRenderState(gfx::RenderState::SrcBlend, std::uint32_t(gfx::Blend::One));
    device->setRenderState(gfx::RenderState::DestBlend, std::uint32_t(gfx::Blend::InvSrcAlpha));
    if (tileEffect_ && tileTechnique_) {
        for (RenderableAsset* asset : assets) {
            if (asset->visibleInstances.empty()) continue;
            tileEffect_->setTechnique(tileTechnique_);
            std::uint32_t passes = 0;
            tileEffect_->begin(&passes, 0);
            tileEffect_->beginPass(0);
            asset->beginRender(DrawPass::Colour, context, view);
            for (RenderableInstance* instance : asset->visibleInstances)
                asset->renderInstance(instance, view, context, DrawPass::Colour);
            asset->endRender(DrawPass::Colour, context, view);
            tileEffect_->endPass();
            tileEffect_->end();
        }
    }
    device->setRenderState(gfx::RenderState::AlphaBlendEnable, 0);
    pendingBatches_.clear();
}
