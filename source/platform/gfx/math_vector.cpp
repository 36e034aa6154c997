#include "platform/gfx/math_vector.h"

#include <cmath>

namespace gfx {
namespace {

template <typename V>
V scaledToUnit(const V& v) {
    const float len = length(v);
    return len > 0.0f ? v * (1.0f / len) : V{};
}

} // namespace

float length(const Vector2& v) { return std::sqrt(dot(v, v)); }
float length(const Vector3& v) { return std::sqrt(dot(v, v)); }
float length(const Vector4& v) { return std::sqrt(dot(v, v)); }

Vector2 normalize(const Vector2& v) { return scaledToUnit(v); }
Vector3 normalize(const Vector3& v) { return scaledToUnit(v); }
Vector4 normalize(const Vector4& v) { return scaledToUnit(v); }

Vector4 transform(const Vector4& v, const Matrix& m) {
    const auto& r = m.m;
    return {v.x * r[0][0] + v.y * r[1][0] + v.z * r[2][0] + v.w * r[3][0],
            v.x * r[0][1] + v.y * r[1][1] + v.z * r[2][1] + v.w * r[3][1],
            v.x * r[0][2] + v.y * r[1][2] + v.z * r[2][2] + v.w * r[3][2],
            v.x * r[0][3] + v.y * r[1][3] + v.z * r[2][3] + v.w * r[3][3]};
}

Vector4 transform(const Vector3& point, const Matrix& m) { return transform(Vector4{point.x, point.y, point.z, 1.0f}, m); }

Vector3 transformCoord(const Vector3& point, const Matrix& m) {
    const Vector4 v = transform(point, m);
    // A point at w = 0 has no projection; it is returned undivided rather than as infinities.
    const float scale = v.w != 0.0f ? 1.0f / v.w : 1.0f;
    return {v.x * scale, v.y * scale, v.z * scale};
}

Vector2 transformCoord(const Vector2& point, const Matrix& m) {
    const Vector3 v = transformCoord(Vector3{point.x, point.y, 0.0f}, m);
    return {v.x, v.y};
}

Vector3 transformNormal(const Vector3& direction, const Matrix& m) {
    const Vector4 v = transform(Vector4{direction.x, direction.y, direction.z, 0.0f}, m);
    return {v.x, v.y, v.z};
}

} // namespace gfx
