#pragma once
// The program's render task: the device, the UI manager and the render-state manager.
#include "render/render_task.h"

class RenderStateManager;
class ParameterDescriptionRegistry;
class RenderInterface;
class UIManager;
class UIManagerDrawing;

class GameRenderTask : public RenderTask {
public:
    using RenderTask::RenderTask;
    ~GameRenderTask() override;

    bool checkDeviceCaps() override;
    void onLostDevice() override;
    void onResetDevice() override;
    bool initialise() override;
    void shutdown() override;

    void enumerateDisplayModes();

    RenderStateManager* renderStateManager() const { return renderStateManager_; }
    UIManager* uiManager() const { return uiManager_; }

    // Set by the application when it builds the task.
    ParameterDescriptionRegistry* registry = nullptr;
    RenderInterface* renderInterface = nullptr;

private:
    RenderStateManager* renderStateManager_ = nullptr;
    UIManager* uiManager_ = nullptr;
    UIManagerDrawing* uiDrawing_ = nullptr;
};
