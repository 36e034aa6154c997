#pragma once
// The base of the camera entities: a view frame that can become the render interface's active
// camera, which hands the render side its view at every frame hand-off.
#include "platform/gfx/math_types.h"
#include "render/render_camera.h"

class BaseCameraEntity : public RenderCamera {
public:
    virtual ~BaseCameraEntity() = default;

    const gfx::Matrix& getViewMatrix() const override { return viewMatrix; }
    const gfx::Vector3& getPosition() const override { return position; }
    const gfx::Vector3* getTarget() const override { return &target; }
    const gfx::Vector3& getRenderVector() const override { return renderVector; }
    bool getRenderFlag() const override { return renderFlag; }
    void setProjectionMatrix(const gfx::Matrix& projection) override { projectionMatrix = projection; }

    gfx::Matrix viewMatrix;
    // Written by the render interface at every hand-off while this camera is active.
    gfx::Matrix projectionMatrix;
    gfx::Vector3 position;
    gfx::Vector3 target;
    // A perspective camera; the render side keeps the projection kind it says.
    bool renderFlag = true;
    // The light's direction: by default from above and behind, so that lit faces are seen (a zero
    // direction would leave every lit pixel black).
    gfx::Vector3 renderVector{0.577350269f, -0.577350269f, 0.577350269f};

protected:
    BaseCameraEntity() = default;
};
