// The application base: the window procedure's table and the frame timing.
#include <gtest/gtest.h>

#include "app/frame_timer.h"
#include "app/game_app.h"
#include "app/recording_state.h"
#include "app/user_folder_guard.h"

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

TEST(FrameTimer, FirstFrameIsZeroAndLongStallsAreClamped) {
    FrameTimer timer;
    EXPECT_EQ(timer.tick(5000), 0.0f);
    EXPECT_FLOAT_EQ(timer.tick(5016), 0.016f);
    EXPECT_FLOAT_EQ(timer.tick(8016), 1.0f);
    EXPECT_FLOAT_EQ(timer.delta, 3.0f);
    EXPECT_EQ(timer.frameCount, 3u);
}

} // namespace
