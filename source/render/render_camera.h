#pragma once
// What the frame hand-off exchanges with the active camera: its view, position, target, light
// direction and projection kind reach the render side's camera block, and the render side's
// projection comes back. The world's camera entities implement it.
#include "platform/gfx/math_types.h"

class RenderCamera {
public:
    virtual const gfx::Matrix& getViewMatrix() const = 0;
    virtual const gfx::Vector3& getPosition() const = 0;
    // The point the camera looks at.
    virtual const gfx::Vector3* getTarget() const = 0;
    // The direction the scene's light shines in.
    virtual const gfx::Vector3& getRenderVector() const = 0;
    // True for a perspective projection, false for an orthographic one.
    virtual bool getRenderFlag() const = 0;
    virtual void setProjectionMatrix(const gfx::Matrix& projection) = 0;

protected:
    ~RenderCamera() = default;
};
