#include "humanoid_skeleton.h"

#include <cmath>
#include <utility>

#include "platform/gfx/math_vector.h"

gfx::Matrix boneMatrix(const gfx::Vector3& position, const gfx::Vector3& yDirection) {
    const gfx::Vector3 y = gfx::normalize(yDirection);
    const gfx::Vector3 hint = std::fabs(y.x) < 0.9f ? gfx::Vector3{1.0f, 0.0f, 0.0f} : gfx::Vector3{0.0f, 0.0f, 1.0f};
    const gfx::Vector3 x = gfx::normalize(hint - y * gfx::dot(hint, y));
    const gfx::Vector3 z = gfx::cross(x, y);
    return gfx::Matrix(x.x, x.y, x.z, 0.0f, y.x, y.y, y.z, 0.0f, z.x, z.y, z.z, 0.0f, position.x, position.y,
                       position.z, 1.0f);
}

namespace {

struct Bone {
    std::string name;
    gfx::Vector3 position;
    gfx::Vector3 direction;
};

void add(Skeleton& skeleton, const Bone& bone, float lift) {
    skeleton.boneNames.push_back(bone.name);
    skeleton.boneMatrices.push_back(boneMatrix(bone.position + gfx::Vector3{0.0f, lift, 0.0f}, bone.direction));
}

} // namespace

Skeleton humanoidSkeleton(float lift) {
    Skeleton skeleton;
    const gfx::Vector3 up{0.0f, 1.0f, 0.0f};
    const gfx::Vector3 down{0.0f, -1.0f, 0.0f};
    // The spine: each bone's capsule reaches up to the next bone.
    add(skeleton, {"Spine1", {0.0f, 5.3f, 0.0f}, up}, lift);
    add(skeleton, {"Spine2", {0.0f, 6.3f, 0.0f}, up}, lift);
    add(skeleton, {"Spine3", {0.0f, 7.3f, 0.0f}, up}, lift);
    add(skeleton, {"Spine4", {0.0f, 8.3f, 0.0f}, up}, lift);
    add(skeleton, {"Spine5", {0.0f, 9.3f, 0.0f}, up}, lift);
    add(skeleton, {"Neck", {0.0f, 10.1f, 0.0f}, up}, lift);
    add(skeleton, {"Head", {0.0f, 11.2f, 0.0f}, up}, lift);
    for (const auto& [side, s] : {std::pair{std::string("_L"), 1.0f}, std::pair{std::string("_R"), -1.0f}}) {
        const gfx::Vector3 out{s, 0.0f, 0.0f};
        // The arms hang down and out from the shoulders, the thumbs turned forwards.
        constexpr float armAngle = 0.8f;
        const gfx::Vector3 arm = gfx::normalize(gfx::Vector3{s * std::cos(armAngle), -std::sin(armAngle), 0.0f});
        const gfx::Vector3 thumb = arm * 0.2f + gfx::Vector3{0.0f, 0.0f, 0.2f};
        const gfx::Vector3 upperArm{s * 1.0f, 9.3f, 0.0f};
        const gfx::Vector3 lowerArm = upperArm + arm * 2.0f;
        const gfx::Vector3 hand = lowerArm + arm * 1.8f;
        const gfx::Vector3 thumb1 = hand + arm * 0.2f + gfx::Vector3{0.0f, 0.0f, 0.2f};
        add(skeleton, {"Shoulder" + side, {s * 0.3f, 9.3f, 0.0f}, out}, lift);
        add(skeleton, {"UpperArm" + side, upperArm, arm}, lift);
        add(skeleton, {"LowerArm" + side, lowerArm, arm}, lift);
        add(skeleton, {"Hand" + side, hand, arm}, lift);
        add(skeleton, {"Fingers1" + side, hand + arm * 0.5f, arm}, lift);
        add(skeleton, {"Fingers2" + side, hand + arm * 0.9f, arm}, lift);
        add(skeleton, {"Thumb1" + side, thumb1, thumb}, lift);
        add(skeleton, {"Thumb2" + side, thumb1 + thumb, thumb}, lift);
        add(skeleton, {"Thumb3" + side, thumb1 + thumb * 1.75f, thumb}, lift);
        add(skeleton, {"Hip" + side, {s * 0.3f, 5.3f, 0.0f}, {s * 0.3f, -0.3f, 0.0f}}, lift);
        add(skeleton, {"UpperLeg" + side, {s * 0.6f, 5.0f, 0.0f}, down}, lift);
        add(skeleton, {"LowerLeg" + side, {s * 0.6f, 2.7f, 0.0f}, down}, lift);
        add(skeleton, {"Foot" + side, {s * 0.6f, 0.5f, 0.0f}, {0.0f, -0.3f, 0.6f}}, lift);
        add(skeleton, {"Toes" + side, {s * 0.6f, 0.2f, 0.6f}, {0.0f, 0.0f, 1.0f}}, lift);
    }
    return skeleton;
}
