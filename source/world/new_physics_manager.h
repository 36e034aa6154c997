#pragma once
// The physics world over Bullet: a fixed ground, collision shapes by name, the bodies entities
// ask for, rag dolls, ray tests and boxes launched through the mouse. Update thread only.
#include <btBulletDynamicsCommon.h>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "world/new_physics_interface.h"

class ThreadResourcePool;

class NewPhysicsManager : public NewPhysicsInterface {
public:
    // The fixed step of the simulation, and the most of them one step call runs.
    static constexpr btScalar fixedStep = 1.0f / 60.0f;
    static constexpr int maxFixedSteps = 5;
    static constexpr btScalar launchSpeed = 40.0f;

    // No world until init; the owner pool is kept for the caller and not used here.
    explicit NewPhysicsManager(ThreadResourcePool* ownerPool);
    // Tears down whatever destroyAll has not.
    ~NewPhysicsManager() override;
    NewPhysicsManager(const NewPhysicsManager&) = delete;
    NewPhysicsManager& operator=(const NewPhysicsManager&) = delete;

    bool init() override;
    void step(float dt) override;
    void destroyAll() override;
    void clearShapes() override;
    void setRagDollValue(std::uint32_t value) override { ragDollValue_ = value; }
    RigidBodyHandle* addRigidBody(const std::string& shapeName) override;
    void removeRigidBody(RigidBodyHandle** handle) override;
    void forgetShapeName(const std::string& shapeName) override { namedShapes_.erase(shapeName); }
    NewPhysicsRagDoll* createRagDoll(Skeleton* skeleton) override;
    void destroyRagDoll(NewPhysicsRagDoll* ragDoll) override;
    void rayTest(const float from[3], const float ray[3], float hit[3]) override;
    void createCompoundShape(const std::string& name, const std::vector<std::vector<gfx::Vector3>>& pointLists) override;
    void getShapeBounds(float out[6], const std::string& name) override;
    btRigidBody* launchBox(int mouseX, int mouseY, const CameraFrame& camera, int screenWidth,
                           int screenHeight) override;
    void getBodyWorldMatrix(const btRigidBody* body, gfx::Matrix& out) override;
    btDiscreteDynamicsWorld* getDynamicsWorld() override { return world_; }
    void matrixFromPhysicsTransform(gfx::Matrix& out, const btTransform& transform) override;
    void physicsTransformFromMatrix(btTransform& out, const gfx::Matrix& matrix) override;

    ThreadResourcePool* ownerPool() const { return ownerPool_; }
    // Every shape the manager owns, the ground's included, named or not.
    int shapeCount() const { return shapes_.size(); }
    // The names that resolve to a shape, sorted.
    std::vector<std::string> shapeNames() const;
    const std::vector<NewPhysicsRagDoll*>& ragDolls() const { return ragDolls_; }

private:
    void deleteShapes(bool keepGround);

    ThreadResourcePool* ownerPool_;
    btAxisSweep3* broadphase_ = nullptr;
    btDefaultCollisionConfiguration* collisionConfiguration_ = nullptr;
    btCollisionDispatcher* dispatcher_ = nullptr;
    btSequentialImpulseConstraintSolver* solver_ = nullptr;
    btDiscreteDynamicsWorld* world_ = nullptr;
    std::vector<NewPhysicsRagDoll*> ragDolls_;
    btAlignedObjectArray<btCollisionShape*> shapes_;
    // The ground's shape, first in shapes_: the ground object lives as long as the world.
    btCollisionShape* groundShape_ = nullptr;
    std::uint32_t ragDollValue_ = 0;
    btBoxShape* launchShape_ = nullptr;
    // Owned through shapes_.
    std::unordered_map<std::string, btCollisionShape*> namedShapes_;
    // The handles given out and not yet removed; their bodies use the shapes in shapes_.
    std::unordered_set<RigidBodyHandle*> handles_;
};
