// The projectile entity: its render object and body, its push and its per-frame step.
#include "world/base_projectile_entity.h"

#include <btBulletDynamicsCommon.h>

#include "platform/gfx/math_matrix.h"
#include "platform/gfx/math_vector.h"
#include "world/rigid_body_handle.h"

BaseProjectileEntity::BaseProjectileEntity(EntityContext* owner, std::string name)
    : BaseWorldEntity(owner, std::move(name)) {
    setRenderObjectWithInitialTransform("BasicCube", gfx::scalingMatrix(0.25f, 0.25f, 0.25f));
    attachPhysicsBody("Sphere");
}

void BaseProjectileEntity::setLaunch(const gfx::Vector3& direction, float speed) {
    direction_ = direction;
    speed_ = speed;
}

void BaseProjectileEntity::activate() {
    // No shape of that name, no physics, or a world already torn down: there is nothing to push.
    if (!bodyHandle() || !bodyHandle()->body) return;
    const gfx::Vector3 force = direction_ * speed_;
    bodyHandle()->body->applyCentralForce(btVector3(force.x, force.y, force.z));
}

void BaseProjectileEntity::update(float dt) {
    if (!bodyHandle()) return;
    setFlag(true);
    BaseWorldEntity::update(dt);
}
