#pragma once
// The fixed quadtree over the world's ground in which the renderable manager keeps every 3D
// instance, light and ground region: each frame it finds what the camera sees without testing
// everything, and instances gather their lights again only when something near them changed.
#include <cstdint>
#include <vector>

class InstanceTreeRecord;
class LightTreeRecord;
class QuadTreeNode;
class RegionRecord;
class RenderInterface;
class RenderableManager;
class ThreadResourcePool;
class ViewFrustum;

class RenderableInstanceTree {
public:
    // Builds every cell at once: depth levels below the root (depth 5: six levels, 1365 cells).
    // The ground is x and z (y up), or with groundIsXY x and y (z up); the bounds are given on
    // the two ground axes.
    RenderableInstanceTree(RenderInterface* renderInterface, RenderableManager* manager, int depth,
                           ThreadResourcePool* pool, bool groundIsXY, float minA, float minB, float maxA, float maxB);
    // Destroys every cell with its records, instances and lights, and the region records.
    ~RenderableInstanceTree();
    RenderableInstanceTree(const RenderableInstanceTree&) = delete;
    RenderableInstanceTree& operator=(const RenderableInstanceTree&) = delete;

    // Takes the record (and its instance): dirty, so that it is placed and lit at the next update,
    // and filed in the deepest cell that contains its box (the root when none does).
    void insertInstance(InstanceTreeRecord* record);
    // Out of its cell and every list; destroys the record and its instance.
    void removeInstance(InstanceTreeRecord* record);
    // Takes the record (and its light).
    void insertLight(LightTreeRecord* record);
    // Out of its cell and the light list; every instance forgets the light and those under its
    // cell gather their lights again. Destroys the record and its light; false when unknown.
    bool removeLight(LightTreeRecord* record);
    void insertRegion(RegionRecord* record);
    bool removeRegion(RegionRecord* record);

    // For each dirty record: its instance takes its new placement (moving to another cell when it
    // left its own) and gathers every light of the tree, nearest point lights first. Returns
    // count plus the number of instances that moved.
    std::uint32_t updateDirty(std::uint32_t count);
    // From the root, taken as partly visible: every visible instance is handed to its asset's
    // visible list; counter counts the cells visited.
    void cull(const ViewFrustum& frustum, std::vector<InstanceTreeRecord*>& visibleInstances,
              std::vector<LightTreeRecord*>& visibleLights, std::uint32_t& counter);

    // Into the deepest cell that contains the record's box, or the root.
    void fileInstance(InstanceTreeRecord* record);

    QuadTreeNode* root() const { return root_; }
    RenderInterface* renderInterface() const { return renderInterface_; }
    RenderableManager* manager() const { return manager_; }
    ThreadResourcePool* pool() const { return pool_; }
    // 2 (z) for an x-z ground, 1 (y) for an x-y ground; the first ground axis is always x.
    int secondGroundAxis() const { return groundIsXY_ ? 1 : 2; }
    int verticalAxis() const { return groundIsXY_ ? 2 : 1; }
    const std::vector<InstanceTreeRecord*>& records() const { return records_; }
    std::vector<InstanceTreeRecord*>& dirtyRecords() { return dirtyRecords_; }
    const std::vector<LightTreeRecord*>& lightRecords() const { return lightRecords_; }
    const std::vector<RegionRecord*>& regionRecords() const { return regionRecords_; }

private:
    RenderInterface* renderInterface_;
    RenderableManager* manager_;
    ThreadResourcePool* pool_;
    bool groundIsXY_;
    QuadTreeNode* root_ = nullptr;
    std::vector<InstanceTreeRecord*> records_;
    std::vector<InstanceTreeRecord*> dirtyRecords_;
    std::vector<LightTreeRecord*> lightRecords_;
    std::vector<RegionRecord*> regionRecords_;
};
