#include "platform/gfx/math_matrix.h"

#include <cmath>

#include "platform/gfx/math_quaternion.h"
#include "platform/gfx/math_vector.h"

namespace gfx {

Matrix identityMatrix() { return Matrix(); }

Matrix operator*(const Matrix& a, const Matrix& b) {
    Matrix out;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            out.m[r][c] = a.m[r][0] * b.m[0][c] + a.m[r][1] * b.m[1][c] + a.m[r][2] * b.m[2][c] + a.m[r][3] * b.m[3][c];
    return out;
}

Matrix transpose(const Matrix& m) {
    Matrix out;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) out.m[r][c] = m.m[c][r];
    return out;
}

namespace {

// The cofactor expansion, in double so nearly singular matrices keep their precision.
struct Cofactors {
    double cof[4][4];
    double det;
};

Cofactors cofactors(const Matrix& matrix) {
    double a[4][4];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) a[r][c] = matrix.m[r][c];
    // 2 x 2 minors of the lower two rows and of the upper two rows.
    const double s0 = a[0][0] * a[1][1] - a[1][0] * a[0][1], s1 = a[0][0] * a[1][2] - a[1][0] * a[0][2];
    const double s2 = a[0][0] * a[1][3] - a[1][0] * a[0][3], s3 = a[0][1] * a[1][2] - a[1][1] * a[0][2];
    const double s4 = a[0][1] * a[1][3] - a[1][1] * a[0][3], s5 = a[0][2] * a[1][3] - a[1][2] * a[0][3];
    const double c5 = a[2][2] * a[3][3] - a[3][2] * a[2][3], c4 = a[2][1] * a[3][3] - a[3][1] * a[2][3];
    const double c3 = a[2][1] * a[3][2] - a[3][1] * a[2][2], c2 = a[2][0] * a[3][3] - a[3][0] * a[2][3];
    const double c1 = a[2][0] * a[3][2] - a[3][0] * a[2][2], c0 = a[2][0] * a[3][1] - a[3][0] * a[2][1];
    Cofactors out;
    out.det = s0 * c5 - s1 * c4 + s2 * c3 + s3 * c2 - s4 * c1 + s5 * c0;
    // Transposed cofactors (the adjugate), so out.cof / det is the inverse.
    out.cof[0][0] = a[1][1] * c5 - a[1][2] * c4 + a[1][3] * c3;
    out.cof[0][1] = -a[0][1] * c5 + a[0][2] * c4 - a[0][3] * c3;
    out.cof[0][2] = a[3][1] * s5 - a[3][2] * s4 + a[3][3] * s3;
    out.cof[0][3] = -a[2][1] * s5 + a[2][2] * s4 - a[2][3] * s3;
    out.cof[1][0] = -a[1][0] * c5 + a[1][2] * c2 - a[1][3] * c1;
    out.cof[1][1] = a[0][0] * c5 - a[0][2] * c2 + a[0][3] * c1;
    out.cof[1][2] = -a[3][0] * s5 + a[3][2] * s2 - a[3][3] * s1;
    out.cof[1][3] = a[2][0] * s5 - a[2][2] * s2 + a[2][3] * s1;
    out.cof[2][0] = a[1][0] * c4 - a[1][1] * c2 + a[1][3] * c0;
    out.cof[2][1] = -a[0][0] * c4 + a[0][1] * c2 - a[0][3] * c0;
    out.cof[2][2] = a[3][0] * s4 - a[3][1] * s2 + a[3][3] * s0;
    out.cof[2][3] = -a[2][0] * s4 + a[2][1] * s2 - a[2][3] * s0;
    out.cof[3][0] = -a[1][0] * c3 + a[1][1] * c1 - a[1][2] * c0;
    out.cof[3][1] = a[0][0] * c3 - a[0][1] * c1 + a[0][2] * c0;
    out.cof[3][2] = -a[3][0] * s3 + a[3][1] * s1 - a[3][2] * s0;
    out.cof[3][3] = a[2][0] * s3 - a[2][1] * s1 + a[2][2] * s0;
    return out;
}

} // namespace

float determinant(const Matrix& m) { return float(cofactors(m).det); }

std::optional<Matrix> inverse(const Matrix& m) {
    const Cofactors c = cofactors(m);
    if (c.det == 0.0) return std::nullopt;
    const double scale = 1.0 / c.det;
    Matrix out;
    for (int r = 0; r < 4; ++r)
        for (int col = 0; col < 4; ++col) out.m[r][col] = float(c.cof[r][col] * scale);
    return out;
}

Matrix translationMatrix(float x, float y, float z) {
    Matrix out;
    out.m[3][0] = x;
    out.m[3][1] = y;
    out.m[3][2] = z;
    return out;
}

Matrix translationMatrix(const Vector3& offset) { return translationMatrix(offset.x, offset.y, offset.z); }

Matrix scalingMatrix(float x, float y, float z) {
    Matrix out;
    out.m[0][0] = x;
    out.m[1][1] = y;
    out.m[2][2] = z;
    return out;
}

Matrix scalingMatrix(const Vector3& scale) { return scalingMatrix(scale.x, scale.y, scale.z); }

Matrix rotationXMatrix(float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    return Matrix(1, 0, 0, 0, 0, c, s, 0, 0, -s, c, 0, 0, 0, 0, 1);
}

Matrix rotationYMatrix(float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    return Matrix(c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 0, 0, 0, 1);
}

Matrix rotationZMatrix(float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    return Matrix(c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
}

Matrix rotationAxisMatrix(const Vector3& axis, float angle) {
    const Vector3 v = normalize(axis);
    const float c = std::cos(angle), s = std::sin(angle), t = 1.0f - c;
    return Matrix(t * v.x * v.x + c, t * v.x * v.y + s * v.z, t * v.x * v.z - s * v.y, 0,
                  t * v.x * v.y - s * v.z, t * v.y * v.y + c, t * v.y * v.z + s * v.x, 0,
                  t * v.x * v.z + s * v.y, t * v.y * v.z - s * v.x, t * v.z * v.z + c, 0,
                  0, 0, 0, 1);
}

Matrix rotationYawPitchRollMatrix(float yaw, float pitch, float roll) {
    return rotationZMatrix(roll) * rotationXMatrix(pitch) * rotationYMatrix(yaw);
}

Matrix rotationMatrix(const Quaternion& q) {
    const float xx = q.x * q.x, yy = q.y * q.y, zz = q.z * q.z;
    const float xy = q.x * q.y, xz = q.x * q.z, yz = q.y * q.z;
    const float xw = q.x * q.w, yw = q.y * q.w, zw = q.z * q.w;
    return Matrix(1 - 2 * (yy + zz), 2 * (xy + zw), 2 * (xz - yw), 0,
                  2 * (xy - zw), 1 - 2 * (xx + zz), 2 * (yz + xw), 0,
                  2 * (xz + yw), 2 * (yz - xw), 1 - 2 * (xx + yy), 0,
                  0, 0, 0, 1);
}

Matrix transformationMatrix(const Vector3* scalingCentre, const Quaternion* scalingRotation, const Vector3* scaling,
                            const Vector3* rotationCentre, const Quaternion* rotation, const Vector3* translation) {
    Matrix out;
    if (scaling) {
        // Move the scaling centre to the origin and turn the scaling axes onto x, y, z, scale,
        // then undo both.
        const Matrix toCentre = scalingCentre ? translationMatrix(-*scalingCentre) : Matrix();
        const Matrix orient = scalingRotation ? rotationMatrix(*scalingRotation) : Matrix();
        out = toCentre * transpose(orient) * scalingMatrix(*scaling) * orient *
              (scalingCentre ? translationMatrix(*scalingCentre) : Matrix());
    }
    if (rotation) {
        const Vector3 centre = rotationCentre ? *rotationCentre : Vector3{};
        out = out * translationMatrix(-centre) * rotationMatrix(*rotation) * translationMatrix(centre);
    }
    if (translation) out = out * translationMatrix(*translation);
    return out;
}

Matrix transformationMatrix(const Vector3& scaling, const Quaternion& rotation, const Vector3& translation) {
    return transformationMatrix(nullptr, nullptr, &scaling, nullptr, &rotation, &translation);
}

bool decompose(const Matrix& m, Vector3& scaling, Quaternion& rotation, Vector3& translation) {
    translation = {m.m[3][0], m.m[3][1], m.m[3][2]};
    const Vector3 rows[3] = {{m.m[0][0], m.m[0][1], m.m[0][2]},
                             {m.m[1][0], m.m[1][1], m.m[1][2]},
                             {m.m[2][0], m.m[2][1], m.m[2][2]}};
    scaling = {length(rows[0]), length(rows[1]), length(rows[2])};
    rotation = Quaternion();
    if (scaling.x == 0.0f || scaling.y == 0.0f || scaling.z == 0.0f) return false;
    Matrix pure;
    const float scales[3] = {scaling.x, scaling.y, scaling.z};
    for (int r = 0; r < 3; ++r) {
        pure.m[r][0] = rows[r].x / scales[r];
        pure.m[r][1] = rows[r].y / scales[r];
        pure.m[r][2] = rows[r].z / scales[r];
    }
    rotation = quaternionFromMatrix(pure);
    return true;
}

Matrix perspectiveFovLH(float fovY, float aspect, float zNear, float zFar) {
    const float yScale = 1.0f / std::tan(fovY * 0.5f);
    const float xScale = yScale / aspect;
    const float depth = zFar / (zFar - zNear);
    return Matrix(xScale, 0, 0, 0, 0, yScale, 0, 0, 0, 0, depth, 1, 0, 0, -zNear * depth, 0);
}

Matrix orthoLH(float width, float height, float zNear, float zFar) {
    return Matrix(2 / width, 0, 0, 0, 0, 2 / height, 0, 0, 0, 0, 1 / (zFar - zNear), 0,
                  0, 0, zNear / (zNear - zFar), 1);
}

Matrix orthoOffCenterLH(float left, float right, float bottom, float top, float zNear, float zFar) {
    return Matrix(2 / (right - left), 0, 0, 0, 0, 2 / (top - bottom), 0, 0, 0, 0, 1 / (zFar - zNear), 0,
                  (left + right) / (left - right), (top + bottom) / (bottom - top), zNear / (zNear - zFar), 1);
}

Matrix lookAtLH(const Vector3& eye, const Vector3& at, const Vector3& up) {
    const Vector3 look = normalize(at - eye);
    const Vector3 right = normalize(cross(up, look));
    const Vector3 trueUp = cross(look, right);
    return Matrix(right.x, trueUp.x, look.x, 0, right.y, trueUp.y, look.y, 0, right.z, trueUp.z, look.z, 0,
                  -dot(right, eye), -dot(trueUp, eye), -dot(look, eye), 1);
}

} // namespace gfx
