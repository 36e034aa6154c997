#pragma once
// "frontEndState": the render state of screens made of UI only. Draws every UI layer on black
// in each frame that shows something new, and has nothing to load.
#include <cstdint>
#include <string>

#include "render/base_render_state.h"

class ThreadResourcePool;
class StateManager;
class ParameterDescriptionRegistry;
class RenderInterface;
class UIDrawInterface;

class RenderStateFrontEnd : public BaseRenderState {
public:
    RenderStateFrontEnd(ThreadResourcePool* renderPool, std::string name, StateManager* manager,
                        ParameterDescriptionRegistry* registry, RenderInterface* renderInterface, UIDrawInterface* uiManager,
                        std::uint32_t width, std::uint32_t height);

    void enter() override;
    void loadData() override { setStatus(Loading); }
    void unloadData() override { setStatus(Unloaded); }
    void onLoadFinished() override { setStatus(Loaded); }
    void continueUnload() override {}
    void linkNextState() override;
    // The queued deletions are taken over only inside the hand-off, so nothing is drained here.
    void shutdown() override {}
    void update(float dt) override;
    void updateWhileLinked(float dt) override;

    void setSceneName(const std::string&) override {}
    void onLostDevice() override {}
    // The device's targets start blank: the next frame is drawn.
    void onResetDevice() override { requestRedraw(); }
    void beforeFrameSwap() override {}
    void processPendingObjects() override;
    void finishLoad() override {}
    void setScreenSize(std::uint32_t width, std::uint32_t height) override;
    void requestRedraw() override { redrawRequested_ = true; }

    // For tests: every frame is drawn and presented, whether or not it shows anything new.
    static void setDrawEveryFrame(bool every);

    std::uint32_t width() const { return width_; }
    std::uint32_t height() const { return height_; }

private:
    void drawFrame();
    // What is still queued for addition when its deletion arrives is dropped unattached.
    void applyPendingDeletions();
    // Each image save marks its object saved or failed, which the update side reads after this hand-off.
    void publishSaveOutcomes();
    // Frees the parameter pairs the last hand-off retired; after drawing, outside the hand-off.
    void releaseRetiredPairs();

    // Whether the hand-off brought anything that is drawn: an object made or deleted, or a
    // parameter given another value.
    bool changedInHandOff_ = false;
    bool redrawRequested_ = true;
    // Frames still to draw for the last change (see update).
    int framesOwed_ = 0;
    ThreadResourcePool* renderPool_;
    StateManager* manager_;
    ParameterDescriptionRegistry* registry_;
    RenderInterface* renderInterface_;
    UIDrawInterface* uiManager_;
    std::uint32_t width_;
    std::uint32_t height_;
};
