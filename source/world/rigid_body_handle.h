#pragma once
// The caller's record of a body that the physics manager made for it, and what an owner of such a
// body can be told.
class btDefaultMotionState;
class btRigidBody;

// Whoever a body stands for in the world (an entity), told when a ray test hits the body.
class RigidBodyOwnerInterface {
public:
    virtual ~RigidBodyOwnerInterface() = default;
    virtual void onRayHit(const float hit[3]) = 0;
};

// Returned by addRigidBody and owned by the caller until removeRigidBody. The body's user pointer
// points back at the handle. When the manager tears its world down first, body and motion state
// are gone and both pointers are null.
struct RigidBodyHandle {
    btRigidBody* body = nullptr;
    btDefaultMotionState* motionState = nullptr;
    RigidBodyOwnerInterface* owner = nullptr;
};
