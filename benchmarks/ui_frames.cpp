// Frames of 2,000 UI objects through the real UI manager: 1,500 rectangles (simple, outlined
// and shadowed) and 500 text boxes of about 20 characters on 8 layers, against frames that only
// clear and present, in the same run. Median of 200 frames each, in milliseconds.
#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/parameter_description.h"
#include "app/simple_parameter_group.h"
#include "app/thread_resource_pool.h"
#include "platform/gfx/graphics_system.h"
#include "platform/paths.h"
#include "render/device_global.h"
#include "render/render_interface.h"
#include "render/render_state_front_end.h"
#include "ui_render/ui_manager.h"
#include "ui_render/ui_renderable.h"

namespace {

constexpr std::uint32_t width = 1024;
constexpr std::uint32_t height = 768;
constexpr int framesMeasured = 200;

double medianMs(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

// Small widgets spread over the screen, like buttons and labels, on layers 0 to 7.
void makeScene(RenderInterface& renderInterface) {
    const char* const rectangles[] = {"ui_simple_rectangle", "ui_outlined_rectangle", "ui_shadowed_outlined_rectangle"};
    for (int i = 0; i < 2000; ++i) {
        const bool text = i % 4 == 3;
        RenderInterface::UIObject* object = renderInterface.createUIObject(text ? "TextBox" : rectangles[i % 3]);
        if (!object) continue;
        object->setRenderLayer(static_cast<std::uint32_t>(i % 8));
        SimpleParameterGroup* group = object->pair()->updateGroup();
        const float left = -1.0f + float(i % 40) * 0.05f, top = 1.0f - float((i / 40) % 50) * 0.04f;
        group->setVector2("topLeft", {left, top});
        group->setVector2("bottomRight", {left + 0.045f, top - 0.035f});
        if (text) {
            group->setString("string", "Strength 14 (+1) ok");
        } else {
            group->setVector4("colour", {float(i % 7) / 7.0f, 0.5f, 0.25f, 1.0f});
        }
    }
}

void BM_UIFrames(benchmark::State& state) {
    platform::setCurrentDirectory(ZODERUD_SOURCE_DIR);
    SDL_InitSubSystem(SDL_INIT_VIDEO);
    SDL_Window* window = SDL_CreateWindow("bench", 0, 0, int(width), int(height), SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    gfx::GraphicsSystem* system = gfx::GraphicsSystem::create();
    gfx::PresentParameters parameters;
    parameters.backBufferWidth = width;
    parameters.backBufferHeight = height;
    parameters.presentationInterval = gfx::PresentInterval::Immediate;
    if (!window || !system ||
        failed(system->createDevice(0, gfx::DeviceType::Hal, window, 0, parameters, &deviceGlobal))) {
        state.SkipWithError("no device");
        return;
    }
    createVertexDeclarations();
    {
        ParameterDescriptionRegistry registry;
        ThreadResourcePool pool("renderPool");
        RenderInterface renderInterface(&registry, &pool, width, height, ZODERUD_SOURCE_DIR);
        renderInterface.setOwnerThreadId(platform::currentThreadId());
        renderInterface.setRenderSettings(width, height, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "High", "Low",
                                          "EBGaramond-Regular_48", "original-garamond-bold-bt_48", 0, 0);
        renderInterface.swapFrame();
        UIManager manager(&pool, &renderInterface);
        manager.loadRenderPaths(&registry, "Data/graphics/ui/render_paths.xml");
        RenderStateFrontEnd frontEnd(&pool, "frontEnd", nullptr, &registry, &renderInterface, &manager, width, height);
        makeScene(renderInterface);

        gfx::Device* device = deviceGlobal;
        auto clearAndPresent = [&] {
            device->clear(gfx::Clear::Target, 0xFF000000u, 1.0f, 0);
            device->beginScene();
            device->endScene();
            device->present();
        };
        auto uiFrame = [&] {
            renderInterface.swapFrame();
            frontEnd.processPendingObjects();
            device->clear(gfx::Clear::Target, 0xFF000000u, 1.0f, 0);
            device->beginScene();
            manager.draw();
            device->endScene();
            device->present();
            for (UIRenderable* renderable : manager.renderables()) renderable->updateInstances();
        };
        auto measure = [](auto&& drawFrame) {
            for (int i = 0; i < 10; ++i) drawFrame();
            std::vector<double> samples;
            for (int i = 0; i < framesMeasured; ++i) {
                const auto start = std::chrono::steady_clock::now();
                drawFrame();
                samples.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
            }
            return medianMs(samples);
        };

        for (auto _ : state) {
            const double baseline = measure(clearAndPresent);
            manager.batchWriter().resetDrawCalls();
            const double ui = measure(uiFrame);
            state.counters["clear_present_ms"] = baseline;
            state.counters["ui_frame_ms"] = ui;
            state.counters["difference_ms"] = ui - baseline;
            state.counters["batched_draws_per_frame"] = double(manager.batchWriter().drawCalls()) / (framesMeasured + 10);
            std::printf("clear and present: %.3f ms, UI frame of 2,000 objects: %.3f ms, difference: %.3f ms "
                        "(median of %d frames)\n",
                        baseline, ui, ui - baseline, framesMeasured);
        }
        manager.destroyRenderables();
    }
    releaseVertexDeclarations();
    gfx::safeRelease(deviceGlobal);
    system->release();
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

BENCHMARK(BM_UIFrames)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
