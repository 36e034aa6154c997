#include <gtest/gtest.h>

#include "scene/skeleton.h"

namespace {

TEST(Skeleton, FindBoneIndexMatchesExactNamesAndGivesZeroOtherwise) {
    Skeleton skeleton;
    skeleton.boneNames = {"Root", "Spine2", "Head", "Head"};
    skeleton.boneMatrices.resize(4);
    struct Case {
        const char* name;
        std::size_t index;
    };
    const Case cases[] = {
        {"Spine2", 1}, {"Head", 2}, {"Root", 0}, {"spine2", 0}, {"Spine", 0}, {"Spine2 ", 0}, {"", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(skeleton.findBoneIndex(c.name), c.index) << '"' << c.name << '"';
}

} // namespace
