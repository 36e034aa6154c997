// The application base: the window procedure's table, the frame timing and limiter, and the
// switch between windowed and full screen.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>

#include "app/frame_timer.h"
#include "app/recording_state.h"
#include "app/ui_context.h"
#include "app/user_folder_guard.h"
#include "platform/clock.h"
#include "render/base_render_state.h"
#include "render/game_render_task.h"
#include "render/render_interface.h"
#include "render/render_state_front_end.h"
#include "render/render_state_manager.h"
#include "shell/game_app.h"

namespace {

// The table belongs to the base; the application around it is the program's own, with a state
// that does nothing but run.
struct WithUserFolder {
    UserFolder folder;
};

// The folder comes first: the application reads and writes its settings while it is built.
class BareApp : private WithUserFolder, public GameApp {
public:
    BareApp()
        : GameApp(320, 240, "", "window procedure", [](GameStateManager*, ThreadResourcePool*) {
              auto* state = new RecordingState("idle");
              state->setStatus(BaseState::Running);
              return state;
          }) {}
    void onClose() override { ++closes; }
    int closes = 0;
};

platform::WindowMessage message(platform::WindowMessageKind kind) {
    platform::WindowMessage m;
    m.kind = kind;
    return m;
}

platform::WindowMessage size(platform::SizeKind kind) {
    platform::WindowMessage m = message(platform::WindowMessageKind::Size);
    m.size = kind;
    return m;
}

TEST(QelApp, MovePositionWordsAboveThirtyThousandAreNegative) {
    BareApp app;
    ASSERT_TRUE(app.setUpSucceeded());
    const std::pair<std::int32_t, std::int32_t> cases[] = {{100, 100}, {65535, 0}, {65501, -34}, {30001, -35534}, {30000, 30000}};
    for (auto [word, expected] : cases) {
        platform::WindowMessage move = message(platform::WindowMessageKind::Move);
        move.x = word;
        move.y = word;
        app.windowProc(move);
        EXPECT_EQ(app.windowX(), expected) << word;
        EXPECT_EQ(app.windowY(), expected) << word;
    }
}

TEST(QelApp, MinimiseAndInactivityPauseAndRestoringAsksForAResize) {
    using platform::SizeKind;
    using platform::WindowMessageKind;
    {
        // One application (and drawing device) at a time, as in the program.
        BareApp maximised;
        maximised.windowProc(size(SizeKind::Maximized));
        EXPECT_TRUE(maximised.resizePending());
    }
    BareApp app;
    ASSERT_TRUE(app.setUpSucceeded());
    EXPECT_FALSE(app.paused());
    app.windowProc(size(SizeKind::Minimized));
    EXPECT_TRUE(app.paused());
    EXPECT_FALSE(app.resizePending());
    app.windowProc(size(SizeKind::Restored));
    EXPECT_FALSE(app.paused());
    EXPECT_TRUE(app.resizePending()) << "restoring from minimised resizes";

    platform::WindowMessage inactive = message(WindowMessageKind::Activate);
    inactive.active = false;
    app.windowProc(inactive);
    EXPECT_TRUE(app.paused());
    platform::WindowMessage active = inactive;
    active.active = true;
    app.windowProc(active);
    EXPECT_FALSE(app.paused());
}

TEST(QelApp, CloseOnlyCallsOnClose) {
    BareApp app;
    ASSERT_TRUE(app.setUpSucceeded());
    app.windowProc(message(platform::WindowMessageKind::Close));
    EXPECT_EQ(app.closes, 1);
    // Nothing else was touched: the application carries on.
    EXPECT_FALSE(app.paused());
}

TEST(QelApp, AskingForTheWindowModeItIsInChangesNothing) {
    BareApp app;
    ASSERT_TRUE(app.setUpSucceeded());
    EXPECT_FALSE(app.setWindowMode(false));
    EXPECT_TRUE(app.setWindowMode(true));
    EXPECT_TRUE(app.fullScreenNow());
    EXPECT_FALSE(app.setWindowMode(true));
    EXPECT_TRUE(app.fullScreenNow());
    EXPECT_TRUE(app.setWindowMode(false));
    EXPECT_FALSE(app.fullScreenNow());
}

TEST(FrameTimer, TheLimiterRunsAtTheRefreshRateAndSixtyHertzWhenUnknown) {
    const std::pair<int, std::uint32_t> cases[] = {{0, 16}, {-1, 16}, {60, 16}, {75, 13}, {144, 6}};
    for (auto [hz, length] : cases) {
        FrameTimer timer;
        timer.limitTo(hz);
        EXPECT_TRUE(timer.enabled) << hz;
        EXPECT_EQ(timer.frameLengthMs, length) << hz;
    }
    FrameTimer timer;
    timer.limitTo(60);
    EXPECT_EQ(timer.waitBefore(1000), 0u) << "nothing to wait for before the first frame";
    timer.tick(1000);
    EXPECT_EQ(timer.waitBefore(1004), 12u);
    EXPECT_EQ(timer.waitBefore(1016), 0u);
    EXPECT_EQ(timer.waitBefore(1030), 0u) << "a late frame starts at once";
    timer.enabled = false;
    EXPECT_EQ(timer.waitBefore(1004), 0u);
}

// Time that passes only when the loop sleeps or when a frame says it worked.
class SteppedClock : public FrameClock {
public:
    std::int64_t now() override { return time; }
    void sleep(std::uint32_t milliseconds) override {
        time += milliseconds;
        slept += milliseconds;
        ++sleeps;
    }
    std::int64_t time = 100000;
    std::int64_t slept = 0;
    int sleeps = 0;
};

// Runs the real message loop on a stepped clock: every frame costs workMs, and the loop is asked
// to end once runFor milliseconds have passed. The first hand-offs, which bring the settings to
// the device, run on the system clock before.
class PacedApp : public BareApp {
public:
    PacedApp(std::int64_t runFor, std::int64_t workMs) : runFor_(runFor), workMs_(workMs) {}
    ~PacedApp() override { frameClock_ = &systemClock_; }

    void settleThenUseSteppedClock() {
        std::uint64_t giveUpAt = platform::millisecondsSinceStart() + 20000;
        // Until the front end runs: while it loads it presents nothing, and a frame that presents
        // nothing sleeps, however busy the machine keeps the loader.
        auto frontEndRunning = [this] {
            const BaseRenderState* state = renderTask()->renderStateManager()->current();
            return state && state->status() == BaseState::Running;
        };
        while ((handOffs_ < 8 || !frontEndRunning()) && platform::millisecondsSinceStart() < giveUpAt) {
            GameApp::frame(0.016f, 0.016f);
        }
        frameClock_ = &clock;
        start_ = clock.time;
        pacing_ = true;
    }
    void update(float dt) override {
        ++handOffs_;
        GameApp::update(dt);
    }
    void frame(float clampedDt, float rawDt) override {
        GameApp::frame(clampedDt, rawDt);
        if (!pacing_) return;
        clock.time += workMs_;
        if (clock.time - start_ <= runFor_) ++frames;
        // After the hand-off, which copies the game's own quit request over this flag.
        if (clock.time - start_ >= runFor_) quitRequested_ = true;
    }
    SteppedClock clock;
    int frames = 0;

private:
    bool pacing_ = false;
    int handOffs_ = 0;
    std::int64_t start_ = 0;
    std::int64_t runFor_;
    std::int64_t workMs_;
};

TEST(QelApp, FramesNotPacedByTheDisplayAreCappedAtTheRefreshRateBySleeping) {
    struct Case {
        const char* what;
        bool refuse;
        bool drawEveryFrame;
        std::int64_t runForMs;
        int minFrames, maxFrames;
    };
    // The offscreen display reports no refresh rate: 60 Hz. With vertical sync, swaps pace the
    // loop and it never sleeps while it draws (here every frame costs 2 ms of stepped time); a
    // still screen is not drawn, so nothing waits for the display and the loop sleeps instead.
    const Case cases[] = {{"swaps refuse vertical sync", true, false, 2000, 110, 130},
                          {"vertical sync, every frame drawn", false, true, 200, 100, 101},
                          {"vertical sync, a still screen", false, false, 2000, 110, 130}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        platform::refuseVerticalSync(c.refuse);
        RenderStateFrontEnd::setDrawEveryFrame(c.drawEveryFrame);
        {
            PacedApp app(c.runForMs, 2);
            ASSERT_TRUE(app.setUpSucceeded());
            app.settleThenUseSteppedClock();
            EXPECT_EQ(app.run(), 0);
            EXPECT_GE(app.frames, c.minFrames);
            EXPECT_LE(app.frames, c.maxFrames);
            if (c.drawEveryFrame) {
                EXPECT_EQ(app.clock.sleeps, 0);
            } else {
                EXPECT_GE(app.clock.sleeps, app.frames - 2) << "one sleep a frame, not a spin";
                EXPECT_GE(app.clock.slept, c.runForMs - 2 * app.frames - 20);
            }
        }
        RenderStateFrontEnd::setDrawEveryFrame(false);
        platform::refuseVerticalSync(false);
    }
}

// A game state that asks for full screen on or off when the test says so, as the options
// screen does through the settings.
struct ModeRequest {
    // Written by the test, read by the update thread, which may run before the application is
    // fully built: hence a base that comes before the application.
    std::atomic<int> wantFullScreen{-1};
};

class ModeSwitchingApp : private WithUserFolder, public ModeRequest, public GameApp {
public:
    ModeSwitchingApp()
        : GameApp(320, 240, "", "full screen", [this](GameStateManager* owner, ThreadResourcePool*) {
              auto* state = new RecordingState("options");
              state->setStatus(BaseState::Running);
              RenderInterface* renderInterface = owner->context()->renderInterface;
              state->onUpdate = [this, renderInterface](float) {
                  int wanted = wantFullScreen.exchange(-1);
                  if (wanted < 0) return;
                  const RenderSettings& s = renderInterface->updateSettings();
                  renderInterface->setRenderSettings(s.width, s.height, 1, s.shadows, s.ssao, 0, s.postProcessing,
                                                     s.instancing, static_cast<std::uint8_t>(wanted), s.multisampling,
                                                     s.multisamplingType, s.verticalSync, s.textureDetail,
                                                     s.shadowDetail, "", "", 0, 0);
              };
              return state;
          }) {}
    void update(float dt) override {
        ++handOffs;
        GameApp::update(dt);
    }
    // Runs frames until `done` holds and then a few more, in which deferred window work settles.
    void framesUntil(const std::function<bool()>& done) {
        std::uint64_t giveUpAt = platform::millisecondsSinceStart() + 20000;
        while (!done() && platform::millisecondsSinceStart() < giveUpAt) frame(0.016f, 0.016f);
        int settled = handOffs + 4;
        while (handOffs < settled && platform::millisecondsSinceStart() < giveUpAt) frame(0.016f, 0.016f);
    }
    int handOffs = 0;
};

platform::WindowMessage moveTo(std::int32_t x, std::int32_t y) {
    platform::WindowMessage m = message(platform::WindowMessageKind::Move);
    m.x = x;
    m.y = y;
    return m;
}

std::pair<int, int> windowPosition(const GameApp& app) {
    std::pair<int, int> at;
    app.window()->position(at.first, at.second);
    return at;
}

TEST(QelApp, FullScreenIsAtTheOriginAndWindowedReturnsToWhereTheWindowWas) {
    ModeSwitchingApp app;
    ASSERT_TRUE(app.setUpSucceeded());
    app.framesUntil([&] { return app.handOffs >= 3; });
    ASSERT_FALSE(app.fullScreenNow());
    // The player moved the window; the window system reports it.
    app.window()->setPosition(200, 150);
    app.windowProc(moveTo(200, 150));

    app.wantFullScreen = 1;
    app.framesUntil([&] { return app.fullScreenNow(); });
    ASSERT_TRUE(app.fullScreenNow());
    // SDL reports the moves of the switch only later: the one to the origin and the framed
    // position asked for on the way.
    app.windowProc(moveTo(0, 0));
    app.windowProc(moveTo(200, 150));
    app.windowProc(moveTo(0, 0));
    app.framesUntil([] { return true; });
    EXPECT_EQ(windowPosition(app), std::make_pair(0, 0));
    const RenderSettings& settings = app.renderInterface()->renderSettings();
    int width = 0, height = 0;
    app.window()->clientSize(width, height);
    EXPECT_EQ(width, static_cast<int>(settings.width));
    EXPECT_EQ(height, static_cast<int>(settings.height));

    app.wantFullScreen = 0;
    app.framesUntil([&] { return !app.fullScreenNow(); });
    ASSERT_FALSE(app.fullScreenNow());
    EXPECT_EQ(windowPosition(app), std::make_pair(200, 150));
    EXPECT_EQ(std::make_pair(app.windowX(), app.windowY()), std::make_pair(200, 150));
}

TEST(FrameTimer, FirstFrameIsZeroAndLongStallsAreClamped) {
    FrameTimer timer;
    EXPECT_EQ(timer.tick(5000), 0.0f);
    EXPECT_FLOAT_EQ(timer.tick(5016), 0.016f);
    EXPECT_FLOAT_EQ(timer.tick(8016), 1.0f);
    EXPECT_FLOAT_EQ(timer.delta, 3.0f);
    EXPECT_EQ(timer.frameCount, 3u);
}

} // namespace
