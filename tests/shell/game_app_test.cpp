// The application's two threads: lock-step hand-off, a slow update cycle, and closing the window.
#include <gtest/gtest.h>

#include <SDL.h>
#include <atomic>
#include <functional>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <mutex>
#include <thread>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include "app/parameter_description.h"
#include "app/parameter_manager.h"
#include "app/recording_state.h"
#include "app/ui_context.h"
#include "app/user_folder_guard.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "render/base_render_state.h"
#include "render/device_global.h"
#include "render/game_render_task.h"
#include "render/render_interface.h"
#include "render/render_state_front_end.h"
#include "render/render_state_manager.h"
#include "shell/game_app.h"
#include "shell/update_thread.h"

namespace {

// The software rasteriser draws on the calling thread: its own worker threads would only add
// noise to the thread checks of these tests (they are uninstrumented driver code).
const bool rasteriserOnCallingThread = [] { return setenv("LP_NUM_THREADS", "0", 0) == 0; }();

// Records, in order, every update cycle ('U') and every hand-off ('H'), and notices when the two
// ever overlap.
struct Timeline {
    std::atomic<bool> inUpdate{false};
    std::atomic<bool> inHandOff{false};
    std::atomic<int> overlaps{0};
    std::mutex mutex;
    std::string events;

    void add(char event) {
        std::lock_guard<std::mutex> lock(mutex);
        events.push_back(event);
    }
    std::string snapshot() {
        std::lock_guard<std::mutex> lock(mutex);
        return events;
    }
    std::size_t count(char event) {
        std::string all = snapshot();
        return static_cast<std::size_t>(std::count(all.begin(), all.end(), event));
    }
};

class ObservedGameApp : public GameApp {
public:
    ObservedGameApp(Timeline& timeline, GameStateManager::StateFactory firstState)
        : GameApp(320, 240, "", "BRAV Zoderud", std::move(firstState)), timeline_(timeline) {}

    void update(float dt) override {
        timeline_.inHandOff = true;
        if (timeline_.inUpdate) ++timeline_.overlaps;
        timeline_.add('H');
        GameApp::update(dt);
        if (timeline_.inUpdate) ++timeline_.overlaps;
        timeline_.inHandOff = false;
    }

private:
    Timeline& timeline_;
};

// A running state whose every update marks the timeline; cycle number slowCycle lasts until the
// test sets slowCycleGate.
GameStateManager::StateFactory observingState(Timeline& timeline, RecordingState*& made, int slowCycle = -1,
                                              platform::Event* slowCycleGate = nullptr) {
    return [&timeline, &made, slowCycle, slowCycleGate](GameStateManager*, ThreadResourcePool*) {
        auto* state = new RecordingState("observed");
        state->setStatus(BaseState::Running);
        auto cycles = std::make_shared<int>(0);
        state->onUpdate = [&timeline, cycles, slowCycle, slowCycleGate, state](float) {
            timeline.inUpdate = true;
            if (timeline.inHandOff) ++timeline.overlaps;
            if ((*cycles)++ == slowCycle && slowCycleGate) slowCycleGate->wait(60000);
            if (state->quitRequested) state->setStatus(BaseState::Quit);
            if (timeline.inHandOff) ++timeline.overlaps;
            timeline.add('U');
            timeline.inUpdate = false;
        };
        made = state;
        return state;
    };
}

// Runs frames until the given number of hand-offs happened (or 30 s passed).
void runHandOffs(ObservedGameApp& app, Timeline& timeline, std::size_t handOffs) {
    std::uint64_t giveUpAt = platform::millisecondsSinceStart() + 30000;
    while (timeline.count('H') < handOffs && platform::millisecondsSinceStart() < giveUpAt) app.frame(0.016f, 0.016f);
}

// No update cycle overlapped a hand-off; every hand-off follows exactly one finished update
// cycle, and the next cycle follows the hand-off.
void expectLockStep(Timeline& timeline) {
    EXPECT_EQ(timeline.overlaps.load(), 0);
    const std::string events = timeline.snapshot();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events[0], 'U') << "the first update runs before any hand-off";
    for (std::size_t i = 1; i < events.size(); ++i) {
        ASSERT_NE(events[i], events[i - 1]) << "at " << i << ": " << events.substr(i > 10 ? i - 10 : 0, 20);
    }
}

TEST(GameAppThreads, UpdateAndHandOffNeverOverlapOver500Frames) {
    UserFolder folder;
    Timeline timeline;
    RecordingState* state = nullptr;
    {
        ObservedGameApp app(timeline, observingState(timeline, state));
        ASSERT_TRUE(app.setUpSucceeded());
        runHandOffs(app, timeline, 500);
        EXPECT_EQ(timeline.count('H'), 500u);
    }
    expectLockStep(timeline);
}

TEST(GameAppThreads, SlowUpdateSkipsTheFrameWithoutDoubleHandOff) {
    UserFolder folder;
    Timeline timeline;
    RecordingState* state = nullptr;
    platform::Event slowCycleGate;
    {
        ObservedGameApp app(timeline, observingState(timeline, state, 20, &slowCycleGate));
        ASSERT_TRUE(app.setUpSucceeded());
        runHandOffs(app, timeline, 20);
        // The 21st cycle lasts until the test ends it: frames meanwhile find no finished cycle
        // within their 90 ms wait and neither hand off nor draw.
        for (int frame = 0; frame < 2; ++frame) {
            app.frame(0.016f, 0.016f);
            EXPECT_EQ(timeline.count('H'), 20u) << "frame " << frame << " handed off during the slow cycle";
        }
        slowCycleGate.set();
        // A later frame hands off once for that cycle.
        runHandOffs(app, timeline, 21);
        EXPECT_EQ(timeline.count('H'), 21u);
    }
    expectLockStep(timeline);
}

TEST(GameAppThreads, CloseOnlyAsksTheStateWhichEndsTheProgram) {
    UserFolder folder;
    Timeline timeline;
    RecordingState* state = nullptr;
    std::atomic<bool> stateAgreesToQuit{false};
    std::atomic<platform::ThreadId> requestQuitThread{0};
    std::vector<std::string> callsAtDeletion;
    int status = -1;
    platform::ThreadId updateThread = 0;
    {
        ObservedGameApp app(timeline, [&](GameStateManager* owner, ThreadResourcePool* pool) {
            BaseState* made = observingState(timeline, state)(owner, pool);
            RecordingState* observed = state;
            observed->onRequestQuit = [&] { requestQuitThread = platform::currentThreadId(); };
            // The state decides: it quits only once the test lets it.
            auto marking = observed->onUpdate;
            observed->onUpdate = [&, marking, observed](float dt) {
                observed->quitRequested = observed->quitRequested && stateAgreesToQuit;
                marking(dt);
            };
            observed->onDestroyed = [&callsAtDeletion, observed](const std::string&) { callsAtDeletion = observed->calls(); };
            return made;
        });
        ASSERT_TRUE(app.setUpSucceeded());
        runHandOffs(app, timeline, 3);

        // The window's close button: its message reaches the application, which only passes the
        // request on; the state is asked on the update thread and keeps running.
        app.window()->requestClose();
        platform::WindowMessage message;
        while (app.window()->peekMessage(message)) app.windowProc(message);
        runHandOffs(app, timeline, 8);
        updateThread = app.updateThreadId();
        EXPECT_EQ(requestQuitThread.load(), updateThread);
        EXPECT_EQ(state->status(), static_cast<std::uint32_t>(BaseState::Running));
        std::vector<std::string> calls = state->calls();
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "requestQuit"), 1);

        // Once the state agrees, a second close ends the loop through status 11.
        stateAgreesToQuit = true;
        app.window()->requestClose();
        status = app.run();
    }
    EXPECT_EQ(status, 0);
    EXPECT_EQ(timeline.overlaps.load(), 0);
    // After the loop the update thread unloads the current state, shuts it down, then deletes it.
    ASSERT_GE(callsAtDeletion.size(), 2u);
    std::vector<std::string> tail(callsAtDeletion.end() - 2, callsAtDeletion.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"unloadData", "shutdown"}));
}

TEST(GameAppSetUp, WithoutAWindowTheMessageIsShownAndTheExitStatusIsAFailure) {
    UserFolder folder;
    // Each test runs in its own process, so the video system is not up yet and fails to start.
    setenv("SDL_VIDEODRIVER", "no_such_driver", 1);
    platform::recordMessageBoxes(true);
    {
        GameApp app(320, 240, "", "BRAV Zoderud");
        if (app.setUpSucceeded()) GTEST_SKIP() << "the video system was already running in this process";
        EXPECT_EQ(app.run(), 1);
    }
    auto shown = platform::takeRecordedMessageBoxes();
    platform::recordMessageBoxes(false);
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].second, "CreateWindow FAILED");
}

TEST(GameAppSetUp, WithoutOpenGL33TheMessageIsShownAndTheExitStatusIsAFailure) {
    UserFolder folder;
    // Mesa then offers no 3.3 core context. Each test runs in its own process, so the driver has
    // not read its settings yet.
    setenv("MESA_GL_VERSION_OVERRIDE", "3.2", 1);
    platform::recordMessageBoxes(true);
    int status = -1;
    {
#if defined(__SANITIZE_ADDRESS__)
        // The driver keeps what it allocated for the context it refused.
        __lsan::ScopedDisabler driverAllocations;
#endif
        GameApp app(320, 240, "", "BRAV Zoderud");
        if (deviceGlobal) {
            unsetenv("MESA_GL_VERSION_OVERRIDE");
            platform::recordMessageBoxes(false);
            GTEST_SKIP() << "the driver ignores the version override or was already loaded";
        }
        ASSERT_FALSE(app.setUpSucceeded()) << "no drawing device, yet the program would run";
        status = app.run();
    }
    auto shown = platform::takeRecordedMessageBoxes();
    platform::recordMessageBoxes(false);
    unsetenv("MESA_GL_VERSION_OVERRIDE");
    EXPECT_EQ(status, 1);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].second, "CreateDevice FAILED");
}

TEST(GameAppSetUp, WithoutADisplayTheProgramSaysSoAndWritesNothing) {
    namespace fs = std::filesystem;
    UserFolder folder;
    fs::path home = fs::path(std::getenv("XDG_DATA_HOME")) / "home";
    fs::path data = fs::path(std::getenv("XDG_DATA_HOME")) / "data";
    fs::create_directories(home);
    fs::create_directories(data);
    fs::path errors = fs::path(std::getenv("XDG_DATA_HOME")) / "stderr.txt";
    // A clean environment: no DISPLAY, no WAYLAND_DISPLAY, no SDL_VIDEODRIVER. Without the check
    // the program would draw off screen for ever.
    std::string command = "env -i PATH=/usr/bin:/bin HOME='" + home.string() + "' XDG_DATA_HOME='" + data.string() +
                          "' ASAN_OPTIONS=detect_leaks=1 timeout 60 '" ZODERUD_PROGRAM "' 2>'" + errors.string() + "'";
    int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 1);
    std::ifstream in(errors);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(),
              "No display found: BRAV Zoderud needs an X11 or Wayland session (DISPLAY or WAYLAND_DISPLAY is not "
              "set).\n");
    EXPECT_TRUE(fs::is_empty(home)) << "nothing is written to the home folder";
    EXPECT_TRUE(fs::is_empty(data)) << "no settings are written";
}

// Runs frames until the front end is running and then until three frames in a row presented
// nothing: what start-up showed is drawn.
void settle(ObservedGameApp& app) {
    RenderStateManager* manager = app.renderTask()->renderStateManager();
    const std::uint64_t giveUpAt = platform::millisecondsSinceStart() + 30000;
    int quiet = 0;
    while (quiet < 3 && platform::millisecondsSinceStart() < giveUpAt) {
        const std::uint64_t before = deviceGlobal->presentCount();
        app.frame(0.016f, 0.016f);
        const bool running = manager->current()->status() == BaseState::Running;
        quiet = running && deviceGlobal->presentCount() == before ? quiet + 1 : 0;
    }
    ASSERT_EQ(quiet, 3) << "the screen never became still";
}

std::uint32_t backBufferPixel(std::size_t at) {
    gfx::Surface* backBuffer = nullptr;
    std::vector<std::uint32_t> pixels;
    if (gfx::succeeded(deviceGlobal->getBackBuffer(&backBuffer))) {
        deviceGlobal->readSurface(backBuffer, pixels);
        backBuffer->release();
    }
    return at < pixels.size() ? pixels[at] : 0u;
}

void pushWindowEvent(const GameApp& app, std::uint8_t which) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = app.window()->windowId();
    event.window.event = which;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
}

TEST(GameAppFrames, AStillScreenIsNotPresentedUntilTheWindowNeedsItsPictureAgain) {
    UserFolder folder;
    Timeline timeline;
    RecordingState* state = nullptr;
    ObservedGameApp app(timeline, observingState(timeline, state));
    ASSERT_TRUE(app.setUpSucceeded());
    settle(app);
    constexpr std::uint32_t marker = 0xFF2468ACu;
    const struct {
        const char* what;
        std::function<void()> cause;
    } cases[] = {
        {"uncovered", [&] { pushWindowEvent(app, SDL_WINDOWEVENT_EXPOSED); }},
        {"shown", [&] { pushWindowEvent(app, SDL_WINDOWEVENT_SHOWN); }},
        {"restored", [&] { pushWindowEvent(app, SDL_WINDOWEVENT_RESTORED); }},
        {"resized", [&] { pushWindowEvent(app, SDL_WINDOWEVENT_RESIZED); }},
        {"device lost and reset", [&] { deviceGlobal->simulateDeviceLoss(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // Painted over: a frame drawn would clear it to black.
        ASSERT_TRUE(gfx::succeeded(deviceGlobal->clear(gfx::Clear::Target, marker, 1.0f, 0)));
        const std::uint64_t presents = deviceGlobal->presentCount();
        const std::size_t cycles = timeline.count('U');
        runHandOffs(app, timeline, timeline.count('H') + 30);
        EXPECT_EQ(deviceGlobal->presentCount(), presents) << "a still screen was presented";
        // The cycle the last hand-off released may still run.
        EXPECT_GE(timeline.count('U'), cycles + 29) << "the update cycles stopped";
        EXPECT_EQ(backBufferPixel(0), marker);

        c.cause();
        platform::WindowMessage message;
        while (app.window()->peekMessage(message)) app.windowProc(message);
        // A lost device skips one frame before it is reset.
        for (int frame = 0; frame < 3 && deviceGlobal->presentCount() == presents; ++frame) app.frame(0.016f, 0.016f);
        EXPECT_GT(deviceGlobal->presentCount(), presents) << "the picture was not drawn again";
        EXPECT_EQ(backBufferPixel(0), 0xFF000000u);
        settle(app);
    }
}

TEST(GameAppFrames, FrontEndClearsToBlackAndPresentsEachFrame) {
    UserFolder folder;
    Timeline timeline;
    RecordingState* state = nullptr;
    // The test switch: every frame is drawn even when it shows nothing new.
    RenderStateFrontEnd::setDrawEveryFrame(true);
    struct Restore {
        ~Restore() { RenderStateFrontEnd::setDrawEveryFrame(false); }
    } restore;
    ObservedGameApp app(timeline, observingState(timeline, state));
    ASSERT_TRUE(app.setUpSucceeded());
    RenderStateManager* manager = app.renderTask()->renderStateManager();
    std::uint64_t giveUpAt = platform::millisecondsSinceStart() + 30000;
    while (manager->current()->status() != BaseState::Running && platform::millisecondsSinceStart() < giveUpAt) {
        app.frame(0.016f, 0.016f);
    }
    ASSERT_EQ(manager->current()->status(), static_cast<std::uint32_t>(BaseState::Running));

    // Paint the back buffer, then let one frame be drawn: with no UI object it is all black.
    ASSERT_TRUE(gfx::succeeded(deviceGlobal->clear(gfx::Clear::Target, 0xFFFF0000, 1.0f, 0)));
    std::size_t handOffs = timeline.count('H');
    const std::uint64_t presents = deviceGlobal->presentCount();
    while (timeline.count('H') == handOffs && platform::millisecondsSinceStart() < giveUpAt) app.frame(0.016f, 0.016f);
    EXPECT_EQ(deviceGlobal->presentCount(), presents + 1);
    gfx::Surface* backBuffer = nullptr;
    ASSERT_TRUE(gfx::succeeded(deviceGlobal->getBackBuffer(&backBuffer)));
    std::vector<std::uint32_t> pixels;
    ASSERT_TRUE(gfx::succeeded(deviceGlobal->readSurface(backBuffer, pixels)));
    backBuffer->release();
    // The back buffer has the configured resolution, which the first frames applied.
    const RenderSettings& settings = app.renderInterface()->renderSettings();
    ASSERT_EQ(pixels.size(), std::size_t{settings.width} * settings.height);
    for (std::size_t at : {std::size_t{0}, pixels.size() / 2 + settings.width / 2, pixels.size() - 1}) {
        EXPECT_EQ(pixels[at], 0xFF000000u) << at;
    }
}

TEST(GameAppThreads, CloseDuringStartUpReachesTheStateOnceItExists) {
    UserFolder folder;
    Timeline timeline;
    RecordingState* state = nullptr;
    int status = -1;
    {
        ObservedGameApp app(timeline, observingState(timeline, state));
        ASSERT_TRUE(app.setUpSucceeded());
        // The update thread may still be building its game-state manager.
        app.onClose();
        status = app.run();
    }
    EXPECT_EQ(status, 0);
    EXPECT_EQ(timeline.overlaps.load(), 0);
}

TEST(GameAppThreads, CloseWhileTheWindowIsInactiveStillEndsTheProgram) {
    UserFolder folder;
    Timeline timeline;
    RecordingState* state = nullptr;
    int status = -1;
    {
        ObservedGameApp app(timeline, observingState(timeline, state));
        ASSERT_TRUE(app.setUpSucceeded());
        runHandOffs(app, timeline, 3);
        // Another window has the focus (a terminal sending an interrupt, a task bar's close).
        platform::WindowMessage inactive;
        inactive.kind = platform::WindowMessageKind::Activate;
        inactive.active = false;
        app.windowProc(inactive);
        ASSERT_TRUE(app.paused());
        platform::WindowMessage close;
        close.kind = platform::WindowMessageKind::Close;
        app.windowProc(close);
        // The state can only answer in update cycles, which a paused loop never runs.
        ASSERT_FALSE(app.paused());
        status = app.run();
    }
    EXPECT_EQ(status, 0);
    EXPECT_EQ(timeline.overlaps.load(), 0);
}

TEST(GameAppThreads, TheFirstUpdateCycleMayAlreadyCreateRenderObjects) {
    UserFolder folder;
    std::atomic<bool> created{false};
    std::atomic<bool> tried{false};
    {
        GameApp app(320, 240, "", "BRAV Zoderud", [&](GameStateManager* owner, ThreadResourcePool*) {
            auto* state = new RecordingState("creator");
            RenderInterface* renderInterface = owner->context()->renderInterface;
            state->setStatus(BaseState::Running);
            state->onUpdate = [&, state, renderInterface](float) {
                if (tried.exchange(true)) return;
                // The owner thread is set before the first cycle, so the update thread may create.
                ParameterDescriptionRegistry* registry = renderInterface->parameterManager()->getRegistry();
                registerParameterDescription(*registry, new ParameterDescription("test_pointer", nullptr, true));
                created = renderInterface->createUIObject("test_pointer") != nullptr;
                state->setStatus(BaseState::Quit);
            };
            return state;
        });
        ASSERT_TRUE(app.setUpSucceeded());
        EXPECT_EQ(app.run(), 0);
    }
    EXPECT_TRUE(tried.load());
    EXPECT_TRUE(created.load());
}

} // namespace
