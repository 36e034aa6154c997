// The 3D registrations: every class name this layer lists is registered and makes a renderable of
// that class, and nothing is registered that the list lacks.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "app/thread_resource_pool.h"
#include "render/base_renderable.h"
#include "render/renderable_factory.h"
#include "scene/scene_renderable_factories.h"
#include "support/flat_box_renderable.h"

namespace {

TEST(SceneRenderableFactories, EveryListedNameMakesItsClassAndNoOtherNameIsRegistered) {
    ThreadResourcePool pool("renderPool");
    std::set<std::string> registered;
    for (const auto& entry : getRenderableFactoryRegistry()) registered.insert(entry.first);
    // The scene harness's test renderable is registered by the test program, not by this layer.
    registered.erase(scenetest::kFlatBoxClass);
    std::set<std::string> listed;
    for (const SceneRenderableName& name : sceneRenderableNames()) listed.insert(name.registered);
    EXPECT_EQ(registered, listed);
    for (const SceneRenderableName& name : sceneRenderableNames()) {
        IRenderableFactory* factory = findRenderableFactory(name.registered);
        ASSERT_NE(factory, nullptr) << name.registered;
        std::unique_ptr<BaseRenderable> renderable(factory->create(&pool, nullptr, nullptr));
        ASSERT_NE(renderable, nullptr) << name.registered;
        EXPECT_EQ(renderable->className(), name.className);
        EXPECT_TRUE(renderable->assets.empty()) << "a constructor makes no assets";
    }
}

} // namespace
