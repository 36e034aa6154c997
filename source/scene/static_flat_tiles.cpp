#include "scene/static_flat_tiles.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/directory_lister.h"
#include "app/log.h"
#include "app/parameter_description.h"
#include "app/simple_parameter_group.h"
#include "platform/gfx/buffers.h"
#include "platform/gfx/device.h"
#include "platform/gfx/math_matrix.h"
#include "platform/gfx/math_vector.h"
#include "render/dds_texture_loader.h"
#include "render/device_global.h"
#include "render/fx_shader_loader.h"
#include "render/render_interface.h"
#include "render/render_settings.h"
#include "render/renderable_instance.h"
#include "render/renderable_manager.h"
#include "scene/declared_description.h"
#include "scene/flat_tile_group.h"
#include "scene/tile_parameters.h"

namespace {

const char* const kEffect = "Data/graphics/2D/effects/newStaticTileGroup.fx";
const std::uint16_t kQuadIndices[6] = {0, 1, 2, 2, 3, 0};

std::uint32_t channel(float value) { return std::uint32_t(std::clamp(value * 255.0f, 0.0f, 255.0f)); }

template <class Buffer>
bool upload(Buffer* buffer, const void* source, std::size_t bytes) {
    void* data = nullptr;
    if (!buffer || gfx::failed(buffer->lock(0, 0, &data, 0))) return false;
    std::memcpy(data, source, bytes);
    buffer->unlock();
    return true;
}

} // namespace

std::uint32_t bakedTileColour(const SimpleParameterGroup* parameters) {
    if (!parameters) return 0xFF000000u;
    const Vector4Value tint = declared::read(parameters, StaticTileParameters::tint);
    return channel(tint[3]) << 24 | channel(tint[0]) << 16 | channel(tint[1]) << 8 | channel(tint[2]);
}

FlatTileTextureSharingGroup::FlatTileTextureSharingGroup(std::string folder, std::string name)
    : folder_(std::move(folder)), name_(std::move(name)) {}

FlatTileTextureSharingGroup::~FlatTileTextureSharingGroup() { releaseLoader(); }

void FlatTileTextureSharingGroup::loadAtlasIndex() {
    index_ = TextureAtlasIndex{};
    index_.loadTextureAtlasIndex(folder_ + name_ + ".tai", name_);
}

std::vector<std::string> FlatTileTextureSharingGroup::keys() const {
    std::vector<std::string> keys;
    if (const TextureAtlasIndex::EntryMap* entries = index_.findGroup(name_))
        for (const auto& entry : *entries) keys.push_back(entry.first);
    return keys;
}

DDSTextureLoader* FlatTileTextureSharingGroup::pageLoader(bool remake) {
    if (!loader_) loader_ = new DDSTextureLoader(folder_ + name_ + ".dds", this);
    else if (remake) loader_->setPath(folder_ + name_ + ".dds");
    return loader_;
}

void FlatTileTextureSharingGroup::releaseLoader() {
    if (loader_) loader_->unload();
    delete loader_;
    loader_ = nullptr;
}

Static2DFlatTileRenderableAsset::Static2DFlatTileRenderableAsset(const std::string& key, ThreadResourcePool* renderContext,
                                                                 Static2DFlatTileRenderable* owner,
                                                                 FlatTileTextureSharingGroup* group)
    : BatchableRenderableAsset(kStaticTilePrefix + key, renderContext, owner), tiles_(owner), key_(key), group_(group) {
    initBoundingBoxes(bounds_);
    bounds_.local = {{-1.0f, -1.0f, -0.1f}, {1.0f, 1.0f, 0.1f}};
}

Static2DFlatTileRenderableAsset::~Static2DFlatTileRenderableAsset() { unload(); }

void Static2DFlatTileRenderableAsset::loadStage2() {
    unload();
    template_.clear();
    // The flat tile quad, so both tile classes place and sample a tile alike.
    for (const FlatTileVertex& corner : flatTileQuad(tiles_->backBufferWidth(), tiles_->backBufferHeight()))
        template_.push_back({{corner.position[0], corner.position[1], corner.position[2]}, 0xFF000000u,
                             {corner.uv[0], corner.uv[1]}});
    if (!deviceGlobal) return;
    const std::size_t bytes = template_.size() * sizeof(BakedTileVertex);
    if (gfx::failed(deviceGlobal->createVertexBuffer(std::uint32_t(bytes), gfx::Usage::WriteOnly, gfx::Pool::Managed, &vertices_)) ||
        !upload(vertices_, template_.data(), bytes))
        gfx::safeRelease(vertices_);
    if (gfx::failed(deviceGlobal->createIndexBuffer(sizeof kQuadIndices, gfx::Usage::WriteOnly, gfx::Format::Index16,
                                                    gfx::Pool::Managed, &indices_)) ||
        !upload(indices_, kQuadIndices, sizeof kQuadIndices))
        gfx::safeRelease(indices_);
}

void Static2DFlatTileRenderableAsset::unload() {
    gfx::safeRelease(vertices_);
    gfx::safeRelease(indices_);
}

void Static2DFlatTileRenderableAsset::updateInstanceData(RenderableInstance* instance, float) {
    StaticFlatTileRenderableBatch* batch = tiles_->batchOf(instance);
    if (!batch) return;
    const auto placed = batch->placed().find(instance);
    const SimpleParameterGroup* parameters = instance->pair() ? instance->pair()->renderGroup() : nullptr;
    if (placed != batch->placed().end() && placed->second.colour != bakedTileColour(parameters)) tiles_->addToBatch(batch);
}

UnloadableBatchInterface* Static2DFlatTileRenderableAsset::createBatch(QuadTreeNode* cell, BaseRenderable*,
                                                                       TextureSharingGroupInterface*, gfx::Effect* effect) {
    return new StaticFlatTileRenderableBatch(cell, tiles_, group_, effect);
}

StaticFlatTileRenderableBatch::StaticFlatTileRenderableBatch(QuadTreeNode* cell, Static2DFlatTileRenderable* owner,
                                                             FlatTileTextureSharingGroup* group, gfx::Effect* effect)
    : cell_(cell), owner_(owner), group_(group), effect_(effect) {
    owner_->registerBatch(this);
}

StaticFlatTileRenderableBatch::~StaticFlatTileRenderableBatch() { releaseBuffers(); }

BaseRenderable* StaticFlatTileRenderableBatch::getOwner() const { return owner_; }

std::uint32_t StaticFlatTileRenderableBatch::tileCount() const {
    std::size_t count = 0;
    for (const AssetTiles& entry : perAsset_) count += entry.tiles.size();
    return std::uint32_t(count);
}

void StaticFlatTileRenderableBatch::addInstance(RenderableInstance* instance) {
    RenderableAsset* asset = instance ? instance->asset() : nullptr;
    if (!asset || !asset->batchable()) return;
    auto* tileAsset = static_cast<Static2DFlatTileRenderableAsset*>(asset);
    auto entry = std::find_if(perAsset_.begin(), perAsset_.end(), [&](const AssetTiles& e) { return e.asset == tileAsset; });
    if (entry == perAsset_.end()) entry = perAsset_.insert(perAsset_.end(), AssetTiles{tileAsset, {}});
    entry->tiles.push_back(instance);
    owner_->fileTile(instance, this);
    // Without a build a tile that joined would never be drawn.
    owner_->addToBatch(this);
}

void StaticFlatTileRenderableBatch::removeInstance(RenderableInstance* instance) {
    bool found = false;
    for (AssetTiles& entry : perAsset_) {
        const auto at = std::find(entry.tiles.begin(), entry.tiles.end(), instance);
        if (at == entry.tiles.end()) continue;
        entry.tiles.erase(at);
        found = true;
    }
    placed_.erase(instance);
    if (!found) return;
    owner_->forgetTile(instance);
    owner_->addToBatch(this);
}

void StaticFlatTileRenderableBatch::unload() { owner_->unloadBatch(this); }

void StaticFlatTileRenderableBatch::releaseBuffers() {
    for (Buffer& buffer : buffers_) {
        gfx::safeRelease(buffer.vertices);
        gfx::safeRelease(buffer.indices);
    }
    buffers_.clear();
}

bool StaticFlatTileRenderableBatch::build() {
    releaseBuffers();
    placed_.clear();
    std::vector<std::vector<BakedTileVertex>> vertices(1);
    for (const AssetTiles& entry : perAsset_) {
        const std::vector<BakedTileVertex>& quad = entry.asset->templateQuad();
        const AtlasPlacement& place = entry.asset->placement();
        for (RenderableInstance* tile : entry.tiles) {
            // Four vertices a tile: the tile limit closes a buffer long before 65536 vertices.
            if (vertices.back().size() / 4 == kTilesPerBuffer || vertices.back().size() + quad.size() > kVerticesPerBuffer)
                vertices.emplace_back();
            std::vector<BakedTileVertex>& out = vertices.back();
            const std::uint32_t colour = bakedTileColour(tile->pair() ? tile->pair()->renderGroup() : nullptr);
            placed_[tile] = {std::uint32_t(vertices.size() - 1), std::uint32_t(out.size()), colour};
            for (const BakedTileVertex& corner : quad) {
                const gfx::Vector3 p = gfx::transformCoord({corner.position[0], corner.position[1], corner.position[2]},
                                                           tile->worldMatrix());
                out.push_back({{p.x, p.y, p.z},
                               colour,
                               {std::abs(corner.uv[0] * place.scaleU + place.offsetU),
                                std::abs(corner.uv[1] * place.scaleV + place.offsetV)}});
            }
        }
    }
    if (vertices.back().empty()) vertices.pop_back();
    if (!deviceGlobal) return vertices.empty();
    for (const std::vector<BakedTileVertex>& part : vertices) {
        std::vector<std::uint16_t> indices;
        for (std::size_t first = 0; first < part.size(); first += 4)
            for (std::uint16_t k : kQuadIndices) indices.push_back(std::uint16_t(first + k));
        Buffer buffer{nullptr, nullptr, std::uint32_t(part.size()), std::uint32_t(indices.size())};
        const std::size_t vertexBytes = part.size() * sizeof(BakedTileVertex), indexBytes = indices.size() * 2;
        const bool made =
            gfx::succeeded(deviceGlobal->createVertexBuffer(std::uint32_t(vertexBytes), gfx::Usage::WriteOnly,
                                                            gfx::Pool::Managed, &buffer.vertices)) &&
            upload(buffer.vertices, part.data(), vertexBytes) &&
            gfx::succeeded(deviceGlobal->createIndexBuffer(std::uint32_t(indexBytes), gfx::Usage::WriteOnly,
                                                           gfx::Format::Index16, gfx::Pool::Managed, &buffer.indices)) &&
            upload(buffer.indices, indices.data(), indexBytes);
        buffers_.push_back(buffer);
        if (!made) {
            releaseBuffers();
            return false;
        }
    }
    return true;
}

void StaticFlatTileRenderableBatch::draw(gfx::Effect* effect) {
    if (!effect || !deviceGlobal) return;
    ++draws_;
    gfx::Device* device = deviceGlobal;
    device->setVertexDeclaration(vdPositionColourTex);
    for (const Buffer& buffer : buffers_) {
        device->setStreamSource(0, buffer.vertices, 0, sizeof(BakedTileVertex));
        device->setIndices(buffer.indices);
        effect->commitChanges();
        device->drawIndexedPrimitive(gfx::PrimitiveType::TriangleList, 0, 0, buffer.vertexCount, 0, buffer.indexCount / 3);
    }
}

Static2DFlatTileRenderable::Static2DFlatTileRenderable(ThreadResourcePool* renderContext,
                                                       RenderInterface* renderInterface, RenderableManager* manager)
    : BaseRenderable(renderContext, "Static2DFlatTileRenderable", manager), renderInterface_(renderInterface) {
    drawOrder = 0;
}

Static2DFlatTileRenderable::~Static2DFlatTileRenderable() { releaseAssets(); }

std::uint32_t Static2DFlatTileRenderable::backBufferWidth() const {
    return renderInterface_ ? renderInterface_->renderSettings().width : 0;
}

std::uint32_t Static2DFlatTileRenderable::backBufferHeight() const {
    return renderInterface_ ? renderInterface_->renderSettings().height : 0;
}

void Static2DFlatTileRenderable::setUpParamDescriptions(ParameterDescriptionRegistry& registry) {
    for (const std::string& folder : assetFolders) {
        std::vector<FileEntry> entries;
        listFolderEntries(folder, "tai", entries, false, false);
        for (const FileEntry& entry : entries) {
            const std::string& full = entry.fullPath;
            auto* group = new FlatTileTextureSharingGroup(full.substr(0, full.size() - entry.fileName.size()), entry.name);
            group->loadAtlasIndex();
            groups_.push_back(group);
            for (const std::string& key : group->keys())
                if (declared::registerDescription(registry, renderContext(), kStaticTilePrefix + key,
                                                  StaticTileParameters::uv, StaticTileParameters::tint))
                    descriptionNames_.push_back(kStaticTilePrefix + key);
        }
    }
}

void Static2DFlatTileRenderable::removeParamDescriptions(ParameterDescriptionRegistry& registry) {
    for (const std::string& name : descriptionNames_) registry.remove(name);
    descriptionNames_.clear();
}

void Static2DFlatTileRenderable::loadAssets() {
    for (FlatTileTextureSharingGroup* group : groups_) {
        DDSTextureLoader* loader = group->pageLoader(false);
        loader->loadFile();
        loadables.push_back(loader);
    }
    for (FlatTileTextureSharingGroup* group : groups_)
        for (const std::string& key : group->keys()) {
            auto* asset = new Static2DFlatTileRenderableAsset(key, renderContext(), this, group);
            asset->loadStage1();
            if (manager()) manager()->registerAsset(asset);
            assets.push_back(asset);
        }
    if (!effectLoader_) effectLoader_ = new FXShaderLoader(kEffect, renderInterface_);
    effectLoader_->loadFile();
    loadables.push_back(effectLoader_);
}

void Static2DFlatTileRenderable::fillLoadedTextures() {
    for (FlatTileTextureSharingGroup* group : groups_)
        if (group->loader()) group->loader()->fillData();
}

void Static2DFlatTileRenderable::unloadInstances() {
    for (RenderableAsset* asset : assets) asset->visibleInstances.clear();
}

void Static2DFlatTileRenderable::setFrameParameters() {
    loadables.clear();
    effect_ = effectLoader_ ? effectLoader_->effect() : nullptr;
    viewProj_ = effect_ ? effect_->getParameterByName("gViewProj") : 0;
    imageTexture_ = effect_ ? effect_->getParameterByName("gImageTexture") : 0;
    for (RenderableAsset* asset : assets) static_cast<Static2DFlatTileRenderableAsset*>(asset)->setEffect(effect_);
}

void Static2DFlatTileRenderable::queueLoadables() {
    if (effectLoader_) loadables.push_back(effectLoader_);
}

void Static2DFlatTileRenderable::loadQualityTextures() {
    for (FlatTileTextureSharingGroup* group : groups_) loadables.push_back(group->pageLoader(true));
}

void Static2DFlatTileRenderable::loadAtlasIndex() {
    for (FlatTileTextureSharingGroup* group : groups_) group->loadAtlasIndex();
}

void Static2DFlatTileRenderable::onLostDevice() {
    for (FlatTileTextureSharingGroup* group : groups_)
        if (group->loader()) group->loader()->onLostDevice();
    BaseRenderable::onLostDevice();
    if (effect_) effect_->onLostDevice();
}

void Static2DFlatTileRenderable::onResetDevice() {
    for (FlatTileTextureSharingGroup* group : groups_)
        if (group->loader()) group->loader()->onResetDevice();
    BaseRenderable::onResetDevice();
    if (effect_) effect_->onResetDevice();
}

void Static2DFlatTileRenderable::releaseAssets() {
    for (StaticFlatTileRenderableBatch* batch : batches_) delete batch;
    batches_.clear();
    tileBatches_.clear();
    for (RenderableAsset* asset : assets) asset->unload();
    for (FlatTileTextureSharingGroup* group : groups_) delete group;
    groups_.clear();
    loadables.clear();
    effect_ = nullptr;
    if (effectLoader_) effectLoader_->unload();
    delete effectLoader_;
    effectLoader_ = nullptr;
    deleteAssets();
}

StaticFlatTileRenderableBatch* Static2DFlatTileRenderable::batchOf(RenderableInstance* tile) const {
    const auto found = tileBatches_.find(tile);
    return found == tileBatches_.end() ? nullptr : found->second;
}

void Static2DFlatTileRenderable::fileTile(RenderableInstance* tile, StaticFlatTileRenderableBatch* batch) {
    tileBatches_[tile] = batch;
}

void Static2DFlatTileRenderable::forgetTile(RenderableInstance* tile) { tileBatches_.erase(tile); }

void Static2DFlatTileRenderable::registerBatch(UnloadableBatchInterface* batch) {
    batches_.push_back(static_cast<StaticFlatTileRenderableBatch*>(batch));
}

void Static2DFlatTileRenderable::addToBatch(UnloadableBatchInterface* batch) {
    auto* tiles = static_cast<StaticFlatTileRenderableBatch*>(batch);
    auto* group = static_cast<FlatTileTextureSharingGroup*>(tiles->getTextureSharingGroup());
    if (std::find(group->buildQueue.begin(), group->buildQueue.end(), tiles) == group->buildQueue.end())
        group->buildQueue.push_back(tiles);
    if (!queued_ && manager()) {
        manager()->queueForInstancedDrawing(this);
        queued_ = true;
    }
}

void Static2DFlatTileRenderable::unloadBatch(UnloadableBatchInterface* batch) {
    auto* tiles = static_cast<StaticFlatTileRenderableBatch*>(batch);
    static_cast<FlatTileTextureSharingGroup*>(tiles->getTextureSharingGroup())->drawQueue.push_back(tiles);
}

void Static2DFlatTileRenderable::prepareInstancedArrays() {
    queued_ = false;
    for (FlatTileTextureSharingGroup* group : groups_) {
        for (StaticFlatTileRenderableBatch* batch : group->buildQueue) buildStaticBatches(batch, group);
        group->buildQueue.clear();
    }
}

void Static2DFlatTileRenderable::buildStaticBatches(UnloadableBatchInterface* batch, TextureSharingGroupInterface*) {
    static_cast<StaticFlatTileRenderableBatch*>(batch)->build();
}

void Static2DFlatTileRenderable::drawStaticBatches(UnloadableBatchInterface* batch, gfx::Effect* effect, const ViewBlock&) {
    static_cast<StaticFlatTileRenderableBatch*>(batch)->draw(effect);
}

void Static2DFlatTileRenderable::drawPass(RenderableDirectionalLight*, const ViewBlock& view, const PassContext&,
                                          DrawPass pass, float) {
    if (pass != DrawPass::Colour) return;
    if (!effect_ || !deviceGlobal) {
        for (FlatTileTextureSharingGroup* group : groups_) group->drawQueue.clear();
        return;
    }
    gfx::Device* device = deviceGlobal;
    device->setRenderState(gfx::RenderState::AlphaBlendEnable, 1);
    device->setRenderState(gfx::RenderState::BlendOp, std::uint32_t(gfx::BlendOp::Add));
    device->setRenderState(gfx::RenderState::SrcBlend, std::uint32_t(gfx::Blend::One));
    device->setRenderState(gfx::RenderState::DestBlend, std::uint32_t(gfx::Blend::InvSrcAlpha));
    effect_->setMatrix(viewProj_, view.viewProjection);
    std::uint32_t passes = 0;
    effect_->begin(&passes, 0);
    effect_->beginPass(0);
    for (FlatTileTextureSharingGroup* group : groups_) {
        effect_->setTexture(imageTexture_, group->loader() ? group->loader()->texture() : nullptr);
        for (StaticFlatTileRenderableBatch* batch : group->drawQueue) drawStaticBatches(batch, effect_, view);
        group->drawQueue.clear();
    }
    effect_->endPass();
    effect_->end();
    device->setRenderState(gfx::RenderState::AlphaBlendEnable, 0);
}
