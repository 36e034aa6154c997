// Skeletal animation assets: the key events their sets are given and when they are raised, the
// fade between tracks, bones from outside, and the final bone matrices that skin the strip.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/math_matrix.h"
#include "platform/gfx/math_vector.h"
#include "platform/mesh/animation_controller.h"
#include "platform/mesh/frame_hierarchy.h"
#include "platform/mesh/mesh.h"
#include "platform/mesh/skin_info.h"
#include "platform/mesh/x_file.h"
#include "render/animation_state.h"
#include "scene/skeletal_animation_asset.h"
#include "scene/skeleton.h"

namespace {

const std::string kMeshData = std::string(ZODERUD_TEST_DATA_DIR) + "/../../platform/data/mesh/";

// A loaded skinned file and its animation asset, as a swapped-in skinned mesh holds them.
struct Skinned {
    explicit Skinned(const std::string& file, bool withController = true) {
        auto loaded = std::make_shared<mesh::AnimationController>();
        std::string error;
        EXPECT_EQ(mesh::loadFrameHierarchyFromX(kMeshData + file, mesh::Options::SystemMemory, nullptr, root, &error,
                                                loaded.get()),
                  gfx::Result::Ok)
            << error;
        if (withController) controller = loaded;
        const mesh::XFrame* holder = findMeshFrame(*root);
        skin = std::make_unique<mesh::SkinInfo>(holder ? holder->meshes[0]->bones : std::vector<mesh::XBone>{});
        asset = std::make_unique<Skeletal3DAnimationAsset>("SkinnedMesh_" + file, root.get(), controller,
                                                           skin->numBones(), skin.get(),
                                                           bindBoneMatrices(*root, *skin), this);
    }
    static const mesh::XFrame* findMeshFrame(const mesh::XFrame& frame) {
        if (!frame.meshes.empty()) return &frame;
        for (const auto& child : frame.children)
            if (const mesh::XFrame* found = findMeshFrame(*child)) return found;
        return nullptr;
    }
    std::unique_ptr<mesh::XFrame> root;
    std::shared_ptr<mesh::AnimationController> controller;
    std::unique_ptr<mesh::SkinInfo> skin;
    std::unique_ptr<Skeletal3DAnimationAsset> asset;
};

struct EventRecorder : mesh::AnimationCallbackHandler {
    void handleCallback(uint32_t, void* data) override {
        const auto* event = static_cast<const AnimationKeyEvent*>(data);
        events.push_back(event->setName + ":" + event->eventName);
    }
    std::vector<std::string> events;
};

// Where the skin puts a mesh-space point moved by one bone alone.
gfx::Vector3 skinned(const AnimationState& state, uint32_t bone, const gfx::Vector3& point) {
    return gfx::transformCoord(point, state.finalBones.at(bone));
}

TEST(SkeletalAnimation, EachSetGetsItsThreeKeyEventsAtHalfThreeFifthsAndTheEndOfItsCycle) {
    Skinned strip("two_bone_strip.x");
    const mesh::AnimationController& controller = *strip.asset->controller();
    ASSERT_EQ(controller.numAnimationSets(), 1u);
    const mesh::AnimationSet& set = *controller.animationSet(0);
    EXPECT_DOUBLE_EQ(set.period(), 2.0);
    ASSERT_EQ(set.callbackKeys().size(), 3u);
    EXPECT_DOUBLE_EQ(set.callbackKeys()[0].time, 4800.0);
    EXPECT_NEAR(set.callbackKeys()[1].time, 5760.0, 1e-3);
    EXPECT_DOUBLE_EQ(set.callbackKeys()[2].time, 9600.0);
    const char* names[3] = {"animHalf", "animApex", "animEnd"};
    ASSERT_EQ(strip.asset->keyEvents().size(), 3u);
    for (int i = 0; i < 3; ++i) {
        const auto* record = static_cast<const AnimationKeyEvent*>(set.callbackKeys()[i].data);
        ASSERT_EQ(record, strip.asset->keyEvents()[i].get());
        EXPECT_EQ(record->setName, "Bend");
        EXPECT_EQ(record->eventName, names[i]);
    }
    // The tracks play the rewritten set.
    EXPECT_EQ(controller.track(0).set, controller.animationSet(0));
}

TEST(SkeletalAnimation, KeyEventsFireOncePerCycleAcrossTheEndOfACycleAndFollowTheSpeed) {
    struct Case {
        float step;
        int steps;
        float speed;
        std::vector<std::string> events;
    };
    const std::vector<std::string> cycle = {"Bend:animHalf", "Bend:animApex", "Bend:animEnd"};
    std::vector<std::string> twoCycles = cycle;
    twoCycles.insert(twoCycles.end(), cycle.begin(), cycle.end());
    const Case cases[] = {
        {0.125f, 32, 1.0f, twoCycles},
        // One long update raises every key it passes, in order.
        {1.5f, 1, 1.0f, {"Bend:animHalf", "Bend:animApex"}},
        {0.25f, 8, 2.0f, twoCycles},
        // Steps of 0.75 s: 0.75, 1.5, 2.25, 3.0, 3.75 cross half, apex, end, half, apex.
        {0.75f, 5, 1.0f, {"Bend:animHalf", "Bend:animApex", "Bend:animEnd", "Bend:animHalf", "Bend:animApex"}},
    };
    for (const Case& c : cases) {
        Skinned strip("two_bone_strip.x");
        EventRecorder recorder;
        AnimationState state;
        state.speed = c.speed;
        state.callbackHandler = &recorder;
        for (int i = 0; i < c.steps; ++i) strip.asset->update(state, c.step);
        EXPECT_EQ(recorder.events, c.events) << c.steps << " x " << c.step << " at speed " << c.speed;
    }
}

TEST(SkeletalAnimation, OneUpdateAcrossTheEndOfACycleRaisesTheEndAndTheNextCyclesKeys) {
    Skinned strip("two_bone_strip.x");
    EventRecorder recorder;
    AnimationState state;
    strip.asset->update(state, 1.9f);
    state.callbackHandler = &recorder;
    strip.asset->update(state, 1.2f); // 1.9 s to 3.1 s
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"Bend:animEnd", "Bend:animHalf"}));
}

TEST(SkeletalAnimation, AFadeReachesFullWeightInItsDurationAndDisablesTheFadedOutTrackAfter) {
    Skinned strip("two_bone_strip.x");
    mesh::AnimationController& controller = *strip.asset->controller();
    controller.setTrackAnimationSet(1, controller.animationSet(0));
    controller.setTrackEnable(1, true);
    AnimationState state;
    state.fadeInTrack = 1;
    state.fadeOutTrack = 0;
    state.fadeProgress = 0.0f;
    state.fadeDuration = 0.5f;
    for (int update = 1; update <= 5; ++update) {
        strip.asset->update(state, 0.1f);
        EXPECT_NEAR(controller.track(1).weight, 0.2f * float(update), 1e-5f) << "update " << update;
        EXPECT_NEAR(controller.track(0).weight, 1.0f - 0.2f * float(update), 1e-5f) << "update " << update;
        EXPECT_TRUE(controller.track(0).enabled) << "update " << update;
    }
    EXPECT_EQ(state.fadeProgress, 1.0f);
    strip.asset->update(state, 0.1f);
    EXPECT_FALSE(controller.track(0).enabled);
    EXPECT_TRUE(controller.track(1).enabled);
}

TEST(SkeletalAnimation, PlayedBonesSkinTheStripAndBendItsTopByTheEnd) {
    Skinned strip("two_bone_strip.x");
    AnimationState state;
    strip.asset->update(state, 0.0f);
    ASSERT_EQ(state.finalBones.size(), 2u);
    const gfx::Vector3 top{0.0f, 2.0f, 0.0f};
    gfx::Vector3 at = skinned(state, 1, top);
    EXPECT_NEAR(at.x, 0.0f, 1e-5f);
    EXPECT_NEAR(at.y, 2.0f, 1e-5f);
    EXPECT_FALSE(state.usingPremultipliedAnims);

    strip.asset->update(state, 2.0f);
    // Upper turned a quarter about z at (0, 1, 0): the top goes to (-1, 1, 0).
    at = skinned(state, 1, top);
    EXPECT_NEAR(at.x, -1.0f, 1e-4f);
    EXPECT_NEAR(at.y, 1.0f, 1e-4f);
    // The lower bone has not moved; the poses, found by bone name, are the frames' own.
    EXPECT_EQ(state.finalBones[0], gfx::identityMatrix());
    const Skeleton skeleton{state.bonePoses, strip.asset->boneNames()};
    EXPECT_EQ(skeleton.boneNames, (std::vector<std::string>{"Lower", "Upper"}));
    ASSERT_EQ(skeleton.boneMatrices.size(), 2u);
    EXPECT_NEAR(skeleton.boneMatrices[skeleton.findBoneIndex("Upper")].m[3][1], 1.0f, 1e-5f);
    EXPECT_NEAR(skeleton.boneMatrices[skeleton.findBoneIndex("Upper")].m[1][0], -1.0f, 1e-5f);
}

TEST(SkeletalAnimation, BonesFromOutsideReplaceTheAnimationWhichNeitherMovesNorRaisesEvents) {
    Skinned strip("two_bone_strip.x");
    EventRecorder recorder;
    AnimationState state;
    state.callbackHandler = &recorder;
    strip.asset->update(state, 0.5f);
    const std::vector<gfx::Matrix> outside = {gfx::translationMatrix(5.0f, 0.0f, 0.0f),
                                              gfx::translationMatrix(0.0f, 0.0f, 3.0f)};
    state.external = true;
    state.externalBones = &outside;
    strip.asset->update(state, 3.0f);
    EXPECT_DOUBLE_EQ(strip.asset->controller()->time(), 0.5);
    EXPECT_TRUE(recorder.events.empty());
    EXPECT_TRUE(state.usingPremultipliedAnims);
    // final = offset * supplied: the top of the strip goes into Upper's space, then to (0, 1, 3).
    const gfx::Vector3 at = skinned(state, 1, {0.0f, 2.0f, 0.0f});
    EXPECT_NEAR(at.x, 0.0f, 1e-5f);
    EXPECT_NEAR(at.y, 1.0f, 1e-5f);
    EXPECT_NEAR(at.z, 3.0f, 1e-5f);
    EXPECT_EQ(state.finalBones[0], outside[0]);

    state.external = false;
    strip.asset->update(state, 0.0f);
    EXPECT_FALSE(state.usingPremultipliedAnims);
}

TEST(SkeletalAnimation, AStoppedStateChangesNothing) {
    Skinned strip("two_bone_strip.x");
    AnimationState state;
    strip.asset->update(state, 0.5f);
    const std::vector<gfx::Matrix> before = state.finalBones;
    state.stopped = true;
    strip.asset->update(state, 1.0f);
    EXPECT_DOUBLE_EQ(strip.asset->controller()->time(), 0.5);
    EXPECT_EQ(state.finalBones, before);
}

TEST(SkeletalAnimation, AFileWithoutAnimationOrWithoutAControllerPlaysTheBindPose) {
    for (const bool withController : {true, false}) {
        Skinned still("still_skin.x", withController);
        ASSERT_NE(still.asset->controller(), nullptr);
        EXPECT_EQ(still.asset->controller()->numAnimationSets(), 0u);
        EXPECT_TRUE(still.asset->keyEvents().empty());
        AnimationState state;
        still.asset->update(state, 0.25f);
        ASSERT_EQ(state.finalBones.size(), 1u);
        // The bone at (0, 0.5, 0) with the offset that undoes it: the skin stays where it was.
        const gfx::Vector3 at = skinned(state, 0, {1.0f, 0.0f, 0.0f});
        EXPECT_NEAR(at.x, 1.0f, 1e-5f) << withController;
        EXPECT_NEAR(at.y, 0.0f, 1e-5f) << withController;
    }
}

TEST(SkeletalAnimation, ABoneThatNoFrameCarriesKeepsANullPointerAndStaysStill) {
    std::unique_ptr<mesh::XFrame> root;
    ASSERT_EQ(mesh::loadFrameHierarchyFromX(kMeshData + "still_skin.x", mesh::Options::SystemMemory, nullptr, root),
              gfx::Result::Ok);
    const mesh::SkinInfo skin({{"bone", gfx::translationMatrix(0.0f, -0.5f, 0.0f), {}, {}},
                               {"nowhere", gfx::translationMatrix(9.0f, 9.0f, 9.0f), {}, {}}});
    const std::vector<const gfx::Matrix*> bound = bindBoneMatrices(*root, skin);
    ASSERT_EQ(bound.size(), 2u);
    EXPECT_EQ(bound[0], &mesh::findFrame(*root, "bone")->combined);
    EXPECT_EQ(bound[1], nullptr);
    Skeletal3DAnimationAsset asset("SkinnedMesh_still_skin", root.get(), nullptr, 2, &skin, bound, nullptr);
    AnimationState state;
    asset.update(state, 0.1f);
    ASSERT_EQ(state.finalBones.size(), 2u);
    EXPECT_EQ(state.finalBones[1], gfx::identityMatrix());
}

} // namespace
