// The UI manager and the front-end render state: renderables made from the render paths file,
// and the update side's queued objects taken over inside the hand-off.
#include <gtest/gtest.h>

#include "app/parameter_description.h"
#include "app/simple_parameter_group.h"
#include "app/thread_resource_pool.h"
#include "app/typed_parameters.h"
#include "render/render_interface.h"
#include "render/render_state_front_end.h"
#include "render/renderable_factory.h"
#include "support/log_capture.h"
#include "ui_render/ui_manager.h"
#include "ui_render/ui_renderable.h"

namespace {

using Events = std::vector<std::string>;
Events events;

class TestBoxAsset : public UIRenderableAsset {
public:
    explicit TestBoxAsset(std::string name) : UIRenderableAsset(std::move(name)) {}
    void addInstance(ParameterManager::ParameterGroupPair* pair, std::uint32_t layer, bool ownType) override {
        events.push_back("add " + pair->typeName + " layer " + std::to_string(layer) + (ownType ? " own" : " other"));
    }
    void removeInstance(RenderInterface::UIObject* object) override { events.push_back("remove " + object->name()); }
    void onLostDevice() override {}
    void onResetDevice() override {}
};

// Draws "test_box" objects; its one path group names its folder.
class TestBoxRenderable : public UIRenderable {
public:
    TestBoxRenderable(ThreadResourcePool* pool, RenderInterface*, UIManager* manager,
                      std::string className = "TestBoxRenderable")
        : UIRenderable(pool, manager, std::move(className)) {}
    void loadAssets() override {
        events.push_back("load " + className() + " " + (paths().empty() ? "" : paths()[0]));
        auto* asset = new TestBoxAsset("test_box");
        assets_.push_back(asset);
        manager_->typeNameMap()["test_box"] = asset;
    }
    void createDeviceResources() override { events.push_back("device " + className()); }
    void unloadAssets() override {}
    void releaseDeviceResources() override {}
    void setUpParamDescriptions(ParameterDescriptionRegistry* registry) override {
        registerParameterDescription(*registry, new ParameterDescription("test_box", renderPool_, true));
    }
    void draw(std::uint32_t) override {}
    void updateInstances() override {}
};

// Accepts no textured rectangle.
class TestPictureRenderable : public TestBoxRenderable {
public:
    TestPictureRenderable(ThreadResourcePool* pool, RenderInterface* renderInterface, UIManager* manager)
        : TestBoxRenderable(pool, renderInterface, manager, "TestPictureRenderable") {}
    void loadAssets() override {}
    void setUpParamDescriptions(ParameterDescriptionRegistry* registry) override {
        registerParameterDescription(*registry, new ParameterDescription("TestPictureRenderable", renderPool_, true));
    }
    bool prepareObject(const std::string&, const std::string& fileName, SimpleParameterGroup*) override {
        events.push_back("prepare " + fileName);
        return false;
    }
};

UIRenderableFactory<TestBoxRenderable> boxFactory("TestBoxRenderable");
UIRenderableFactory<TestPictureRenderable> pictureFactory("TestPictureRenderable");

class UIManagerTest : public ::testing::Test {
protected:
    UIManagerTest()
        : pool_("renderPool"), renderInterface_(&registry_, &pool_, 640, 480, ""), manager_(&pool_, &renderInterface_),
          frontEnd_(&pool_, "frontEndState", nullptr, &registry_, &renderInterface_, &manager_, 640, 480) {
        events.clear();
        renderInterface_.setOwnerThreadId(platform::currentThreadId());
        manager_.loadRenderPaths(&registry_, ZODERUD_TEST_DATA_DIR "/render_paths.xml");
    }

    ParameterDescriptionRegistry registry_;
    ThreadResourcePool pool_;
    RenderInterface renderInterface_;
    UIManager manager_;
    RenderStateFrontEnd frontEnd_;
};

TEST_F(UIManagerTest, MakesOneRenderablePerRegisteredGroupAndLoadsThem) {
    ASSERT_EQ(manager_.renderables().size(), 2u);
    EXPECT_EQ(manager_.renderables().front()->className(), "TestBoxRenderable");
    EXPECT_EQ(manager_.renderables().front()->paths(), std::vector<std::string>{"Data/ui/boxes/"});
    EXPECT_EQ(manager_.renderables().back()->pathGroupName(), "TestPictureRenderable");
    EXPECT_EQ(events, (Events{"load TestBoxRenderable Data/ui/boxes/", "device TestBoxRenderable",
                              "device TestPictureRenderable"}));
    EXPECT_NE(registry_.find("test_box"), nullptr);
    EXPECT_EQ(manager_.createUIRenderable("NotARegisteredRenderable"), nullptr);
}

TEST_F(UIManagerTest, QueuedObjectsAreTakenOverAtProcessPendingObjects) {
    RenderInterface::UIObject* box = renderInterface_.createUIObject("test_box");
    ASSERT_NE(box, nullptr);
    box->setRenderLayer(5);
    renderInterface_.swapFrame();
    // The swap carries parameters only; the queue waits for the render state.
    EXPECT_EQ(renderInterface_.uiObjectsToAdd().size(), 1u);
    events.clear();
    frontEnd_.processPendingObjects();
    EXPECT_EQ(events, Events{"add test_box layer 5 own"});
    EXPECT_TRUE(renderInterface_.uiObjectsToAdd().empty());

    // Deleted at the next hand-off: removed from its asset, its pair handed back for deletion.
    renderInterface_.destroyUIObject(box);
    frontEnd_.processPendingObjects();
    EXPECT_EQ(events, (Events{"add test_box layer 5 own", "remove test_box"}));
    EXPECT_TRUE(renderInterface_.uiObjectsToDelete().empty());
}

TEST_F(UIManagerTest, ObjectMadeAndDeletedInOneCycleIsAttachedThenRemoved) {
    RenderInterface::UIObject* box = renderInterface_.createUIObject("test_box");
    renderInterface_.destroyUIObject(box);
    events.clear();
    frontEnd_.processPendingObjects();
    EXPECT_EQ(events, (Events{"add test_box layer 0 own", "remove test_box"}));
    EXPECT_TRUE(renderInterface_.uiObjectsToAdd().empty());
    EXPECT_TRUE(renderInterface_.uiObjectsToDelete().empty());
}

// More objects than the deletion walk looks ahead, so every step of it runs.
TEST_F(UIManagerTest, ClosingAScreenTakesAllItsObjectsOffInOneHandOff) {
    RenderInterface::UIObject* kept = renderInterface_.createUIObject("test_box");
    std::vector<RenderInterface::UIObject*> screen;
    for (int i = 0; i < 40; ++i) screen.push_back(renderInterface_.createUIObject("test_box"));
    renderInterface_.swapFrame();
    frontEnd_.processPendingObjects();
    ParameterManager* parameters = renderInterface_.parameterManager();
    ASSERT_EQ(parameters->livePairs().size(), 41u);

    // The screen fades as it closes; the object that stays changes in the same cycle.
    for (RenderInterface::UIObject* object : screen) object->setRenderLayer(2);
    kept->setRenderLayer(7);
    ParameterManager::ParameterGroupPair* keptPair = kept->pair();
    for (RenderInterface::UIObject* object : screen) renderInterface_.destroyUIObject(object);
    events.clear();
    renderInterface_.swapFrame();
    frontEnd_.processPendingObjects();
    EXPECT_EQ(events, Events(40, "remove test_box"));
    EXPECT_TRUE(renderInterface_.uiObjectsToDelete().empty());
    const auto* layer = static_cast<UnsignedIntParameter*>(keptPair->renderGroup()->getParameter("render_layer"));
    EXPECT_EQ(layer->value, 7u);

    // The next swap retires the screen's pairs, and the front end's frame after it frees them;
    // the one that stays is still synchronised.
    renderInterface_.swapFrame();
    EXPECT_EQ(parameters->livePairs(), std::vector<ParameterManager::ParameterGroupPair*>{keptPair});
    EXPECT_EQ(parameters->retiredPairs().size(), 40u);
    frontEnd_.update(0.016f);
    EXPECT_TRUE(parameters->retiredPairs().empty());
    kept->setRenderLayer(3);
    renderInterface_.swapFrame();
    EXPECT_EQ(layer->value, 3u);
}

TEST_F(UIManagerTest, RefusedTexturedRectangleIsStillAttachedAsRefused) {
    RenderInterface::UIObject* picture =
        renderInterface_.createTexturedRectObject("TestPictureRenderable", "Data/portraits/", "sir.j.png");
    ASSERT_NE(picture, nullptr);
    manager_.typeNameMap()["tex_rect_sir.j"] = manager_.findAsset("test_box");
    events.clear();
    frontEnd_.processPendingObjects();
    EXPECT_EQ(picture->status(), static_cast<std::uint32_t>(RenderInterface::UIObject::Refused));
    EXPECT_EQ(events, (Events{"prepare sir.j.png", "add TestPictureRenderable layer 0 other"}));
}

TEST_F(UIManagerTest, ShutdownLeavesQueuedDeletionsToTheHandOff) {
    RenderInterface::UIObject* box = renderInterface_.createUIObject("test_box");
    renderInterface_.destroyUIObject(box);
    frontEnd_.shutdown();
    EXPECT_EQ(renderInterface_.uiObjectsToDelete().size(), 1u);
    EXPECT_EQ(renderInterface_.uiObjectsToAdd().size(), 1u);
}

} // namespace
