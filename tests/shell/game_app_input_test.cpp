// Input across the two threads: taps made while an update cycle runs late, render objects made and
// destroyed by key receivers in the hand-off, the clipboard from the update side, and a scene
// change with no render state to load it.
#include <gtest/gtest.h>

#include <SDL.h>
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "app/input_manager.h"
#include "app/os_interface_manager.h"
#include "app/parameter_description.h"
#include "app/parameter_manager.h"
#include "app/recording_state.h"
#include "app/ui_context.h"
#include "app/user_folder_guard.h"
#include "platform/clock.h"
#include "platform/input/clipboard.h"
#include "platform/input/key_codes.h"
#include "render/base_render_state.h"
#include "render/game_render_task.h"
#include "render/render_interface.h"
#include "render/render_state_manager.h"
#include "shell/game_app.h"
#include "support/log_capture.h"
#include "ui_render/ui_manager.h"
#include "ui_render/ui_renderable.h"

namespace {

// The software rasteriser draws on the calling thread (see the lock-step tests).
const bool rasteriserOnCallingThread = [] { return setenv("LP_NUM_THREADS", "0", 0) == 0; }();

// Counts the hand-offs; the count is read on the main thread only.
class CountingGameApp : public GameApp {
public:
    explicit CountingGameApp(GameStateManager::StateFactory firstState)
        : GameApp(320, 240, "", "BRAV Zoderud", std::move(firstState)) {}
    void update(float dt) override {
        ++handOffs;
        GameApp::update(dt);
    }
    int handOffs = 0;
};

// A running state that calls the test's function on every update cycle, on the update thread.
GameStateManager::StateFactory stateCalling(std::function<void(UIContext&)> onCycle) {
    return [onCycle](GameStateManager* owner, ThreadResourcePool*) {
        auto* state = new RecordingState("driven");
        state->setStatus(BaseState::Running);
        UIContext* context = owner->context();
        state->onUpdate = [onCycle, context](float) { onCycle(*context); };
        return state;
    };
}

// Runs frames until `count` more hand-offs happened (or 20 s passed).
void runHandOffs(CountingGameApp& app, int count) {
    const int until = app.handOffs + count;
    const std::uint64_t giveUpAt = platform::millisecondsSinceStart() + 20000;
    while (app.handOffs < until && platform::millisecondsSinceStart() < giveUpAt) app.frame(0.016f, 0.016f);
    ASSERT_EQ(app.handOffs, until);
}

// Hands the queued SDL events to the window's observers (the input devices among them).
void pumpWindow(CountingGameApp& app) {
    platform::WindowMessage message;
    while (app.window()->peekMessage(message)) app.windowProc(message);
}

void pushKey(SDL_Scancode scancode, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.scancode = scancode;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
}

void pushButton(bool down) {
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = SDL_BUTTON_LEFT;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
}

void pushWheel() {
    SDL_Event event{};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.y = 1;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
}

// Receives the input manager's signals; they are raised in the hand-off, on the main thread.
struct InputCounter : sigslot::has_slots<> {
    void onKey(KeyEvent::Data& data) {
        if (data.scanCode != platform::key::Space) return;
        spacePresses += data.action == KeyEvent::Pressed;
        spaceReleases += data.action == KeyEvent::Released;
        if (data.action == KeyEvent::Pressed && onSpace) onSpace();
    }
    void onMove(MouseEvent::Data& data) { wheelTurns += data.wheel != 0.0f; }
    void onButton(MouseEvent::Data& data) { presses += data.button == 0 && data.type == MouseEvent::Press; }

    int spacePresses = 0;
    int spaceReleases = 0;
    int presses = 0;
    int wheelTurns = 0;
    std::function<void()> onSpace;
};

void connect(InputManager& input, InputCounter& counter) {
    input.keySignal.connect(&counter, &InputCounter::onKey);
    input.mouseMoveSignal.connect(&counter, &InputCounter::onMove);
    input.mouseButtonSignal.connect(&counter, &InputCounter::onButton);
}

TEST(GameAppThreads, APressAClickAndAWheelTurnDuringASlowUpdateCycleAreEachDeliveredOnce) {
    UserFolder folder;
    InputCounter counter;
    std::atomic<bool> connected{false};
    std::atomic<bool> holdNextCycle{false};
    std::atomic<bool> holding{false};
    std::atomic<bool> letGo{false};
    {
        CountingGameApp app(stateCalling([&](UIContext& context) {
            if (!connected.exchange(true)) connect(*context.inputManager, counter);
            if (holdNextCycle.exchange(false)) {
                // A slow cycle, as long as the test wants: the main thread's wait times out.
                holding = true;
                const std::uint64_t giveUpAt = platform::millisecondsSinceStart() + 20000;
                while (!letGo && platform::millisecondsSinceStart() < giveUpAt) platform::sleepMilliseconds(1);
            }
        }));
        ASSERT_TRUE(app.setUpSucceeded());
        runHandOffs(app, 3);
        holdNextCycle = true;
        const std::uint64_t giveUpAt = platform::millisecondsSinceStart() + 20000;
        while (!holding && platform::millisecondsSinceStart() < giveUpAt) app.frame(0.016f, 0.016f);
        ASSERT_TRUE(holding.load());

        // Tapped while the update thread is busy: down and up before any hand-off.
        pushKey(SDL_SCANCODE_SPACE, true);
        pushKey(SDL_SCANCODE_SPACE, false);
        pushButton(true);
        pushButton(false);
        pushWheel();
        pumpWindow(app);
        const int handOffsBefore = app.handOffs;
        app.frame(0.016f, 0.016f);
        app.frame(0.016f, 0.016f);
        EXPECT_EQ(app.handOffs, handOffsBefore) << "the held cycle let a hand-off through";
        letGo = true;
        runHandOffs(app, 3);
    }
    EXPECT_EQ(counter.spacePresses, 1);
    EXPECT_EQ(counter.spaceReleases, 1);
    EXPECT_EQ(counter.presses, 1);
    EXPECT_EQ(counter.wheelTurns, 1);
}

// Records what the front end files with, and takes from, the asset that draws "test_box".
class RecordingAsset : public UIRenderableAsset {
public:
    RecordingAsset() : UIRenderableAsset("test_box") {}
    void addInstance(ParameterManager::ParameterGroupPair* pair, std::uint32_t, bool) override {
        added.push_back({pair, *handOffs});
    }
    void removeInstance(RenderInterface::UIObject* object) override { removed.push_back({object->pair(), *handOffs}); }
    void onLostDevice() override {}
    void onResetDevice() override {}

    // The pair, and the hand-off it happened in.
    std::vector<std::pair<ParameterManager::ParameterGroupPair*, int>> added;
    std::vector<std::pair<ParameterManager::ParameterGroupPair*, int>> removed;
    const int* handOffs = nullptr;
};

TEST(GameAppThreads, AKeyReceiverCreatesAndDestroysObjectsThatTakeEffectInThatHandOff) {
    UserFolder folder;
    InputCounter counter;
    RecordingAsset asset;
    std::atomic<bool> started{false};
    std::atomic<RenderInterface::UIObject*> first{nullptr};
    RenderInterface::UIObject* made = nullptr;
    int keyHandOff = -1;
    {
        CountingGameApp app(stateCalling([&](UIContext& context) {
            if (started.exchange(true)) return;
            RenderInterface* renderInterface = context.renderInterface;
            ParameterDescriptionRegistry* registry = renderInterface->parameterManager()->getRegistry();
            registerParameterDescription(*registry, new ParameterDescription("test_box", nullptr, true));
            first = renderInterface->createUIObject("test_box");
            // A dialog closed by a key: its receiver removes one object and shows another.
            counter.onSpace = [&, renderInterface] {
                keyHandOff = app.handOffs;
                made = renderInterface->createUIObject("test_box");
                renderInterface->destroyUIObject(first.load());
            };
            connect(*context.inputManager, counter);
        }));
        ASSERT_TRUE(app.setUpSucceeded());
        asset.handOffs = &app.handOffs;
        // The program's UI drawing is its UI manager.
        auto* uiManager = dynamic_cast<UIManager*>(app.renderTask()->uiManager());
        ASSERT_NE(uiManager, nullptr);
        uiManager->typeNameMap()["test_box"] = &asset;
        runHandOffs(app, 3);
        ASSERT_NE(first.load(), nullptr);
        ASSERT_EQ(asset.added.size(), 1u);
        ParameterManager::ParameterGroupPair* firstPair = first.load()->pair();
        EXPECT_EQ(asset.added[0].first, firstPair);

        pushKey(SDL_SCANCODE_SPACE, true);
        pumpWindow(app);
        runHandOffs(app, 1);
        ASSERT_NE(made, nullptr) << "the receiver's creation was refused";
        EXPECT_EQ(keyHandOff, app.handOffs);
        ASSERT_EQ(asset.added.size(), 2u);
        EXPECT_EQ(asset.added[1], std::make_pair(made->pair(), keyHandOff));
        ASSERT_EQ(asset.removed.size(), 1u);
        EXPECT_EQ(asset.removed[0], std::make_pair(firstPair, keyHandOff));
        EXPECT_TRUE(app.renderInterface()->uiObjectsToDelete().empty());
        EXPECT_TRUE(app.renderInterface()->uiObjectsToAdd().empty());

        // The next hand-off retires the destroyed object's parameters, and the frame drawn after
        // it frees them; the new one's are live.
        runHandOffs(app, 1);
        const auto& live = app.renderInterface()->parameterManager()->livePairs();
        EXPECT_NE(std::find(live.begin(), live.end(), made->pair()), live.end());
        EXPECT_EQ(std::find(live.begin(), live.end(), firstPair), live.end());
        EXPECT_TRUE(app.renderInterface()->parameterManager()->retiredPairs().empty());
        uiManager->typeNameMap().erase("test_box");
    }
}

// The main thread frees a closed screen's parameters while the update thread runs its next cycle,
// which makes the next screen (under ThreadSanitizer this is the test of that overlap).
TEST(GameAppThreads, ScreensClosedEveryCycleAreFreedWhileTheUpdateThreadMakesTheNext) {
    UserFolder folder;
    constexpr int screenSize = 300;
    std::vector<RenderInterface::UIObject*> screen;
    std::atomic<int> cycles{0};
    {
        CountingGameApp app(stateCalling([&](UIContext& context) {
            RenderInterface* renderInterface = context.renderInterface;
            if (cycles++ == 0) {
                registerParameterDescription(*renderInterface->parameterManager()->getRegistry(),
                                             new ParameterDescription("test_box", nullptr, true));
            }
            for (RenderInterface::UIObject* object : screen) renderInterface->destroyUIObject(object);
            screen.clear();
            for (int i = 0; i < screenSize; ++i) {
                RenderInterface::UIObject* object = renderInterface->createUIObject("test_box");
                object->setRenderLayer(static_cast<std::uint32_t>(i % 4));
                screen.push_back(object);
            }
        }));
        ASSERT_TRUE(app.setUpSucceeded());
        runHandOffs(app, 12);
        ParameterManager* parameters = app.renderInterface()->parameterManager();
        EXPECT_TRUE(parameters->retiredPairs().empty());
        // Each cycle's screen, and the ones of the cycle before still queued, no more: the closed
        // screens' pairs went.
        EXPECT_LE(parameters->livePairs().size(), 2u * screenSize + 50u);
        EXPECT_GE(cycles.load(), 10);
    }
}

TEST(GameAppThreads, PasteAndCopyOnTheUpdateSideGoThroughTheMainThread) {
    UserFolder folder;
    std::mutex mutex;
    std::vector<std::string> pasted;
    std::atomic<bool> copyNext{false};
    {
        CountingGameApp app(stateCalling([&](UIContext& context) {
            std::string text = context.osInterface->getClipboardText();
            if (copyNext.exchange(false)) context.osInterface->setClipboardText("copied \x80");
            std::lock_guard<std::mutex> lock(mutex);
            pasted.push_back(std::move(text));
        }));
        ASSERT_TRUE(app.setUpSucceeded());
        // Another program copies.
        ASSERT_EQ(SDL_SetClipboardText("caf\xC3\xA9"), 0) << SDL_GetError();
        SDL_Event update{};
        update.type = SDL_CLIPBOARDUPDATE;
        ASSERT_EQ(SDL_PushEvent(&update), 1);
        pumpWindow(app);
        runHandOffs(app, 3);
        {
            std::lock_guard<std::mutex> lock(mutex);
            ASSERT_FALSE(pasted.empty());
            EXPECT_EQ(pasted.back(), "caf\xE9");
        }

        copyNext = true;
        runHandOffs(app, 3);
        EXPECT_EQ(platform::clipboardText(), "copied \x80");
        char* utf8 = SDL_GetClipboardText();
        EXPECT_STREQ(utf8, "copied \xE2\x82\xAC");
        SDL_free(utf8);
        std::lock_guard<std::mutex> lock(mutex);
        EXPECT_EQ(pasted.back(), "copied \x80");
    }
}

TEST(GameAppThreads, ASceneChangeWithNoRenderStateToLoadItIsRefusedAndDeletionsKeepDraining) {
    UserFolder folder;
    LogCapture log;
    std::atomic<int> step{0};
    std::atomic<RenderInterface::UIObject*> object{nullptr};
    std::atomic<ParameterManager::ParameterGroupPair*> objectPair{nullptr};
    {
        CountingGameApp app(stateCalling([&](UIContext& context) {
            RenderInterface* renderInterface = context.renderInterface;
            switch (step.load()) {
            case 0:
                registerParameterDescription(*renderInterface->parameterManager()->getRegistry(),
                                             new ParameterDescription("test_box", nullptr, true));
                object = renderInterface->createUIObject("test_box");
                ++step;
                break;
            case 1:
                // Asked for once the front end runs, as a game state would.
                if (renderInterface->renderStateStatusForUpdate() != BaseState::Running) break;
                renderInterface->requestSceneChange("Data\\graphics\\render_paths.xml");
                ++step;
                break;
            case 2:
                objectPair = object.load()->pair();
                renderInterface->destroyUIObject(object.load());
                ++step;
                break;
            default: break;
            }
        }));
        ASSERT_TRUE(app.setUpSucceeded());
        RenderStateManager* manager = app.renderTask()->renderStateManager();
        // A front end with no scene state to hand over to.
        manager->current()->setNext(nullptr);
        const std::uint64_t giveUpAt = platform::millisecondsSinceStart() + 20000;
        while (step < 3 && platform::millisecondsSinceStart() < giveUpAt) app.frame(0.016f, 0.016f);
        ASSERT_EQ(step.load(), 3);
        runHandOffs(app, 3);
        EXPECT_EQ(manager->current()->status(), static_cast<std::uint32_t>(BaseState::Running));
        EXPECT_EQ(manager->handOffTarget(), manager->current());
        EXPECT_TRUE(app.renderInterface()->uiObjectsToDelete().empty());
        // Only the test's own object is gone: the program's pointer lives on.
        ASSERT_NE(objectPair.load(), nullptr);
        const auto& live = app.renderInterface()->parameterManager()->livePairs();
        EXPECT_EQ(std::find(live.begin(), live.end(), objectPair.load()), live.end());
    }
    // Read once the update thread, which logs too, has ended.
    EXPECT_TRUE(log.contains("Scene change to Data\\graphics\\render_paths.xml refused"));
}

} // namespace
