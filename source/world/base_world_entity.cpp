// World entities: their render object, their body, and the pose the one takes from the other.
#include "world/base_world_entity.h"

#include <btBulletDynamicsCommon.h>

#include "world/entity_context.h"
#include "world/new_physics_interface.h"
#include "world/physics_transform.h"
#include "world/rigid_body_handle.h"

BaseWorldEntity::BaseWorldEntity(EntityContext* owner, std::string name) : BaseEntity(owner, std::move(name)) {}

void BaseWorldEntity::update(float) { syncFromPhysics(); }

void BaseWorldEntity::setRenderObject(const std::string& typeName) { replaceRenderObject(typeName, nullptr); }

void BaseWorldEntity::setRenderObjectWithInitialTransform(const std::string& typeName,
                                                          const gfx::Matrix& initialTransform) {
    replaceRenderObject(typeName, initialTransform.data());
}

void BaseWorldEntity::replaceRenderObject(const std::string& typeName, const float initialTransform[16]) {
    RenderInterface* renderInterface = owner()->renderInterface;
    if (!renderInterface) return;
    if (renderObject_) {
        renderInterface->destroyRenderObject(renderObject_);
        renderObject_ = nullptr;
    }
    const gfx::Matrix identity;
    renderObject_ = renderInterface->createRenderObject(typeName, initialTransform ? initialTransform : identity.data());
    if (renderObject_) renderObject_->setMatrix(worldMatrix_.data());
}

void BaseWorldEntity::attachPhysicsBody(const std::string& shapeName) {
    NewPhysicsInterface* physics = owner()->physics;
    if (!physics) return;
    // Overwriting the handle would leave its body in the world for good.
    if (bodyHandle_) physics->removeRigidBody(&bodyHandle_);
    bodyHandle_ = physics->addRigidBody(shapeName);
}

void BaseWorldEntity::setWorldMatrix(const gfx::Matrix& matrix) {
    worldMatrix_ = matrix;
    if (renderObject_) renderObject_->setMatrix(worldMatrix_.data());
}

void BaseWorldEntity::syncFromPhysics() {
    if (!renderObject_ || !bodyHandle_) return;
    // A handle whose world was torn down has neither body nor motion state.
    if (bodyHandle_->body && bodyHandle_->motionState) {
        btTransform transform;
        bodyHandle_->motionState->getWorldTransform(transform);
        matrixFromPhysicsTransform(worldMatrix_, transform);
    }
    renderObject_->setMatrix(worldMatrix_.data());
}

void BaseWorldEntity::releaseBodyAndRenderObject() {
    if (bodyHandle_) {
        if (NewPhysicsInterface* physics = owner()->physics) physics->removeRigidBody(&bodyHandle_);
        bodyHandle_ = nullptr;
    }
    if (renderObject_) {
        if (RenderInterface* renderInterface = owner()->renderInterface) renderInterface->destroyRenderObject(renderObject_);
        renderObject_ = nullptr;
    }
}
