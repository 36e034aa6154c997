// The factory registries: static registration, replacement, lookups, and every registered name
// making its own class.
#include <gtest/gtest.h>

#include "render/renderable_factory.h"
#include "ui_render/ui_renderable.h"

namespace {

// A UI renderable for the registry's tests, registered statically like the real ones.
class TestPanelRenderable : public UIRenderable {
public:
    TestPanelRenderable(ThreadResourcePool* pool, RenderInterface* renderInterface, UIManager* manager)
        : UIRenderable(pool, manager, "TestPanelRenderable"), renderInterface_(renderInterface) {}
    void loadAssets() override {}
    void createDeviceResources() override {}
    void unloadAssets() override {}
    void releaseDeviceResources() override {}
    void setUpParamDescriptions(ParameterDescriptionRegistry*) override {}
    void draw(std::uint32_t) override {}
    void updateInstances() override {}
    RenderInterface* renderInterface_;
};

class TestPanelRenderableB : public TestPanelRenderable {
public:
    using TestPanelRenderable::TestPanelRenderable;
};

UIRenderableFactory<TestPanelRenderable> firstPanelFactory("TestPanelRenderable");
UIRenderableFactory<TestPanelRenderable> secondPanelFactory("TestPanelRenderable");

TEST(RenderableFactories, EveryRegisteredUINameMakesItsClass) {
    const UIRenderFactoryRegistry& registry = getUIRenderableFactoryRegistry();
    ASSERT_FALSE(registry.empty());
    auto* renderInterface = reinterpret_cast<RenderInterface*>(0x1000);
    for (const auto& [name, factory] : registry) {
        SCOPED_TRACE(name);
        ASSERT_NE(factory, nullptr);
        UIRenderable* made = factory->create(nullptr, renderInterface, nullptr);
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(made->className(), name);
        EXPECT_EQ(made->pathGroupName(), "default");
        EXPECT_TRUE(made->paths().empty());
        delete made;
    }
}

TEST(RenderableFactories, LaterRegistrationReplacesEarlier) {
    EXPECT_EQ(findUIRenderableFactory("TestPanelRenderable"), &secondPanelFactory);
    UIRenderableFactory<TestPanelRenderableB> replacement("TestPanelRenderable");
    EXPECT_EQ(findUIRenderableFactory("TestPanelRenderable"), &replacement);
    getUIRenderableFactoryRegistry()["TestPanelRenderable"] = &secondPanelFactory;
}

TEST(RenderableFactories, UnknownNamesFindNothingAndAddNoEntry) {
    std::size_t uiCount = getUIRenderableFactoryRegistry().size();
    std::size_t sceneCount = getRenderableFactoryRegistry().size();
    EXPECT_EQ(findUIRenderableFactory("NoSuchRenderable"), nullptr);
    EXPECT_EQ(findRenderableFactory("NoSuchRenderable"), nullptr);
    EXPECT_EQ(getUIRenderableFactoryRegistry().size(), uiCount);
    EXPECT_EQ(getRenderableFactoryRegistry().size(), sceneCount);
}

} // namespace
