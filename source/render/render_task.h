#pragma once
// The render task: owns the drawing device and what lives exactly as long as it, checks it for
// loss each frame and applies display changes. Main thread only.
#include <cstdint>

#include "platform/event.h"
#include "platform/gfx/graphics_system.h"
#include "platform/gfx/types.h"

class ThreadResourcePool;

class RenderTask {
public:
    RenderTask(gfx::WindowHandle window, ThreadResourcePool* renderPool, std::uint32_t width, std::uint32_t height);
    virtual ~RenderTask();
    RenderTask(const RenderTask&) = delete;
    RenderTask& operator=(const RenderTask&) = delete;

    virtual bool checkDeviceCaps() { return true; }
    virtual void onLostDevice() {}
    virtual void onResetDevice() {}
    virtual gfx::Result createDevice();
    // False when the device could not be made or lacks what the engine needs.
    virtual bool initialise() { return true; }
    virtual void onStarted() {}
    virtual void shutdown() {}

    // True when the device is lost and this frame must be skipped.
    bool handleLostDevice();
    void applyPendingDisplayChange();
    void setFullScreen(bool fullScreen);

    gfx::PresentParameters& presentParameters() { return presentParameters_; }
    gfx::GraphicsSystem* graphicsSystem() const { return system_; }

    platform::Event* renderThreadCycleEvent = nullptr;
    platform::Event* updateThreadCycleEvent = nullptr;
    // Copied in from the application during the frame hand-off.
    bool resizePending = false;
    bool displayChangeRequested = false;
    bool fullScreenWanted = false;
    std::uint32_t backBufferWidth;
    std::uint32_t backBufferHeight;

protected:
    // Lost-device handlers around a reset with the stored parameters; the result is not acted
    // on: a failed reset leaves the device not-reset and the next frame tries again.
    void resetCycle();

    gfx::DeviceType deviceType_ = gfx::DeviceType::Hal;
    std::uint32_t behaviourFlags_ = gfx::CreateFlags::HardwareVertexProcessing;
    gfx::WindowHandle window_;
    gfx::GraphicsSystem* system_ = nullptr;
    gfx::PresentParameters presentParameters_{};
    ThreadResourcePool* renderPool_;
};
