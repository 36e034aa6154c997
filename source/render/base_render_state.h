#pragma once
// The base of the render states: what the render side adds to a state's phases (device loss,
// taking over queued objects, finishing a load, screen size, scene name).
#include <cstdint>
#include <string>

#include "app/base_state.h"

class BaseRenderState : public BaseState {
public:
    using BaseState::BaseState;

    virtual void setSceneName(const std::string& sceneName) = 0;
    virtual void onLostDevice() = 0;
    virtual void onResetDevice() = 0;
    virtual void beforeFrameSwap() = 0;
    // Takes over the objects the update side queued; runs inside the frame hand-off only.
    virtual void processPendingObjects() = 0;
    virtual void finishLoad() = 0;
    virtual void setScreenSize(std::uint32_t width, std::uint32_t height) = 0;
    // The window lost its picture (shown, uncovered, resized): the next frame is drawn even if
    // nothing on it changed. A state that draws every frame has nothing to do.
    virtual void requestRedraw() {}
};
