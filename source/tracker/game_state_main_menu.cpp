#include "tracker/game_state_main_menu.h"

#include "app/game_state_manager.h"
#include "app/ui_context.h"
#include "render/render_interface.h"

namespace {

RenderInterface* renderInterfaceOf(GameStateManager* owner) {
    return owner && owner->context() ? owner->context()->renderInterface : nullptr;
}

} // namespace

GameStateMainMenu::GameStateMainMenu(GameStateManager* owner, ThreadResourcePool* pool, std::string name)
    : BaseState(std::move(name)), owner_(owner), pool_(pool) {}

void GameStateMainMenu::enter() { setStatus(Running); }

void GameStateMainMenu::loadData() { setStatus(Loading); }

void GameStateMainMenu::unloadData() {
    finished_ = false;
    setStatus(LoadRequested);
}

void GameStateMainMenu::onLoadFinished() {
    RenderInterface* renderInterface = renderInterfaceOf(owner_);
    if (!renderInterface) return;
    renderInterface->setUpdateSideReady(true);
    // The front end must have finished loading before the menu can show anything on it.
    if (renderInterface->renderStateStatusForUpdate() == Loaded) setStatus(ReadyToEnter);
}

void GameStateMainMenu::linkNextState() {
    if (!owner_) return;
    if (BaseState* next = owner_->findState("gameState")) setNext(next);
}

void GameStateMainMenu::update(float) {
    // With no character there is nothing unsaved to ask about: a quit request ends the program.
    if (quitRequested_.load()) setStatus(Quit);
}

void GameStateMainMenu::updateWhileLinked(float) {
    if (next() && next()->status() == ReadyToEnter) nextStateReady_ = true;
}

bool GameStateMainMenu::canStartLoading() {
    RenderInterface* renderInterface = renderInterfaceOf(owner_);
    if (!renderInterface) return false;
    std::uint32_t renderStatus = renderInterface->renderStateStatusForUpdate();
    canLoad_ = renderStatus == Loading || renderStatus == Loaded;
    return canLoad_;
}
