#pragma once
// The base of entities that stand in the world: a world matrix, one 3D render object that shows it
// and one body in the physics world.
#include <string>

#include "platform/gfx/math_types.h"
#include "render/render_interface.h"
#include "world/base_entity.h"

struct RigidBodyHandle;

class BaseWorldEntity : public BaseEntity {
public:
    BaseWorldEntity(EntityContext* owner, std::string name);

    // Follows the body: its pose becomes the world matrix and places the render object.
    void update(float dt) override;

    // Replaces the render object by a new one of the type, placed at the world matrix. When the
    // type cannot be made the entity goes on without one.
    void setRenderObject(const std::string& typeName);
    // The same for an object drawn with an initial transform applied before the world matrix.
    void setRenderObjectWithInitialTransform(const std::string& typeName, const gfx::Matrix& initialTransform);
    // A new static body on the named shape, in place of the present one (which leaves the world).
    void attachPhysicsBody(const std::string& shapeName);
    // Keeps the matrix and places the render object there; the body is not moved.
    void setWorldMatrix(const gfx::Matrix& matrix);

    const gfx::Matrix& worldMatrix() const { return worldMatrix_; }
    RenderInterface::RenderableObject* renderObject() const { return renderObject_; }
    RigidBodyHandle* bodyHandle() const { return bodyHandle_; }

protected:
    void syncFromPhysics();
    // Both the body and the render object, each once.
    void releaseBodyAndRenderObject();

private:
    void replaceRenderObject(const std::string& typeName, const float initialTransform[16]);

    gfx::Matrix worldMatrix_;
    RenderInterface::RenderableObject* renderObject_ = nullptr;
    RigidBodyHandle* bodyHandle_ = nullptr;
};
