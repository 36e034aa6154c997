#pragma once
// Rotations as quaternions: building them, combining them and blending between them.
#include "platform/gfx/math_types.h"

namespace gfx {

inline float dot(const Quaternion& a, const Quaternion& b) { return a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w; }
float length(const Quaternion& q);
// Unit length; a zero quaternion stays zero.
Quaternion normalize(const Quaternion& q);

// The rotation first by a, then by b, matching rotationMatrix(a) * rotationMatrix(b).
Quaternion operator*(const Quaternion& a, const Quaternion& b);

// A rotation of angle radians about axis (normalised here).
Quaternion rotationAxisQuaternion(const Vector3& axis, float angle);
// The rotation held in the upper 3 x 3 of m, which must be a pure rotation.
Quaternion quaternionFromMatrix(const Matrix& m);
// Spherical blend from a (t = 0) to b (t = 1) along the shorter arc; nearly equal rotations are
// blended linearly, where the arc's sine would be too small to divide by.
Quaternion slerp(const Quaternion& a, const Quaternion& b, float t);

} // namespace gfx
