#pragma once
// The first game state, "mainMenuState". For now it only walks the phases the framework relies
// on and ends the program when asked; the menu itself, the catalogues and the character come later.
#include <atomic>
#include <string>

#include "app/base_state.h"
#include "app/sigslot.h"

class GameStateManager;
class ThreadResourcePool;

class GameStateMainMenu : public BaseState, public sigslot::has_slots<> {
public:
    GameStateMainMenu(GameStateManager* owner, ThreadResourcePool* pool, std::string name);

    void enter() override;
    void loadData() override;
    void unloadData() override;
    void onLoadFinished() override;
    void continueUnload() override {}
    void linkNextState() override;
    void shutdown() override {}
    void update(float dt) override;
    void updateWhileLinked(float dt) override;
    bool canStartLoading() override;
    bool isFinished() override { return finished_; }
    void requestQuit() override { quitRequested_.store(true); }

private:
    GameStateManager* owner_;
    ThreadResourcePool* pool_;
    bool finished_ = false;
    bool canLoad_ = false;
    bool nextStateReady_ = false;
    // Set from the main thread when the window is closed; read by the next update.
    std::atomic<bool> quitRequested_{false};
};
