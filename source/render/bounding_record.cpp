#include "render/bounding_record.h"

#include <algorithm>
#include <cfloat>

void initBoundingBoxes(BoundingRecord& record) {
    const gfx::Vector3 lowest{-FLT_MAX, -FLT_MAX, -FLT_MAX}, highest{FLT_MAX, FLT_MAX, FLT_MAX};
    record.local = {lowest, highest};
    record.world = {lowest, highest};
    record.translation = {};
    record.scale = {};
    record.count = 0;
}

void placeBoundingBox(BoundingRecord& record, const gfx::Vector3& scale, const gfx::Vector3& translation) {
    const float* low = &record.local.min.x;
    const float* high = &record.local.max.x;
    const float* s = &scale.x;
    const float* t = &translation.x;
    float* outLow = &record.world.min.x;
    float* outHigh = &record.world.max.x;
    for (int axis = 0; axis < 3; ++axis) {
        const float a = low[axis] * s[axis] + t[axis];
        const float b = high[axis] * s[axis] + t[axis];
        outLow[axis] = std::min(a, b);
        outHigh[axis] = std::max(a, b);
    }
    record.scale = scale;
    record.translation = translation;
}
