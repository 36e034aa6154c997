#pragma once
// The update thread: its context record, its procedure, and its own start-up and shutdown.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "app/game_state_manager.h"

namespace platform {
class Event;
class AppWindow;
} // namespace platform
class RenderInterface;
class OSInterfaceManager;
class ThreadResourcePool;
class InputManager;
class SoundManager;
class ParameterDescriptionRegistry;
class MousePointer;
struct UIContext;
class GameConfigExt;

// Builds the application's configuration (its own settings section included) for a pool.
using ConfigFactory = std::function<std::unique_ptr<GameConfigExt>(ThreadResourcePool* pool)>;

struct UpdateThreadContext {
    UpdateThreadContext(platform::AppWindow* window, RenderInterface* renderInterface, OSInterfaceManager* osInterface,
                        ThreadResourcePool* updatePool);

    // "RenderThreadCycleFinished": the main thread lets the update thread run a cycle.
    platform::Event* go = nullptr;
    // "UpdateThreadCycleFinished": the update thread has finished its cycle.
    platform::Event* done = nullptr;
    MousePointer* mousePointer = nullptr;
    // Written in the hand-off.
    float frameTime = 0.0f;
    float rawFrameTime = 0.0f;
    // Set by the main thread at shutdown; the update thread tests it after every wait, so atomic.
    std::atomic<bool> quit{false};
    bool stateManagerAskedToQuit = false;
    // Set from the main thread when the window is closed; the update thread hands it to the
    // current game state at the start of its next cycle.
    std::atomic<bool> closeRequested{false};
    platform::AppWindow* window;
    bool displayChangeRequest = true;
    std::uint32_t width = 640;
    std::uint32_t height = 480;
    ThreadResourcePool* updatePool;
    OSInterfaceManager* osInterface;
    RenderInterface* renderInterface;
    // Made by the start-up, released by the shutdown, both on the update thread.
    InputManager* inputManager = nullptr;
    SoundManager* soundManager = nullptr;
    ParameterDescriptionRegistry* updateRegistry = nullptr;
    UIContext* uiContext = nullptr;
    GameStateManager* gameStateManager = nullptr;
    // The first game state and the configuration, both given by the program.
    GameStateManager::StateFactory firstState;
    ConfigFactory makeConfig;
};

// The update thread's procedure.
int updateThreadMain(UpdateThreadContext* context);
void startUpdateSide(UpdateThreadContext* context);
void stopUpdateSide(UpdateThreadContext* context);
