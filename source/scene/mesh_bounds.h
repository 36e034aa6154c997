#pragma once
// The boxes mesh assets give the visibility tree: cubes, so that a mesh keeps enclosing itself
// however it is turned about its origin.
#include "platform/gfx/math_types.h"
#include "render/bounding_record.h"

// Before a mesh has loaded: the cube from -0.7071 to 0.7071 on each axis (1.4142 across).
void setDefaultMeshBounds(BoundingRecord& record);

// The cube whose every minimum is the smallest of min's coordinates and every maximum the largest
// of max's, as both the local and the world box; the other fields are cleared.
void setCubicBounds(BoundingRecord& record, const gfx::Vector3& min, const gfx::Vector3& max);
