#pragma once
// The real UI drawing stack on a hidden offscreen window, for the frame benchmarks: the device,
// the render interface, the UI manager and the front-end render state, torn down in order.
#include <SDL2/SDL.h>

#include <time.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "app/parameter_description.h"
#include "app/thread_resource_pool.h"
#include "platform/gfx/graphics_system.h"
#include "platform/paths.h"
#include "render/device_global.h"
#include "render/render_interface.h"
#include "render/render_state_front_end.h"
#include "ui_render/ui_manager.h"
#include "ui_render/ui_renderable.h"

class OffscreenUIBench {
public:
    static constexpr std::uint32_t width = 1024;
    static constexpr std::uint32_t height = 768;
    static constexpr int framesMeasured = 200;

    OffscreenUIBench() {
        platform::setCurrentDirectory(ZODERUD_SOURCE_DIR);
        SDL_InitSubSystem(SDL_INIT_VIDEO);
        window_ = SDL_CreateWindow("bench", 0, 0, int(width), int(height), SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        system_ = gfx::GraphicsSystem::create();
        gfx::PresentParameters parameters;
        parameters.backBufferWidth = width;
        parameters.backBufferHeight = height;
        parameters.presentationInterval = gfx::PresentInterval::Immediate;
        if (!window_ || !system_ ||
            failed(system_->createDevice(0, gfx::DeviceType::Hal, window_, 0, parameters, &deviceGlobal))) {
            return;
        }
        createVertexDeclarations();
        registry = std::make_unique<ParameterDescriptionRegistry>();
        pool = std::make_unique<ThreadResourcePool>("renderPool");
        renderInterface = std::make_unique<RenderInterface>(registry.get(), pool.get(), width, height, ZODERUD_SOURCE_DIR);
        renderInterface->setOwnerThreadId(platform::currentThreadId());
        renderInterface->parameterManager()->setOwnerThreadId(platform::currentThreadId());
        renderInterface->setRenderSettings(width, height, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "High", "Low",
                                           "EBGaramond-Regular_48", "original-garamond-bold-bt_48", 0, 0);
        renderInterface->swapFrame();
        manager = std::make_unique<UIManager>(pool.get(), renderInterface.get());
        manager->loadRenderPaths(registry.get(), "Data/graphics/ui/render_paths.xml");
        frontEnd = std::make_unique<RenderStateFrontEnd>(pool.get(), "frontEnd", nullptr, registry.get(),
                                                         renderInterface.get(), manager.get(), width, height);
        ready_ = true;
    }
    OffscreenUIBench(const OffscreenUIBench&) = delete;
    OffscreenUIBench& operator=(const OffscreenUIBench&) = delete;
    ~OffscreenUIBench() {
        if (ready_) {
            // Objects destroyed by the caller's widgets leave at one more hand-off.
            renderInterface->swapFrame();
            frontEnd->processPendingObjects();
            manager->destroyRenderables();
        }
        frontEnd.reset();
        manager.reset();
        renderInterface.reset();
        pool.reset();
        registry.reset();
        if (ready_) releaseVertexDeclarations();
        gfx::safeRelease(deviceGlobal);
        if (system_) system_->release();
        if (window_) SDL_DestroyWindow(window_);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    bool ready() const { return ready_; }

    void clearAndPresent() {
        gfx::Device* device = deviceGlobal;
        device->clear(gfx::Clear::Target, 0xFF000000u, 1.0f, 0);
        device->beginScene();
        device->endScene();
        device->present();
    }
    // One hand-off of the UI objects, then a full UI frame.
    void uiFrame() {
        renderInterface->swapFrame();
        frontEnd->processPendingObjects();
        gfx::Device* device = deviceGlobal;
        device->clear(gfx::Clear::Target, 0xFF000000u, 1.0f, 0);
        device->beginScene();
        manager->draw();
        device->endScene();
        device->present();
        for (UIRenderable* renderable : manager->renderables()) renderable->updateInstances();
    }
    // What a frame costs: the median wall time, and the process's CPU time over all its threads
    // (the software rasteriser's among them) per frame, both in milliseconds. The wall time
    // depends on how many cores are free; the CPU time does not.
    struct FrameCost {
        double wallMs = 0.0;
        double cpuMs = 0.0;
    };
    // After ten frames of warm-up.
    template <typename Frame>
    static FrameCost measureFrames(Frame&& drawFrame) {
        for (int i = 0; i < 10; ++i) drawFrame();
        std::vector<double> samples;
        const double cpuStart = processCpuMs();
        for (int i = 0; i < framesMeasured; ++i) {
            const auto start = std::chrono::steady_clock::now();
            drawFrame();
            samples.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
        FrameCost cost;
        cost.cpuMs = (processCpuMs() - cpuStart) / framesMeasured;
        std::sort(samples.begin(), samples.end());
        cost.wallMs = samples[samples.size() / 2];
        return cost;
    }
    static double processCpuMs() {
        timespec time{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &time);
        return double(time.tv_sec) * 1000.0 + double(time.tv_nsec) / 1.0e6;
    }

    std::unique_ptr<ParameterDescriptionRegistry> registry;
    std::unique_ptr<ThreadResourcePool> pool;
    std::unique_ptr<RenderInterface> renderInterface;
    std::unique_ptr<UIManager> manager;
    std::unique_ptr<RenderStateFrontEnd> frontEnd;

private:
    SDL_Window* window_ = nullptr;
    gfx::GraphicsSystem* system_ = nullptr;
    bool ready_ = false;
};
