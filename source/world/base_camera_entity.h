#pragma once
// The base of the camera entities: a view frame that can become the render interface's active
// camera, which hands the render side its view at every frame hand-off.
#include <string>

#include "app/typed_parameters.h"
#include "platform/gfx/math_types.h"
#include "render/render_camera.h"
#include "world/base_entity.h"
#include "world/camera_frame.h"

class BaseCameraEntity : public BaseEntity, public RenderCamera {
public:
    BaseCameraEntity(EntityContext* owner, std::string name);
    // An active camera stops being the render interface's camera: the hand-off must not read it.
    ~BaseCameraEntity() override;

    // Cameras hold nothing in the world.
    void releaseWorldObjects() override {}
    // Fetches "isActive"; when it is set, this becomes the render interface's active camera.
    void bindParameters() override;
    // "isActive", false.
    void addParameters() override;

    // Places the camera at position looking at target, turned so that worldUp is up as far as it
    // can be; a worldUp along the line of sight turns it as if up were +z.
    void lookAt(const gfx::Vector3& position, const gfx::Vector3& target, const gfx::Vector3& worldUp);
    // The view matrix from the frame, its axes made unit and square to each other first.
    void rebuildView();

    const CameraFrame& getCameraFrame() const { return frame_; }
    const gfx::Matrix& getProjectionMatrix() const { return projectionMatrix_; }
    const gfx::Matrix& getViewProjectionMatrix() const { return viewProjectionMatrix_; }

    const gfx::Matrix& getViewMatrix() const override { return viewMatrix_; }
    const gfx::Vector3& getPosition() const override { return frame_.position; }
    const gfx::Vector3* getTarget() const override { return &target_; }
    const gfx::Vector3& getRenderVector() const override { return renderVector_; }
    bool getRenderFlag() const override { return renderFlag_; }
    void setProjectionMatrix(const gfx::Matrix& projection) override { projectionMatrix_ = projection; }

    void setRenderFlag(bool perspective) { renderFlag_ = perspective; }
    void setRenderVector(const gfx::Vector3& lightDirection) { renderVector_ = lightDirection; }

protected:
    CameraFrame& frame() { return frame_; }

private:
    gfx::Matrix viewMatrix_;
    // Written by the render interface at every hand-off while this camera is active.
    gfx::Matrix projectionMatrix_;
    gfx::Matrix viewProjectionMatrix_;
    CameraFrame frame_;
    gfx::Vector3 target_;
    BoolParameter* isActive_ = nullptr;
    // A perspective camera; the render side keeps the projection kind it says.
    bool renderFlag_ = true;
    // The light's direction: by default from above and behind, so that lit faces are seen (a zero
    // direction would leave every lit pixel black).
    gfx::Vector3 renderVector_{0.577350269f, -0.577350269f, 0.577350269f};
};
