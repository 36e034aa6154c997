#include "render/tree_records.h"

#include <algorithm>

#include "render/quad_tree_node.h"
#include "render/renderable_instance.h"
#include "render/renderable_instance_tree.h"
#include "render/renderable_light.h"

InstanceTreeRecord::InstanceTreeRecord(RenderableInstance* instance, ThreadResourcePool* pool)
    : instance(instance), pool(pool) {
    initBoundingBoxes(bounds);
    if (instance) instance->setTreeRecord(this);
}

InstanceTreeRecord::~InstanceTreeRecord() { delete instance; }

void InstanceTreeRecord::markDirty() {
    if (dirty || !tree) return;
    dirty = true;
    tree->dirtyRecords().push_back(this);
}

const BoundingBox& InstanceTreeRecord::box() const { return instance ? instance->bounds().world : bounds.world; }

void InstanceTreeRecord::relocate() {
    if (!node || node->containsBox(box())) return;
    if (node->removeInstance(this)) tree->fileInstance(this);
}

LightTreeRecord::LightTreeRecord(RenderableLight* light, ThreadResourcePool* pool) : light(light), pool(pool) {
    initBoundingBoxes(bounds);
}

LightTreeRecord::~LightTreeRecord() { delete light; }

const BoundingBox& LightTreeRecord::box() const { return light ? light->bounds().world : bounds.world; }

RegionRecord::RegionRecord(float ax, float az, float bx, float bz, ThreadResourcePool* pool)
    : a{ax, az}, b{bx, bz}, pool(pool),
      // Corners in either order make the same rectangle.
      box_{{std::min(ax, bx), -1.0f, std::min(az, bz)}, {std::max(ax, bx), 1.0f, std::max(az, bz)}} {}
