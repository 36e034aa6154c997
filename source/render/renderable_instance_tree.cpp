#include "render/renderable_instance_tree.h"

#include <algorithm>

#include "render/quad_tree_node.h"
#include "render/renderable_instance.h"
#include "render/renderable_light.h"
#include "render/tree_records.h"

namespace {

template <class T>
void eraseFrom(std::vector<T*>& list, T* item) {
    auto found = std::find(list.begin(), list.end(), item);
    if (found != list.end()) list.erase(found);
}

} // namespace

RenderableInstanceTree::RenderableInstanceTree(RenderInterface* renderInterface, RenderableManager* manager,
                                               int depth, ThreadResourcePool* pool, bool groundIsXY, float minA,
                                               float minB, float maxA, float maxB)
    : renderInterface_(renderInterface), manager_(manager), pool_(pool), groundIsXY_(groundIsXY) {
    root_ = new QuadTreeNode(this, nullptr, depth, 0, 0, minA, minB, maxA, maxB);
}

RenderableInstanceTree::~RenderableInstanceTree() {
    delete root_;
    for (RegionRecord* record : regionRecords_) delete record;
}

void RenderableInstanceTree::fileInstance(InstanceTreeRecord* record) {
    QuadTreeNode* node = root_->findDeepestContaining(record->box());
    (node ? node : root_)->addInstance(record);
}

void RenderableInstanceTree::insertInstance(InstanceTreeRecord* record) {
    record->tree = this;
    record->markDirty();
    records_.push_back(record);
    fileInstance(record);
}

void RenderableInstanceTree::removeInstance(InstanceTreeRecord* record) {
    if (record->node) record->node->removeInstance(record);
    eraseFrom(dirtyRecords_, record);
    eraseFrom(records_, record);
    delete record;
}

void RenderableInstanceTree::insertLight(LightTreeRecord* record) {
    record->tree = this;
    lightRecords_.push_back(record);
    root_->insertLight(record);
}

bool RenderableInstanceTree::removeLight(LightTreeRecord* record) {
    auto listed = std::find(lightRecords_.begin(), lightRecords_.end(), record);
    if (listed == lightRecords_.end()) return false;
    lightRecords_.erase(listed);
    QuadTreeNode* node = record->node;
    if (node) node->eraseLight(record);
    if (RenderableLight* light = record->light) {
        // Every instance gathered every light: none may keep pointing at this one.
        for (InstanceTreeRecord* instanceRecord : records_) {
            RenderableInstance* instance = instanceRecord->instance;
            if (!instance) continue;
            if (instance->directionalLight() == light) instance->setDirectionalLight(nullptr);
            std::vector<RenderablePointLight*>& lights = instance->pointLightList();
            lights.erase(std::remove(lights.begin(), lights.end(), light), lights.end());
        }
        if (node && node->containsBox(record->box())) node->markSubtreeDirty();
    }
    delete record;
    return true;
}

void RenderableInstanceTree::insertRegion(RegionRecord* record) {
    record->tree = this;
    regionRecords_.push_back(record);
    root_->insertRegion(record);
}

bool RenderableInstanceTree::removeRegion(RegionRecord* record) {
    auto listed = std::find(regionRecords_.begin(), regionRecords_.end(), record);
    if (listed == regionRecords_.end()) return false;
    regionRecords_.erase(listed);
    if (record->node) record->node->eraseRegion(record);
    delete record;
    return true;
}

std::uint32_t RenderableInstanceTree::updateDirty(std::uint32_t count) {
    for (InstanceTreeRecord* record : dirtyRecords_) {
        record->dirty = false;
        RenderableInstance* instance = record->instance;
        if (!instance) continue;
        instance->update();
        if (instance->moved()) {
            ++count;
            record->relocate();
        }
        instance->setDirectionalLight(nullptr);
        std::vector<RenderablePointLight*>& lights = instance->pointLightList();
        lights.clear();
        for (LightTreeRecord* lightRecord : lightRecords_) {
            RenderableLight* light = lightRecord->light;
            // A record made for a type that is no light has none.
            if (!light) continue;
            if (light->isDirectional()) {
                instance->setDirectionalLight(static_cast<RenderableDirectionalLight*>(light));
            } else {
                lights.push_back(static_cast<RenderablePointLight*>(light));
            }
        }
        instance->sortLightsByDistance();
    }
    dirtyRecords_.clear();
    return count;
}

void RenderableInstanceTree::cull(const ViewFrustum& frustum, std::vector<InstanceTreeRecord*>& visibleInstances,
                                  std::vector<LightTreeRecord*>& visibleLights, std::uint32_t& counter) {
    root_->cull(frustum, visibleInstances, visibleLights, true, counter, 0, QuadTreeNode::CullState::Partly);
}
