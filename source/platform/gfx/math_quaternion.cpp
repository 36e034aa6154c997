#include "platform/gfx/math_quaternion.h"

#include <cmath>

#include "platform/gfx/math_vector.h"

namespace gfx {

float length(const Quaternion& q) { return std::sqrt(dot(q, q)); }

Quaternion normalize(const Quaternion& q) {
    const float len = length(q);
    if (len == 0.0f) return {0.0f, 0.0f, 0.0f, 0.0f};
    return {q.x / len, q.y / len, q.z / len, q.w / len};
}

Quaternion operator*(const Quaternion& a, const Quaternion& b) {
    // The Hamilton product b * a: with row vectors the first rotation stands on the left.
    return {b.w * a.x + b.x * a.w + b.y * a.z - b.z * a.y,
            b.w * a.y - b.x * a.z + b.y * a.w + b.z * a.x,
            b.w * a.z + b.x * a.y - b.y * a.x + b.z * a.w,
            b.w * a.w - b.x * a.x - b.y * a.y - b.z * a.z};
}

Quaternion rotationAxisQuaternion(const Vector3& axis, float angle) {
    const Vector3 v = normalize(axis);
    const float s = std::sin(angle * 0.5f);
    return {v.x * s, v.y * s, v.z * s, std::cos(angle * 0.5f)};
}

Quaternion quaternionFromMatrix(const Matrix& matrix) {
    const auto& m = matrix.m;
    const float trace = m[0][0] + m[1][1] + m[2][2];
    if (trace > 0.0f) {
        const float s = 2.0f * std::sqrt(trace + 1.0f);
        return {(m[1][2] - m[2][1]) / s, (m[2][0] - m[0][2]) / s, (m[0][1] - m[1][0]) / s, 0.25f * s};
    }
    // Otherwise work from the largest diagonal element, which keeps s well away from zero.
    if (m[0][0] >= m[1][1] && m[0][0] >= m[2][2]) {
        const float s = 2.0f * std::sqrt(1.0f + m[0][0] - m[1][1] - m[2][2]);
        return {0.25f * s, (m[0][1] + m[1][0]) / s, (m[0][2] + m[2][0]) / s, (m[1][2] - m[2][1]) / s};
    }
    if (m[1][1] >= m[2][2]) {
        const float s = 2.0f * std::sqrt(1.0f + m[1][1] - m[0][0] - m[2][2]);
        return {(m[0][1] + m[1][0]) / s, 0.25f * s, (m[1][2] + m[2][1]) / s, (m[2][0] - m[0][2]) / s};
    }
    const float s = 2.0f * std::sqrt(1.0f + m[2][2] - m[0][0] - m[1][1]);
    return {(m[0][2] + m[2][0]) / s, (m[1][2] + m[2][1]) / s, 0.25f * s, (m[0][1] - m[1][0]) / s};
}

Quaternion slerp(const Quaternion& a, const Quaternion& b, float t) {
    float cosine = dot(a, b);
    float sign = 1.0f;
    if (cosine < 0.0f) {
        sign = -1.0f;
        cosine = -cosine;
    }
    float wa = 1.0f - t, wb = t;
    if (1.0f - cosine > 0.001f) {
        const float theta = std::acos(cosine);
        const float sine = std::sin(theta);
        wa = std::sin(theta * (1.0f - t)) / sine;
        wb = std::sin(theta * t) / sine;
    }
    wb *= sign;
    return {wa * a.x + wb * b.x, wa * a.y + wb * b.y, wa * a.z + wb * b.z, wa * a.w + wb * b.w};
}

} // namespace gfx
