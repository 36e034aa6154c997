#pragma once
// The engine's maths types: row vectors, row-major 4 x 4 matrices with the translation in the
// fourth row, quaternions and planes, laid out as plain floats so they can be copied into
// effect parameters and vertex data as they are.
#include <type_traits>

namespace gfx {

struct Vector2 {
    float x = 0.0f, y = 0.0f;
    bool operator==(const Vector2&) const = default;
};

struct Vector3 {
    float x = 0.0f, y = 0.0f, z = 0.0f;
    bool operator==(const Vector3&) const = default;
};

struct Vector4 {
    float x = 0.0f, y = 0.0f, z = 0.0f, w = 0.0f;
    bool operator==(const Vector4&) const = default;
};

// (x, y, z) = sin(angle / 2) * axis, w = cos(angle / 2). The default is no rotation.
struct Quaternion {
    float x = 0.0f, y = 0.0f, z = 0.0f, w = 1.0f;
    bool operator==(const Quaternion&) const = default;
};

// The points p with a * p.x + b * p.y + c * p.z + d = 0.
struct Plane {
    float a = 0.0f, b = 0.0f, c = 0.0f, d = 0.0f;
    bool operator==(const Plane&) const = default;
};

// m[row][column]. Points are row vectors multiplied on the left (p' = p * M), so transforms
// chain left to right: world * view * projection. A default matrix is the identity.
struct Matrix {
    float m[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};

    Matrix() = default;
    Matrix(float m11, float m12, float m13, float m14, float m21, float m22, float m23, float m24,
           float m31, float m32, float m33, float m34, float m41, float m42, float m43, float m44)
        : m{{m11, m12, m13, m14}, {m21, m22, m23, m24}, {m31, m32, m33, m34}, {m41, m42, m43, m44}} {}

    // The 16 floats row after row, as effects and buffers take them.
    const float* data() const { return &m[0][0]; }
    float* data() { return &m[0][0]; }
    bool operator==(const Matrix&) const = default;
};

static_assert(sizeof(Vector3) == 12 && sizeof(Vector4) == 16 && sizeof(Matrix) == 64 && sizeof(Plane) == 16);
static_assert(std::is_trivially_copyable_v<Matrix> && std::is_standard_layout_v<Matrix>);

} // namespace gfx
