#include "world/new_physics_manager.h"

#include <algorithm>
#include <cmath>

#include "app/log.h"
#include "world/camera_frame.h"
#include "world/dynamic_body.h"
#include "world/new_physics_rag_doll.h"
#include "world/physics_transform.h"
#include "world/rigid_body_handle.h"

namespace {

constexpr btScalar worldExtent = 10000.0f;
constexpr unsigned short maxBroadphaseHandles = 16384;
// The ground: a flat slab of 400 by 400 with no thickness, in collision group 2 and colliding
// with every other group.
constexpr int groundGroup = 2;
constexpr int groundMask = -3;
constexpr btScalar groundHeight = 0.4f;
constexpr btScalar friction = 1.0f;
constexpr btScalar restitution = 0.1f;
constexpr btScalar hullMargin = 0.01f;
// The picking ray leaves through a 45-degree vertical field of view.
constexpr btScalar halfFieldOfView = 0.3926991f;
constexpr btScalar pickingFar = 500.0f;
constexpr btScalar pickingReach = 1000.0f;

btVector3 toBullet(const gfx::Vector3& v) { return btVector3(v.x, v.y, v.z); }

// Where the ray through the pixel under the mouse aims, 1000 units out. The camera's frame gives
// its camera-to-world transform: for a camera whose view is built from that frame this is the
// view's inverse, and it still gives the look direction for a camera looking straight along its
// up hint, whose degenerate view has no inverse.
btVector3 pickingTarget(int mouseX, int mouseY, const CameraFrame& camera, int width, int height) {
    const btScalar t = std::tan(halfFieldOfView);
    const btScalar aspect = static_cast<btScalar>(width) / static_cast<btScalar>(height);
    const btScalar px = (static_cast<btScalar>(mouseX) / (width * 0.5f) - 1.0f) * aspect * t;
    const btScalar py = (1.0f - static_cast<btScalar>(mouseY) / (height * 0.5f)) * t;
    const btVector3 position = toBullet(camera.position);
    const btVector3 through = toBullet(camera.right) * px + toBullet(camera.up) * py + toBullet(camera.look);
    const btVector3 nearPoint = position + through;
    const btVector3 farPoint = position + through * pickingFar;
    btVector3 direction = farPoint - nearPoint;
    if (!direction.fuzzyZero()) direction.normalize();
    return position + direction * pickingReach;
}

} // namespace

NewPhysicsManager::NewPhysicsManager(ThreadResourcePool* ownerPool) : ownerPool_(ownerPool) {}

NewPhysicsManager::~NewPhysicsManager() {
    destroyAll();
    delete launchShape_;
}

bool NewPhysicsManager::init() {
    if (world_) {
        LOG_MESSAGE("The physics world already exists");
        return true;
    }
    broadphase_ = new btAxisSweep3(btVector3(-worldExtent, -worldExtent, -worldExtent),
                                   btVector3(worldExtent, worldExtent, worldExtent), maxBroadphaseHandles, nullptr,
                                   false);
    collisionConfiguration_ = new btDefaultCollisionConfiguration();
    dispatcher_ = new btCollisionDispatcher(collisionConfiguration_);
    solver_ = new btSequentialImpulseConstraintSolver();
    world_ = new btDiscreteDynamicsWorld(dispatcher_, broadphase_, solver_, collisionConfiguration_);

    groundShape_ = new btBoxShape(btVector3(200.0f, 0.0f, 200.0f));
    shapes_.push_back(groundShape_);
    auto* ground = new btCollisionObject();
    ground->setCollisionShape(groundShape_);
    btTransform groundTransform;
    groundTransform.setIdentity();
    groundTransform.setOrigin(btVector3(0.0f, groundHeight, 0.0f));
    ground->setWorldTransform(groundTransform);
    ground->setFriction(friction);
    ground->setRestitution(restitution);
    world_->addCollisionObject(ground, groundGroup, groundMask);

    btCollisionShape* box = new btBoxShape(btVector3(0.5f, 0.5f, 0.5f));
    btCollisionShape* sphere = new btSphereShape(0.5f);
    shapes_.push_back(box);
    shapes_.push_back(sphere);
    namedShapes_["Box"] = box;
    namedShapes_["Sphere"] = sphere;
    return true;
}

void NewPhysicsManager::step(float dt) {
    if (!world_) return;
    world_->stepSimulation(dt, maxFixedSteps, fixedStep);
    for (NewPhysicsRagDoll* ragDoll : ragDolls_) ragDoll->update();
}

void NewPhysicsManager::destroyAll() {
    for (NewPhysicsRagDoll* ragDoll : ragDolls_) delete ragDoll;
    ragDolls_.clear();
    // Callers keep their handles; what they name is deleted below.
    for (RigidBodyHandle* handle : handles_) {
        handle->body = nullptr;
        handle->motionState = nullptr;
    }
    if (world_) {
        for (int i = world_->getNumCollisionObjects() - 1; i >= 0; --i) {
            btCollisionObject* object = world_->getCollisionObjectArray()[i];
            btRigidBody* body = btRigidBody::upcast(object);
            if (body && body->getMotionState()) delete body->getMotionState();
            world_->removeCollisionObject(object);
            delete object;
        }
    }
    deleteShapes(false);
    groundShape_ = nullptr;
    delete world_;
    delete solver_;
    delete dispatcher_;
    delete collisionConfiguration_;
    delete broadphase_;
    world_ = nullptr;
    solver_ = nullptr;
    dispatcher_ = nullptr;
    collisionConfiguration_ = nullptr;
    broadphase_ = nullptr;
}

void NewPhysicsManager::clearShapes() {
    const auto live = std::count_if(handles_.begin(), handles_.end(),
                                    [](const RigidBodyHandle* handle) { return handle->body != nullptr; });
    if (live > 0) {
        LOG_MESSAGE("Shapes not cleared: %d bodies still use them", static_cast<int>(live));
        return;
    }
    deleteShapes(true);
}

void NewPhysicsManager::deleteShapes(bool keepGround) {
    btAlignedObjectArray<btCollisionShape*> kept;
    for (int i = 0; i < shapes_.size(); ++i) {
        if (keepGround && shapes_[i] == groundShape_) {
            kept.push_back(shapes_[i]);
        } else {
            delete shapes_[i];
        }
    }
    shapes_ = kept;
    namedShapes_.clear();
}

RigidBodyHandle* NewPhysicsManager::addRigidBody(const std::string& shapeName) {
    if (!world_) return nullptr;
    auto found = namedShapes_.find(shapeName);
    if (found == namedShapes_.end()) return nullptr;
    auto* handle = new RigidBodyHandle;
    handle->motionState = new btDefaultMotionState(btTransform::getIdentity());
    btRigidBody::btRigidBodyConstructionInfo info(0.0f, handle->motionState, found->second,
                                                  btVector3(0.0f, 0.0f, 0.0f));
    handle->body = new btRigidBody(info);
    handle->body->setContactProcessingThreshold(1e18f);
    handle->body->setRestitution(restitution);
    handle->body->setFriction(friction);
    world_->addRigidBody(handle->body);
    handle->body->setUserPointer(handle);
    handles_.insert(handle);
    return handle;
}

void NewPhysicsManager::removeRigidBody(RigidBodyHandle** handle) {
    if (!handle || !*handle) return;
    RigidBodyHandle* removed = *handle;
    if (handles_.erase(removed) == 0) {
        LOG_MESSAGE("A body handle this physics manager did not make was not removed");
        return;
    }
    // Null when destroyAll has deleted the body already.
    if (removed->body) {
        world_->removeRigidBody(removed->body);
        delete removed->body;
        delete removed->motionState;
    }
    delete removed;
    *handle = nullptr;
}

NewPhysicsRagDoll* NewPhysicsManager::createRagDoll(Skeleton* skeleton) {
    if (!world_ || !skeleton) {
        LOG_MESSAGE("No rag doll made: it needs a physics world and a skeleton");
        return nullptr;
    }
    auto* ragDoll = new NewPhysicsRagDoll(world_, skeleton, ragDollValue_);
    ragDolls_.push_back(ragDoll);
    return ragDoll;
}

void NewPhysicsManager::destroyRagDoll(NewPhysicsRagDoll* ragDoll) {
    auto found = std::find(ragDolls_.begin(), ragDolls_.end(), ragDoll);
    if (found == ragDolls_.end()) return;
    ragDolls_.erase(found);
    delete ragDoll;
}

void NewPhysicsManager::rayTest(const float from[3], const float ray[3], float hit[3]) {
    if (!world_) return;
    const btVector3 start(from[0], from[1], from[2]);
    const btVector3 end = start + btVector3(ray[0], ray[1], ray[2]);
    btCollisionWorld::ClosestRayResultCallback callback(start, end);
    world_->rayTest(start, end, callback);
    if (!callback.hasHit()) return;
    for (int i = 0; i < 3; ++i) hit[i] = callback.m_hitPointWorld[i];
    const btRigidBody* body = btRigidBody::upcast(callback.m_collisionObject);
    if (!body) return;
    auto* handle = static_cast<RigidBodyHandle*>(body->getUserPointer());
    if (handle && handles_.count(handle) && handle->owner) handle->owner->onRayHit(hit);
}

void NewPhysicsManager::createCompoundShape(const std::string& name,
                                            const std::vector<std::vector<gfx::Vector3>>& pointLists) {
    namedShapes_.erase(name);
    auto* compound = new btCompoundShape(false);
    for (const std::vector<gfx::Vector3>& points : pointLists) {
        if (points.empty()) {
            LOG_MESSAGE("An empty point list in the compound shape %s was left out", name.c_str());
            continue;
        }
        btAlignedObjectArray<btVector3> copied;
        copied.reserve(static_cast<int>(points.size()));
        for (const gfx::Vector3& point : points) copied.push_back(toBullet(point));
        auto* hull = new btConvexHullShape(&copied[0][0], copied.size(), sizeof(btVector3));
        hull->setMargin(hullMargin);
        shapes_.push_back(hull);
        compound->addChildShape(btTransform::getIdentity(), hull);
    }
    shapes_.push_back(compound);
    namedShapes_[name] = compound;
}

void NewPhysicsManager::getShapeBounds(float out[6], const std::string& name) {
    std::fill(out, out + 6, 0.0f);
    auto found = namedShapes_.find(name);
    if (found == namedShapes_.end()) return;
    btVector3 minimum, maximum;
    found->second->getAabb(btTransform::getIdentity(), minimum, maximum);
    for (int i = 0; i < 3; ++i) {
        out[i] = minimum[i];
        out[3 + i] = maximum[i];
    }
}

btRigidBody* NewPhysicsManager::launchBox(int mouseX, int mouseY, const CameraFrame& camera, int screenWidth,
                                          int screenHeight) {
    if (!world_) return nullptr;
    if (screenWidth <= 0 || screenHeight <= 0) {
        LOG_MESSAGE("No box launched on a screen of %d by %d", screenWidth, screenHeight);
        return nullptr;
    }
    const btVector3 target = pickingTarget(mouseX, mouseY, camera, screenWidth, screenHeight);
    const btVector3 position = toBullet(camera.position);
    btTransform start;
    start.setIdentity();
    start.setOrigin(position);
    if (!launchShape_) launchShape_ = new btBoxShape(btVector3(0.5f, 0.5f, 0.5f));
    btRigidBody* body = addDynamicBody(*world_, 1.0f, start, launchShape_);
    body->setLinearFactor(btVector3(1.0f, 1.0f, 1.0f));
    body->setFriction(friction);
    body->setRestitution(restitution);
    body->getWorldTransform().setOrigin(position);
    body->getWorldTransform().setRotation(btQuaternion::getIdentity());
    btVector3 direction = target - position;
    if (!direction.fuzzyZero()) direction.normalize();
    body->setLinearVelocity(direction * launchSpeed);
    body->setAngularVelocity(btVector3(0.0f, 0.0f, 0.0f));
    body->setCcdMotionThreshold(1.0f);
    body->setCcdSweptSphereRadius(0.2f);
    return body;
}

void NewPhysicsManager::getBodyWorldMatrix(const btRigidBody* body, gfx::Matrix& out) {
    if (!body || !body->getMotionState()) return;
    btTransform transform;
    body->getMotionState()->getWorldTransform(transform);
    ::matrixFromPhysicsTransform(out, transform);
}

void NewPhysicsManager::matrixFromPhysicsTransform(gfx::Matrix& out, const btTransform& transform) {
    ::matrixFromPhysicsTransform(out, transform);
}

void NewPhysicsManager::physicsTransformFromMatrix(btTransform& out, const gfx::Matrix& matrix) {
    ::physicsTransformFromMatrix(out, matrix);
}

std::vector<std::string> NewPhysicsManager::shapeNames() const {
    std::vector<std::string> names;
    names.reserve(namedShapes_.size());
    for (const auto& [name, shape] : namedShapes_) names.push_back(name);
    std::sort(names.begin(), names.end());
    return names;
}
