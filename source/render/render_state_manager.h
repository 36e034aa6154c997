#pragma once
// The render side's state machine: advances the current render state each frame and publishes
// its status and name to the update side through the render interface.
#include <cstdint>
#include <string>

#include "app/state_manager.h"

class ParameterDescriptionRegistry;
class RenderInterface;
class UIDrawInterface;
class BaseRenderState;

class RenderStateManager : public StateManager {
public:
    RenderStateManager(ThreadResourcePool* renderPool, ParameterDescriptionRegistry* registry,
                       RenderInterface* renderInterface, UIDrawInterface* uiManager, std::uint32_t width,
                       std::uint32_t height);

    // Makes the render states, links them and makes the front end current.
    void createStates();
    bool update(float dt) override;

    BaseRenderState* current() const { return current_; }
    BaseRenderState* previous() const { return previous_; }
    // The state the hand-off talks to: the linked state while the current one hands over to it.
    BaseRenderState* handOffTarget() const;
    // The update side's scene change, in the hand-off: a running current state keeps drawing
    // while its linked state loads the scene. Dropped when the current state is not running;
    // refused and logged when there is no state to change to. True when the change began.
    bool changeScene(const std::string& sceneName);
    // The window lost its picture: the current state draws its next frame whatever changed.
    void requestRedraw();
    // The resolution changed: stored here and given to every state.
    void setScreenSize(std::uint32_t width, std::uint32_t height);
    std::uint32_t width() const { return width_; }
    std::uint32_t height() const { return height_; }

private:
    BaseRenderState* current_ = nullptr;
    BaseRenderState* previous_ = nullptr;
    ParameterDescriptionRegistry* registry_;
    RenderInterface* renderInterface_;
    UIDrawInterface* uiManager_;
    std::uint32_t width_;
    std::uint32_t height_;
};
