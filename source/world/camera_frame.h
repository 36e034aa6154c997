#pragma once
// Where a camera stands and its three unit axes in world space, as cameras keep them; the view
// matrix is built from it.
#include "platform/gfx/math_types.h"

struct CameraFrame {
    gfx::Vector3 position;
    gfx::Vector3 right{1.0f, 0.0f, 0.0f};
    gfx::Vector3 up{0.0f, 1.0f, 0.0f};
    gfx::Vector3 look{0.0f, 0.0f, 1.0f};
};
