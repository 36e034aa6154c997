#include "render/render_task.h"

#include "platform/clock.h"
#include "render/device_global.h"

RenderTask::RenderTask(gfx::WindowHandle window, ThreadResourcePool* renderPool, std::uint32_t width,
                       std::uint32_t height)
    : backBufferWidth(width), backBufferHeight(height), window_(window), renderPool_(renderPool) {}

RenderTask::~RenderTask() = default;

gfx::Result RenderTask::createDevice() {
    system_ = gfx::GraphicsSystem::create();
    if (!system_) return gfx::Result::NotAvailable;

    gfx::DisplayMode mode;
    system_->getAdapterDisplayMode(0, mode);
    system_->checkDeviceType(0, deviceType_, mode.format, mode.format, true);
    system_->checkDeviceType(0, deviceType_, gfx::Format::X8R8G8B8, gfx::Format::X8R8G8B8, false);

    gfx::Caps caps;
    system_->getDeviceCaps(0, deviceType_, caps);
    std::uint32_t flags = (caps.devCaps & gfx::DeviceCaps::HardwareTransformAndLight)
                              ? behaviourFlags_
                              : gfx::CreateFlags::SoftwareVertexProcessing;
    if ((caps.devCaps & gfx::DeviceCaps::PureDevice) && (flags & gfx::CreateFlags::HardwareVertexProcessing)) {
        flags |= gfx::CreateFlags::PureDevice;
    }
    behaviourFlags_ = flags;

    presentParameters_ = gfx::PresentParameters{};
    presentParameters_.backBufferWidth = 0;
    presentParameters_.backBufferHeight = 0;
    presentParameters_.backBufferFormat = gfx::Format::X8R8G8B8;
    presentParameters_.backBufferCount = 1;
    presentParameters_.swapEffect = gfx::SwapEffect::Discard;
    presentParameters_.deviceWindow = window_;
    presentParameters_.windowed = true;
    presentParameters_.enableAutoDepthStencil = false;
    presentParameters_.flags = 0;
    presentParameters_.fullScreenRefreshRate = 0;
    presentParameters_.presentationInterval = gfx::PresentInterval::One;

    std::uint32_t adapter = 0;
    for (std::uint32_t i = 0; i < system_->adapterCount(); ++i) {
        gfx::AdapterIdentifier identifier;
        if (gfx::succeeded(system_->getAdapterIdentifier(i, identifier)) &&
            identifier.description.find("PerfHUD") != std::string::npos) {
            adapter = i;
            deviceType_ = gfx::DeviceType::Reference;
            break;
        }
    }
    return system_->createDevice(adapter, deviceType_, window_, behaviourFlags_, presentParameters_, &deviceGlobal);
}

void RenderTask::resetCycle() {
    onLostDevice();
    if (deviceGlobal) deviceGlobal->reset(presentParameters_);
    onResetDevice();
}

bool RenderTask::handleLostDevice() {
    if (!deviceGlobal) return true;
    switch (deviceGlobal->testCooperativeLevel()) {
    case gfx::Result::DeviceLost:
        platform::sleepMilliseconds(20);
        return true;
    case gfx::Result::DeviceNotReset:
        resetCycle();
        return false;
    default:
        return false;
    }
}

void RenderTask::applyPendingDisplayChange() {
    if (!displayChangeRequested && !resizePending) return;
    displayChangeRequested = false;
    bool windowed = presentParameters_.windowed;
    if (fullScreenWanted == windowed) {
        setFullScreen(fullScreenWanted);
        return;
    }
    presentParameters_.flags = 0;
    presentParameters_.backBufferWidth = backBufferWidth;
    presentParameters_.backBufferHeight = backBufferHeight;
    if (resizePending) {
        resizePending = false;
        resetCycle();
    }
}

void RenderTask::setFullScreen(bool fullScreen) {
    if (fullScreen) {
        if (!presentParameters_.windowed) return;
        presentParameters_.backBufferFormat = gfx::Format::X8R8G8B8;
        presentParameters_.windowed = false;
    } else {
        if (presentParameters_.windowed) return;
        presentParameters_.windowed = true;
    }
    presentParameters_.backBufferWidth = backBufferWidth;
    presentParameters_.backBufferHeight = backBufferHeight;
    presentParameters_.flags = 0;
    if (!deviceGlobal) return;
    switch (deviceGlobal->testCooperativeLevel()) {
    case gfx::Result::DeviceLost:
        // The new parameters stay stored and take effect at the next reset.
        platform::sleepMilliseconds(20);
        return;
    case gfx::Result::DeviceNotReset:
        resetCycle();
        break;
    default:
        break;
    }
    resetCycle();
}
