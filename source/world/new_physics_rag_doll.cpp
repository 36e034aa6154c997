#include "world/new_physics_rag_doll.h"

#include <algorithm>
#include <vector>

#include "app/log.h"
#include "scene/skeleton.h"
#include "world/dynamic_body.h"
#include "world/physics_transform.h"
#include "world/rag_doll_tables.h"

namespace {

constexpr btScalar bodyMass = 1.0f;
const std::string unnamed;

btTransform translation(btScalar y) {
    btTransform transform;
    transform.setIdentity();
    transform.setOrigin(btVector3(0.0f, y, 0.0f));
    return transform;
}

} // namespace

NewPhysicsRagDoll::NewPhysicsRagDoll(btDiscreteDynamicsWorld* world, Skeleton* skeleton, std::uint32_t ownerValue)
    : skeleton_(skeleton), ownerValue_(ownerValue), world_(world) {
    const int bones = static_cast<int>(skeleton_->boneMatrices.size());
    for (int bone = 0; bone < bones; ++bone) {
        const RagDollCapsule capsule = ragDollCapsuleFor(boneName(bone));
        if (capsule.partner.empty()) {
            addCapsule(capsule.height, capsule.radius);
        } else {
            addBoneCapsule(bone, capsule.radius, capsule.partner);
        }
        addBody(bone);
    }
    for (int bone = 0; bone < bones; ++bone) {
        RagDollJoint joint;
        if (!ragDollJointFor(boneName(bone), joint)) continue;
        if (joint.kind == RagDollJointKind::Hinge) {
            addHingeJoint(bone, joint.partner, joint.limits[0], joint.limits[1]);
        } else {
            addConeTwistJoint(bone, joint.partner, joint.limits[0], joint.limits[1], joint.limits[2]);
        }
    }
}

NewPhysicsRagDoll::~NewPhysicsRagDoll() {
    for (int i = 0; i < joints_.size(); ++i) {
        world_->removeConstraint(joints_[i]);
        delete joints_[i];
    }
    for (int i = 0; i < bodies_.size(); ++i) {
        world_->removeRigidBody(bodies_[i]);
        delete bodies_[i]->getMotionState();
        delete bodies_[i];
        delete shapes_[i];
    }
}

void NewPhysicsRagDoll::update() {
    std::vector<gfx::Matrix> matrices(static_cast<std::size_t>(bodies_.size()));
    for (int i = 0; i < bodies_.size(); ++i) {
        btTransform body;
        bodies_[i]->getMotionState()->getWorldTransform(body);
        matrixFromPhysicsTransform(matrices[static_cast<std::size_t>(i)], body * boneOffsets_[i]);
    }
    skeleton_->boneMatrices = std::move(matrices);
}

btTransform NewPhysicsRagDoll::boneTransform(int bone) const {
    btTransform transform;
    physicsTransformFromMatrix(transform, skeleton_->boneMatrices[static_cast<std::size_t>(bone)]);
    return transform;
}

const std::string& NewPhysicsRagDoll::boneName(int bone) const {
    const auto index = static_cast<std::size_t>(bone);
    return index < skeleton_->boneNames.size() ? skeleton_->boneNames[index] : unnamed;
}

int NewPhysicsRagDoll::partnerBone(const std::string& name) const {
    const std::size_t index = skeleton_->findBoneIndex(name);
    // A name beyond the matrices (more names than bones) has no bone either.
    return index < skeleton_->boneMatrices.size() ? static_cast<int>(index) : 0;
}

void NewPhysicsRagDoll::addBoneCapsule(int bone, float radius, const std::string& partner) {
    const btVector3 from = boneTransform(bone).getOrigin();
    const btVector3 to = boneTransform(partnerBone(partner)).getOrigin();
    // The whole capsule spans the distance; a partner nearer than the two caps gives a sphere.
    const btScalar height = std::max(btScalar(0.0f), from.distance(to) - 2.0f * radius);
    shapes_.push_back(new btCapsuleShape(radius, height));
}

void NewPhysicsRagDoll::addCapsule(float height, float radius) { shapes_.push_back(new btCapsuleShape(radius, height)); }

void NewPhysicsRagDoll::addBody(int bone) {
    btCapsuleShape* shape = shapes_[bone];
    // The capsule's centre lies half its length along the bone's Y axis.
    const btScalar halfLength = shape->getRadius() + shape->getHalfHeight();
    btRigidBody* body = addDynamicBody(*world_, bodyMass, boneTransform(bone) * translation(halfLength), shape);
    bodies_.push_back(body);
    boneOffsets_.push_back(translation(-halfLength));
    body->setDamping(0.05f, 0.85f);
    body->setDeactivationTime(0.8f);
    body->setSleepingThresholds(1.6f, 2.5f);
}

bool NewPhysicsRagDoll::jointFrames(int bone, int partner, const btMatrix3x3& rotation, btTransform& inBone,
                                    btTransform& inPartner) const {
    if (partner == bone) {
        LOG_MESSAGE("No rag-doll joint from the bone %s to itself", boneName(bone).c_str());
        return false;
    }
    btTransform boneWorld;
    btTransform partnerWorld;
    bodies_[bone]->getMotionState()->getWorldTransform(boneWorld);
    bodies_[partner]->getMotionState()->getWorldTransform(partnerWorld);
    const btTransform pivot = boneTransform(bone) * btTransform(rotation);
    inBone = boneWorld.inverse() * pivot;
    inPartner = partnerWorld.inverse() * pivot;
    return true;
}

void NewPhysicsRagDoll::addHingeJoint(int bone, const std::string& partner, float low, float high) {
    btMatrix3x3 rotation;
    rotation.setEulerZYX(0.0f, SIMD_HALF_PI, 0.0f);
    const int other = partnerBone(partner);
    btTransform inBone, inPartner;
    if (!jointFrames(bone, other, rotation, inBone, inPartner)) return;
    auto* hinge = new btHingeConstraint(*bodies_[bone], *bodies_[other], inBone, inPartner, false);
    hinge->setLimit(low, high, 0.9f, 0.3f, 1.0f);
    addJoint(hinge);
}

void NewPhysicsRagDoll::addConeTwistJoint(int bone, const std::string& partner, float swingSpan1, float swingSpan2,
                                          float twistSpan) {
    btMatrix3x3 rotation;
    rotation.setEulerZYX(0.0f, 0.0f, SIMD_HALF_PI);
    const int other = partnerBone(partner);
    btTransform inBone, inPartner;
    if (!jointFrames(bone, other, rotation, inBone, inPartner)) return;
    auto* coneTwist = new btConeTwistConstraint(*bodies_[bone], *bodies_[other], inBone, inPartner);
    coneTwist->setLimit(swingSpan1, swingSpan2, twistSpan, 1.0f, 0.3f, 1.0f);
    addJoint(coneTwist);
}

void NewPhysicsRagDoll::addJoint(btTypedConstraint* joint) {
    joints_.push_back(joint);
    world_->addConstraint(joint, true);
}
