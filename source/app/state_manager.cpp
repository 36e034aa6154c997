#include "app/state_manager.h"

#include "app/base_state.h"

BaseState* StateManager::findState(const std::string& name) const {
    for (BaseState* state : states_) {
        if (state->name() == name) return state;
    }
    return nullptr;
}

void StateManager::clearStates() {
    for (BaseState* state : states_) {
        state->shutdown();
        delete state;
    }
    states_.clear();
}
