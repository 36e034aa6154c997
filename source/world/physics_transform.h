#pragma once
// Conversions between Bullet's transforms (a basis acting on column vectors, and an origin) and
// the engine's row-vector matrices (the basis transposed into the upper 3 x 3, the origin in the
// fourth row).
#include <LinearMath/btTransform.h>

#include "platform/gfx/math_types.h"

// Matrix row i holds basis column i; the fourth column is (0, 0, 0, 1).
void matrixFromPhysicsTransform(gfx::Matrix& out, const btTransform& transform);
// The reverse: the basis from the upper 3 x 3 transposed, the origin from the fourth row.
void physicsTransformFromMatrix(btTransform& out, const gfx::Matrix& matrix);
