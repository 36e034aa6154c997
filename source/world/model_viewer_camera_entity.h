#pragma once
// A camera that orbits a target point at a fixed distance and can be panned across the view.
#include "app/typed_parameters.h"
#include "world/base_camera_entity.h"

class ModelViewerCameraEntity : public BaseCameraEntity {
public:
    ModelViewerCameraEntity(EntityContext* owner, std::string name);

    // The start placement: high above the origin, looking down at it.
    void activate() override;
    // Orbits "targetPosition" at the distance, then moves camera and target by the pan, which it
    // consumes. Before "targetPosition" is bound (added or loaded), nothing.
    void update(float dt) override;
    // "topLeftLimit", "bottomRightLimit" and "targetPosition", then the camera's own.
    void addParameters() override;
    void bindParameters() override;

    // Where the orbit stands: around the vertical (azimuth) and above the target (elevation).
    void setOrbitAngles(float azimuth, float elevation);
    // Moves camera and target along the view's right and up at the next update, 30 units per unit.
    void pan(float right, float up);

    float distance() const { return distance_; }
    const gfx::Vector3& orbitRadii() const { return orbitRadii_; }
    float panRight() const { return panRight_; }
    float panUp() const { return panUp_; }

private:
    float azimuth_ = 0.0f;
    float elevation_ = 0.0f;
    float panRight_ = 0.0f;
    float panUp_ = 0.0f;
    float distance_ = 30.0f;
    Vector3Parameter* targetPosition_ = nullptr;
    // Saved with the camera; nothing applies them to the pan.
    Vector2Parameter* topLeftLimit_ = nullptr;
    Vector2Parameter* bottomRightLimit_ = nullptr;
    gfx::Vector3 orbitRadii_{30.0f, 30.0f, 30.01f};
};
