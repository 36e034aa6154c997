#include "world/rag_doll_tables.h"

namespace {

constexpr float pi_32 = 0.09817477f;
constexpr float pi_16 = 0.1963495f;
constexpr float pi_8 = 0.3926991f;
constexpr float pi_4 = 0.7853982f;
constexpr float pi_2 = 1.570796f;
constexpr float eightyDegrees = 1.396263f;

// Rows whose names hold "%" stand for two bones, with "L" and then "R" in its place, in the
// bone's name and in its partner's alike.
struct CapsuleRow {
    const char* bone;
    const char* partner; // empty: a fixed height
    float radius;
    float height; // used only without a partner
};

constexpr CapsuleRow capsuleRows[] = {
    {"Spine1", "", 0.3f, 0.05f},
    {"Spine2", "Spine1", 0.3f, 0.0f},
    {"Spine3", "Spine2", 0.3f, 0.0f},
    {"Spine4", "Spine3", 0.3f, 0.0f},
    {"Spine5", "Spine4", 0.3f, 0.0f},
    {"Neck", "Spine5", 0.3f, 0.0f},
    {"Head", "Neck", 0.5f, 0.0f},
    {"Shoulder_%", "UpperArm_%", 0.05f, 0.0f},
    {"UpperArm_%", "LowerArm_%", 0.15f, 0.0f},
    {"LowerArm_%", "Hand_%", 0.15f, 0.0f},
    {"Hand_%", "Fingers1_%", 0.05f, 0.0f},
    {"Fingers1_%", "Fingers2_%", 0.05f, 0.0f},
    {"Fingers2_%", "", 0.05f, 0.1f},
    {"Thumb1_%", "Thumb2_%", 0.05f, 0.0f},
    {"Thumb2_%", "Thumb3_%", 0.05f, 0.0f},
    {"Thumb3_%", "", 0.05f, 0.08f},
    {"Hip_%", "UpperLeg_%", 0.05f, 0.0f},
    {"UpperLeg_%", "LowerLeg_%", 0.2f, 0.0f},
    {"LowerLeg_%", "Foot_%", 0.2f, 0.0f},
    {"Foot_%", "Toes_%", 0.1f, 0.0f},
    {"Toes_%", "", 0.1f, 0.1f},
};

struct JointRow {
    const char* bone;
    const char* partner;
    RagDollJointKind kind;
    float limits[3];
};

constexpr RagDollJointKind hinge = RagDollJointKind::Hinge;
constexpr RagDollJointKind coneTwist = RagDollJointKind::ConeTwist;

// The knees differ: the right one bends to a right angle, the left one to 80 degrees.
constexpr JointRow jointRows[] = {
    {"Spine1", "Spine2", hinge, {0.0f, 0.0f}},
    {"Spine2", "Spine3", hinge, {-pi_16, pi_32}},
    {"Spine3", "Spine4", hinge, {-pi_16, pi_32}},
    {"Spine4", "Spine5", hinge, {-pi_16, pi_32}},
    {"Spine5", "Neck", hinge, {-pi_16, pi_32}},
    {"Neck", "Head", coneTwist, {pi_8, pi_8, pi_4}},
    {"Toes_%", "Foot_%", hinge, {-pi_8, pi_8}},
    {"Foot_%", "LowerLeg_%", hinge, {-pi_4, 0.0f}},
    {"LowerLeg_L", "UpperLeg_L", hinge, {0.0f, eightyDegrees}},
    {"LowerLeg_R", "UpperLeg_R", hinge, {0.0f, pi_2}},
    {"UpperLeg_%", "Hip_%", hinge, {-pi_4, 0.0f}},
    {"Hip_%", "Spine1", coneTwist, {0.0f, 0.0f, 0.0f}},
    {"Fingers2_%", "Fingers1_%", hinge, {-pi_4, pi_2}},
    {"Fingers1_%", "Hand_%", hinge, {-pi_4, pi_2}},
    {"Thumb3_%", "Thumb2_%", hinge, {-pi_4, pi_2}},
    {"Thumb2_%", "Thumb1_%", hinge, {-pi_4, pi_2}},
    {"Thumb1_%", "Hand_%", hinge, {-pi_4, pi_2}},
    {"Hand_%", "LowerArm_%", hinge, {-pi_4, pi_2}},
    {"LowerArm_%", "UpperArm_%", hinge, {-pi_2, 0.0f}},
    {"UpperArm_%", "Shoulder_%", coneTwist, {0.0f, 0.0f, 0.0f}},
    {"Shoulder_%", "Spine5", hinge, {-pi_32, pi_32}},
};

std::string withSide(const char* pattern, char side) {
    std::string name(pattern);
    const std::size_t mark = name.find('%');
    if (mark != std::string::npos) name[mark] = side;
    return name;
}

// A row of one bone, whose partner needs no side either.
constexpr char noSide = '-';

// The side ('L' or 'R', or noSide) under which the row's bone pattern names the bone, or 0 when
// it does not name it.
char sideMatching(const char* pattern, const std::string& boneName) {
    const std::string bone(pattern);
    if (bone.find('%') == std::string::npos) return bone == boneName ? noSide : 0;
    for (char side : {'L', 'R'}) {
        if (withSide(pattern, side) == boneName) return side;
    }
    return 0;
}

} // namespace

RagDollCapsule ragDollCapsuleFor(const std::string& boneName) {
    for (const CapsuleRow& row : capsuleRows) {
        const char side = sideMatching(row.bone, boneName);
        if (!side) continue;
        return RagDollCapsule{withSide(row.partner, side), row.radius, row.height};
    }
    return RagDollCapsule{};
}

bool ragDollJointFor(const std::string& boneName, RagDollJoint& joint) {
    for (const JointRow& row : jointRows) {
        const char side = sideMatching(row.bone, boneName);
        if (!side) continue;
        joint.partner = withSide(row.partner, side);
        joint.kind = row.kind;
        for (int i = 0; i < 3; ++i) joint.limits[i] = row.limits[i];
        return true;
    }
    return false;
}
