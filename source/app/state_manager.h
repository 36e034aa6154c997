#pragma once
// Holds the states of one side and looks them up by name.
#include <list>
#include <string>

class BaseState;
class ThreadResourcePool;

class StateManager {
public:
    explicit StateManager(ThreadResourcePool* pool) : pool_(pool) {}
    // Frees the list, not the states: clearStates deletes them first.
    virtual ~StateManager() = default;
    StateManager(const StateManager&) = delete;
    StateManager& operator=(const StateManager&) = delete;

    virtual bool update(float dt) = 0;

    // The first held state whose name equals name exactly, or null.
    BaseState* findState(const std::string& name) const;
    // Every held state in list order: shutdown, then delete; then the list is emptied.
    void clearStates();

    const std::list<BaseState*>& states() const { return states_; }
    ThreadResourcePool* pool() const { return pool_; }

protected:
    ThreadResourcePool* pool_;
    std::list<BaseState*> states_;
};
