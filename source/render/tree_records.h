#pragma once
// What the visibility tree files in its cells: instances, lights and ground regions, each with
// the box the cells test it by.
#include <cstdint>

#include "render/bounding_record.h"
#include "render/view_frustum.h"

class QuadTreeNode;
class RenderableInstance;
class RenderableInstanceTree;
class RenderableLight;
class ThreadResourcePool;

class InstanceTreeRecord {
public:
    // Links itself with the instance; the record owns it once filed in a tree.
    InstanceTreeRecord(RenderableInstance* instance, ThreadResourcePool* pool);
    ~InstanceTreeRecord();
    InstanceTreeRecord(const InstanceTreeRecord&) = delete;
    InstanceTreeRecord& operator=(const InstanceTreeRecord&) = delete;

    // Queues the record in its tree's dirty list once.
    void markDirty();
    // The instance's placed box, or the record's own when it has no instance.
    const BoundingBox& box() const;
    // When the record's cell no longer contains its box: out of the cell, into the deepest
    // cell that does (the root when none).
    void relocate();

    RenderableInstance* instance;
    ThreadResourcePool* pool;
    RenderableInstanceTree* tree = nullptr;
    QuadTreeNode* node = nullptr;
    bool dirty = false;
    BoundingRecord bounds;
    // 2 wholly inside the frustum, 3 partly, at the last culling that found it visible.
    std::uint32_t visibility = 0;
    // The planes that last rejected its sphere and its box: tried first next time.
    std::uint32_t sphereLastPlane = 0;
    std::uint32_t boxLastPlane = 0;
};

class LightTreeRecord {
public:
    // A record may have no light (its box then is its own, spanning all of space); it owns the
    // light it has.
    LightTreeRecord(RenderableLight* light, ThreadResourcePool* pool);
    ~LightTreeRecord();
    LightTreeRecord(const LightTreeRecord&) = delete;
    LightTreeRecord& operator=(const LightTreeRecord&) = delete;

    const BoundingBox& box() const;

    RenderableLight* light;
    ThreadResourcePool* pool;
    RenderableInstanceTree* tree = nullptr;
    QuadTreeNode* node = nullptr;
    BoundingRecord bounds;
    std::uint32_t boxLastPlane = 0;
};

// A rectangle of the ground between two corners (x, z), one unit deep above and below.
class RegionRecord {
public:
    RegionRecord(float ax, float az, float bx, float bz, ThreadResourcePool* pool);

    const BoundingBox& box() const { return box_; }

    float a[2];
    float b[2];
    ThreadResourcePool* pool;
    RenderableInstanceTree* tree = nullptr;
    QuadTreeNode* node = nullptr;

private:
    BoundingBox box_;
};
