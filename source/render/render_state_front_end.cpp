#include "render/render_state_front_end.h"

#include <algorithm>
#include <atomic>
#include <unordered_set>

#include "app/parameter_manager.h"
#include "app/prefetch.h"
#include "app/state_manager.h"
#include "render/device_global.h"
#include "render/render_interface.h"
#include "render/ui_draw_interface.h"

namespace {

std::atomic<bool> drawEveryFrame{false};

} // namespace

RenderStateFrontEnd::RenderStateFrontEnd(ThreadResourcePool* renderPool, std::string name, StateManager* manager,
                                         ParameterDescriptionRegistry* registry, RenderInterface* renderInterface,
                                         UIDrawInterface* uiManager, std::uint32_t width, std::uint32_t height)
    : BaseRenderState(std::move(name)), renderPool_(renderPool), manager_(manager), registry_(registry),
      renderInterface_(renderInterface), uiManager_(uiManager), width_(width), height_(height) {}

void RenderStateFrontEnd::enter() {
    onResetDevice();
    setStatus(Running);
}

void RenderStateFrontEnd::linkNextState() {
    if (!manager_) return;
    if (BaseState* next = manager_->findState("tacticalBattleState")) setNext(next);
}

void RenderStateFrontEnd::drawFrame() {
    gfx::Device* device = deviceGlobal;
    if (!device) return;
    device->clear(gfx::Clear::Target, 0xFF000000, 1.0f, 0);
    device->beginScene();
    if (uiManager_) uiManager_->draw();
    device->endScene();
    device->present();
}

void RenderStateFrontEnd::setDrawEveryFrame(bool every) { drawEveryFrame = every; }

void RenderStateFrontEnd::update(float) {
    // A frame that would show the picture the window shows already is neither drawn nor
    // presented. A change is drawn twice: the objects' drawing data are refreshed from their
    // parameters after each frame, so it shows whole only in the frame after the one that took
    // it.
    if (changedInHandOff_ || redrawRequested_ || drawEveryFrame) framesOwed_ = 2;
    changedInHandOff_ = false;
    redrawRequested_ = false;
    if (framesOwed_ > 0) {
        --framesOwed_;
        drawFrame();
        // Takes effect in the next frame's drawing.
        if (uiManager_) uiManager_->updateInstances();
    }
    releaseRetiredPairs();
}

void RenderStateFrontEnd::updateWhileLinked(float) {
    drawFrame();
    releaseRetiredPairs();
}

void RenderStateFrontEnd::releaseRetiredPairs() {
    // The update thread runs again by now: freeing here, not in the hand-off, keeps a closed
    // screen's thousands of pairs from keeping it parked. Nothing draws them any more: their
    // records left with their objects a hand-off before they were retired.
    if (renderInterface_) renderInterface_->parameterManager()->releaseRetiredPairs();
}

void RenderStateFrontEnd::setScreenSize(std::uint32_t width, std::uint32_t height) {
    width_ = width;
    height_ = height;
    requestRedraw();
}

void RenderStateFrontEnd::processPendingObjects() {
    if (!renderInterface_) return;
    std::list<RenderInterface::UIObject*>& additions = renderInterface_->uiObjectsToAdd();
    // Taken whatever else changed, so that it does not count again at the next hand-off.
    const bool valuesChanged = renderInterface_->parameterManager()->takeRenderSideChange();
    if (valuesChanged || !additions.empty() || !renderInterface_->texturedRectsToAdd().empty() ||
        !renderInterface_->uiObjectsToDelete().empty()) {
        changedInHandOff_ = true;
    }
    for (RenderInterface::UIObject* object : additions) {
        if (uiManager_) uiManager_->addInstance(object);
    }
    additions.clear();

    std::list<RenderInterface::UIObject*>& texturedRects = renderInterface_->texturedRectsToAdd();
    for (RenderInterface::UIObject* object : texturedRects) {
        bool accepted = uiManager_ && uiManager_->prepareObject(object->renderableClassName(), object->folder(),
                                                               object->fileName(), object->pair()->updateGroup());
        object->setStatus(accepted ? RenderInterface::UIObject::Ready : RenderInterface::UIObject::Refused);
        if (uiManager_) uiManager_->addInstance(object);
    }
    texturedRects.clear();

    applyPendingDeletions();
    publishSaveOutcomes();
}

void RenderStateFrontEnd::publishSaveOutcomes() {
    if (!uiManager_) return;
    const std::vector<UIImageSaveOutcome> outcomes = uiManager_->takeSaveOutcomes();
    if (outcomes.empty()) return;
    for (RenderInterface::UIObject* object : renderInterface_->liveUIObjects()) {
        for (const UIImageSaveOutcome& outcome : outcomes) {
            if (outcome.pair != object->pair()) continue;
            object->setStatus(outcome.saved ? RenderInterface::UIObject::Saved : RenderInterface::UIObject::SaveFailed);
        }
    }
}

void RenderStateFrontEnd::applyPendingDeletions() {
    std::vector<RenderInterface::UIObject*>& deletions = renderInterface_->uiObjectsToDelete();
    if (deletions.empty()) return;
    // An object deleted before it was ever attached must not be attached later: one pass over
    // each queue for the whole batch, not one per deleted object.
    std::list<RenderInterface::UIObject*>& additions = renderInterface_->uiObjectsToAdd();
    std::list<RenderInterface::UIObject*>& texturedRects = renderInterface_->texturedRectsToAdd();
    if (!additions.empty() || !texturedRects.empty()) {
        const std::unordered_set<RenderInterface::UIObject*> doomed(deletions.begin(), deletions.end());
        const auto isDoomed = [&doomed](RenderInterface::UIObject* object) { return doomed.count(object) != 0; };
        additions.remove_if(isDoomed);
        texturedRects.remove_if(isDoomed);
    }
    // The objects of a closing screen are cold by now; asking for later ones ahead lets those
    // loads overlap. An object shares its cache line with its pair's flags (see ParameterManager).
    constexpr std::size_t objectAhead = 16;
    const std::size_t count = deletions.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (i + objectAhead < count) prefetchForRead(deletions[i + objectAhead]);
        RenderInterface::UIObject* object = deletions[i];
        if (!object) continue;
        if (uiManager_) uiManager_->removeInstance(object);
        renderInterface_->parameterManager()->addPendingDeletion(object->pair());
        delete object;
    }
    deletions.clear();
}
