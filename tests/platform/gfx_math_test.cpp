#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "platform/gfx/math.h"

namespace {

using namespace gfx;

constexpr float kPi = std::numbers::pi_v<float>;

void expectMatrixNear(const Matrix& actual, const Matrix& expected, const std::string& what, float tolerance = 1e-5f) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_NEAR(actual.m[r][c], expected.m[r][c], tolerance) << what << " m" << r + 1 << c + 1;
}

void expectVectorNear(const Vector3& actual, const Vector3& expected, const std::string& what, float tolerance = 1e-5f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance) << what;
    EXPECT_NEAR(actual.y, expected.y, tolerance) << what;
    EXPECT_NEAR(actual.z, expected.z, tolerance) << what;
}

// q and -q are the same rotation.
void expectSameRotation(const Quaternion& actual, const Quaternion& expected, const std::string& what) {
    EXPECT_NEAR(std::fabs(dot(actual, expected)), 1.0f, 1e-5f) << what;
}

struct MatrixCase {
    const char* name;
    Matrix actual;
    Matrix expected;
};

TEST(GfxMath, BuildersMatchTheDocumentedFormulas) {
    const float yScale = 1.0f / std::tan(kPi / 8.0f);
    const MatrixCase cases[] = {
        {"perspective fov pi/4, aspect 4/3, near 1, far 120", perspectiveFovLH(kPi / 4, 4.0f / 3.0f, 1.0f, 120.0f),
         Matrix(yScale * 0.75f, 0, 0, 0, 0, yScale, 0, 0, 0, 0, 120.0f / 119.0f, 1, 0, 0, -120.0f / 119.0f, 0)},
        {"ortho 800 x 600, near 0, far 1", orthoLH(800, 600, 0, 1),
         Matrix(2.0f / 800, 0, 0, 0, 0, 2.0f / 600, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1)},
        {"ortho off-centre -10..30, -5..15, 1..101", orthoOffCenterLH(-10, 30, -5, 15, 1, 101),
         Matrix(0.05f, 0, 0, 0, 0, 0.1f, 0, 0, 0, 0, 0.01f, 0, -0.5f, -0.5f, -0.01f, 1)},
        {"look at the origin from (0, 0, -10)", lookAtLH({0, 0, -10}, {0, 0, 0}, {0, 1, 0}),
         Matrix(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 10, 1)},
        {"look at the origin from (5, 0, 0)", lookAtLH({5, 0, 0}, {0, 0, 0}, {0, 1, 0}),
         Matrix(0, 0, -1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 5, 1)},
        {"translation", translationMatrix(1, 2, 3), Matrix(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1)},
        {"scaling", scalingMatrix(2, 3, 4), Matrix(2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 4, 0, 0, 0, 0, 1)},
        {"rotation x", rotationXMatrix(0.3f),
         Matrix(1, 0, 0, 0, 0, std::cos(0.3f), std::sin(0.3f), 0, 0, -std::sin(0.3f), std::cos(0.3f), 0, 0, 0, 0, 1)},
        {"rotation y", rotationYMatrix(0.3f),
         Matrix(std::cos(0.3f), 0, -std::sin(0.3f), 0, 0, 1, 0, 0, std::sin(0.3f), 0, std::cos(0.3f), 0, 0, 0, 0, 1)},
        {"rotation z", rotationZMatrix(0.3f),
         Matrix(std::cos(0.3f), std::sin(0.3f), 0, 0, -std::sin(0.3f), std::cos(0.3f), 0, 0, 0, 0, 1, 0, 0, 0, 0, 1)},
        {"rotation about x as an axis", rotationAxisMatrix({2, 0, 0}, 0.3f), rotationXMatrix(0.3f)},
        {"rotation about y as an axis", rotationAxisMatrix({0, 1, 0}, 0.3f), rotationYMatrix(0.3f)},
        {"rotation about z as an axis", rotationAxisMatrix({0, 0, 1}, 0.3f), rotationZMatrix(0.3f)},
        {"yaw pitch roll is roll, pitch, yaw", rotationYawPitchRollMatrix(0.4f, 0.5f, 0.6f),
         rotationZMatrix(0.6f) * rotationXMatrix(0.5f) * rotationYMatrix(0.4f)},
        {"quaternion rotation", rotationMatrix(rotationAxisQuaternion({1, 2, 3}, 0.8f)), rotationAxisMatrix({1, 2, 3}, 0.8f)},
        {"transformation is scaling, rotation, translation",
         transformationMatrix({0.25f, 0.25f, 0.25f}, rotationAxisQuaternion({0, 1, 0}, 0.5f), {10, 0, -3}),
         scalingMatrix(0.25f, 0.25f, 0.25f) * rotationYMatrix(0.5f) * translationMatrix(10, 0, -3)},
        {"transpose", transpose(Matrix(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16)),
         Matrix(1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15, 4, 8, 12, 16)},
    };
    for (const MatrixCase& c : cases) expectMatrixNear(c.actual, c.expected, c.name);
}

TEST(GfxMath, ProjectionsMapTheViewVolumeToClipSpace) {
    const Matrix perspective = perspectiveFovLH(kPi / 2, 2.0f, 1.0f, 100.0f);
    expectVectorNear(transformCoord(Vector3{0, 0, 1}, perspective), {0, 0, 0}, "near plane at depth 0");
    expectVectorNear(transformCoord(Vector3{0, 0, 100}, perspective), {0, 0, 1}, "far plane at depth 1");
    // With a 90 degree vertical field, y = z is the top edge; the width is twice the height.
    expectVectorNear(transformCoord(Vector3{20, 10, 10}, perspective), {1, 1, 0.909091f}, "top right corner");

    const Matrix offCentre = orthoOffCenterLH(-10, 30, -5, 15, 1, 101);
    expectVectorNear(transformCoord(Vector3{-10, -5, 1}, offCentre), {-1, -1, 0}, "left bottom near");
    expectVectorNear(transformCoord(Vector3{30, 15, 101}, offCentre), {1, 1, 1}, "right top far");

    const Matrix view = lookAtLH({5, 0, 0}, {0, 0, 0}, {0, 1, 0});
    expectVectorNear(transformCoord(Vector3{5, 0, 0}, view), {0, 0, 0}, "the eye goes to the origin");
    expectVectorNear(transformCoord(Vector3{0, 0, 0}, view), {0, 0, 5}, "the target lies ahead on +z");
}

TEST(GfxMath, DecomposeSplitsScaleRotationAndTranslation) {
    Vector3 scale, translation;
    Quaternion rotation{1, 1, 1, 1};
    ASSERT_TRUE(decompose(scalingMatrix(0.25f, 0.25f, 0.25f), scale, rotation, translation));
    EXPECT_EQ(scale, (Vector3{0.25f, 0.25f, 0.25f}));
    EXPECT_EQ(translation, (Vector3{0, 0, 0}));
    expectSameRotation(rotation, Quaternion{}, "uniform scale has no rotation");

    const Quaternion turn = rotationAxisQuaternion({1, 2, 3}, 2.5f);
    ASSERT_TRUE(decompose(transformationMatrix({2, 3, 4}, turn, {5, -6, 7}), scale, rotation, translation));
    expectVectorNear(scale, {2, 3, 4}, "scale");
    expectVectorNear(translation, {5, -6, 7}, "translation");
    expectSameRotation(rotation, turn, "rotation");

    EXPECT_FALSE(decompose(scalingMatrix(1, 0, 1), scale, rotation, translation));
    EXPECT_EQ(rotation, Quaternion{});
}

TEST(GfxMath, InverseUndoesTheMatrixAndRefusesSingularOnes) {
    const Matrix matrices[] = {
        transformationMatrix({2, 3, 4}, rotationAxisQuaternion({1, -1, 2}, 1.1f), {5, -6, 7}),
        lookAtLH({3, 4, -8}, {1, 0, 2}, {0, 1, 0}) * perspectiveFovLH(kPi / 4, 1.5f, 1.0f, 120.0f),
        Matrix(2, 0, 1, 0, 1, 3, 0, 0, 0, 1, 4, 0, 1, 2, 3, 1),
    };
    for (const Matrix& m : matrices) {
        const std::optional<Matrix> inv = inverse(m);
        ASSERT_TRUE(inv.has_value());
        expectMatrixNear(m * *inv, identityMatrix(), "m * inverse", 1e-4f);
        expectMatrixNear(*inv * m, identityMatrix(), "inverse * m", 1e-4f);
    }
    EXPECT_NEAR(determinant(scalingMatrix(2, 3, 4) * translationMatrix(9, 9, 9)), 24.0f, 1e-5f);
    EXPECT_FALSE(inverse(scalingMatrix(1, 0, 1)).has_value());
    EXPECT_FALSE(inverse(Matrix(1, 2, 3, 4, 2, 4, 6, 8, 0, 0, 1, 0, 0, 0, 0, 1)).has_value());
}

TEST(GfxMath, TransformationKeepsItsCentresInPlace) {
    const Vector3 scalingCentre{1, 2, 3}, rotationCentre{-4, 0, 2}, scale{2, 2, 2}, move{1, 1, 1};
    const Quaternion turn = rotationAxisQuaternion({0, 1, 0}, 0.9f);
    const Quaternion tilt = rotationAxisQuaternion({1, 0, 0}, 0.4f);
    const Matrix scaleOnly = transformationMatrix(&scalingCentre, &tilt, &scale, nullptr, nullptr, nullptr);
    expectVectorNear(transformCoord(scalingCentre, scaleOnly), scalingCentre, "scaling centre is fixed");
    expectVectorNear(transformCoord(scalingCentre + Vector3{0, 0, 1}, scaleOnly), scalingCentre + Vector3{0, 0, 2},
                     "a uniform scale doubles distances from the centre whatever its orientation");
    const Matrix rotateOnly = transformationMatrix(nullptr, nullptr, nullptr, &rotationCentre, &turn, &move);
    expectVectorNear(transformCoord(rotationCentre, rotateOnly), rotationCentre + move, "rotation centre only moves");
    expectMatrixNear(transformationMatrix(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr), identityMatrix(),
                     "nothing given");
}

TEST(GfxMath, RotationsTurnTheAxesClockwiseSeenFromTheAxis) {
    const float quarter = kPi / 2;
    expectVectorNear(transformNormal({0, 1, 0}, rotationXMatrix(quarter)), {0, 0, 1}, "x turns y to z");
    expectVectorNear(transformNormal({0, 0, 1}, rotationYMatrix(quarter)), {1, 0, 0}, "y turns z to x");
    expectVectorNear(transformNormal({1, 0, 0}, rotationZMatrix(quarter)), {0, 1, 0}, "z turns x to y");
}

TEST(GfxMath, QuaternionsCombineConvertAndBlend) {
    const Quaternion a = rotationAxisQuaternion({1, 0.5f, -0.3f}, 0.7f), b = rotationAxisQuaternion({0, 1, 1}, -1.2f);
    expectMatrixNear(rotationMatrix(a * b), rotationMatrix(a) * rotationMatrix(b), "a then b");

    // Angles past pi / 2 give a negative trace and take the other branches of the conversion.
    const Vector3 axes[] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 2, 3}, {-3, 1, 0.5f}};
    for (float angle : {0.2f, 2.0f, 3.1f})
        for (const Vector3& axis : axes)
            expectSameRotation(quaternionFromMatrix(rotationAxisMatrix(axis, angle)), rotationAxisQuaternion(axis, angle),
                               "from matrix, angle " + std::to_string(angle));

    const Quaternion start{}, end = rotationAxisQuaternion({0, 1, 0}, kPi / 2);
    expectSameRotation(slerp(start, end, 0.5f), rotationAxisQuaternion({0, 1, 0}, kPi / 4), "halfway");
    expectSameRotation(slerp(start, end, 0.0f), start, "start");
    expectSameRotation(slerp(start, end, 1.0f), end, "end");
    // -end is the same rotation; the blend must still take the short way round.
    const Quaternion negated{-end.x, -end.y, -end.z, -end.w};
    expectSameRotation(slerp(start, negated, 0.5f), rotationAxisQuaternion({0, 1, 0}, kPi / 4), "shorter arc");
    const Quaternion nearly = rotationAxisQuaternion({0, 1, 0}, 0.0001f);
    EXPECT_NEAR(length(slerp(start, nearly, 0.5f)), 1.0f, 1e-5f) << "nearly equal rotations blend without dividing by 0";

    const Quaternion unit = normalize(Quaternion{0, 3, 0, 4});
    EXPECT_NEAR(unit.y, 0.6f, 1e-6f);
    EXPECT_NEAR(unit.w, 0.8f, 1e-6f);
}

TEST(GfxMath, VectorOperations) {
    const Matrix m = scalingMatrix(2, 2, 2) * translationMatrix(1, 2, 3);
    expectVectorNear(transformCoord(Vector3{1, 1, 1}, m), {3, 4, 5}, "a point is scaled and moved");
    expectVectorNear(transformNormal(Vector3{1, 1, 1}, m), {2, 2, 2}, "a direction is not moved");
    const Vector4 w = transform(Vector3{1, 2, 3}, perspectiveFovLH(kPi / 2, 1, 1, 10));
    EXPECT_FLOAT_EQ(w.w, 3.0f) << "transform keeps w, the view depth";
    const Vector2 flat = transformCoord(Vector2{1, 2}, translationMatrix(5, 5, 5));
    EXPECT_EQ(flat, (Vector2{6, 7}));

    EXPECT_EQ(cross(Vector3{1, 0, 0}, Vector3{0, 1, 0}), (Vector3{0, 0, 1}));
    EXPECT_FLOAT_EQ(dot(Vector3{1, 2, 3}, Vector3{4, -5, 6}), 12.0f);
    EXPECT_FLOAT_EQ(length(Vector3{2, 3, 6}), 7.0f);
    expectVectorNear(normalize(Vector3{0, 3, 4}), {0, 0.6f, 0.8f}, "normalise");
    EXPECT_EQ(normalize(Vector3{}), Vector3{}) << "a zero vector stays zero";
    EXPECT_EQ(lerp(Vector3{0, 10, -2}, Vector3{4, 20, 2}, 0.25f), (Vector3{1, 12.5f, -1}));
    EXPECT_EQ(lerp(Vector4{0, 0, 0, 0}, Vector4{4, 8, 12, 16}, 0.5f), (Vector4{2, 4, 6, 8}));
    EXPECT_FLOAT_EQ(length(normalize(Vector2{3, 4})), 1.0f);
}

TEST(GfxMath, PlanesMeasureSignedDistances) {
    const Plane ground = planeFromPoints({0, 0, 0}, {0, 0, 1}, {1, 0, 0});
    EXPECT_EQ(ground, (Plane{0, 1, 0, 0}));
    EXPECT_FLOAT_EQ(dotCoord(ground, {3, 5, 2}), 5.0f);
    const Plane raised = planeFromPointNormal({7, 2, 1}, {0, 1, 0});
    EXPECT_FLOAT_EQ(raised.d, -2.0f);
    EXPECT_FLOAT_EQ(dotCoord(raised, {0, -1, 0}), -3.0f);
    EXPECT_FLOAT_EQ(dotNormal(raised, {4, 2, 4}), 2.0f);
    EXPECT_EQ(normalize(Plane{0, 2, 0, 4}), (Plane{0, 1, 0, 2}));
    EXPECT_EQ(normalize(Plane{0, 0, 0, 4}), (Plane{0, 0, 0, 4}));
}

TEST(GfxMath, FloatToHalfRoundsToNearestEven) {
    struct Case {
        float value;
        uint16_t half;
    };
    const Case cases[] = {
        {0.0f, 0x0000},   {-0.0f, 0x8000},  {1.0f, 0x3C00}, {-2.0f, 0xC000}, {0.5f, 0x3800},
        {65504.0f, 0x7BFF},                 // largest finite
        {65520.0f, 0x7C00},                 // halfway above it rounds to infinity
        {1e6f, 0x7C00},   {-1e6f, 0xFC00},  {INFINITY, 0x7C00},
        {std::ldexp(1.0f, -14), 0x0400},    // smallest normal
        {std::ldexp(1.0f, -24), 0x0001},    // smallest subnormal
        {std::ldexp(1.0f, -25), 0x0000},    // halfway to it rounds to even zero
        {std::ldexp(1.5f, -25), 0x0001},
        {std::ldexp(1023.5f, -24), 0x0400}, // subnormal rounding carries into the exponent
        {1.0f / 3.0f, 0x3555},
        {1.0f + std::ldexp(1.0f, -11), 0x3C00},        // tie, even stays
        {1.0f + 3 * std::ldexp(1.0f, -11), 0x3C02},    // tie, odd rounds up
        {1.0f + 1.1f * std::ldexp(1.0f, -11), 0x3C01}, // above the tie
    };
    for (const Case& c : cases) EXPECT_EQ(floatToHalf(c.value), c.half) << c.value;
    const uint16_t nan = floatToHalf(NAN);
    EXPECT_EQ(nan & 0x7C00, 0x7C00);
    EXPECT_NE(nan & 0x03FF, 0);

    const float values[] = {1.0f, -0.5f, 1000.0f};
    uint16_t halves[3] = {};
    floatsToHalves(values, halves, 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(halfToFloat(halves[i]), values[i]);
    EXPECT_EQ(halfToFloat(0x0001), std::ldexp(1.0f, -24));
}

} // namespace
