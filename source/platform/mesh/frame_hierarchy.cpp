#include "platform/mesh/frame_hierarchy.h"

#include "platform/gfx/math_matrix.h"
#include "platform/mesh/x_file.h"

namespace mesh {

XFrame* findFrame(XFrame& root, const std::string& name) {
    if (root.name == name) return &root;
    for (const auto& child : root.children)
        if (XFrame* found = findFrame(*child, name)) return found;
    return nullptr;
}

void updateCombinedMatrices(XFrame& root, const gfx::Matrix& parent) {
    root.combined = root.transform * parent;
    for (const auto& child : root.children) updateCombinedMatrices(*child, root.combined);
}

} // namespace mesh
