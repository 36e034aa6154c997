#pragma once
// Planes: building them from points or a normal, and measuring which side a point lies on.
#include "platform/gfx/math_types.h"

namespace gfx {

// The plane through point with the given normal (taken as it is).
Plane planeFromPointNormal(const Vector3& point, const Vector3& normal);
// The plane through three points, its unit normal along (b - a) x (c - a).
Plane planeFromPoints(const Vector3& a, const Vector3& b, const Vector3& c);
// Scales the plane so its normal (a, b, c) has unit length; a plane with no normal stays as it is.
Plane normalize(const Plane& plane);
// a x + b y + c z + d: the signed distance of the point when the plane is normalised.
float dotCoord(const Plane& plane, const Vector3& point);
// a x + b y + c z: the plane's normal against a direction.
float dotNormal(const Plane& plane, const Vector3& direction);

} // namespace gfx
