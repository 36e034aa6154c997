#pragma once
// The program's render task: the device, the UI manager and the render-state manager. The UI
// manager is made by the maker its layer registers (render/ui_draw_maker.h).
#include "render/render_task.h"

class RenderStateManager;
class ParameterDescriptionRegistry;
class RenderInterface;
class UIDrawInterface;

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
    UIDrawInterface* uiManager() const { return uiManager_; }

    // Set by the application when it builds the task.
    ParameterDescriptionRegistry* registry = nullptr;
    RenderInterface* renderInterface = nullptr;

private:
    RenderStateManager* renderStateManager_ = nullptr;
    UIDrawInterface* uiManager_ = nullptr;
};
