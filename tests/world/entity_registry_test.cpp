// Entities made by type name: the registry filled at start, replacement of a name, unknown names.
#include <memory>
#include <set>

#include "entity_test_world.h"
#include "world/base_projectile_entity.h"
#include "world/basic_cube_entity.h"
#include "world/entity_factory.h"
#include "world/model_viewer_camera_entity.h"

namespace {

TEST(EntityRegistry, HoldsExactlyTheThreeEntityTypesAfterStart) {
    std::set<std::string> names;
    for (const auto& entry : entityFactoryRegistry()) {
        names.insert(entry.first);
        EXPECT_NE(entry.second, nullptr) << entry.first;
    }
    EXPECT_EQ(names, (std::set<std::string>{"basic_cube", "base_projectile", "model_viewer_camera"}));
}

TEST(EntityRegistry, ALaterFactoryUnderANameReplacesTheEarlierOne) {
    EntityFactory<BasicCubeEntity> first("test_entity");
    EXPECT_EQ(findEntityFactory("test_entity"), &first);
    EntityFactory<ModelViewerCameraEntity> second("test_entity");
    EXPECT_EQ(findEntityFactory("test_entity"), &second);
    EXPECT_EQ(entityFactoryRegistry().count("test_entity"), 1u);
    EXPECT_EQ(entityFactoryRegistry().size(), 4u);
    entityFactoryRegistry().erase("test_entity"); // the factories end with the test
}

TEST(EntityRegistry, UnknownNamesGiveNoFactory) {
    for (const char* name : {"", "Basic_Cube", "basic_cube ", "camera", "BasicCube"}) {
        EXPECT_EQ(findEntityFactory(name), nullptr) << '"' << name << '"';
    }
}

using EntityByNameTest = EntityWorldTest;

TEST_F(EntityByNameTest, EachNameMakesItsClassNamedAfterTheType) {
    registerCubeType();
    struct Case {
        const char* name;
        bool (*isItsClass)(BaseEntity*);
    };
    const Case cases[] = {
        {"basic_cube", [](BaseEntity* e) { return dynamic_cast<BasicCubeEntity*>(e) != nullptr; }},
        {"base_projectile", [](BaseEntity* e) { return dynamic_cast<BaseProjectileEntity*>(e) != nullptr; }},
        {"model_viewer_camera", [](BaseEntity* e) { return dynamic_cast<ModelViewerCameraEntity*>(e) != nullptr; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IEntityFactory* factory = findEntityFactory(c.name);
        ASSERT_NE(factory, nullptr);
        std::unique_ptr<BaseEntity> entity(factory->create(&context_));
        ASSERT_NE(entity, nullptr);
        EXPECT_TRUE(c.isItsClass(entity.get()));
        EXPECT_EQ(entity->getName(), c.name);
        EXPECT_EQ(entity->owner(), &context_);
        entity->releaseWorldObjects();
    }
    EXPECT_EQ(bodiesInWorld(), 0);
    EXPECT_TRUE(renderInterface_.objectsToAdd().empty());
}

} // namespace
