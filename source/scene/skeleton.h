#pragma once
// A skeleton's pose: one world matrix and one name per bone, in bone order. Skinned meshes take
// their bone matrices from it; a physics rag doll writes them.
#include <cstddef>
#include <string>
#include <vector>

#include "platform/gfx/math_types.h"

struct Skeleton {
    // Row-vector matrices with the translation in the fourth row; their count is the bone count.
    std::vector<gfx::Matrix> boneMatrices;
    std::vector<std::string> boneNames;

    // The first bone whose name is exactly this one (case-sensitive); 0, the first bone, when
    // none is, so callers that must tell the two apart check the name themselves.
    std::size_t findBoneIndex(const std::string& name) const;
};
