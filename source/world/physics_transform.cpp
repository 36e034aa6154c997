#include "world/physics_transform.h"

// An OpenGL matrix is column-major with column vectors: its 16 floats lie exactly as the
// engine's row-major matrix for row vectors does.
void matrixFromPhysicsTransform(gfx::Matrix& out, const btTransform& transform) {
    transform.getOpenGLMatrix(out.data());
}

void physicsTransformFromMatrix(btTransform& out, const gfx::Matrix& matrix) {
    out.setFromOpenGLMatrix(matrix.data());
}
