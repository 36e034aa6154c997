#pragma once
// The owner record every update-side consumer receives: game states, widgets, applyGameSettings.
class RenderInterface;
class InputManager;
class SoundManager;
class ThreadResourcePool;
class MousePointer;
class WindowManager;
class OSInterfaceManager;

struct UIContext {
    RenderInterface* renderInterface = nullptr;
    InputManager* inputManager = nullptr;
    SoundManager* soundManager = nullptr;
    ThreadResourcePool* updatePool = nullptr;
    MousePointer* mousePointer = nullptr;
    // Filled by the game state that builds the UI.
    WindowManager* windowManager = nullptr;
    OSInterfaceManager* osInterface = nullptr;
};
