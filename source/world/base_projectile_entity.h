#pragma once
// A sphere in the physics world, drawn as a small cube, that can be pushed along a direction.
#include "platform/gfx/math_types.h"
#include "world/base_world_entity.h"

class BaseProjectileEntity : public BaseWorldEntity {
public:
    // Drawn by a "BasicCube" render object at a quarter of its size, held by a body on "Sphere".
    BaseProjectileEntity(EntityContext* owner, std::string name);

    // Where activate pushes it, and how hard.
    void setLaunch(const gfx::Vector3& direction, float speed);
    // Pushes the body by direction times speed, as a force taken at the next physics step;
    // without a body, nothing.
    void activate() override;
    void releaseWorldObjects() override { releaseBodyAndRenderObject(); }
    // Marks the projectile as moving and follows its body; without a body, nothing.
    void update(float dt) override;

    const gfx::Vector3& direction() const { return direction_; }
    float speed() const { return speed_; }

private:
    gfx::Vector3 direction_;
    float speed_ = 0.0f;
};
