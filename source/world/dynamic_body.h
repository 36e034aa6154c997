#pragma once
// A movable body with mass, added to a world: the bodies of launched boxes and rag dolls.
#include <btBulletDynamicsCommon.h>

// A body of that mass on the shape, with the shape's inertia for it and a motion state at the
// start transform (no centre-of-mass offset), added to the world. The caller deletes the body,
// its motion state and the shape after removing the body from the world.
btRigidBody* addDynamicBody(btDiscreteDynamicsWorld& world, btScalar mass, const btTransform& start,
                            btCollisionShape* shape);
