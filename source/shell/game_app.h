#pragma once
// The application: builds the engine's services, runs the update thread, and each frame hands
// off between the main (render) thread and the update thread in lock-step.
#include <cstdint>
#include <memory>
#include <string>

#include "app/game_state_manager.h"
#include "app/qel_app.h"
#include "platform/thread.h"
#include "shell/update_thread.h"

class ThreadResourcePool;
class DirectInputDevices;
class ParameterDescriptionRegistry;
class RenderInterface;
class OSInterfaceManagerLinux;
class GameRenderTask;
struct UpdateThreadContext;

class GameApp : public QelApp {
public:
    // firstState builds the first game state (empty: none);
    // makeConfig the application's configuration (empty: the engine's own).
    GameApp(std::uint32_t width, std::uint32_t height, const char* currentDirectory, std::string title,
            GameStateManager::StateFactory firstState = nullptr, ConfigFactory makeConfig = nullptr);
    ~GameApp() override;

    // The hand-off: runs while the update thread is parked.
    void update(float dt) override;
    // One frame: runMultiThreadedTasks.
    void frame(float clampedDt, float rawDt) override;
    void shutdown() override;
    void onMouseMove(const short position[2]) override;
    // Only asks the game state; the state decides when the program ends.
    void onClose() override;

    void frameStep(float dt);
    void copyFlags();
    bool setWindowMode(bool fullScreen);
    void restoreWindowRect(bool resizePending);

    RenderInterface* renderInterface() const { return renderInterface_; }
    GameRenderTask* renderTask() const { return renderTask_; }
    UpdateThreadContext* updateContext() const { return context_; }
    ThreadResourcePool* updatePool() const { return updatePool_; }
    platform::ThreadId updateThreadId() const { return updateThread_.id(); }
    bool fullScreenNow() const { return fullScreenNow_; }
    bool restorePending() const { return restorePending_; }

private:
    void applyDisplayChange();

    OSInterfaceManagerLinux* osInterface_ = nullptr;
    RenderInterface* renderInterface_ = nullptr;
    ParameterDescriptionRegistry* renderRegistry_ = nullptr;
    GameRenderTask* renderTask_ = nullptr;
    UpdateThreadContext* context_ = nullptr;
    platform::Thread updateThread_;
    DirectInputDevices* inputDevices_ = nullptr;
    ThreadResourcePool* renderPool_ = nullptr;
    ThreadResourcePool* updatePool_ = nullptr;
    bool restorePending_ = false;
    float rawFrameTime_ = 0.0f;
};
