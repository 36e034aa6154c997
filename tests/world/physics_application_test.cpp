#include <gtest/gtest.h>

#include "app/os_interface_manager.h"
#include "app/thread_resource_pool.h"
#include "world/new_physics_manager.h"

namespace {

TEST(PhysicsFromTheApplication, OperatingSystemInterfaceMakesAManagerWithoutAWorld) {
    ThreadResourcePool pool("updatePool");
    OSInterfaceManagerLinux osInterface(&pool);
    NewPhysicsInterface* physics = osInterface.createPhysicsInterface();
    ASSERT_NE(physics, nullptr);
    auto* manager = dynamic_cast<NewPhysicsManager*>(physics);
    ASSERT_NE(manager, nullptr);
    EXPECT_EQ(manager->ownerPool(), &pool);
    EXPECT_EQ(physics->getDynamicsWorld(), nullptr);
    ASSERT_TRUE(physics->init());
    EXPECT_NE(physics->getDynamicsWorld(), nullptr);
    RigidBodyHandle* box = physics->addRigidBody("Box");
    EXPECT_NE(box, nullptr);
    physics->removeRigidBody(&box);
    physics->destroyAll();
    EXPECT_EQ(physics->getDynamicsWorld(), nullptr);
    delete physics;
    // Each call makes a manager of its own.
    NewPhysicsInterface* first = osInterface.createPhysicsInterface();
    NewPhysicsInterface* second = osInterface.createPhysicsInterface();
    EXPECT_NE(first, second);
    delete first;
    delete second;
}

} // namespace
