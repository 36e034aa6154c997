#pragma once
// The update side's state manager: runs the current game state's phase once per update cycle.
#include <functional>

#include "app/state_manager.h"

struct UIContext;
class GameStateStatusSink;

class GameStateManager : public StateManager {
public:
    // Builds the first game state; the program gives its main menu, tests their own.
    using StateFactory = std::function<BaseState*(GameStateManager* owner, ThreadResourcePool* pool)>;

    // statusSink receives the current state's status after each update: the render interface the
    // context holds (null: nobody is told).
    GameStateManager(ThreadResourcePool* updatePool, UIContext* context, StateFactory firstState = nullptr,
                     GameStateStatusSink* statusSink = nullptr);

    // Builds the game states, links them and makes the first one current.
    void createStates();
    // False once the current state has reached quit.
    bool update(float dt) override;

    BaseState* current() const { return current_; }
    BaseState* previous() const { return previous_; }
    UIContext* context() const { return context_; }

private:
    BaseState* current_ = nullptr;
    BaseState* previous_ = nullptr;
    UIContext* context_;
    StateFactory firstState_;
    GameStateStatusSink* statusSink_;
};
