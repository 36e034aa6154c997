#pragma once
// A physics manager with its world built, torn down after the test, and the small helpers the
// physics tests share.
#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>

#include "platform/gfx/math_types.h"
#include "world/new_physics_manager.h"

class PhysicsWorldTest : public ::testing::Test {
protected:
    static constexpr float frame = 1.0f / 60.0f;

    void SetUp() override { ASSERT_TRUE(physics().init()); }
    void TearDown() override { manager.destroyAll(); }

    NewPhysicsInterface& physics() { return manager; }
    btDiscreteDynamicsWorld& world() { return *manager.getDynamicsWorld(); }
    void steps(int count) {
        for (int i = 0; i < count; ++i) physics().step(frame);
    }
    // The body's position as its motion state has it, through the manager's matrix.
    gfx::Vector3 positionOf(const btRigidBody* body) {
        gfx::Matrix matrix;
        physics().getBodyWorldMatrix(body, matrix);
        return {matrix.m[3][0], matrix.m[3][1], matrix.m[3][2]};
    }

    NewPhysicsManager manager{nullptr};
};
