#include "scene/static_renderable_batch.h"

#include <algorithm>

#include "platform/gfx/buffers.h"
#include "platform/gfx/effect.h"
#include "platform/gfx/texture.h"
#include "render/base_renderable.h"
#include "render/device_global.h"
#include "render/renderable_instance.h"

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

StaticRenderableBatch::~StaticRenderableBatch() { releaseBuffers(); }

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
