// The orbit camera: its placement, its orbit and pan, and its saved parameters.
#include "world/model_viewer_camera_entity.h"

#include <cmath>

#include "app/simple_parameter_group.h"
#include "platform/gfx/math_vector.h"

namespace {

constexpr float panUnits = 30.0f;

template <class P>
P* boundParameter(SimpleParameterGroup* group, const char* name) {
    BaseParameter* parameter = group->getParameter(name);
    return parameter && parameter->kind() == P::staticKind ? static_cast<P*>(parameter) : nullptr;
}

} // namespace

ModelViewerCameraEntity::ModelViewerCameraEntity(EntityContext* owner, std::string name)
    : BaseCameraEntity(owner, std::move(name)) {}

void ModelViewerCameraEntity::activate() {
    const gfx::Vector3 position{0.0f, 70.0f, 0.0f};
    lookAt(position, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
}

void ModelViewerCameraEntity::update(float) {
    if (!targetPosition_) return;
    const Vector3Value& value = targetPosition_->getValue();
    const gfx::Vector3 centre{value[0], value[1], value[2]};
    const float r = distance_;
    orbitRadii_ = {r, r, r};
    const float ce = std::cos(elevation_);
    const gfx::Vector3 eye{centre.x - r * ce * std::sin(azimuth_), centre.y - r * std::sin(elevation_),
                           centre.z + r * ce * std::cos(azimuth_)};
    lookAt(eye, centre, {0.0f, ce, 0.0f});

    const gfx::Vector3 offset = frame().right * (panRight_ * panUnits) + frame().up * (panUp_ * panUnits);
    frame().position = frame().position + offset;
    rebuildView();
    const gfx::Vector3 moved = centre + offset;
    targetPosition_->setValue({moved.x, moved.y, moved.z});
    panRight_ = 0.0f;
    panUp_ = 0.0f;
}

void ModelViewerCameraEntity::addParameters() {
    SimpleParameterGroup* group = saveGroup();
    topLeftLimit_ = group->addVector2("topLeftLimit", {1000.0f, 1000.0f});
    bottomRightLimit_ = group->addVector2("bottomRightLimit", {-1000.0f, -1000.0f});
    targetPosition_ = group->addVector3("targetPosition", {0.0f, 0.0f, 0.0f});
    BaseCameraEntity::addParameters();
}

void ModelViewerCameraEntity::bindParameters() {
    SimpleParameterGroup* group = saveGroup();
    topLeftLimit_ = boundParameter<Vector2Parameter>(group, "topLeftLimit");
    bottomRightLimit_ = boundParameter<Vector2Parameter>(group, "bottomRightLimit");
    targetPosition_ = boundParameter<Vector3Parameter>(group, "targetPosition");
    BaseCameraEntity::bindParameters();
}

void ModelViewerCameraEntity::setOrbitAngles(float azimuth, float elevation) {
    azimuth_ = azimuth;
    elevation_ = elevation;
}

void ModelViewerCameraEntity::pan(float right, float up) {
    panRight_ += right;
    panUp_ += up;
}
