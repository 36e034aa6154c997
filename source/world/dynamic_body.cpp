#include "world/dynamic_body.h"

btRigidBody* addDynamicBody(btDiscreteDynamicsWorld& world, btScalar mass, const btTransform& start,
                            btCollisionShape* shape) {
    btVector3 inertia(0.0f, 0.0f, 0.0f);
    shape->calculateLocalInertia(mass, inertia);
    auto* motionState = new btDefaultMotionState(start);
    btRigidBody::btRigidBodyConstructionInfo info(mass, motionState, shape, inertia);
    auto* body = new btRigidBody(info);
    world.addRigidBody(body);
    return body;
}
