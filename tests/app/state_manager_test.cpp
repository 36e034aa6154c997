// The game-state machine: which phase runs for each status, hand-over to a linked state, quit.
#include <gtest/gtest.h>

#include "app/game_state_manager.h"
#include "app/parameter_description.h"
#include "app/thread_resource_pool.h"
#include "app/ui_context.h"
#include "app/recording_state.h"
#include "render/render_interface.h"

namespace {

using Calls = std::vector<std::string>;

struct DispatchCase {
    const char* title;
    std::uint32_t status;
    bool hasNext;
    std::uint32_t nextStatus;
    bool currentFinished;
    Calls currentCalls;
    Calls nextCalls;
    bool result;
    bool nextBecomesCurrent;
};

void PrintTo(const DispatchCase& c, std::ostream* os) { *os << c.title; }

class GameStateManagerTest : public ::testing::TestWithParam<DispatchCase> {
protected:
    GameStateManagerTest()
        : pool_("updatePool"), renderInterface_(&registry_, &pool_, 640, 480, ""),
          manager_(&pool_, &context_, [this](GameStateManager*, ThreadResourcePool*) { return current_; },
                   &renderInterface_) {
        context_.renderInterface = &renderInterface_;
        renderInterface_.setOwnerThreadId(platform::currentThreadId());
    }
    ~GameStateManagerTest() override { manager_.clearStates(); }

    ParameterDescriptionRegistry registry_;
    ThreadResourcePool pool_;
    RenderInterface renderInterface_;
    UIContext context_;
    RecordingState* current_ = new RecordingState("current");
    GameStateManager manager_;
};

TEST_P(GameStateManagerTest, DispatchesOnStatus) {
    const DispatchCase& c = GetParam();
    manager_.createStates();
    ASSERT_EQ(manager_.current(), current_);
    RecordingState* next = nullptr;
    if (c.hasNext) {
        next = new RecordingState("next");
        next->setStatus(c.nextStatus);
        current_->setNext(next);
    }
    current_->setStatus(c.status);
    current_->finished = c.currentFinished;
    current_->clearCalls();

    EXPECT_EQ(manager_.update(0.25f), c.result);
    EXPECT_EQ(current_->calls(), c.currentCalls);
    if (next) {
        EXPECT_EQ(next->calls(), c.nextCalls);
    }
    if (c.nextBecomesCurrent) {
        EXPECT_EQ(manager_.current(), next);
        EXPECT_EQ(manager_.previous(), current_);
    } else {
        EXPECT_EQ(manager_.current(), current_);
    }

    // The status reaches the render side only through the swap; a quitting state writes none.
    renderInterface_.swapFrame();
    if (c.result) {
        EXPECT_EQ(renderInterface_.gameStateStatusForRender(), manager_.current()->status());
    } else {
        EXPECT_EQ(renderInterface_.gameStateStatusForRender(), 0u);
    }
    delete next;
}

const DispatchCase dispatchCases[] = {
    {"LoadWhenAllowed", 0, false, 0, true, {"canStartLoading", "loadData"}, {}, true, false},
    {"Loading", 1, false, 0, true, {"onLoadFinished"}, {}, true, false},
    {"EnterThenUpdate", 6, false, 0, true, {"enter", "update"}, {}, true, false},
    {"Running", 7, false, 0, true, {"update"}, {}, true, false},
    {"LinkedNextWaitsToLoad", 8, true, 0, true, {"updateWhileLinked"}, {"canStartLoading", "loadData"}, true, false},
    {"LinkedNextLoading", 8, true, 1, true, {"updateWhileLinked"}, {"onLoadFinished"}, true, false},
    {"LinkedHandOver", 8, true, 6, true, {"updateWhileLinked", "isFinished", "unloadData"}, {}, true, true},
    {"LinkedNotFinished", 8, true, 6, false, {"updateWhileLinked", "isFinished"}, {}, true, false},
    {"LinkedNextRunning", 8, true, 7, true, {"updateWhileLinked"}, {}, true, false},
    {"LinkedWithoutNext", 8, false, 0, true, {"updateWhileLinked"}, {}, true, false},
    {"Quit", 11, false, 0, true, {}, {}, false, false},
    {"RenderOnlyStatus", 4, false, 0, true, {}, {}, true, false},
};

INSTANTIATE_TEST_SUITE_P(Statuses, GameStateManagerTest, ::testing::ValuesIn(dispatchCases),
                         [](const auto& info) { return std::string(info.param.title); });

TEST(GameStateManager, LoadWaitsWhileTheStateCannotStart) {
    ThreadResourcePool pool("updatePool");
    auto* state = new RecordingState("only");
    state->canLoad = false;
    GameStateManager manager(&pool, nullptr, [&](GameStateManager*, ThreadResourcePool*) { return state; });
    manager.createStates();
    state->clearCalls();
    EXPECT_TRUE(manager.update(0.0f));
    EXPECT_EQ(state->calls(), Calls{"canStartLoading"});
    manager.clearStates();
}

TEST(GameStateManager, WithoutCurrentStateUpdateGoesOn) {
    ThreadResourcePool pool("updatePool");
    GameStateManager manager(&pool, nullptr);
    EXPECT_TRUE(manager.update(0.1f));
}

TEST(StateManager, FindStateNeedsTheWholeNameAndClearShutsDownThenDeletes) {
    ThreadResourcePool pool("updatePool");
    std::vector<std::string> events;
    auto* state = new RecordingState("mainMenuState");
    state->onDestroyed = [&](const std::string& name) { events.push_back("deleted " + name); };
    GameStateManager manager(&pool, nullptr, [&](GameStateManager*, ThreadResourcePool*) { return state; });
    manager.createStates();
    EXPECT_EQ(state->calls(), Calls{"linkNextState"});
    EXPECT_EQ(manager.findState("mainMenuState"), state);
    EXPECT_EQ(manager.findState("mainMenu"), nullptr);
    EXPECT_EQ(manager.findState("mainMenuState2"), nullptr);

    state->clearCalls();
    auto* watched = state;
    // The calls are read before the state is deleted, through the destruction callback.
    Calls seenAtDeletion;
    state->onDestroyed = [&](const std::string&) {
        seenAtDeletion = watched->calls();
        events.push_back("deleted");
    };
    manager.clearStates();
    EXPECT_EQ(seenAtDeletion, Calls{"shutdown"});
    EXPECT_EQ(events, std::vector<std::string>{"deleted"});
    EXPECT_TRUE(manager.states().empty());
}

} // namespace
