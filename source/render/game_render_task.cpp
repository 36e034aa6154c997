#include "render/game_render_task.h"

#include "app/log.h"
#include "platform/clock.h"
#include "render/base_render_state.h"
#include "render/device_global.h"
#include "render/render_interface.h"
#include "render/render_state_manager.h"
#include "render/ui_draw_interface.h"
#include "render/ui_draw_maker.h"

GameRenderTask::~GameRenderTask() { shutdown(); }

bool GameRenderTask::checkDeviceCaps() {
    if (!system_) return false;
    gfx::Caps caps;
    if (gfx::failed(system_->getDeviceCaps(0, deviceType_, caps))) return false;
    if (caps.vertexShaderVersion < gfx::shaderVersion(2, 0) || caps.pixelShaderVersion < gfx::shaderVersion(2, 0)) {
        return false;
    }
    gfx::DisplayMode mode;
    system_->getAdapterDisplayMode(0, mode);
    for (gfx::Format adapterFormat : {mode.format, gfx::Format::X8R8G8B8}) {
        if (gfx::failed(system_->checkDeviceFormat(0, deviceType_, adapterFormat, gfx::Usage::RenderTarget,
                                                   gfx::ResourceType::Texture, gfx::Format::X8R8G8B8))) {
            return false;
        }
        if (gfx::failed(system_->checkDepthStencilMatch(0, deviceType_, adapterFormat, gfx::Format::X8R8G8B8,
                                                        gfx::Format::D24X8))) {
            return false;
        }
    }
    return true;
}

void GameRenderTask::onLostDevice() {
    if (uiManager_) uiManager_->onLostDevice();
    if (renderStateManager_ && renderStateManager_->current()) renderStateManager_->current()->onLostDevice();
}

void GameRenderTask::onResetDevice() {
    if (uiManager_) uiManager_->onResetDevice();
    if (renderStateManager_ && renderStateManager_->current()) renderStateManager_->current()->onResetDevice();
}

bool GameRenderTask::initialise() {
    uiManager_ = makeUIDraw(renderPool_, renderInterface);
    renderStateManager_ =
        new RenderStateManager(renderPool_, registry, renderInterface, uiManager_, backBufferWidth, backBufferHeight);
    resizePending = false;
    displayChangeRequested = false;
    fullScreenWanted = false;
    // Without a device or the capabilities the engine draws with, nothing could be drawn: the
    // application reports it and ends instead of running blind.
    if (gfx::failed(createDevice()) || !deviceGlobal) {
        LOG_MESSAGE("The drawing device could not be created");
        return false;
    }
    if (!checkDeviceCaps()) {
        LOG_MESSAGE("The drawing device lacks the capabilities the program needs");
        return false;
    }
    createVertexDeclarations();
    enumerateDisplayModes();
    gfx::Caps caps;
    deviceGlobal->getDeviceCaps(caps);
    bool levelThree = caps.vertexShaderVersion >= gfx::shaderVersion(3, 0) &&
                      caps.pixelShaderVersion >= gfx::shaderVersion(3, 0);
    if (renderInterface) renderInterface->setShaderLevel(levelThree ? 3 : 2);
    renderStateManager_->createStates();
    if (uiManager_) uiManager_->loadRenderPaths(registry, "Data/graphics/ui/render_paths.xml");
    return true;
}

void GameRenderTask::enumerateDisplayModes() {
    if (!system_ || !renderInterface) return;
    std::vector<DisplayMode>& modes = renderInterface->displayModes();
    std::vector<DisplayMode>& resolutions = renderInterface->distinctResolutions();
    std::uint32_t count = system_->getAdapterModeCount(0, gfx::Format::X8R8G8B8);
    for (std::uint32_t i = 0; i < count; ++i) {
        gfx::DisplayMode found;
        if (gfx::failed(system_->enumAdapterModes(0, gfx::Format::X8R8G8B8, i, found))) continue;
        DisplayMode mode{found.width, found.height, found.refreshRate, static_cast<std::uint32_t>(found.format)};
        bool seen = false;
        for (const DisplayMode& earlier : modes) {
            if (earlier.width == mode.width && earlier.height == mode.height) seen = true;
        }
        modes.push_back(mode);
        if (!seen) resolutions.push_back(mode);
    }
}

void GameRenderTask::shutdown() {
    if (renderStateManager_) {
        if (BaseState* current = renderStateManager_->current()) {
            current->unloadData();
            // A state that never finishes unloading must not hang the exit.
            std::uint64_t giveUpAt = platform::millisecondsSinceStart() + 10000;
            while (current->status() != BaseState::Unloaded && platform::millisecondsSinceStart() < giveUpAt) {
                renderStateManager_->update(0.0f);
            }
        }
        renderStateManager_->clearStates();
        delete renderStateManager_;
        renderStateManager_ = nullptr;
    }
    if (uiManager_) {
        if (deviceGlobal) uiManager_->destroyRenderables();
        delete uiManager_;
        uiManager_ = nullptr;
    }
    releaseVertexDeclarations();
    if (system_) {
        system_->release();
        system_ = nullptr;
    }
    if (deviceGlobal) {
        deviceGlobal->release();
        deviceGlobal = nullptr;
    }
}
