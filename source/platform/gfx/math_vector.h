#pragma once
// Vector arithmetic and transforming row vectors by matrices.
#include "platform/gfx/math_types.h"

namespace gfx {

inline Vector2 operator+(const Vector2& a, const Vector2& b) { return {a.x + b.x, a.y + b.y}; }
inline Vector2 operator-(const Vector2& a, const Vector2& b) { return {a.x - b.x, a.y - b.y}; }
inline Vector2 operator*(const Vector2& v, float s) { return {v.x * s, v.y * s}; }
inline Vector2 operator*(float s, const Vector2& v) { return v * s; }
inline Vector2 operator-(const Vector2& v) { return {-v.x, -v.y}; }

inline Vector3 operator+(const Vector3& a, const Vector3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vector3 operator-(const Vector3& a, const Vector3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vector3 operator*(const Vector3& v, float s) { return {v.x * s, v.y * s, v.z * s}; }
inline Vector3 operator*(float s, const Vector3& v) { return v * s; }
inline Vector3 operator-(const Vector3& v) { return {-v.x, -v.y, -v.z}; }

inline Vector4 operator+(const Vector4& a, const Vector4& b) { return {a.x + b.x, a.y + b.y, a.z + b.z, a.w + b.w}; }
inline Vector4 operator-(const Vector4& a, const Vector4& b) { return {a.x - b.x, a.y - b.y, a.z - b.z, a.w - b.w}; }
inline Vector4 operator*(const Vector4& v, float s) { return {v.x * s, v.y * s, v.z * s, v.w * s}; }
inline Vector4 operator*(float s, const Vector4& v) { return v * s; }
inline Vector4 operator-(const Vector4& v) { return {-v.x, -v.y, -v.z, -v.w}; }

inline float dot(const Vector2& a, const Vector2& b) { return a.x * b.x + a.y * b.y; }
inline float dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline float dot(const Vector4& a, const Vector4& b) { return a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w; }
// Left-handed use: cross(x axis, y axis) is the z axis.
inline Vector3 cross(const Vector3& a, const Vector3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float length(const Vector2& v);
float length(const Vector3& v);
float length(const Vector4& v);
inline float lengthSquared(const Vector3& v) { return dot(v, v); }

// Unit length in the same direction; a zero vector stays zero (a degenerate camera frame must
// not fill matrices with NaN).
Vector2 normalize(const Vector2& v);
Vector3 normalize(const Vector3& v);
Vector4 normalize(const Vector4& v);

// a + (b - a) * t.
inline Vector2 lerp(const Vector2& a, const Vector2& b, float t) { return a + (b - a) * t; }
inline Vector3 lerp(const Vector3& a, const Vector3& b, float t) { return a + (b - a) * t; }
inline Vector4 lerp(const Vector4& a, const Vector4& b, float t) { return a + (b - a) * t; }

// The point (x, y, 0, 1) or (x, y, z, 1) times m, divided by the resulting w.
Vector2 transformCoord(const Vector2& point, const Matrix& m);
Vector3 transformCoord(const Vector3& point, const Matrix& m);
// The direction (x, y, z, 0) times m: the upper 3 x 3 only, no translation.
Vector3 transformNormal(const Vector3& direction, const Matrix& m);
// (x, y, z, 1) times m, without the divide.
Vector4 transform(const Vector3& point, const Matrix& m);
Vector4 transform(const Vector4& v, const Matrix& m);

} // namespace gfx
