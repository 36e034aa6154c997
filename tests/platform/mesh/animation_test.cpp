// The animation side of the mesh layer: the sets read from ".x" files and the rotation keys'
// convention, sampling, tracks and their blending, callback keys across cycles, the bones of a
// split skinned mesh and its blended form.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "platform/file_io.h"
#include "platform/gfx/math_matrix.h"
#include "platform/gfx/math_quaternion.h"
#include "platform/gfx/math_vector.h"
#include "platform/mesh/animation_controller.h"
#include "platform/mesh/frame_hierarchy.h"
#include "platform/mesh/mesh.h"
#include "platform/mesh/skin_info.h"
#include "platform/mesh/x_file.h"

namespace {

const std::string kData = std::string(ZODERUD_TEST_DATA_DIR) + "/mesh/";

struct Animated {
    std::unique_ptr<mesh::XFrame> root;
    mesh::AnimationController controller;
    std::string error;
};

void loadAnimated(const std::string& file, Animated& out) {
    ASSERT_EQ(mesh::loadFrameHierarchyFromX(kData + file, mesh::Options::SystemMemory, nullptr, out.root, &out.error,
                                            &out.controller),
              gfx::Result::Ok)
        << out.error;
}

mesh::XFrame& frame(Animated& a, const std::string& name) {
    mesh::XFrame* found = mesh::findFrame(*a.root, name);
    EXPECT_NE(found, nullptr) << name;
    return *found;
}

// The turn about z of a frame matrix, in degrees (rows: x goes to (cos, sin)).
double turnDegrees(const gfx::Matrix& m) { return std::atan2(m.m[0][1], m.m[0][0]) * 180.0 / std::numbers::pi; }

TEST(Animation, SetsComeFromTheFileWithTheirRateLengthAndPeriodOnTheFirstTrack) {
    Animated strip;
    loadAnimated("two_bone_strip.x", strip);
    ASSERT_EQ(strip.controller.numAnimationSets(), 1u);
    const mesh::AnimationSet& set = *strip.controller.animationSet(0);
    EXPECT_EQ(set.name(), "Bend");
    EXPECT_DOUBLE_EQ(set.sourceTicksPerSecond(), 4800.0);
    EXPECT_DOUBLE_EQ(set.durationTicks(), 9600.0);
    EXPECT_DOUBLE_EQ(set.period(), 2.0);
    ASSERT_GE(strip.controller.numTracks(), 2u);
    EXPECT_EQ(strip.controller.track(0).set, strip.controller.animationSet(0));
    EXPECT_TRUE(strip.controller.track(0).enabled);
    EXPECT_FALSE(strip.controller.track(1).enabled);
}

TEST(Animation, AFileWithoutAnimationGivesNoSetsAndAdvancingLeavesTheFramesAlone) {
    Animated still;
    loadAnimated("still_skin.x", still);
    EXPECT_EQ(still.controller.numAnimationSets(), 0u);
    const gfx::Matrix before = frame(still, "bone").transform;
    still.controller.advanceTime(1.0, nullptr);
    EXPECT_EQ(frame(still, "bone").transform, before);
}

TEST(Animation, AHierarchyFromAFilesBytesIsTheFilesAndBadBytesFailWithAReasonAndNoFrames) {
    std::string bytes;
    ASSERT_TRUE(platform::readWholeFile(kData + "two_bone_strip.x", bytes, 1u << 20));
    Animated fromBytes;
    ASSERT_EQ(mesh::loadFrameHierarchyFromXInMemory(bytes.data(), bytes.size(), "two_bone_strip.x",
                                                    mesh::Options::SystemMemory, nullptr, fromBytes.root,
                                                    &fromBytes.error, &fromBytes.controller),
              gfx::Result::Ok)
        << fromBytes.error;
    ASSERT_EQ(fromBytes.controller.numAnimationSets(), 1u);
    EXPECT_DOUBLE_EQ(fromBytes.controller.animationSet(0)->period(), 2.0);
    EXPECT_NEAR(frame(fromBytes, "Upper").transform.m[3][1], 1.0f, 1e-6f);
    ASSERT_EQ(frame(fromBytes, "StripMesh").meshes.size(), 1u);
    EXPECT_EQ(frame(fromBytes, "StripMesh").meshes[0]->bones.size(), 2u);

    // (Files cut short are left out: the reader leaks what it had parsed when it gives up.)
    const std::string text = "not a mesh at all";
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"no bytes", ""}, {"not a mesh file", text}};
    for (const auto& [what, data] : cases) {
        Animated bad;
        EXPECT_NE(mesh::loadFrameHierarchyFromXInMemory(data.data(), data.size(), "bad.x",
                                                        mesh::Options::SystemMemory, nullptr, bad.root, &bad.error,
                                                        &bad.controller),
                  gfx::Result::Ok)
            << what;
        EXPECT_EQ(bad.root, nullptr) << what;
        EXPECT_EQ(bad.controller.numAnimationSets(), 0u) << what;
        EXPECT_NE(bad.error.find("bad.x"), std::string::npos) << what << ": " << bad.error;
    }
}

// The key and the frame matrix Turned were written from the same quarter turn: the key, played,
// must give that matrix, and the tip of the strip must go where the engine's own maths sends it.
TEST(Animation, ARotationKeyAndTheMatrixOfTheSameRotationAgree) {
    Animated turned;
    loadAnimated("strip_turn_key.x", turned);
    // The file's key: w 0.707107, then x, y, z 0, 0, 0.707107.
    const gfx::Quaternion fileKey{0.0f, 0.0f, 0.707107f, 0.707107f};
    const gfx::Vector3 tipInUpper{0.0f, 1.0f, 0.0f};
    const gfx::Vector3 expectedTip =
        gfx::transformCoord(tipInUpper, gfx::rotationMatrix(fileKey) * gfx::translationMatrix(0.0f, 1.0f, 0.0f));
    ASSERT_LT(expectedTip.x, -0.9f); // the quarter turn is not symmetric: the tip goes to one side

    turned.controller.advanceTime(0.0, nullptr);
    mesh::updateCombinedMatrices(*turned.root, gfx::identityMatrix());
    const mesh::XFrame& upper = frame(turned, "Upper");
    const gfx::Vector3 tip = gfx::transformCoord(tipInUpper, upper.combined);
    EXPECT_NEAR(tip.x, expectedTip.x, 1e-4f);
    EXPECT_NEAR(tip.y, expectedTip.y, 1e-4f);

    const gfx::Matrix& byMatrix = frame(turned, "Turned").transform;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(upper.transform.m[r][c], byMatrix.m[r][c], 1e-4f) << r << "," << c;
}

TEST(Animation, KeysAreBlendedBetweenHeldOutsideAndLoopOverThePeriod) {
    struct Case {
        double seconds;
        double degrees;
    };
    // Keys: 0 degrees at 0 ticks, 45 at 4800, 90 at 9600; the period is 2 s.
    const Case cases[] = {{0.0, 0.0}, {0.5, 22.5}, {1.0, 45.0}, {1.5, 67.5}, {2.0, 90.0}, {2.5, 22.5}, {5.0, 45.0}};
    for (const Case& c : cases) {
        Animated strip;
        loadAnimated("two_bone_strip.x", strip);
        strip.controller.advanceTime(c.seconds, nullptr);
        const gfx::Matrix& upper = frame(strip, "Upper").transform;
        EXPECT_NEAR(turnDegrees(upper), c.degrees, 0.01) << c.seconds << " s";
        EXPECT_NEAR(upper.m[3][1], 1.0f, 1e-5f) << c.seconds << " s";
    }
}

TEST(Animation, TracksBlendByWeightMoveByTheirSpeedAndOnlyWhenEnabled) {
    Animated strip;
    loadAnimated("two_bone_strip.x", strip);
    mesh::AnimationController& c = strip.controller;
    c.setTrackAnimationSet(1, c.animationSet(0));
    c.setTrackEnable(1, true);
    c.setTrackPosition(0, 2.0); // 90 degrees
    c.setTrackPosition(1, 0.0); // 0 degrees
    c.setTrackWeight(0, 0.5f);
    c.setTrackWeight(1, 0.5f);
    c.advanceTime(0.0, nullptr);
    EXPECT_NEAR(turnDegrees(frame(strip, "Upper").transform), 45.0, 0.01);

    c.setTrackWeight(1, 0.0f); // a weightless track counts for nothing
    c.advanceTime(0.0, nullptr);
    EXPECT_NEAR(turnDegrees(frame(strip, "Upper").transform), 90.0, 0.01);

    c.setTrackEnable(0, false);
    c.setTrackWeight(1, 1.0f);
    c.setTrackSpeed(1, 2.0f);
    c.advanceTime(0.25, nullptr);
    EXPECT_DOUBLE_EQ(c.track(0).position, 2.0);
    EXPECT_DOUBLE_EQ(c.track(1).position, 0.5);
    EXPECT_NEAR(turnDegrees(frame(strip, "Upper").transform), 22.5, 0.01);
    EXPECT_DOUBLE_EQ(c.time(), 0.25);
}

struct Recorder : mesh::AnimationCallbackHandler {
    void handleCallback(uint32_t, void* data) override { events.push_back(*static_cast<const std::string*>(data)); }
    std::vector<std::string> events;
};

// The set with callback keys at half, three fifths and the end of its 9600 ticks, on track 0.
struct WithCallbacks {
    WithCallbacks() {
        loadAnimated("two_bone_strip.x", strip);
        const auto& set = strip.controller.animationSet(0);
        strip.controller.replaceAnimationSet(
            0, set->compressed({{9600.0, &names[2]}, {4800.0, &names[0]}, {5760.0, &names[1]}}));
    }
    Animated strip;
    std::string names[3] = {"half", "apex", "end"};
};

TEST(Animation, CompressingKeepsTheKeysAndTheTracksPlayTheReplacement) {
    WithCallbacks w;
    const mesh::AnimationController& c = w.strip.controller;
    EXPECT_EQ(c.track(0).set, c.animationSet(0));
    const mesh::AnimationSet& set = *c.animationSet(0);
    ASSERT_EQ(set.callbackKeys().size(), 3u);
    EXPECT_DOUBLE_EQ(set.callbackKeys()[1].time, 5760.0);
    ASSERT_EQ(set.animations().size(), 1u);
    EXPECT_EQ(set.animations()[0].rotationKeys.size(), 3u);
    EXPECT_DOUBLE_EQ(set.period(), 2.0);
    w.strip.controller.advanceTime(0.5, nullptr);
    EXPECT_NEAR(turnDegrees(frame(w.strip, "Upper").transform), 22.5, 0.01);
}

TEST(Animation, EachCallbackKeyFiresOnceAPassAcrossTheEndOfACycleToo) {
    struct Case {
        double from, step;
        int steps;
        std::vector<std::string> events;
    };
    const Case cases[] = {
        // Small steps over three cycles: each key once per cycle, in order.
        {0.0, 0.125, 48, {"half", "apex", "end", "half", "apex", "end", "half", "apex", "end"}},
        // A step onto a key raises it; the next step does not raise it again.
        {0.0, 1.0, 2, {"half", "apex", "end"}},
        // One step across the end of a cycle raises the end, then the next cycle's keys.
        {1.9, 1.2, 1, {"end", "half"}},
        {1.1, 1.5, 1, {"apex", "end"}},
        // A step before the first key raises nothing.
        {0.0, 0.9, 1, {}},
    };
    for (const Case& c : cases) {
        WithCallbacks w;
        Recorder recorder;
        w.strip.controller.setTrackPosition(0, c.from);
        for (int i = 0; i < c.steps; ++i) w.strip.controller.advanceTime(c.step, &recorder);
        EXPECT_EQ(recorder.events, c.events) << "from " << c.from << " by " << c.step << " x" << c.steps;
    }
}

TEST(Animation, ADisabledTrackRaisesNoCallbacksAndWithoutAHandlerNothingIsRaised) {
    WithCallbacks w;
    Recorder recorder;
    w.strip.controller.advanceTime(1.5, nullptr);
    w.strip.controller.setTrackEnable(0, false);
    w.strip.controller.advanceTime(1.5, &recorder);
    EXPECT_TRUE(recorder.events.empty());
    w.strip.controller.setTrackEnable(0, true);
    w.strip.controller.advanceTime(0.5, &recorder);
    EXPECT_EQ(recorder.events, std::vector<std::string>{"end"});
}

// The weights and bone indices of every vertex of a blended mesh, by position.
struct Blend {
    float weights[4];
    uint8_t bones[4];
};

std::vector<std::pair<gfx::Vector3, Blend>> blendsOf(mesh::Mesh& m) {
    const gfx::VertexElement *weights = nullptr, *indices = nullptr;
    for (const gfx::VertexElement& e : m.declaration()) {
        if (e.usage == gfx::DeclUsage::BlendWeight) weights = &e;
        if (e.usage == gfx::DeclUsage::BlendIndices) indices = &e;
    }
    EXPECT_TRUE(weights && indices);
    std::vector<std::pair<gfx::Vector3, Blend>> out;
    if (!weights || !indices) return out;
    void* data = nullptr;
    m.lockVertexBuffer(gfx::Lock::ReadOnly, &data);
    for (uint32_t v = 0; v < m.numVertices(); ++v) {
        const uint8_t* vertex = static_cast<const uint8_t*>(data) + size_t(v) * m.numBytesPerVertex();
        std::pair<gfx::Vector3, Blend> entry;
        std::memcpy(&entry.first, vertex, 12);
        std::memcpy(entry.second.weights, vertex + weights->offset, 16);
        std::memcpy(entry.second.bones, vertex + indices->offset, 4);
        out.push_back(entry);
    }
    m.unlockVertexBuffer();
    return out;
}

TEST(Skin, BonesOfAMeshSplitByMaterialAreMergedByNameAndBlendWithGlobalIndices) {
    Animated strip;
    loadAnimated("two_bone_strip.x", strip);
    const mesh::XFrame& holder = frame(strip, "StripMesh");
    ASSERT_EQ(holder.meshes.size(), 1u);
    const mesh::SkinInfo skin(holder.meshes[0]->bones);
    ASSERT_EQ(skin.numBones(), 2u);
    EXPECT_EQ(skin.boneName(0), "Lower");
    EXPECT_EQ(skin.boneName(1), "Upper");
    EXPECT_NEAR(skin.boneOffsetMatrix(1).m[3][1], -1.0f, 1e-6f);

    mesh::Mesh* blended = nullptr;
    uint32_t influences = 0;
    ASSERT_EQ(skin.convertToBlendedMesh(*holder.meshes[0]->mesh, mesh::Options::SystemMemory, nullptr, &blended,
                                        &influences),
              gfx::Result::Ok);
    EXPECT_EQ(influences, 2u);
    const auto& layout = blended->declaration();
    ASSERT_GE(layout.size(), 2u);
    EXPECT_EQ(layout[layout.size() - 2].usage, gfx::DeclUsage::BlendWeight);
    EXPECT_EQ(layout[layout.size() - 2].type, gfx::DeclType::Float4);
    EXPECT_EQ(layout.back().usage, gfx::DeclUsage::BlendIndices);
    EXPECT_EQ(layout.back().type, gfx::DeclType::UByte4);
    // The middle row is in both halves: each copy takes half of each bone.
    const auto blends = blendsOf(*blended);
    ASSERT_EQ(blends.size(), 8u);
    for (const auto& [position, blend] : blends) {
        std::map<int, float> byBone;
        for (int i = 0; i < 4; ++i)
            if (blend.weights[i] > 0.0f) byBone[blend.bones[i]] += blend.weights[i];
        const std::map<int, float> expected = position.y == 0.0f   ? std::map<int, float>{{0, 1.0f}}
                                              : position.y == 1.0f ? std::map<int, float>{{0, 0.5f}, {1, 0.5f}}
                                                                   : std::map<int, float>{{1, 1.0f}};
        EXPECT_EQ(byBone, expected) << "vertex at y " << position.y;
    }
    gfx::safeRelease(blended);
}

TEST(Skin, AVertexKeepsItsStrongestFourInfluencesScaledToOneAndAnUnmovedOneFollowsBoneZero) {
    mesh::Mesh* source = nullptr;
    ASSERT_EQ(mesh::Mesh::create(1, 3, mesh::Options::SystemMemory,
                                 {{0, 0, gfx::DeclType::Float3, 0, gfx::DeclUsage::Position, 0}}, nullptr, &source),
              gfx::Result::Ok);
    std::vector<mesh::XBone> bones;
    for (int b = 0; b < 5; ++b) bones.push_back({"b" + std::to_string(b), {}, {0}, {0.1f * float(b + 1)}});
    bones[2].vertices.push_back(2);
    bones[2].weights.push_back(0.25f);
    const mesh::SkinInfo skin(bones);
    mesh::Mesh* blended = nullptr;
    uint32_t influences = 0;
    ASSERT_EQ(skin.convertToBlendedMesh(*source, mesh::Options::SystemMemory, nullptr, &blended, &influences),
              gfx::Result::Ok);
    EXPECT_EQ(influences, 4u);
    const auto blends = blendsOf(*blended);
    ASSERT_EQ(blends.size(), 3u);
    const Blend& strongest = blends[0].second;
    const uint8_t expectedBones[4] = {4, 3, 2, 1};
    const float total = 0.5f + 0.4f + 0.3f + 0.2f;
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(strongest.bones[i], expectedBones[i]);
        EXPECT_NEAR(strongest.weights[i], (0.5f - 0.1f * float(i)) / total, 1e-6f);
    }
    EXPECT_EQ(blends[1].second.bones[0], 0);
    EXPECT_FLOAT_EQ(blends[1].second.weights[0], 1.0f);
    EXPECT_EQ(blends[2].second.bones[0], 2);
    EXPECT_FLOAT_EQ(blends[2].second.weights[0], 1.0f);
    gfx::safeRelease(blended);
    gfx::safeRelease(source);
}

} // namespace
