#pragma once
// Building and combining 4 x 4 transform matrices: left-handed, row vectors, clip-space depth
// from 0 at the near plane to 1 at the far plane.
#include <optional>

#include "platform/gfx/math_types.h"

namespace gfx {

Matrix identityMatrix();
// a then b: a point p goes to (p * a) * b.
Matrix operator*(const Matrix& a, const Matrix& b);
Matrix transpose(const Matrix& m);
float determinant(const Matrix& m);
// Nothing when m has no inverse (determinant exactly 0).
std::optional<Matrix> inverse(const Matrix& m);

Matrix translationMatrix(float x, float y, float z);
Matrix translationMatrix(const Vector3& offset);
Matrix scalingMatrix(float x, float y, float z);
Matrix scalingMatrix(const Vector3& scale);
// Rotations by angle radians, clockwise when looking along the axis towards the origin.
Matrix rotationXMatrix(float angle);
Matrix rotationYMatrix(float angle);
Matrix rotationZMatrix(float angle);
// About any axis through the origin (normalised here).
Matrix rotationAxisMatrix(const Vector3& axis, float angle);
// Roll about z, then pitch about x, then yaw about y.
Matrix rotationYawPitchRollMatrix(float yaw, float pitch, float roll);
Matrix rotationMatrix(const Quaternion& rotation);

// Scaling (optionally oriented by scalingRotation about scalingCentre), then rotation about
// rotationCentre, then translation. A null argument leaves that step out.
Matrix transformationMatrix(const Vector3* scalingCentre, const Quaternion* scalingRotation, const Vector3* scaling,
                            const Vector3* rotationCentre, const Quaternion* rotation, const Vector3* translation);
// Scaling, then rotation, then translation, all about the origin.
Matrix transformationMatrix(const Vector3& scaling, const Quaternion& rotation, const Vector3& translation);

// Splits m into scaling * rotation * translation: the scale is the length of each of the first
// three rows, the translation the fourth row. False when a scale is 0 (the rotation is then
// undefined and left as the identity).
bool decompose(const Matrix& m, Vector3& scaling, Quaternion& rotation, Vector3& translation);

// Projections into clip space with x, y in -1..1 and z in 0..1, the camera looking along +z.
// fovY is the vertical field of view in radians, aspect the width divided by the height.
Matrix perspectiveFovLH(float fovY, float aspect, float zNear, float zFar);
Matrix orthoLH(float width, float height, float zNear, float zFar);
Matrix orthoOffCenterLH(float left, float right, float bottom, float top, float zNear, float zFar);
// The view from eye towards at, with up giving the vertical: rows hold the camera's right, up
// and look axes in their columns, and the eye moves to the origin.
Matrix lookAtLH(const Vector3& eye, const Vector3& at, const Vector3& up);

} // namespace gfx
