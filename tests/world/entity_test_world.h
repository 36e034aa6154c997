#pragma once
// What entities are made in under test: a render interface owned by the test's thread, a physics
// manager with its world built, and the context that hands both to the entities. The render-object
// type "BasicCube" is known only once a test registers it.
#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>

#include "app/parameter_description.h"
#include "app/simple_parameter_group.h"
#include "app/thread_resource_pool.h"
#include "app/typed_parameters.h"
#include "platform/gfx/math_types.h"
#include "platform/thread.h"
#include "render/render_interface.h"
#include "world/entity_context.h"
#include "world/new_physics_manager.h"

class EntityWorldTest : public ::testing::Test {
protected:
    EntityWorldTest() : pool_("renderPool"), renderInterface_(&registry_, &pool_, 640, 480, "") {
        renderInterface_.setOwnerThreadId(platform::currentThreadId());
    }
    void SetUp() override { ASSERT_TRUE(physics_.init()); }
    void TearDown() override { physics_.destroyAll(); }

    // The cube renderable's type, as the 3D renderables register it when they start.
    void registerCubeType() { registerParameterDescription(registry_, new ParameterDescription("BasicCube", &pool_, true)); }

    static gfx::Matrix matrixOf(const RenderInterface::RenderableObject* object) {
        const auto* parameter = static_cast<MatrixParameter*>(object->pair()->updateGroup()->getParameter("matrix"));
        gfx::Matrix matrix;
        std::copy(parameter->getValue().begin(), parameter->getValue().end(), matrix.data());
        return matrix;
    }
    int bodiesInWorld() { return physics_.getDynamicsWorld()->getNumCollisionObjects() - 1; } // less the ground

    ParameterDescriptionRegistry registry_;
    ThreadResourcePool pool_;
    RenderInterface renderInterface_;
    NewPhysicsManager physics_{nullptr};
    EntityContext context_{&renderInterface_, &physics_, renderInterface_.parameterManager()};
};

// Equal within float rounding, element by element.
inline void expectMatrixNear(const gfx::Matrix& actual, const gfx::Matrix& expected, float tolerance = 1e-5f) {
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual.data()[i], expected.data()[i], tolerance) << "element " << i;
}

inline void expectVectorNear(const gfx::Vector3& actual, const gfx::Vector3& expected, float tolerance = 1e-5f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}
