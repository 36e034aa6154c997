// World entities: their render object follows the world matrix, their body follows the physics
// world, and both are given back once.
#include <memory>

#include "entity_test_world.h"
#include "platform/gfx/math_matrix.h"
#include "world/base_projectile_entity.h"
#include "world/basic_cube_entity.h"
#include "world/rigid_body_handle.h"

namespace {

using WorldEntityTest = EntityWorldTest;

const gfx::Matrix placed = gfx::rotationYMatrix(0.7f) * gfx::translationMatrix(5, 6, 7);

TEST_F(WorldEntityTest, ACubeOfAnUnknownTypeKeepsItsMatrixForALaterObject) {
    BasicCubeEntity cube(&context_, "basic_cube");
    EXPECT_EQ(cube.renderObject(), nullptr) << "\"BasicCube\" is not registered yet";
    EXPECT_TRUE(renderInterface_.objectsToAdd().empty());
    cube.setWorldMatrix(placed);
    cube.update(0.0f);
    EXPECT_EQ(cube.worldMatrix(), placed);

    registerCubeType();
    cube.setRenderObject("BasicCube");
    ASSERT_NE(cube.renderObject(), nullptr);
    EXPECT_FALSE(cube.renderObject()->hasInitialTransform());
    EXPECT_EQ(matrixOf(cube.renderObject()), placed);
    EXPECT_EQ(renderInterface_.objectsToAdd().size(), 1u);
    cube.releaseWorldObjects();
}

TEST_F(WorldEntityTest, ACubeDrawsAtItsWorldMatrixAndReplacesItsObject) {
    registerCubeType();
    BasicCubeEntity cube(&context_, "basic_cube");
    ASSERT_NE(cube.renderObject(), nullptr);
    EXPECT_EQ(cube.renderObject()->typeName(), "BasicCube");
    EXPECT_EQ(matrixOf(cube.renderObject()), gfx::Matrix());
    cube.setWorldMatrix(placed);
    EXPECT_EQ(matrixOf(cube.renderObject()), placed);

    RenderInterface::RenderableObject* first = cube.renderObject();
    cube.setRenderObject("BasicCube");
    EXPECT_NE(cube.renderObject(), first);
    EXPECT_EQ(matrixOf(cube.renderObject()), placed);
    EXPECT_EQ(renderInterface_.objectsToAdd().size(), 1u) << "the first object was given back";
    cube.releaseWorldObjects();
}

TEST_F(WorldEntityTest, AProjectileDrawsAtAQuarterOfItsSizeTimesItsWorldMatrix) {
    registerCubeType();
    BaseProjectileEntity projectile(&context_, "base_projectile");
    ASSERT_NE(projectile.renderObject(), nullptr);
    EXPECT_TRUE(projectile.renderObject()->hasInitialTransform());
    const gfx::Matrix quarter = gfx::scalingMatrix(0.25f, 0.25f, 0.25f);
    expectMatrixNear(matrixOf(projectile.renderObject()), quarter);
    projectile.setWorldMatrix(placed);
    expectMatrixNear(matrixOf(projectile.renderObject()), quarter * placed);
    EXPECT_EQ(projectile.worldMatrix(), placed);
    projectile.releaseWorldObjects();
}

TEST_F(WorldEntityTest, AnUpdateTakesThePoseOfTheBody) {
    registerCubeType();
    BasicCubeEntity cube(&context_, "basic_cube");
    BaseProjectileEntity projectile(&context_, "base_projectile");
    btTransform pose;
    pose.setIdentity();
    pose.setOrigin(btVector3(1.0f, 2.0f, 3.0f));
    pose.setRotation(btQuaternion(btVector3(0, 1, 0), 0.5f));
    for (BaseWorldEntity* entity : {static_cast<BaseWorldEntity*>(&cube), static_cast<BaseWorldEntity*>(&projectile)}) {
        SCOPED_TRACE(entity->getName());
        entity->setWorldMatrix(placed);
        entity->bodyHandle()->motionState->setWorldTransform(pose);
        entity->update(0.0f);
        const gfx::Matrix expected = gfx::rotationYMatrix(0.5f) * gfx::translationMatrix(1, 2, 3);
        expectMatrixNear(entity->worldMatrix(), expected);
        const gfx::Matrix initial = entity == &projectile ? gfx::scalingMatrix(0.25f, 0.25f, 0.25f) : gfx::Matrix();
        expectMatrixNear(matrixOf(entity->renderObject()), initial * expected);
    }
    EXPECT_TRUE(projectile.flag()) << "a projectile that follows its body is marked";
    EXPECT_FALSE(cube.flag());
    cube.releaseWorldObjects();
    projectile.releaseWorldObjects();
}

TEST_F(WorldEntityTest, ReleasingTwiceGivesBackBodyAndObjectOnce) {
    registerCubeType();
    BasicCubeEntity cube(&context_, "basic_cube");
    BaseProjectileEntity projectile(&context_, "base_projectile");
    EXPECT_EQ(bodiesInWorld(), 2);
    for (BaseWorldEntity* entity : {static_cast<BaseWorldEntity*>(&cube), static_cast<BaseWorldEntity*>(&projectile)}) {
        SCOPED_TRACE(entity->getName());
        const int bodies = bodiesInWorld();
        entity->releaseWorldObjects();
        EXPECT_EQ(entity->bodyHandle(), nullptr);
        EXPECT_EQ(entity->renderObject(), nullptr);
        EXPECT_EQ(bodiesInWorld(), bodies - 1);
        const std::size_t deletions = renderInterface_.objectsToDelete().size();
        entity->releaseWorldObjects();
        EXPECT_EQ(bodiesInWorld(), bodies - 1);
        EXPECT_EQ(renderInterface_.objectsToDelete().size(), deletions);
        entity->update(0.0f); // nothing left to follow
    }
    EXPECT_TRUE(renderInterface_.objectsToAdd().empty());
}

TEST_F(WorldEntityTest, AttachingASecondBodyTakesTheFirstOutOfTheWorld) {
    BasicCubeEntity cube(&context_, "basic_cube");
    ASSERT_NE(cube.bodyHandle(), nullptr);
    const btRigidBody* first = cube.bodyHandle()->body;
    cube.attachPhysicsBody("Sphere");
    ASSERT_NE(cube.bodyHandle(), nullptr);
    EXPECT_NE(cube.bodyHandle()->body, first);
    EXPECT_EQ(bodiesInWorld(), 1);
    EXPECT_EQ(physics_.getDynamicsWorld()->getCollisionObjectArray().findLinearSearch(
                  const_cast<btRigidBody*>(cube.bodyHandle()->body)),
              1);
    // An unknown shape leaves the entity without a body, and the old one goes too.
    cube.attachPhysicsBody("Capsule");
    EXPECT_EQ(cube.bodyHandle(), nullptr);
    EXPECT_EQ(bodiesInWorld(), 0);
    cube.releaseWorldObjects();
}

TEST_F(WorldEntityTest, APushIsAForceOnTheStaticBodyThatLeavesItInPlace) {
    BaseProjectileEntity projectile(&context_, "base_projectile");
    projectile.setLaunch({0.0f, 0.6f, 0.8f}, 5.0f);
    projectile.activate();
    const btVector3 force = projectile.bodyHandle()->body->getTotalForce();
    EXPECT_FLOAT_EQ(force.x(), 0.0f);
    EXPECT_FLOAT_EQ(force.y(), 3.0f);
    EXPECT_FLOAT_EQ(force.z(), 4.0f);
    for (int i = 0; i < 30; ++i) physics_.step(1.0f / 60.0f);
    const btVector3 origin = projectile.bodyHandle()->body->getWorldTransform().getOrigin();
    EXPECT_EQ(origin, btVector3(0, 0, 0)) << "bodies made for entities have no mass";
    projectile.releaseWorldObjects();
}

TEST_F(WorldEntityTest, AProjectileWithoutABodyIsNeitherPushedNorStepped) {
    registerCubeType();
    EntityContext noPhysics{&renderInterface_, nullptr, renderInterface_.parameterManager()};
    physics_.destroyAll();
    NewPhysicsManager noShapes(nullptr);
    ASSERT_TRUE(noShapes.init());
    noShapes.clearShapes();
    EntityContext unknownShape{&renderInterface_, &noShapes, renderInterface_.parameterManager()};
    for (EntityContext* context : {&noPhysics, &unknownShape}) {
        BaseProjectileEntity projectile(context, "base_projectile");
        ASSERT_EQ(projectile.bodyHandle(), nullptr);
        ASSERT_NE(projectile.renderObject(), nullptr);
        projectile.setWorldMatrix(placed);
        projectile.setLaunch({1.0f, 0.0f, 0.0f}, 10.0f);
        projectile.activate();
        projectile.update(0.0f);
        EXPECT_FALSE(projectile.flag());
        EXPECT_EQ(projectile.worldMatrix(), placed);
        projectile.releaseWorldObjects();
        EXPECT_EQ(projectile.renderObject(), nullptr);
    }
    noShapes.destroyAll();
    ASSERT_TRUE(physics_.init()); // for the fixture's teardown
}

TEST_F(WorldEntityTest, EntitiesOutliveATornDownWorldSafely) {
    registerCubeType();
    BaseProjectileEntity projectile(&context_, "base_projectile");
    projectile.setWorldMatrix(placed);
    physics_.destroyAll();
    ASSERT_NE(projectile.bodyHandle(), nullptr);
    EXPECT_EQ(projectile.bodyHandle()->body, nullptr);
    projectile.setLaunch({1.0f, 0.0f, 0.0f}, 10.0f);
    projectile.activate();
    projectile.update(0.0f);
    EXPECT_EQ(projectile.worldMatrix(), placed) << "no pose to take";
    projectile.releaseWorldObjects();
    EXPECT_EQ(projectile.bodyHandle(), nullptr);
    ASSERT_TRUE(physics_.init());
}

} // namespace
