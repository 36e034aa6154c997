#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "physics_test_world.h"
#include "support/log_capture.h"
#include "world/camera_frame.h"
#include "world/dynamic_body.h"
#include "world/rigid_body_handle.h"

namespace {

using Shapes = PhysicsWorldTest;

TEST_F(Shapes, InitMakesTheGroundAndTheBoxAndSphereByName) {
    EXPECT_EQ(manager.shapeNames(), (std::vector<std::string>{"Box", "Sphere"}));
    EXPECT_EQ(manager.shapeCount(), 3);
    RigidBodyHandle* capsule = physics().addRigidBody("Capsule");
    EXPECT_EQ(capsule, nullptr);

    // The ground, the world's only object: a slab without thickness at y 0.4, in collision group 2
    // and meeting every group but its own.
    ASSERT_EQ(world().getNumCollisionObjects(), 1);
    const btCollisionObject* ground = world().getCollisionObjectArray()[0];
    EXPECT_EQ(ground->getBroadphaseHandle()->m_collisionFilterGroup, 2);
    EXPECT_EQ(ground->getBroadphaseHandle()->m_collisionFilterMask, -3);
    EXPECT_EQ(ground->getWorldTransform().getOrigin(), btVector3(0.0f, 0.4f, 0.0f));
    ASSERT_EQ(ground->getCollisionShape()->getShapeType(), BOX_SHAPE_PROXYTYPE);
    EXPECT_EQ(static_cast<const btBoxShape*>(ground->getCollisionShape())->getHalfExtentsWithoutMargin().y(), 0.0f);
}

// Two tetrahedra side by side, the second list further out along x by `reach`.
std::vector<std::vector<gfx::Vector3>> twoHulls(float reach) {
    return {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {{reach, 0, 0}, {reach + 1, 0, 0}, {reach, 2, 0}, {reach, 0, 1}}};
}

TEST_F(Shapes, CompoundShapeOfHullsReplacesItsName) {
    physics().createCompoundShape("Rock", twoHulls(2.0f));
    EXPECT_EQ(manager.shapeCount(), 6);
    float bounds[6];
    physics().getShapeBounds(bounds, "Rock");
    // The hulls' margin of 0.01 and the compound's own of 0.04 widen the box.
    EXPECT_NEAR(bounds[3], 3.05f, 1e-4f);
    EXPECT_NEAR(bounds[4], 2.05f, 1e-4f);

    physics().createCompoundShape("Rock", twoHulls(5.0f));
    EXPECT_EQ(manager.shapeCount(), 9);
    EXPECT_EQ(manager.shapeNames(), (std::vector<std::string>{"Box", "Rock", "Sphere"}));
    physics().getShapeBounds(bounds, "Rock");
    EXPECT_NEAR(bounds[3], 6.05f, 1e-4f);
    RigidBodyHandle* rock = physics().addRigidBody("Rock");
    ASSERT_NE(rock, nullptr);
    physics().removeRigidBody(&rock);
}

TEST_F(Shapes, BoundsByName) {
    struct Case {
        const char* name;
        float half;
    };
    for (const Case& c : {Case{"Box", 0.5f}, Case{"Sphere", 0.5f}, Case{"Nothing", 0.0f}}) {
        SCOPED_TRACE(c.name);
        float bounds[6] = {7, 7, 7, 7, 7, 7};
        physics().getShapeBounds(bounds, c.name);
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(bounds[i], -c.half, 1e-5f);
            EXPECT_NEAR(bounds[3 + i], c.half, 1e-5f);
        }
    }
}

TEST_F(Shapes, ForgottenNameMakesNoBodiesButTheShapeStays) {
    physics().forgetShapeName("Sphere");
    EXPECT_EQ(physics().addRigidBody("Sphere"), nullptr);
    EXPECT_EQ(manager.shapeNames(), std::vector<std::string>{"Box"});
    EXPECT_EQ(manager.shapeCount(), 3);
}

// A box falling freely far above the ground: its speed tells how many fixed steps ran.
TEST(PhysicsStepping, FixedStepsOfOneSixtiethAtMostFiveAFrame) {
    struct Case {
        std::vector<float> frames;
        int fixedSteps;
    };
    const Case cases[] = {
        {{1.0f / 60.0f}, 1},
        {{0.2f}, 5},
        {{1.0f}, 5},
        {{0.005f}, 0},
        {{0.005f, 0.005f, 0.007f}, 1},
        // What a long frame leaves over is dropped, not carried into the next one.
        {{0.2f, 1.0f / 120.0f}, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.frames));
        btBoxShape shape(btVector3(0.5f, 0.5f, 0.5f));
        NewPhysicsManager manager(nullptr);
        ASSERT_TRUE(manager.init());
        btTransform start;
        start.setIdentity();
        start.setOrigin(btVector3(0, 1000, 0));
        btRigidBody* body = addDynamicBody(*manager.getDynamicsWorld(), 1.0f, start, &shape);
        for (float dt : c.frames) manager.step(dt);
        EXPECT_EQ(std::lround(-body->getLinearVelocity().y() * 6.0f), c.fixedSteps);
        manager.destroyAll();
    }
}

class Bodies : public PhysicsWorldTest {
protected:
    std::unique_ptr<btBoxShape> shape = std::make_unique<btBoxShape>(btVector3(0.5f, 0.5f, 0.5f));
};

TEST_F(Bodies, DroppedBoxComesToRestOnTheGroundAndSleeps) {
    btTransform start;
    start.setIdentity();
    start.setOrigin(btVector3(0, 5, 0));
    btRigidBody* box = addDynamicBody(world(), 1.0f, start, shape.get());
    steps(180);
    EXPECT_NEAR(positionOf(box).y, 0.9f, 0.01f);
    steps(120);
    EXPECT_EQ(box->getActivationState(), ISLAND_SLEEPING);
    EXPECT_NEAR(positionOf(box).y, 0.9f, 0.01f);
}

// A camera 70 units up looking straight down, the top of the screen towards +z.
CameraFrame cameraLookingDown() {
    CameraFrame camera;
    camera.position = {0, 70, 0};
    camera.right = {1, 0, 0};
    camera.up = {0, 0, 1};
    camera.look = {0, -1, 0};
    return camera;
}

TEST_F(Bodies, LaunchedBoxFliesThroughThePixelUnderTheMouse) {
    const float t = std::tan(0.3926991f);
    const float aspect = 1280.0f / 720.0f;
    // Looking straight down along its up hint, a camera's right and up come out as zero.
    CameraFrame degenerate;
    degenerate.position = {0, 70, 0};
    degenerate.right = {0, 0, 0};
    degenerate.up = {0, 0, 0};
    degenerate.look = {0, -1, 0};
    struct Case {
        const char* name;
        CameraFrame camera;
        int x, y;
        btVector3 direction;
    };
    const Case cases[] = {
        {"centre", cameraLookingDown(), 640, 360, btVector3(0, -1, 0)},
        {"right edge", cameraLookingDown(), 1280, 360, btVector3(aspect * t, -1, 0)},
        {"top left", cameraLookingDown(), 0, 0, btVector3(-aspect * t, -1, t)},
        {"degenerate camera", degenerate, 640, 360, btVector3(0, -1, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        btRigidBody* box = physics().launchBox(c.x, c.y, c.camera, 1280, 720);
        ASSERT_NE(box, nullptr);
        const btVector3 velocity = box->getLinearVelocity();
        const btVector3 expected = c.direction.normalized() * 40.0f;
        for (int i = 0; i < 3; ++i) EXPECT_NEAR(velocity[i], expected[i], 1e-3f);
        EXPECT_NEAR(positionOf(box).y, 70.0f, 1e-5f);
        EXPECT_TRUE(box->getWorldTransform().getBasis() == btMatrix3x3::getIdentity());
    }
}

TEST_F(Bodies, LaunchedBoxLandsAndRests) {
    btRigidBody* box = physics().launchBox(640, 360, cameraLookingDown(), 1280, 720);
    ASSERT_NE(box, nullptr);
    steps(300);
    EXPECT_NEAR(positionOf(box).y, 0.9f, 0.02f);
    EXPECT_NEAR(positionOf(box).x, 0.0f, 0.02f);
}

TEST_F(Bodies, BodiesOfNamedShapesStayPutWhereLaunchedBoxesFall) {
    physics().createCompoundShape("Rock", twoHulls(2.0f));
    for (const char* name : {"Box", "Sphere", "Rock"}) {
        SCOPED_TRACE(name);
        RigidBodyHandle* handle = physics().addRigidBody(name);
        ASSERT_NE(handle, nullptr);
        // Mass 0: static, untouched by gravity or by the ground it overlaps.
        EXPECT_EQ(handle->body->getInvMass(), 0.0f);
        EXPECT_TRUE(handle->body->isStaticObject());
        steps(30);
        const gfx::Vector3 position = positionOf(handle->body);
        EXPECT_EQ(position.x, 0.0f);
        EXPECT_EQ(position.y, 0.0f);
        EXPECT_EQ(position.z, 0.0f);
        physics().removeRigidBody(&handle);
    }
    btRigidBody* box = physics().launchBox(640, 360, cameraLookingDown(), 1280, 720);
    ASSERT_NE(box, nullptr);
    EXPECT_FLOAT_EQ(box->getInvMass(), 1.0f);
    EXPECT_FALSE(box->isStaticObject());
}

TEST(PhysicsLaunch, NeedsAWorldAndAScreen) {
    NewPhysicsManager manager(nullptr);
    EXPECT_EQ(manager.launchBox(640, 360, cameraLookingDown(), 1280, 720), nullptr);
    ASSERT_TRUE(manager.init());
    LogCapture log;
    EXPECT_EQ(manager.launchBox(0, 0, cameraLookingDown(), 0, 0), nullptr);
    EXPECT_TRUE(log.contains("No box launched"));
    EXPECT_EQ(manager.getDynamicsWorld()->getNumCollisionObjects(), 1);
    manager.destroyAll();
}

class RecordingOwner : public RigidBodyOwnerInterface {
public:
    void onRayHit(const float hit[3]) override { hits.push_back({hit[0], hit[1], hit[2]}); }
    std::vector<gfx::Vector3> hits;
};

using Rays = PhysicsWorldTest;

TEST_F(Rays, ClosestHitAlongTheRayVector) {
    RigidBodyHandle* box = physics().addRigidBody("Box");
    ASSERT_NE(box, nullptr);
    struct Case {
        const char* name;
        gfx::Vector3 from, ray;
        bool hits;
        gfx::Vector3 hit;
    };
    const Case cases[] = {
        {"onto the box", {0, 10, 0}, {0, -20, 0}, true, {0, 0.5f, 0}},
        {"onto the ground", {5, 10, 5}, {0, -20, 0}, true, {5, 0.4f, 5}},
        {"past the ground's edge", {300, 10, 0}, {0, -20, 0}, false, {}},
        // The second argument is a direction and length: this ray ends at y 5.
        {"short of everything", {0, 10, 0}, {0, -5, 0}, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        float hit[3] = {-7, -7, -7};
        physics().rayTest(&c.from.x, &c.ray.x, hit);
        const gfx::Vector3 expected = c.hits ? c.hit : gfx::Vector3{-7, -7, -7};
        EXPECT_NEAR(hit[0], expected.x, 1e-4f);
        EXPECT_NEAR(hit[1], expected.y, 1e-4f);
        EXPECT_NEAR(hit[2], expected.z, 1e-4f);
    }
    physics().removeRigidBody(&box);
}

TEST_F(Rays, OwnerOfTheBodyHitIsTold) {
    RigidBodyHandle* box = physics().addRigidBody("Box");
    RecordingOwner owner;
    box->owner = &owner;
    const float from[3] = {0, 10, 0};
    const float down[3] = {0, -20, 0};
    float hit[3];
    physics().rayTest(from, down, hit);
    ASSERT_EQ(owner.hits.size(), 1u);
    EXPECT_NEAR(owner.hits[0].y, 0.5f, 1e-4f);
    const float aside[3] = {5, 10, 5};
    physics().rayTest(aside, down, hit);
    EXPECT_EQ(owner.hits.size(), 1u);
    physics().removeRigidBody(&box);
}

using Handles = PhysicsWorldTest;

TEST_F(Handles, ShapesStayWhileBodiesUseThem) {
    RigidBodyHandle* box = physics().addRigidBody("Box");
    ASSERT_NE(box, nullptr);
    LogCapture log;
    physics().clearShapes();
    EXPECT_TRUE(log.contains("Shapes not cleared: 1 bodies still use them"));
    EXPECT_EQ(manager.shapeCount(), 3);
    // The body still stands on its shape.
    const float from[3] = {0, 10, 0};
    const float down[3] = {0, -20, 0};
    float hit[3] = {};
    physics().rayTest(from, down, hit);
    EXPECT_NEAR(hit[1], 0.5f, 1e-4f);

    physics().removeRigidBody(&box);
    EXPECT_EQ(box, nullptr);
    physics().clearShapes();
    EXPECT_TRUE(manager.shapeNames().empty());
    EXPECT_EQ(physics().addRigidBody("Box"), nullptr);
    // The ground keeps its shape: rays and steps still meet it.
    EXPECT_EQ(manager.shapeCount(), 1);
    physics().rayTest(from, down, hit);
    EXPECT_NEAR(hit[1], 0.4f, 1e-4f);
    steps(2);
}

TEST_F(Handles, RemovingAfterDestroyAllFreesOnlyTheHandle) {
    RigidBodyHandle* box = physics().addRigidBody("Box");
    RigidBodyHandle* sphere = physics().addRigidBody("Sphere");
    ASSERT_NE(box, nullptr);
    physics().destroyAll();
    EXPECT_EQ(box->body, nullptr);
    EXPECT_EQ(box->motionState, nullptr);
    physics().removeRigidBody(&box);
    EXPECT_EQ(box, nullptr);
    // A new world does not revive the old handles.
    ASSERT_TRUE(physics().init());
    physics().removeRigidBody(&sphere);
    EXPECT_EQ(sphere, nullptr);
    EXPECT_EQ(world().getNumCollisionObjects(), 1);
}

TEST_F(Handles, AnotherManagersHandleIsLeftAlone) {
    NewPhysicsManager other(nullptr);
    ASSERT_TRUE(other.init());
    RigidBodyHandle* foreign = other.addRigidBody("Box");
    LogCapture log;
    physics().removeRigidBody(&foreign);
    EXPECT_TRUE(log.contains("did not make"));
    ASSERT_NE(foreign, nullptr);
    EXPECT_EQ(other.getDynamicsWorld()->getNumCollisionObjects(), 2);
    other.removeRigidBody(&foreign);
    other.destroyAll();
}

TEST(PhysicsTearDown, ManagerDeletedWithItsWorldFreesIt) {
    auto manager = std::make_unique<NewPhysicsManager>(nullptr);
    ASSERT_TRUE(manager->init());
    RigidBodyHandle* box = manager->addRigidBody("Box");
    manager->launchBox(640, 360, cameraLookingDown(), 1280, 720);
    manager->createCompoundShape("Rock", twoHulls(2.0f));
    manager.reset();
    // The caller still owns its handle, whose body went with the world.
    EXPECT_EQ(box->body, nullptr);
    delete box;
}

TEST(PhysicsTearDown, SecondInitKeepsTheWorld) {
    NewPhysicsManager manager(nullptr);
    ASSERT_TRUE(manager.init());
    btDiscreteDynamicsWorld* world = manager.getDynamicsWorld();
    LogCapture log;
    EXPECT_TRUE(manager.init());
    EXPECT_EQ(manager.getDynamicsWorld(), world);
    EXPECT_EQ(manager.shapeCount(), 3);
    EXPECT_TRUE(log.contains("already exists"));
    manager.destroyAll();
}

} // namespace
