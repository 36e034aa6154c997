#include "render/quad_tree_node.h"

#include <algorithm>
#include <cmath>

#include "render/base_renderable.h"
#include "render/renderable_asset.h"
#include "render/renderable_batch.h"
#include "render/renderable_instance.h"
#include "render/renderable_instance_tree.h"
#include "render/tree_records.h"
#include "render/view_frustum.h"

namespace {

float axisOf(const gfx::Vector3& v, int axis) { return (&v.x)[axis]; }
float& axisOf(gfx::Vector3& v, int axis) { return (&v.x)[axis]; }

template <class T>
bool eraseFrom(std::vector<T*>& list, T* item) {
    auto found = std::find(list.begin(), list.end(), item);
    if (found == list.end()) return false;
    list.erase(found);
    return true;
}

bool sameClass(const BaseRenderable* a, const BaseRenderable* b) {
    return a && b && a->className() == b->className();
}

} // namespace

QuadTreeNode::QuadTreeNode(RenderableInstanceTree* tree, QuadTreeNode* parent, int depthCounter, std::uint32_t level,
                           std::uint32_t childIndex, float minA, float minB, float maxA, float maxB)
    : parent_(parent), tree_(tree), level_(level), childIndex_(childIndex) {
    const int b = tree->secondGroundAxis(), up = tree->verticalAxis();
    const float halfHeight = (maxA - minA) / 2.0f;
    box_.min.x = minA;
    box_.max.x = maxA;
    axisOf(box_.min, b) = minB;
    axisOf(box_.max, b) = maxB;
    axisOf(box_.min, up) = -halfHeight;
    axisOf(box_.max, up) = halfHeight;
    centre_.x = (minA + maxA) / 2.0f;
    axisOf(centre_, b) = (minB + maxB) / 2.0f;
    radius_ = std::sqrt((maxA - minA) * (maxA - minA) + (maxB - minB) * (maxB - minB)) / 2.0f;
    if (depthCounter > 0) {
        const float midA = centre_.x, midB = axisOf(centre_, b);
        children_[0] = new QuadTreeNode(tree, this, depthCounter - 1, level + 1, 0, minA, minB, midA, midB);
        children_[1] = new QuadTreeNode(tree, this, depthCounter - 1, level + 1, 1, minA, midB, midA, maxB);
        children_[2] = new QuadTreeNode(tree, this, depthCounter - 1, level + 1, 2, midA, minB, maxA, midB);
        children_[3] = new QuadTreeNode(tree, this, depthCounter - 1, level + 1, 3, midA, midB, maxA, maxB);
    }
}

QuadTreeNode::~QuadTreeNode() {
    for (InstanceTreeRecord* record : plainRecords_) delete record;
    for (InstanceTreeRecord* record : batchedRecords_) delete record;
    for (LightTreeRecord* record : lightRecords_) delete record;
    for (QuadTreeNode* child : children_) delete child;
}

bool QuadTreeNode::containsBox(const BoundingBox& box) const {
    const int b = tree_->secondGroundAxis();
    return box.min.x >= box_.min.x && box.max.x <= box_.max.x && axisOf(box.min, b) >= axisOf(box_.min, b) &&
           axisOf(box.max, b) <= axisOf(box_.max, b);
}

QuadTreeNode* QuadTreeNode::findDeepestContaining(const BoundingBox& box) {
    if (!containsBox(box)) return nullptr;
    for (QuadTreeNode* child : children_) {
        if (!child) break;
        if (QuadTreeNode* found = child->findDeepestContaining(box)) return found;
    }
    return this;
}

QuadTreeNode* QuadTreeNode::containingChild(const BoundingBox& box) const {
    for (QuadTreeNode* child : children_) {
        if (child && child->containsBox(box)) return child;
    }
    return nullptr;
}

void QuadTreeNode::addInstance(InstanceTreeRecord* record) {
    record->node = this;
    RenderableInstance* instance = record->instance;
    RenderableAsset* asset = instance ? instance->asset() : nullptr;
    if (!asset || !asset->batchable()) {
        plainRecords_.push_back(record);
        return;
    }
    auto* batchable = static_cast<BatchableRenderableAsset*>(asset);
    TextureSharingGroupInterface* group = batchable->getTextureSharingGroup();
    UnloadableBatchInterface* batch = nullptr;
    for (UnloadableBatchInterface* candidate : batches_) {
        TextureSharingGroupInterface* candidateGroup = candidate->getTextureSharingGroup();
        if (sameClass(candidate->getOwner(), asset->owner()) && candidateGroup && group &&
            candidateGroup->getName() == group->getName()) {
            batch = candidate;
            break;
        }
    }
    if (!batch) {
        batch = batchable->createBatch(this, asset->owner(), group, batchable->getBatchEffect());
        if (batch) batches_.push_back(batch);
    }
    if (batch) batch->addInstance(instance);
    batchedRecords_.push_back(record);
}

bool QuadTreeNode::removeInstance(InstanceTreeRecord* record) {
    if (eraseFrom(plainRecords_, record)) {
        record->node = nullptr;
        return true;
    }
    if (!eraseFrom(batchedRecords_, record)) return false;
    record->node = nullptr;
    if (RenderableInstance* instance = record->instance) {
        const BaseRenderable* owner = instance->asset() ? instance->asset()->owner() : nullptr;
        for (UnloadableBatchInterface* batch : batches_) {
            if (sameClass(batch->getOwner(), owner)) batch->removeInstance(instance);
        }
    }
    return true;
}

void QuadTreeNode::insertLight(LightTreeRecord* record) {
    // Edges belong to both cells that share them: a box lying on a split line (a light of
    // radius 0, say) goes into the first child only, where removal will find it.
    if (QuadTreeNode* child = containingChild(record->box())) {
        child->insertLight(record);
        return;
    }
    lightRecords_.push_back(record);
    record->node = this;
    if (containsBox(record->box())) markSubtreeDirty();
}

void QuadTreeNode::insertRegion(RegionRecord* record) {
    if (QuadTreeNode* child = containingChild(record->box())) {
        child->insertRegion(record);
        return;
    }
    regionRecords_.push_back(record);
    record->node = this;
    if (containsBox(record->box())) markSubtreeDirty();
}

bool QuadTreeNode::eraseLight(LightTreeRecord* record) { return eraseFrom(lightRecords_, record); }

bool QuadTreeNode::eraseRegion(RegionRecord* record) { return eraseFrom(regionRecords_, record); }

void QuadTreeNode::markSubtreeDirty() {
    for (InstanceTreeRecord* record : plainRecords_) record->markDirty();
    for (InstanceTreeRecord* record : batchedRecords_) record->markDirty();
    for (QuadTreeNode* child : children_) {
        if (child) child->markSubtreeDirty();
    }
}

void QuadTreeNode::cull(const ViewFrustum& frustum, std::vector<InstanceTreeRecord*>& visibleInstances,
                        std::vector<LightTreeRecord*>& visibleLights, bool test, std::uint32_t& counter,
                        std::uint32_t level, CullState state) {
    ++counter;
    for (QuadTreeNode* child : children_) {
        if (!child) break;
        if (!test) {
            child->cull(frustum, visibleInstances, visibleLights, false, counter, level + 1, CullState::Inside);
            continue;
        }
        if (!frustum.sphereReaches(child->centre_, child->radius_)) continue;
        if (!frustum.coneContains(child->centre_, child->radius_)) continue;
        TestedSphere sphere{child->centre_, child->sphereLastPlane_, child->radius_};
        const ViewFrustum::Classification seen = frustum.classifySphere(sphere);
        child->sphereLastPlane_ = sphere.lastPlane;
        if (seen == ViewFrustum::Outside) continue;
        if (seen == ViewFrustum::Inside) {
            child->cull(frustum, visibleInstances, visibleLights, false, counter, level + 1, CullState::Inside);
            continue;
        }
        TestedBox box{child->box_, child->boxLastPlane_};
        const ViewFrustum::Classification boxSeen = frustum.classifyBox(box);
        child->boxLastPlane_ = box.lastPlane;
        if (boxSeen == ViewFrustum::Outside) continue;
        child->cull(frustum, visibleInstances, visibleLights, true, counter, level + 1, CullState::Partly);
    }
    for (UnloadableBatchInterface* batch : batches_) batch->unload();
    if (state == CullState::Partly) {
        gatherPartial(frustum, visibleInstances, visibleLights);
    } else {
        gatherAll(visibleInstances, visibleLights);
    }
}

void QuadTreeNode::gatherPartial(const ViewFrustum& frustum, std::vector<InstanceTreeRecord*>& visibleInstances,
                                 std::vector<LightTreeRecord*>& visibleLights) {
    for (InstanceTreeRecord* record : plainRecords_) {
        RenderableInstance* instance = record->instance;
        if (!instance) continue;
        if (!frustum.sphereReaches(instance->centre(), instance->radius())) continue;
        if (!frustum.coneContains(instance->centre(), instance->radius())) continue;
        TestedSphere sphere{instance->centre(), record->sphereLastPlane, instance->radius()};
        const ViewFrustum::Classification seen = frustum.classifySphere(sphere);
        record->sphereLastPlane = sphere.lastPlane;
        if (seen == ViewFrustum::Outside) continue;
        if (seen == ViewFrustum::Inside) {
            record->visibility = 2;
        } else {
            TestedBox box{record->box(), record->boxLastPlane};
            const ViewFrustum::Classification boxSeen = frustum.classifyBox(box);
            record->boxLastPlane = box.lastPlane;
            if (boxSeen == ViewFrustum::Outside) continue;
            record->visibility = 3;
        }
        visibleInstances.push_back(record);
        if (instance->asset()) instance->asset()->addInstance(instance);
    }
    for (LightTreeRecord* record : lightRecords_) {
        TestedBox box{record->box(), record->boxLastPlane};
        const ViewFrustum::Classification seen = frustum.classifyBox(box);
        record->boxLastPlane = box.lastPlane;
        if (seen != ViewFrustum::Outside) visibleLights.push_back(record);
    }
}

void QuadTreeNode::gatherAll(std::vector<InstanceTreeRecord*>& visibleInstances,
                             std::vector<LightTreeRecord*>& visibleLights) {
    for (InstanceTreeRecord* record : plainRecords_) {
        RenderableInstance* instance = record->instance;
        if (!instance || !instance->asset() || instance->asset()->batchable()) continue;
        record->visibility = 2;
        visibleInstances.push_back(record);
        instance->asset()->addInstance(instance);
    }
    visibleLights.insert(visibleLights.end(), lightRecords_.begin(), lightRecords_.end());
}
