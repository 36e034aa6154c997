// The render-state manager: the front end's walk to running, what it publishes, the hand-off
// target, and a scene change there and back through loading, unloading and the hand-over.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/parameter_description.h"
#include "app/thread_resource_pool.h"
#include "render/base_render_state.h"
#include "render/render_interface.h"
#include "render/render_state_manager.h"
#include "support/log_capture.h"

namespace {

TEST(RenderStateManager, FrontEndLoadsAndEntersInConsecutiveFramesAndPublishesEachStep) {
    ThreadResourcePool pool("renderPool");
    ParameterDescriptionRegistry registry;
    RenderInterface renderInterface(&registry, &pool, 640, 480, "");
    RenderStateManager manager(&pool, &registry, &renderInterface, nullptr, 640, 480);
    manager.createStates();
    ASSERT_NE(manager.current(), nullptr);
    EXPECT_EQ(manager.current()->name(), "frontEndState");
    EXPECT_EQ(renderInterface.renderStateName(), "frontEndState");
    ASSERT_NE(manager.current()->next(), nullptr);
    EXPECT_EQ(manager.current()->next()->name(), "tacticalBattleState");
    EXPECT_EQ(manager.current()->next()->next(), manager.current()) << "the scene state links the front end";
    EXPECT_EQ(manager.current()->next()->status(), static_cast<std::uint32_t>(BaseState::LoadRequested));

    const std::uint32_t walk[] = {1, 4, 6, 7, 7};
    for (std::uint32_t expected : walk) {
        EXPECT_TRUE(manager.update(0.016f));
        EXPECT_EQ(manager.current()->status(), expected);
        EXPECT_EQ(renderInterface.publishedRenderStateStatus(), expected);
        renderInterface.swapFrame();
        EXPECT_EQ(renderInterface.renderStateStatusForUpdate(), expected);
    }
    EXPECT_EQ(manager.handOffTarget(), manager.current());

    manager.setScreenSize(800, 600);
    EXPECT_EQ(manager.width(), 800u);

    // At the end the front end unloads at once.
    manager.current()->unloadData();
    EXPECT_EQ(manager.current()->status(), static_cast<std::uint32_t>(BaseState::Unloaded));
    manager.clearStates();
}

// A scene state whose load and unload finish when the test says so.
class ScriptedSceneState : public BaseRenderState {
public:
    ScriptedSceneState() : BaseRenderState("tacticalBattleState") {}

    void enter() override { record("enter"), setStatus(Running); }
    void loadData() override { record("loadData"), setStatus(Loading); }
    void unloadData() override { record("unloadData"), setStatus(Unloading); }
    void onLoadFinished() override {
        record("onLoadFinished");
        if (workerDone) setStatus(FinishingOnRenderThread);
    }
    void continueUnload() override {
        record("continueUnload");
        if (unloadDone) setStatus(Unloaded);
    }
    void linkNextState() override {}
    void shutdown() override { record("shutdown"); }
    void update(float) override { record("update"); }
    void updateWhileLinked(float) override { record("updateWhileLinked"); }
    void setSceneName(const std::string& name) override { sceneName = name; }
    void onLostDevice() override {}
    void onResetDevice() override {}
    void beforeFrameSwap() override {}
    void processPendingObjects() override {}
    // Waits (3) for the scene's content, then is loaded (4).
    void finishLoad() override {
        record("finishLoad");
        setStatus(contentReady ? Loaded : WaitingForSceneContent);
    }
    void setScreenSize(std::uint32_t, std::uint32_t) override {}

    std::vector<std::string> takeCalls() { return std::exchange(calls, {}); }

    bool workerDone = false;
    bool contentReady = false;
    bool unloadDone = false;
    std::string sceneName;

private:
    void record(const char* call) { calls.push_back(call); }
    std::vector<std::string> calls;
};

// The manager with the scene state in its list before the states are made and linked.
class ManagerWithScene : public RenderStateManager {
public:
    ManagerWithScene(ThreadResourcePool* pool, ParameterDescriptionRegistry* registry, RenderInterface* renderInterface,
                     ScriptedSceneState* scene)
        : RenderStateManager(pool, registry, renderInterface, nullptr, 640, 480) {
        states_.push_back(scene);
    }
};

struct SceneChangeTest : ::testing::Test {
    SceneChangeTest() {
        scene->setNext(nullptr);
        manager.createStates();
        frontEnd = manager.current();
        // The scene links back to the front end, as the game state does.
        scene->setNext(frontEnd);
        for (int i = 0; i < 4; ++i) frame();
    }
    ~SceneChangeTest() override { manager.clearStates(); }

    // One frame: the hand-off's swap, then the manager's update.
    void frame() {
        renderInterface.swapFrame();
        manager.update(0.016f);
    }
    // What the update side reads after the next swap.
    std::uint32_t publishedToUpdateSide() {
        renderInterface.swapFrame();
        return renderInterface.renderStateStatusForUpdate();
    }

    ThreadResourcePool pool{"renderPool"};
    ParameterDescriptionRegistry registry;
    RenderInterface renderInterface{&registry, &pool, 640, 480, ""};
    ScriptedSceneState* scene = new ScriptedSceneState;
    ManagerWithScene manager{&pool, &registry, &renderInterface, scene};
    BaseRenderState* frontEnd = nullptr;
};

TEST_F(SceneChangeTest, TheSceneLoadsBehindTheFrontEndAndTakesOverOnlyWhenTheUpdateSideAllows) {
    ASSERT_EQ(frontEnd->name(), "frontEndState");
    ASSERT_EQ(frontEnd->next(), scene);
    ASSERT_EQ(frontEnd->status(), static_cast<std::uint32_t>(BaseState::Running));

    ASSERT_TRUE(manager.changeScene("Data/scenes/keep.xml"));
    EXPECT_EQ(scene->sceneName, "Data/scenes/keep.xml");
    EXPECT_EQ(frontEnd->status(), static_cast<std::uint32_t>(BaseState::RunningWhileNextLoads));
    EXPECT_EQ(manager.handOffTarget(), scene) << "the loading state takes the queued objects";
    EXPECT_FALSE(manager.changeScene("Data/scenes/other.xml")) << "only a running state changes scene";

    // Status 8: the front end draws while the scene's worker loads; 8 is published.
    frame();
    EXPECT_EQ(scene->takeCalls(), (std::vector<std::string>{"loadData"}));
    EXPECT_EQ(publishedToUpdateSide(), 8u);
    frame();
    frame();
    EXPECT_EQ(scene->takeCalls(), (std::vector<std::string>{"onLoadFinished", "onLoadFinished"}));
    scene->workerDone = true;
    frame();
    frame();
    EXPECT_EQ(scene->takeCalls(), (std::vector<std::string>{"onLoadFinished", "finishLoad"}));
    // Waiting for the scene's content: 3 is published in place of 8.
    EXPECT_EQ(scene->status(), static_cast<std::uint32_t>(BaseState::WaitingForSceneContent));
    EXPECT_EQ(publishedToUpdateSide(), 3u);
    frame();
    EXPECT_EQ(scene->takeCalls(), (std::vector<std::string>{"finishLoad"}));
    EXPECT_EQ(publishedToUpdateSide(), 3u);
    scene->contentReady = true;
    frame();
    EXPECT_EQ(scene->status(), static_cast<std::uint32_t>(BaseState::Loaded));
    EXPECT_EQ(publishedToUpdateSide(), 8u);

    // Loaded: the front end unloads at once (status 10) and waits for the update side.
    frame();
    EXPECT_EQ(frontEnd->status(), static_cast<std::uint32_t>(BaseState::Unloaded));
    EXPECT_EQ(publishedToUpdateSide(), 10u);
    for (int i = 0; i < 5; ++i) frame();
    EXPECT_EQ(manager.current(), frontEnd) << "handed over without the update side's leave";
    EXPECT_EQ(renderInterface.renderStateNameForUpdate(), "frontEndState");

    renderInterface.setHandOverAllowed(true);
    frame();
    EXPECT_EQ(manager.current(), scene);
    EXPECT_EQ(manager.previous(), frontEnd);
    EXPECT_EQ(frontEnd->status(), static_cast<std::uint32_t>(BaseState::LoadRequested));
    EXPECT_EQ(publishedToUpdateSide(), 4u);
    EXPECT_EQ(renderInterface.renderStateNameForUpdate(), "tacticalBattleState");
    frame();
    frame();
    EXPECT_EQ(scene->status(), static_cast<std::uint32_t>(BaseState::Running));
    EXPECT_EQ(publishedToUpdateSide(), 7u);
    scene->takeCalls();

    // Back to the front end: the scene unloads over several frames (status 9) before it hands over.
    renderInterface.setHandOverAllowed(false);
    renderInterface.swapFrame();
    ASSERT_TRUE(manager.changeScene("Data/scenes/menu.xml"));
    frame(); // front end: load
    frame(); // front end: loaded
    frame(); // front end loaded: the scene starts unloading
    EXPECT_EQ(scene->status(), static_cast<std::uint32_t>(BaseState::Unloading));
    EXPECT_EQ(publishedToUpdateSide(), 9u);
    frame();
    frame();
    EXPECT_EQ(scene->status(), static_cast<std::uint32_t>(BaseState::Unloading));
    scene->unloadDone = true;
    frame();
    EXPECT_EQ(scene->status(), static_cast<std::uint32_t>(BaseState::Unloaded));
    EXPECT_EQ(scene->takeCalls(),
              (std::vector<std::string>{"updateWhileLinked", "updateWhileLinked", "updateWhileLinked", "unloadData",
                                        "continueUnload", "continueUnload", "continueUnload", "continueUnload"}));
    frame();
    EXPECT_EQ(manager.current(), scene);
    renderInterface.setHandOverAllowed(true);
    frame();
    EXPECT_EQ(manager.current(), frontEnd);
    EXPECT_EQ(scene->takeCalls(), (std::vector<std::string>{"shutdown"}));
    frame();
    frame();
    EXPECT_EQ(frontEnd->status(), static_cast<std::uint32_t>(BaseState::Running));
}

TEST(RenderStateManager, ASceneChangeWithNoStateToLoadItIsRefusedAndTheFrontEndKeepsTakingObjects) {
    ThreadResourcePool pool("renderPool");
    ParameterDescriptionRegistry registry;
    registerParameterDescription(registry, new ParameterDescription("ui_box", &pool, true));
    RenderInterface renderInterface(&registry, &pool, 640, 480, "");
    renderInterface.setOwnerThreadId(platform::currentThreadId());
    RenderStateManager manager(&pool, &registry, &renderInterface, nullptr, 640, 480);
    manager.createStates();
    // A front end with no scene state to hand over to.
    manager.current()->setNext(nullptr);
    for (int i = 0; i < 4; ++i) manager.update(0.016f);
    ASSERT_EQ(manager.current()->status(), static_cast<std::uint32_t>(BaseState::Running));

    LogCapture log;
    EXPECT_FALSE(manager.changeScene("Data/scenes/keep.xml"));
    EXPECT_TRUE(log.contains("Scene change to Data/scenes/keep.xml refused"));
    EXPECT_EQ(manager.current()->status(), static_cast<std::uint32_t>(BaseState::Running));

    RenderInterface::UIObject* object = renderInterface.createUIObject("ui_box");
    ASSERT_NE(object, nullptr);
    ASSERT_EQ(manager.handOffTarget(), manager.current());
    manager.handOffTarget()->processPendingObjects();
    renderInterface.destroyUIObject(object);
    manager.handOffTarget()->processPendingObjects();
    EXPECT_TRUE(renderInterface.uiObjectsToDelete().empty());
    manager.clearStates();
}

} // namespace
