// The floor of the idle measurement (scripts/idle_cpu.sh): the program's window at its default
// size that only clears and presents, through the program's drawing device, paced as the
// program's loop paces a drawn frame (by the swap when it waits for the display, else by sleeping
// to the refresh rate). Runs until its window is closed or it is told to end.
#include <cstdint>
#include <memory>
#include <string>

#include "app/frame_timer.h"
#include "platform/gfx/graphics_system.h"
#include "platform/window/app_window.h"
#include "render/device_global.h"

int main() {
    constexpr int width = 1024, height = 768;
    std::string error;
    std::unique_ptr<platform::AppWindow> window = platform::AppWindow::create("present loop", 100, 100, width, height, error);
    gfx::GraphicsSystem* system = window ? gfx::GraphicsSystem::create() : nullptr;
    gfx::PresentParameters parameters{};
    parameters.backBufferWidth = width;
    parameters.backBufferHeight = height;
    parameters.deviceWindow = window ? window->sdlWindow() : nullptr;
    parameters.presentationInterval = gfx::PresentInterval::One;
    if (!system || gfx::failed(system->createDevice(0, gfx::DeviceType::Hal, parameters.deviceWindow,
                                                    gfx::CreateFlags::HardwareVertexProcessing, parameters,
                                                    &deviceGlobal))) {
        return 2;
    }
    FrameTimer timer;
    FrameClock clock;
    for (bool running = true; running;) {
        platform::WindowMessage message;
        while (window->peekMessage(message)) {
            if (message.kind == platform::WindowMessageKind::Close) running = false;
        }
        if (window->swapWaitsForVerticalBlank()) {
            timer.enabled = false;
        } else {
            timer.limitTo(window->refreshRate());
        }
        if (std::uint32_t wait = timer.waitBefore(clock.now())) clock.sleep(wait);
        timer.tick(clock.now());
        deviceGlobal->clear(gfx::Clear::Target, 0xFF000000u, 1.0f, 0);
        deviceGlobal->beginScene();
        deviceGlobal->endScene();
        deviceGlobal->present();
    }
    gfx::safeRelease(deviceGlobal);
    system->release();
    return 0;
}
