#include "render/render_state_manager.h"

#include "app/log.h"
#include "render/base_render_state.h"
#include "render/render_interface.h"
#include "render/render_state_front_end.h"
#include "render/render_state_game.h"

RenderStateManager::RenderStateManager(ThreadResourcePool* renderPool, ParameterDescriptionRegistry* registry,
                                       RenderInterface* renderInterface, UIDrawInterface* uiManager, std::uint32_t width,
                                       std::uint32_t height)
    : StateManager(renderPool), registry_(registry), renderInterface_(renderInterface), uiManager_(uiManager),
      width_(width), height_(height) {}

void RenderStateManager::createStates() {
    auto* frontEnd = new RenderStateFrontEnd(pool_, "frontEndState", this, registry_, renderInterface_, uiManager_,
                                             width_, height_);
    states_.push_back(frontEnd);
    states_.push_back(new RenderStateGame(pool_, "tacticalBattleState", this, registry_, renderInterface_, uiManager_,
                                          width_, height_));
    for (BaseState* state : states_) state->linkNextState();
    frontEnd->setNext(findState("tacticalBattleState"));
    current_ = frontEnd;
    if (renderInterface_) renderInterface_->setRenderStateName(current_->name());
}

BaseRenderState* RenderStateManager::handOffTarget() const {
    if (!current_) return nullptr;
    if (current_->status() == BaseState::RunningWhileNextLoads) return static_cast<BaseRenderState*>(current_->next());
    return current_;
}

bool RenderStateManager::changeScene(const std::string& sceneName) {
    if (!current_ || current_->status() != BaseState::Running) return false;
    auto* next = static_cast<BaseRenderState*>(current_->next());
    if (!next) {
        // Without a state to load it, the current one would wait for ever and take no more objects.
        LOG_MESSAGE("Scene change to %s refused: there is no render state to load it", sceneName.c_str());
        return false;
    }
    current_->setStatus(BaseState::RunningWhileNextLoads);
    next->setSceneName(sceneName);
    return true;
}

void RenderStateManager::requestRedraw() {
    if (current_) current_->requestRedraw();
}

void RenderStateManager::setScreenSize(std::uint32_t width, std::uint32_t height) {
    width_ = width;
    height_ = height;
    for (BaseState* state : states_) static_cast<BaseRenderState*>(state)->setScreenSize(width, height);
}

bool RenderStateManager::update(float dt) {
    if (!current_) return true;
    auto* next = static_cast<BaseRenderState*>(current_->next());
    switch (current_->status()) {
    case BaseState::LoadRequested:
        current_->loadData();
        break;
    case BaseState::Loading:
        current_->onLoadFinished();
        break;
    case BaseState::FinishingOnRenderThread:
        current_->finishLoad();
        break;
    case BaseState::Loaded:
        current_->setStatus(BaseState::ReadyToEnter);
        break;
    case BaseState::ReadyToEnter:
        current_->enter();
        break;
    case BaseState::Running:
        current_->update(dt);
        break;
    case BaseState::RunningWhileNextLoads:
        current_->updateWhileLinked(dt);
        if (!next) break;
        switch (next->status()) {
        case BaseState::LoadRequested:
            next->loadData();
            break;
        case BaseState::Loading:
            next->onLoadFinished();
            break;
        case BaseState::FinishingOnRenderThread:
        case BaseState::WaitingForSceneContent:
            next->finishLoad();
            break;
        case BaseState::Loaded:
            current_->unloadData();
            current_->continueUnload();
            break;
        default:
            break;
        }
        break;
    case BaseState::Unloading:
        current_->continueUnload();
        break;
    case BaseState::Unloaded:
        if (next && next->status() == BaseState::Loaded && renderInterface_ && renderInterface_->handOverAllowedForRender()) {
            previous_ = current_;
            current_->shutdown();
            current_->setStatus(BaseState::LoadRequested);
            current_ = next;
            renderInterface_->setRenderStateName(current_->name());
        }
        break;
    default:
        break;
    }

    if (renderInterface_) {
        std::uint32_t status = current_->status();
        if (status == BaseState::RunningWhileNextLoads) {
            BaseState* linked = current_->next();
            status = linked && linked->status() == BaseState::WaitingForSceneContent ? BaseState::WaitingForSceneContent
                                                                                      : BaseState::RunningWhileNextLoads;
        }
        if (status != renderInterface_->renderStateStatusForUpdate()) renderInterface_->publishRenderStateStatus(status);
    }
    return true;
}
