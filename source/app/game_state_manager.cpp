#include "app/game_state_manager.h"

#include "app/base_state.h"
#include "app/game_state_status_sink.h"
#include "app/log.h"

GameStateManager::GameStateManager(ThreadResourcePool* updatePool, UIContext* context, StateFactory firstState,
                                   GameStateStatusSink* statusSink)
    : StateManager(updatePool), context_(context), firstState_(std::move(firstState)), statusSink_(statusSink) {}

void GameStateManager::createStates() {
    BaseState* first = firstState_ ? firstState_(this, pool_) : nullptr;
    if (!first) {
        LOG_MESSAGE("No first game state was given; nothing to run");
        return;
    }
    states_.push_back(first);
    for (BaseState* state : states_) state->linkNextState();
    current_ = first;
}

bool GameStateManager::update(float dt) {
    if (!current_) return true;
    switch (current_->status()) {
    case BaseState::LoadRequested:
        if (current_->canStartLoading()) current_->loadData();
        break;
    case BaseState::Loading:
        current_->onLoadFinished();
        break;
    case BaseState::ReadyToEnter:
        current_->enter();
        current_->update(dt);
        break;
    case BaseState::Running:
        current_->update(dt);
        break;
    case BaseState::RunningWhileNextLoads: {
        current_->updateWhileLinked(dt);
        // A linked status with nothing to hand over to is a state's slip, not a reason to crash.
        BaseState* next = current_->next();
        if (!next) break;
        switch (next->status()) {
        case BaseState::LoadRequested:
            if (next->canStartLoading()) next->loadData();
            break;
        case BaseState::Loading:
            next->onLoadFinished();
            break;
        case BaseState::ReadyToEnter:
            if (current_->isFinished()) {
                previous_ = current_;
                current_->unloadData();
                current_ = next;
            }
            break;
        default:
            break;
        }
        break;
    }
    case BaseState::Quit:
        return false;
    default:
        break;
    }
    if (statusSink_) statusSink_->setGameStateStatus(current_->status());
    return true;
}
