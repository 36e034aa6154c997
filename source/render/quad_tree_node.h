#pragma once
// One cell of the visibility tree: a rectangle of the ground with the instances, lights, regions
// and static batches filed in it, and four children that split it at its mid-point.
#include <array>
#include <cstdint>
#include <vector>

#include "platform/gfx/math_types.h"
#include "render/bounding_record.h"

class InstanceTreeRecord;
class LightTreeRecord;
class RegionRecord;
class RenderableInstanceTree;
class UnloadableBatchInterface;
class ViewFrustum;

class QuadTreeNode {
public:
    // How much of a cell the frustum sees, as the culling hands it down.
    enum class CullState : std::uint32_t { Inside = 1, Partly = 2 };

    // Builds the whole subtree at once: depthCounter more levels of children below this one.
    // The rectangle runs from (minA, minB) to (maxA, maxB) on the tree's two ground axes.
    QuadTreeNode(RenderableInstanceTree* tree, QuadTreeNode* parent, int depthCounter, std::uint32_t level,
                 std::uint32_t childIndex, float minA, float minB, float maxA, float maxB);
    // Destroys its instance records (with their instances), its light records (with their
    // lights) and its children. Batches belong to their renderables, regions to the tree.
    ~QuadTreeNode();
    QuadTreeNode(const QuadTreeNode&) = delete;
    QuadTreeNode& operator=(const QuadTreeNode&) = delete;

    // On the two ground axes, edges included; the vertical axis is not tested.
    bool containsBox(const BoundingBox& box) const;
    // Null when this cell does not contain the box; else the deepest cell below (first child
    // first) that does, or this one.
    QuadTreeNode* findDeepestContaining(const BoundingBox& box);

    // Non-batchable instances go to the plain list; batchable ones into the cell's batch of
    // their renderable class and texture group, made through the asset when there is none.
    void addInstance(InstanceTreeRecord* record);
    // Out of this cell's lists (and its batches of the record's renderable class); false when
    // the cell does not list it.
    bool removeInstance(InstanceTreeRecord* record);
    // Filed in the first child that contains the box, else here; filed here in a cell that
    // contains the box, it marks every instance below dirty so they gather their lights again.
    void insertLight(LightTreeRecord* record);
    void insertRegion(RegionRecord* record);
    // Out of this cell's list; false when it is not there.
    bool eraseLight(LightTreeRecord* record);
    bool eraseRegion(RegionRecord* record);
    void markSubtreeDirty();

    // Visits the children the frustum may see (with tests while partly visible), then gathers
    // this cell's instances and lights. Every batch of a visited cell is unloaded (queued for
    // drawing); counter counts the cells visited.
    void cull(const ViewFrustum& frustum, std::vector<InstanceTreeRecord*>& visibleInstances,
              std::vector<LightTreeRecord*>& visibleLights, bool test, std::uint32_t& counter, std::uint32_t level,
              CullState state);

    const BoundingBox& box() const { return box_; }
    const gfx::Vector3& centre() const { return centre_; }
    float radius() const { return radius_; }
    QuadTreeNode* parent() const { return parent_; }
    QuadTreeNode* child(std::size_t index) const { return children_[index]; }
    RenderableInstanceTree* tree() const { return tree_; }
    std::uint32_t level() const { return level_; }
    std::uint32_t childIndex() const { return childIndex_; }
    const std::vector<InstanceTreeRecord*>& plainRecords() const { return plainRecords_; }
    const std::vector<InstanceTreeRecord*>& batchedRecords() const { return batchedRecords_; }
    const std::vector<LightTreeRecord*>& lightRecords() const { return lightRecords_; }
    const std::vector<RegionRecord*>& regionRecords() const { return regionRecords_; }
    const std::vector<UnloadableBatchInterface*>& batches() const { return batches_; }

private:
    void gatherPartial(const ViewFrustum& frustum, std::vector<InstanceTreeRecord*>& visibleInstances,
                       std::vector<LightTreeRecord*>& visibleLights);
    void gatherAll(std::vector<InstanceTreeRecord*>& visibleInstances, std::vector<LightTreeRecord*>& visibleLights);
    // The first child that contains the box, or null.
    QuadTreeNode* containingChild(const BoundingBox& box) const;

    BoundingBox box_;
    gfx::Vector3 centre_;
    float radius_ = 0.0f;
    std::uint32_t sphereLastPlane_ = 0;
    std::uint32_t boxLastPlane_ = 0;
    QuadTreeNode* parent_;
    std::array<QuadTreeNode*, 4> children_{};
    RenderableInstanceTree* tree_;
    std::uint32_t level_;
    std::uint32_t childIndex_;
    std::vector<InstanceTreeRecord*> batchedRecords_;
    std::vector<InstanceTreeRecord*> plainRecords_;
    std::vector<LightTreeRecord*> lightRecords_;
    std::vector<RegionRecord*> regionRecords_;
    std::vector<UnloadableBatchInterface*> batches_;
};
