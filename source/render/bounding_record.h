#pragma once
// The bounding boxes that assets, instances, lights and ground regions keep for the visibility
// tree: the box as made, its transformed copy, and the parts of the transform that made it.
#include <cstdint>

#include "platform/gfx/math_types.h"

struct BoundingBox {
    gfx::Vector3 min;
    gfx::Vector3 max;
};

struct BoundingRecord {
    BoundingBox local;
    BoundingBox world;
    gfx::Vector3 translation;
    gfx::Vector3 scale;
    std::uint32_t count = 0;
};

// Both boxes span all of space (minimum -FLT_MAX, maximum +FLT_MAX), so no tree node contains
// them; the transform parts and the count are cleared.
void initBoundingBoxes(BoundingRecord& record);

// record.world = record.local scaled per axis and moved (rotation is not applied); the parts
// are stored in the record. A negative scale still gives minimum <= maximum.
void placeBoundingBox(BoundingRecord& record, const gfx::Vector3& scale, const gfx::Vector3& translation);
