#pragma once
// A humanoid skeleton as capsule bodies held by hinge and cone-twist joints; after each physics
// step it writes the bodies' poses back into the skeleton's bone matrices.
#include <btBulletDynamicsCommon.h>

#include <cstdint>
#include <string>

struct Skeleton;

class NewPhysicsRagDoll {
public:
    // One capsule body per bone of the skeleton (the bone count is the number of bone matrices),
    // posed as the skeleton is now, and the joints of the named bones, all added to the world.
    // The skeleton must outlive the rag doll; neither it nor the world is owned.
    NewPhysicsRagDoll(btDiscreteDynamicsWorld* world, Skeleton* skeleton, std::uint32_t ownerValue);
    // Takes the joints and bodies out of the world and deletes them with the shapes.
    ~NewPhysicsRagDoll();
    NewPhysicsRagDoll(const NewPhysicsRagDoll&) = delete;
    NewPhysicsRagDoll& operator=(const NewPhysicsRagDoll&) = delete;

    // Replaces the skeleton's bone matrices by the bodies' poses, in world space.
    void update();

    // The value the physics manager handed in, for whoever set it there.
    std::uint32_t ownerValue() const { return ownerValue_; }
    // Entry i belongs to bone i.
    const btAlignedObjectArray<btCapsuleShape*>& shapes() const { return shapes_; }
    const btAlignedObjectArray<btRigidBody*>& bodies() const { return bodies_; }
    // In the order they were made: by bone.
    const btAlignedObjectArray<btTypedConstraint*>& joints() const { return joints_; }

private:
    btTransform boneTransform(int bone) const;
    const std::string& boneName(int bone) const;
    // The bone of that name; bone 0 when there is none.
    int partnerBone(const std::string& name) const;
    void addBoneCapsule(int bone, float radius, const std::string& partner);
    void addCapsule(float height, float radius);
    void addBody(int bone);
    void addHingeJoint(int bone, const std::string& partner, float low, float high);
    void addConeTwistJoint(int bone, const std::string& partner, float swingSpan1, float swingSpan2, float twistSpan);
    // The joint's frames in both bodies: the bone's origin and axes turned by the rotation; false
    // when the partner is the bone itself.
    bool jointFrames(int bone, int partner, const btMatrix3x3& rotation, btTransform& inBone, btTransform& inPartner) const;
    void addJoint(btTypedConstraint* joint);

    Skeleton* skeleton_;
    std::uint32_t ownerValue_;
    btDiscreteDynamicsWorld* world_;
    btAlignedObjectArray<btCapsuleShape*> shapes_;
    btAlignedObjectArray<btRigidBody*> bodies_;
    btAlignedObjectArray<btTypedConstraint*> joints_;
    // Entry i takes body i's transform back to bone i's: down the capsule's axis to its end.
    btAlignedObjectArray<btTransform> boneOffsets_;
};
