#include "platform/gfx/math_plane.h"

#include <cmath>

#include "platform/gfx/math_vector.h"

namespace gfx {

Plane planeFromPointNormal(const Vector3& point, const Vector3& normal) {
    return {normal.x, normal.y, normal.z, -dot(point, normal)};
}

Plane planeFromPoints(const Vector3& a, const Vector3& b, const Vector3& c) {
    return planeFromPointNormal(a, normalize(cross(b - a, c - a)));
}

Plane normalize(const Plane& plane) {
    const float len = std::sqrt(plane.a * plane.a + plane.b * plane.b + plane.c * plane.c);
    if (len == 0.0f) return plane;
    return {plane.a / len, plane.b / len, plane.c / len, plane.d / len};
}

float dotCoord(const Plane& plane, const Vector3& point) {
    return plane.a * point.x + plane.b * point.y + plane.c * point.z + plane.d;
}

float dotNormal(const Plane& plane, const Vector3& direction) {
    return plane.a * direction.x + plane.b * direction.y + plane.c * direction.z;
}

} // namespace gfx
