#pragma once
// Which capsule and which joint each named bone of a humanoid skeleton gets in a rag doll.
#include <string>

// A capsule from the bone towards its partner (the whole capsule as long as the distance to
// the partner), or of a fixed height when there is no partner.
struct RagDollCapsule {
    std::string partner;
    float radius = 0.2f;
    float height = 0.2f;
};

enum class RagDollJointKind { Hinge, ConeTwist };

// Hinge limits are low and high (first two values); cone-twist limits are swing span 1, swing
// span 2 and twist span.
struct RagDollJoint {
    std::string partner;
    RagDollJointKind kind = RagDollJointKind::Hinge;
    float limits[3] = {0.0f, 0.0f, 0.0f};
};

// The capsule of a bone by its exact name; a bone of any other name gets a fixed 0.2 by 0.2.
RagDollCapsule ragDollCapsuleFor(const std::string& boneName);
// False when a bone of that name starts no joint.
bool ragDollJointFor(const std::string& boneName, RagDollJoint& joint);
