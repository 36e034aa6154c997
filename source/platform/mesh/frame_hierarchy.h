#pragma once
// Walking a frame tree: finding a frame by name and working out every frame's combined matrix.
#include <string>

#include "platform/gfx/math_types.h"

namespace mesh {

struct XFrame;

// The first frame of that exact name, depth first from root itself; null when none has it.
XFrame* findFrame(XFrame& root, const std::string& name);

// Each frame's combined matrix = its own matrix * its parent's combined matrix, starting from
// parent for root.
void updateCombinedMatrices(XFrame& root, const gfx::Matrix& parent);

} // namespace mesh
