// Cameras: their view frame, the view matrix built from it, and becoming the active camera.
#include "world/base_camera_entity.h"

#include "app/simple_parameter_group.h"
#include "platform/gfx/math_matrix.h"
#include "platform/gfx/math_vector.h"
#include "render/render_interface.h"
#include "world/entity_context.h"

namespace {

// Below this squared length the world up lies along the line of sight and gives no right vector.
constexpr float parallelLimit = 1e-10f;

} // namespace

BaseCameraEntity::BaseCameraEntity(EntityContext* owner, std::string name) : BaseEntity(owner, std::move(name)) {}

BaseCameraEntity::~BaseCameraEntity() {
    RenderInterface* renderInterface = owner()->renderInterface;
    if (renderInterface && renderInterface->activeCamera() == this) renderInterface->setActiveCamera(nullptr);
}

void BaseCameraEntity::addParameters() { isActive_ = saveGroup()->addBool("isActive", false); }

void BaseCameraEntity::bindParameters() {
    BaseParameter* parameter = saveGroup()->getParameter("isActive");
    isActive_ = parameter && parameter->kind() == ParameterKind::Bool ? static_cast<BoolParameter*>(parameter) : nullptr;
    // Turning it off does not take the camera away from the render interface.
    if (isActive_ && isActive_->getValue() && owner()->renderInterface) owner()->renderInterface->setActiveCamera(this);
}

void BaseCameraEntity::lookAt(const gfx::Vector3& position, const gfx::Vector3& target, const gfx::Vector3& worldUp) {
    target_ = target;
    frame_.position = position;
    frame_.look = gfx::normalize(target - position);
    gfx::Vector3 right = gfx::cross(worldUp, frame_.look);
    if (gfx::lengthSquared(right) < parallelLimit) right = gfx::cross(gfx::Vector3{0.0f, 0.0f, 1.0f}, frame_.look);
    frame_.right = gfx::normalize(right);
    frame_.up = gfx::normalize(gfx::cross(frame_.look, frame_.right));
    rebuildView();
    viewProjectionMatrix_ = viewMatrix_ * projectionMatrix_;
}

void BaseCameraEntity::rebuildView() {
    CameraFrame& f = frame_;
    f.look = gfx::normalize(f.look);
    f.up = gfx::normalize(gfx::cross(f.look, f.right));
    f.right = gfx::normalize(gfx::cross(f.up, f.look));
    viewMatrix_ = gfx::Matrix(f.right.x, f.up.x, f.look.x, 0.0f,
                              f.right.y, f.up.y, f.look.y, 0.0f,
                              f.right.z, f.up.z, f.look.z, 0.0f,
                              -gfx::dot(f.position, f.right), -gfx::dot(f.position, f.up), -gfx::dot(f.position, f.look), 1.0f);
}
