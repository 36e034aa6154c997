#include "scene/mesh_bounds.h"

#include <algorithm>

void setDefaultMeshBounds(BoundingRecord& record) {
    setCubicBounds(record, {-0.7071f, -0.7071f, -0.7071f}, {0.7071f, 0.7071f, 0.7071f});
}

void setCubicBounds(BoundingRecord& record, const gfx::Vector3& min, const gfx::Vector3& max) {
    const float low = std::min({min.x, min.y, min.z}), high = std::max({max.x, max.y, max.z});
    record = BoundingRecord{};
    record.local = {{low, low, low}, {high, high, high}};
    record.world = record.local;
}
