#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>

#include "platform/gfx/math_matrix.h"
#include "platform/gfx/math_vector.h"
#include "world/physics_transform.h"

namespace {

// A rotation about a slanted axis and a translation.
btTransform slantedTransform() {
    return btTransform(btQuaternion(btVector3(1, 2, 3).normalized(), 0.7f), btVector3(4, -5, 6));
}

TEST(PhysicsTransform, MatrixMovesPointsAsTheTransformDoes) {
    gfx::Matrix matrix;
    matrixFromPhysicsTransform(matrix, slantedTransform());
    EXPECT_EQ(matrix.m[0][3], 0.0f);
    EXPECT_EQ(matrix.m[1][3], 0.0f);
    EXPECT_EQ(matrix.m[2][3], 0.0f);
    EXPECT_EQ(matrix.m[3][3], 1.0f);
    for (const btVector3& point : {btVector3(0, 0, 0), btVector3(1, 0, 0), btVector3(-2, 3, 0.5f)}) {
        const btVector3 moved = slantedTransform() * point;
        const gfx::Vector3 byMatrix = gfx::transformCoord(gfx::Vector3{point.x(), point.y(), point.z()}, matrix);
        EXPECT_NEAR(byMatrix.x, moved.x(), 1e-5f);
        EXPECT_NEAR(byMatrix.y, moved.y(), 1e-5f);
        EXPECT_NEAR(byMatrix.z, moved.z(), 1e-5f);
    }
    // The engine's own rotation about the same axis, then the translation.
    const gfx::Matrix engine = gfx::rotationAxisMatrix({1, 2, 3}, 0.7f) * gfx::translationMatrix(4, -5, 6);
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) EXPECT_NEAR(matrix.m[row][column], engine.m[row][column], 1e-5f);
    }
}

TEST(PhysicsTransform, RoundTrip) {
    gfx::Matrix matrix;
    matrixFromPhysicsTransform(matrix, slantedTransform());
    btTransform back;
    physicsTransformFromMatrix(back, matrix);
    const btTransform original = slantedTransform();
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            EXPECT_FLOAT_EQ(back.getBasis()[row][column], original.getBasis()[row][column]);
        }
        EXPECT_FLOAT_EQ(back.getOrigin()[row], original.getOrigin()[row]);
    }
}

} // namespace
