#include "render/renderable_manager.h"

#include <algorithm>

#include "app/parameter_description.h"
#include "platform/gfx/device.h"
#include "platform/gfx/math_matrix.h"
#include "render/base_renderable.h"
#include "render/light_parameters.h"
#include "render/renderable_asset.h"
#include "render/renderable_factory.h"
#include "render/renderable_instance.h"
#include "render/renderable_instance_tree.h"
#include "render/renderable_light.h"
#include "render/tree_records.h"
#include "render/view_frustum.h"

namespace {

constexpr std::uint32_t kPerfEventColour = 0xFF22FFFF;

} // namespace

RenderableManager::RenderableManager(float minX, float minZ, float maxX, float maxZ, ThreadResourcePool* renderPool)
    : renderPool_(renderPool), minX_(minX), minZ_(minZ), maxX_(maxX), maxZ_(maxZ) {}

RenderableManager::~RenderableManager() { shutdown(); }

void RenderableManager::init(RenderInterface* renderInterface, const std::string& renderPathsFile) {
    renderInterface_ = renderInterface;
    tree_ = new RenderableInstanceTree(renderInterface, this, kTreeDepth, renderPool_, groundIsXY_, minX_, minZ_,
                                       maxX_, maxZ_);
    frustum_ = new ViewFrustum(renderInterface);
    pathGroups_ = readRenderPaths(renderPathsFile);
    for (const PathGroup& group : pathGroups_) {
        IRenderableFactory* factory = findRenderableFactory(group.name);
        if (!factory) continue;
        BaseRenderable* renderable = factory->create(renderPool_, renderInterface, this);
        if (!renderable) continue;
        renderable->groupName = group.name;
        renderable->assetFolders = group.paths;
        renderables_.push_back(renderable);
    }
    std::stable_sort(renderables_.begin(), renderables_.end(), [](const BaseRenderable* a, const BaseRenderable* b) {
        return a->drawOrder < b->drawOrder;
    });
}

void RenderableManager::registerDescriptions(ParameterDescriptionRegistry& registry) {
    if (descriptionsRegistered_) return;
    for (BaseRenderable* renderable : renderables_) renderable->setUpParamDescriptions(registry);
    registerLightParameterDescriptions(registry, renderPool_);
    descriptionsRegistered_ = true;
}

void RenderableManager::removeDescriptions(ParameterDescriptionRegistry& registry) {
    if (!descriptionsRegistered_) return;
    for (BaseRenderable* renderable : renderables_) renderable->removeParamDescriptions(registry);
    registry.remove(kDirectionalLightType);
    registry.remove(kPointLightType);
    descriptionsRegistered_ = false;
}

void RenderableManager::shutdown() {
    // The tree frees every instance and light; the records in the maps go with it.
    delete tree_;
    tree_ = nullptr;
    instances_.clear();
    lights_.clear();
    regions_.clear();
    pointLights_.clear();
    directionalLight_ = nullptr;
    delete frustum_;
    frustum_ = nullptr;
    // Animation assets play from their meshes' frames: they go before the renderables do.
    swapOwner_.clear();
    for (BaseRenderable* renderable : renderables_) delete renderable;
    renderables_.clear();
    assetList_.clear();
    assetIndex_.clear();
}

void RenderableManager::registerAsset(RenderableAsset* asset) {
    assetList_.emplace_back(asset->name(), asset);
    assetIndex_[asset->name()] = asset;
}

RenderableAsset* RenderableManager::findAsset(const std::string& name) const {
    auto found = assetIndex_.find(name);
    return found == assetIndex_.end() ? nullptr : found->second;
}

void RenderableManager::addInstanceByName(RenderObject* object) {
    if (RenderableAsset* asset = findAsset(object->typeName())) addInstance(object, asset);
}

void RenderableManager::addInstance(RenderObject* object, RenderableAsset* asset) {
    auto* instance = new RenderableInstance(object->pair(), asset, object->skeletonByte != 0);
    auto* record = new InstanceTreeRecord(instance, renderPool_);
    tree_->insertInstance(record);
    instances_[object] = record;
    asset->instances.push_back(instance);
    asset->onInstanceAdded(instance);
    object->waiting = 0;
}

void RenderableManager::addLight(RenderObject* object) {
    RenderableLight* light = nullptr;
    if (object->typeName() == kDirectionalLightType) {
        directionalLight_ = new RenderableDirectionalLight();
        light = directionalLight_;
    } else if (object->typeName() == kPointLightType) {
        auto* point = new RenderablePointLight(object->pair());
        pointLights_.push_back(point);
        light = point;
    }
    auto* record = new LightTreeRecord(light, renderPool_);
    tree_->insertLight(record);
    lights_[object] = record;
    object->waiting = 0;
}

void RenderableManager::addRegion(RenderInterface::Region* region) {
    auto* record = new RegionRecord(region->a[0], region->a[1], region->b[0], region->b[1], renderPool_);
    tree_->insertRegion(record);
    regions_[region] = record;
    region->waiting = 0;
}

bool RenderableManager::removeInstance(RenderObject* object) {
    auto found = instances_.find(object);
    if (found == instances_.end()) return false;
    InstanceTreeRecord* record = found->second;
    instances_.erase(found);
    if (!record || !tree_) return true;
    RenderableInstance* instance = record->instance;
    if (instance && instance->asset()) {
        RenderableAsset* asset = instance->asset();
        asset->instances.remove(instance);
        auto& visible = asset->visibleInstances;
        visible.erase(std::remove(visible.begin(), visible.end(), instance), visible.end());
    }
    tree_->removeInstance(record);
    return true;
}

void RenderableManager::removeAllInstances() {
    for (auto& entry : instances_) {
        InstanceTreeRecord* record = entry.second;
        if (!record || !tree_) continue;
        if (RenderableInstance* instance = record->instance) {
            if (RenderableAsset* asset = instance->asset()) {
                asset->instances.remove(instance);
                auto& visible = asset->visibleInstances;
                visible.erase(std::remove(visible.begin(), visible.end(), instance), visible.end());
            }
        }
        tree_->removeInstance(record);
        entry.second = nullptr;
    }
}

bool RenderableManager::removeLight(RenderObject* object) {
    auto found = lights_.find(object);
    if (found == lights_.end()) return false;
    LightTreeRecord* record = found->second;
    lights_.erase(found);
    if (!tree_) return true;
    if (record->light == directionalLight_) directionalLight_ = nullptr;
    pointLights_.erase(std::remove(pointLights_.begin(), pointLights_.end(), record->light), pointLights_.end());
    tree_->removeLight(record);
    return true;
}

bool RenderableManager::removeRegion(RenderInterface::Region* region) {
    auto found = regions_.find(region);
    if (found == regions_.end()) return false;
    RegionRecord* record = found->second;
    regions_.erase(found);
    if (tree_) tree_->removeRegion(record);
    return true;
}

void RenderableManager::applySettings(float elapsed) {
    for (BaseRenderable* renderable : renderables_) {
        if (renderable->wantsInstanceUpdates()) renderable->updateAssetInstances(elapsed);
    }
    if (!renderInterface_) return;
    if (renderInterface_->vertexQueryRequest) {
        if (RenderableAsset* asset = findAsset(renderInterface_->vertexQueryAssetName)) {
            renderInterface_->vertexQueryPointsRender.clear();
            renderInterface_->vertexQueryIndicesRender.clear();
            asset->copyVertices(renderInterface_->vertexQueryPointsRender, renderInterface_->vertexQueryIndicesRender);
            renderInterface_->vertexQueryReady = 1;
        }
    }
    if (renderInterface_->lightmapToggle) {
        renderInterface_->lightmapToggle = 0;
        for (BaseRenderable* renderable : renderables_) {
            if (renderable->usesLightmaps()) renderable->toggleLightmapTechnique(pointLights_);
        }
    }
    if (renderInterface_->lightmapRebuild) {
        renderInterface_->lightmapRebuild = 0;
        for (BaseRenderable* renderable : renderables_) {
            if (renderable->usesLightmaps()) renderable->rebuildLightmaps();
        }
    }
}

void RenderableManager::setCameraFrame(RenderInterface::CameraBlock& frame) {
    if (!frustum_) return;
    gfx::Matrix view;
    std::copy(frame.view, frame.view + 16, &view.m[0][0]);
    frustum_->setView(view, {frame.eyePosition[0], frame.eyePosition[1], frame.eyePosition[2]},
                      {frame.target[0], frame.target[1], frame.target[2]});
    const gfx::Matrix& projection = frustum_->projection();
    std::copy(&projection.m[0][0], &projection.m[0][0] + 16, frame.projection);
    perspective_ = frame.perspective != 0;
    if (directionalLight_) {
        directionalLight_->setDirection({frame.lightDirection[0], frame.lightDirection[1], frame.lightDirection[2]});
    }
}

void RenderableManager::update() {
    if (updating_) return;
    swapOwner_.swapInWaiting();
    if (!tree_ || !frustum_) return;
    updating_ = true;
    for (LightTreeRecord* record : tree_->lightRecords()) {
        if (!record->light) continue;
        record->light->setFrustum(frustum_);
        record->light->update();
    }
    tree_->updateDirty(0);
    for (BaseRenderable* renderable : renderables_) renderable->clearAssetInstances();
    std::vector<InstanceTreeRecord*> visibleInstances;
    std::vector<LightTreeRecord*> visibleLights;
    std::uint32_t cells = 0;
    tree_->cull(*frustum_, visibleInstances, visibleLights, cells);
    // Renderables queue themselves every frame, so the list is emptied every frame, instanced or not.
    if (renderInterface_ && renderInterface_->renderSettings().instancing) prepareInstancedArrays();
    else instanced_.clear();
    updating_ = false;
}

void RenderableManager::draw(const PassContext* context, DrawPass pass, float elapsed) {
    gfx::beginPerfEvent(kPerfEventColour, "Renderable Manager");
    if (frustum_ && directionalLight_ && context) {
        ViewBlock view{frustum_->view(), frustum_->viewProjection(), frustum_->eye()};
        for (BaseRenderable* renderable : renderables_) renderable->drawPass(directionalLight_, view, *context, pass, elapsed);
    }
    gfx::endPerfEvent();
}

void RenderableManager::prepareInstancedArrays() {
    for (BaseRenderable* renderable : instanced_) renderable->prepareInstancedArrays();
    instanced_.clear();
}

void RenderableManager::onResetDevice() {
    for (BaseRenderable* renderable : renderables_) renderable->onResetDevice();
    if (frustum_) frustum_->setProjection(aspect_, perspective_);
}

void RenderableManager::setScreenSize(std::uint32_t width, std::uint32_t height) {
    width_ = width;
    height_ = height;
}
