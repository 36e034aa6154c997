#pragma once
// What the rest of the program asks of the physics world: named collision shapes, static bodies
// for entities, rag dolls, ray tests and launched boxes, stepped on the update thread.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/gfx/math_types.h"

class btDiscreteDynamicsWorld;
class btRigidBody;
class btTransform;
class NewPhysicsRagDoll;
struct CameraFrame;
struct RigidBodyHandle;
struct Skeleton;

class NewPhysicsInterface {
public:
    virtual ~NewPhysicsInterface() = default;
    // Builds the world with its ground and the shapes "Box" and "Sphere".
    virtual bool init() = 0;
    // Advances the world by dt seconds in fixed steps, then poses every rag doll's skeleton.
    virtual void step(float dt) = 0;
    // Deletes the rag dolls, every body, every shape and the world.
    virtual void destroyAll() = 0;
    // Deletes the shapes bodies are made on and forgets their names; refused while a body uses them.
    virtual void clearShapes() = 0;
    // The value handed to each rag doll made from now on.
    virtual void setRagDollValue(std::uint32_t value) = 0;
    // A new static body on the named shape at the origin, or null when no shape has that name.
    virtual RigidBodyHandle* addRigidBody(const std::string& shapeName) = 0;
    // Removes and deletes the body and the handle, and nulls the caller's pointer.
    virtual void removeRigidBody(RigidBodyHandle** handle) = 0;
    // The name stops naming a shape; the shape itself stays until the shapes are cleared.
    virtual void forgetShapeName(const std::string& shapeName) = 0;
    // A rag doll over the skeleton (not owned), kept until destroyRagDoll or destroyAll.
    virtual NewPhysicsRagDoll* createRagDoll(Skeleton* skeleton) = 0;
    virtual void destroyRagDoll(NewPhysicsRagDoll* ragDoll) = 0;
    // The closest hit on the segment from `from` to `from + ray` into hit; hit is left alone
    // when nothing is hit.
    virtual void rayTest(const float from[3], const float ray[3], float hit[3]) = 0;
    // A compound of one convex hull per point list, under the name (which then names it alone).
    virtual void createCompoundShape(const std::string& name, const std::vector<std::vector<gfx::Vector3>>& pointLists) = 0;
    // The named shape's box at the identity: min x, y, z, then max x, y, z; zeros for an unknown name.
    virtual void getShapeBounds(float out[6], const std::string& name) = 0;
    // A dynamic box shot from the camera through the pixel under the mouse; null without a world.
    virtual btRigidBody* launchBox(int mouseX, int mouseY, const CameraFrame& camera, int screenWidth,
                                   int screenHeight) = 0;
    // The body's pose as a matrix; out is left alone without a body or motion state.
    virtual void getBodyWorldMatrix(const btRigidBody* body, gfx::Matrix& out) = 0;
    virtual btDiscreteDynamicsWorld* getDynamicsWorld() = 0;
    virtual void matrixFromPhysicsTransform(gfx::Matrix& out, const btTransform& transform) = 0;
    virtual void physicsTransformFromMatrix(btTransform& out, const gfx::Matrix& matrix) = 0;
};
