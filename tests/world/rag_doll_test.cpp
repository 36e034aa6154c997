#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "humanoid_skeleton.h"
#include "physics_test_world.h"
#include "support/log_capture.h"
#include "world/new_physics_rag_doll.h"

namespace {

const gfx::Vector3 up{0, 1, 0};

// The rag doll tests use the humanoid test skeleton, 12.3 units tall, its toes 0.7 above the ground.
class RagDoll : public PhysicsWorldTest {
protected:
    NewPhysicsRagDoll& makeRagDoll(Skeleton& of) {
        NewPhysicsRagDoll* ragDoll = physics().createRagDoll(&of);
        EXPECT_NE(ragDoll, nullptr);
        return *ragDoll;
    }
    int bone(const std::string& name) const { return static_cast<int>(skeleton.findBoneIndex(name)); }
    static btVector3 centreOf(const btRigidBody* body) {
        btTransform transform;
        body->getMotionState()->getWorldTransform(transform);
        return transform.getOrigin();
    }

    Skeleton skeleton = humanoidSkeleton(1.0f);
};

TEST_F(RagDoll, CapsuleReachesFromTheBoneTowardsItsPartner) {
    NewPhysicsRagDoll& ragDoll = makeRagDoll(skeleton);
    const int spine2 = bone("Spine2");
    const btCapsuleShape* capsule = ragDoll.shapes()[spine2];
    EXPECT_FLOAT_EQ(capsule->getRadius(), 0.3f);
    EXPECT_NEAR(capsule->getHalfHeight() * 2.0f, 0.4f, 1e-5f);
    // Half the capsule's length along the bone's Y axis, here straight up.
    const btVector3 centre = centreOf(ragDoll.bodies()[spine2]);
    const gfx::Matrix& boneMatrix = skeleton.boneMatrices[static_cast<std::size_t>(spine2)];
    EXPECT_NEAR(centre.x(), boneMatrix.m[3][0], 1e-5f);
    EXPECT_NEAR(centre.y(), boneMatrix.m[3][1] + 0.5f, 1e-5f);
    EXPECT_NEAR(centre.z(), boneMatrix.m[3][2], 1e-5f);
}

// Two bones: "Spine1" at the origin and "Spine2" above it, turned so its Y axis runs along x.
TEST(RagDollCapsules, HeightIsTheDistanceLessTheCapsWithZeroAtLeast) {
    struct Case {
        float distance;
        float height;
    };
    for (const Case& c : {Case{1.0f, 0.4f}, Case{0.6f, 0.0f}, Case{0.4f, 0.0f}, Case{0.0f, 0.0f}}) {
        SCOPED_TRACE(c.distance);
        NewPhysicsManager manager(nullptr);
        ASSERT_TRUE(manager.init());
        Skeleton skeleton;
        skeleton.boneNames = {"Spine1", "Spine2"};
        skeleton.boneMatrices = {boneMatrix({0, 0, 0}, up), boneMatrix({0, c.distance, 0}, {1, 0, 0})};
        NewPhysicsRagDoll* ragDoll = manager.createRagDoll(&skeleton);
        ASSERT_NE(ragDoll, nullptr);
        const btCapsuleShape* capsule = ragDoll->shapes()[1];
        EXPECT_NEAR(capsule->getHalfHeight() * 2.0f, c.height, 1e-5f);
        btTransform body;
        ragDoll->bodies()[1]->getMotionState()->getWorldTransform(body);
        EXPECT_NEAR(body.getOrigin().x(), 0.3f + c.height / 2.0f, 1e-5f);
        EXPECT_NEAR(body.getOrigin().y(), c.distance, 1e-5f);
        manager.destroyAll();
    }
}

TEST_F(RagDoll, BonesOfOtherNamesGetSmallCapsulesAndNoJoints) {
    Skeleton plain;
    plain.boneNames = {"root", "spine1", "Knee"};
    plain.boneMatrices = {boneMatrix({0, 3, 0}, up), boneMatrix({0, 4, 0}, up), boneMatrix({0, 5, 0}, up)};
    NewPhysicsRagDoll& ragDoll = makeRagDoll(plain);
    ASSERT_EQ(ragDoll.shapes().size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_FLOAT_EQ(ragDoll.shapes()[i]->getRadius(), 0.2f);
        EXPECT_NEAR(ragDoll.shapes()[i]->getHalfHeight(), 0.1f, 1e-6f);
    }
    EXPECT_EQ(ragDoll.joints().size(), 0);
    EXPECT_EQ(world().getNumConstraints(), 0);
}

TEST_F(RagDoll, AbsentPartnerIsBoneZeroAndNoBoneJoinsItself) {
    // No "Spine1": the capsule of "Spine2" reaches towards bone 0, 2 units below. No "Spine4":
    // the joint of "Spine3", bone 0, would join it to itself.
    Skeleton partial;
    partial.boneNames = {"Spine3", "Spine2"};
    partial.boneMatrices = {boneMatrix({0, 3, 0}, up), boneMatrix({0, 5, 0}, up)};
    LogCapture log;
    NewPhysicsRagDoll& ragDoll = makeRagDoll(partial);
    EXPECT_NEAR(ragDoll.shapes()[1]->getHalfHeight() * 2.0f, 2.0f - 0.6f, 1e-5f);
    // Only "Spine2" gets its joint, to "Spine3".
    ASSERT_EQ(ragDoll.joints().size(), 1);
    EXPECT_EQ(&ragDoll.joints()[0]->getRigidBodyA(), ragDoll.bodies()[1]);
    EXPECT_EQ(&ragDoll.joints()[0]->getRigidBodyB(), ragDoll.bodies()[0]);
    EXPECT_TRUE(log.contains("No rag-doll joint from the bone Spine3 to itself"));
}

TEST_F(RagDoll, HumanoidGetsACapsulePerBoneAndItsJoints) {
    ASSERT_EQ(skeleton.boneNames.size(), 35u);
    NewPhysicsRagDoll& ragDoll = makeRagDoll(skeleton);
    EXPECT_EQ(ragDoll.bodies().size(), 35);
    int hinges = 0;
    int coneTwists = 0;
    int lastBone = -1;
    for (int i = 0; i < ragDoll.joints().size(); ++i) {
        const btTypedConstraint* joint = ragDoll.joints()[i];
        hinges += joint->getConstraintType() == HINGE_CONSTRAINT_TYPE;
        coneTwists += joint->getConstraintType() == CONETWIST_CONSTRAINT_TYPE;
        // Made in bone order: each joint starts at a later bone than the one before.
        const btRigidBody* const* first = &ragDoll.bodies()[0];
        const int from = static_cast<int>(std::find(first, first + 35, &joint->getRigidBodyA()) - first);
        EXPECT_GT(from, lastBone);
        lastBone = from;
    }
    EXPECT_EQ(hinges, 29);
    EXPECT_EQ(coneTwists, 5);
    EXPECT_EQ(world().getNumConstraints(), 34);
}

TEST_F(RagDoll, JointsKeepTheLimitsOfTheirBones) {
    NewPhysicsRagDoll& ragDoll = makeRagDoll(skeleton);
    // Hinges: low and high; cone-twists: swing span 1, swing span 2, twist span. The knees differ.
    struct Case {
        const char* bone;
        const char* partner;
        int type;
        float limits[3];
    };
    const Case cases[] = {
        {"LowerLeg_L", "UpperLeg_L", HINGE_CONSTRAINT_TYPE, {0.0f, 1.396263f}},
        {"LowerLeg_R", "UpperLeg_R", HINGE_CONSTRAINT_TYPE, {0.0f, 1.570796f}},
        {"Spine1", "Spine2", HINGE_CONSTRAINT_TYPE, {0.0f, 0.0f}},
        {"Shoulder_R", "Spine5", HINGE_CONSTRAINT_TYPE, {-0.09817477f, 0.09817477f}},
        {"Neck", "Head", CONETWIST_CONSTRAINT_TYPE, {0.3926991f, 0.3926991f, 0.7853982f}},
        {"Hip_L", "Spine1", CONETWIST_CONSTRAINT_TYPE, {0.0f, 0.0f, 0.0f}},
        {"Hip_R", "Spine1", CONETWIST_CONSTRAINT_TYPE, {0.0f, 0.0f, 0.0f}},
        {"UpperArm_L", "Shoulder_L", CONETWIST_CONSTRAINT_TYPE, {0.0f, 0.0f, 0.0f}},
        {"UpperArm_R", "Shoulder_R", CONETWIST_CONSTRAINT_TYPE, {0.0f, 0.0f, 0.0f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bone);
        const btTypedConstraint* found = nullptr;
        for (int i = 0; i < ragDoll.joints().size(); ++i) {
            const btTypedConstraint* joint = ragDoll.joints()[i];
            if (&joint->getRigidBodyA() == ragDoll.bodies()[bone(c.bone)]) found = joint;
        }
        ASSERT_NE(found, nullptr);
        ASSERT_EQ(found->getConstraintType(), c.type);
        EXPECT_EQ(&found->getRigidBodyB(), ragDoll.bodies()[bone(c.partner)]);
        if (c.type == HINGE_CONSTRAINT_TYPE) {
            const auto* hinge = static_cast<const btHingeConstraint*>(found);
            EXPECT_FLOAT_EQ(hinge->getLowerLimit(), c.limits[0]);
            EXPECT_FLOAT_EQ(hinge->getUpperLimit(), c.limits[1]);
        } else {
            const auto* coneTwist = static_cast<const btConeTwistConstraint*>(found);
            EXPECT_FLOAT_EQ(coneTwist->getSwingSpan1(), c.limits[0]);
            EXPECT_FLOAT_EQ(coneTwist->getSwingSpan2(), c.limits[1]);
            EXPECT_FLOAT_EQ(coneTwist->getTwistSpan(), c.limits[2]);
        }
    }
}

TEST_F(RagDoll, UpdateBeforeAnyStepGivesBackTheSkeleton) {
    const std::vector<gfx::Matrix> rest = skeleton.boneMatrices;
    NewPhysicsRagDoll& ragDoll = makeRagDoll(skeleton);
    ragDoll.update();
    ASSERT_EQ(skeleton.boneMatrices.size(), rest.size());
    for (std::size_t b = 0; b < rest.size(); ++b) {
        SCOPED_TRACE(skeleton.boneNames[b]);
        for (int i = 0; i < 16; ++i) EXPECT_NEAR(skeleton.boneMatrices[b].data()[i], rest[b].data()[i], 1e-5f);
    }
}

TEST_F(RagDoll, DroppedHumanoidFallsAndLiesStillOnTheGround) {
    NewPhysicsRagDoll& ragDoll = makeRagDoll(skeleton);
    const int bodies = ragDoll.bodies().size();
    std::vector<btVector3> starts;
    for (int i = 0; i < bodies; ++i) starts.push_back(centreOf(ragDoll.bodies()[i]));
    steps(1200);

    float fastest = 0.0f;
    for (int i = 0; i < bodies; ++i) {
        SCOPED_TRACE(skeleton.boneNames[static_cast<std::size_t>(i)]);
        const btVector3 centre = centreOf(ragDoll.bodies()[i]);
        for (int axis = 0; axis < 3; ++axis) ASSERT_TRUE(std::isfinite(centre[axis]));
        EXPECT_LT(centre.distance(starts[static_cast<std::size_t>(i)]), 20.0f);
        fastest = std::max(fastest, ragDoll.bodies()[i]->getLinearVelocity().length());
    }
    EXPECT_LT(fastest, 0.5f);
    for (const gfx::Matrix& matrix : skeleton.boneMatrices) {
        for (int i = 0; i < 16; ++i) ASSERT_TRUE(std::isfinite(matrix.data()[i]));
    }
    // The lowest of the trunk's capsules lies on the ground at y 0.4.
    int lowest = -1;
    for (const char* name : {"Spine1", "Spine2", "Spine3", "Spine4", "Spine5", "Neck", "Head"}) {
        const int b = bone(name);
        if (lowest < 0 || centreOf(ragDoll.bodies()[b]).y() < centreOf(ragDoll.bodies()[lowest]).y()) lowest = b;
    }
    SCOPED_TRACE(skeleton.boneNames[static_cast<std::size_t>(lowest)]);
    EXPECT_NEAR(centreOf(ragDoll.bodies()[lowest]).y(), 0.4f + ragDoll.shapes()[lowest]->getRadius(), 0.05f);
}

TEST_F(RagDoll, DestroyingItLeavesTheWorldAsItWas) {
    RigidBodyHandle* box = physics().addRigidBody("Box");
    const int objects = world().getNumCollisionObjects();
    const int constraints = world().getNumConstraints();
    NewPhysicsRagDoll* ragDoll = &makeRagDoll(skeleton);
    EXPECT_EQ(world().getNumCollisionObjects(), objects + 35);
    steps(10);
    physics().destroyRagDoll(ragDoll);
    EXPECT_TRUE(manager.ragDolls().empty());
    EXPECT_EQ(world().getNumCollisionObjects(), objects);
    EXPECT_EQ(world().getNumConstraints(), constraints);
    steps(10);
    physics().removeRigidBody(&box);
}

TEST_F(RagDoll, StepPosesTheSkeletonAndCarriesTheValueSet) {
    physics().setRagDollValue(7);
    NewPhysicsRagDoll& ragDoll = makeRagDoll(skeleton);
    EXPECT_EQ(ragDoll.ownerValue(), 7u);
    const float headBefore = skeleton.boneMatrices[static_cast<std::size_t>(bone("Head"))].m[3][1];
    steps(30);
    // Falling: after half a second the head is lower, and its matrix is its body's pose less the offset.
    const gfx::Matrix& head = skeleton.boneMatrices[static_cast<std::size_t>(bone("Head"))];
    EXPECT_LT(head.m[3][1], headBefore - 0.5f);
    btTransform body;
    ragDoll.bodies()[bone("Head")]->getMotionState()->getWorldTransform(body);
    const btVector3 axis = body.getBasis().getColumn(1);
    const btCapsuleShape* capsule = ragDoll.shapes()[bone("Head")];
    const btVector3 expected = body.getOrigin() - axis * (capsule->getRadius() + capsule->getHalfHeight());
    EXPECT_NEAR(head.m[3][0], expected.x(), 1e-4f);
    EXPECT_NEAR(head.m[3][1], expected.y(), 1e-4f);
    EXPECT_NEAR(head.m[3][2], expected.z(), 1e-4f);
}

TEST(RagDollMaking, NeedsAWorldAndASkeleton) {
    NewPhysicsManager manager(nullptr);
    Skeleton skeleton = humanoidSkeleton(1.0f);
    LogCapture log;
    EXPECT_EQ(manager.createRagDoll(&skeleton), nullptr);
    ASSERT_TRUE(manager.init());
    EXPECT_EQ(manager.createRagDoll(nullptr), nullptr);
    EXPECT_TRUE(log.contains("No rag doll made"));
    manager.destroyAll();
}

} // namespace
