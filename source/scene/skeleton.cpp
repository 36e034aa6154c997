#include "scene/skeleton.h"

std::size_t Skeleton::findBoneIndex(const std::string& name) const {
    for (std::size_t i = 0; i < boneNames.size(); ++i) {
        if (boneNames[i] == name) return i;
    }
    return 0;
}
