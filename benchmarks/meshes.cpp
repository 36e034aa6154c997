// Frames of the mesh renderables at 320x240 on the offscreen driver (the shadow, depth and colour
// passes), beside a frame that only clears and presents, measured in the same run: 2,000 static crates drawn from their batches (the
// counters give the batch build's wall and CPU milliseconds, the batches, the tree cells holding
// crates and the draws of a colour pass), and 1,000 dynamic crates drawn batched (one instanced
// draw per subset) and, for comparison, one draw per instance. Each case reports milliseconds per
// frame of wall time and of CPU time over all the process's threads.
#include <benchmark/benchmark.h>

#include <SDL2/SDL.h>

#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <set>
#include <string>

#include "app/parameter_description.h"
#include "app/thread_resource_pool.h"
#include "platform/gfx/graphics_system.h"
#include "platform/gfx/math_matrix.h"
#include "platform/paths.h"
#include "platform/thread.h"
#include "render/base_renderable.h"
#include "render/device_global.h"
#include "render/light_parameters.h"
#include "render/render_interface.h"
#include "render/renderable_manager.h"
#include "scene/static_mesh_renderable.h"
#include "scene/static_renderable_batch.h"

extern "C" void zoderud_link_scene_renderables();

namespace {

constexpr std::uint32_t kWidth = 320;
constexpr std::uint32_t kHeight = 240;

double processCpuMs() {
    timespec time{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &time);
    return double(time.tv_sec) * 1000.0 + double(time.tv_nsec) / 1.0e6;
}

// The offscreen device and, for a scene, the render interface and a renderable manager over a
// render paths file of one class with the crate's folder, loaded the way the game state loads it.
class MeshBench {
public:
    explicit MeshBench(const char* className, bool instancing) {
        platform::setCurrentDirectory(ZODERUD_SOURCE_DIR);
        zoderud_link_scene_renderables();
        SDL_InitSubSystem(SDL_INIT_VIDEO);
        window_ = SDL_CreateWindow("bench", 0, 0, int(kWidth), int(kHeight), SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        system_ = gfx::GraphicsSystem::create();
        gfx::PresentParameters parameters;
        parameters.backBufferWidth = kWidth;
        parameters.backBufferHeight = kHeight;
        parameters.enableAutoDepthStencil = true;
        parameters.autoDepthStencilFormat = gfx::Format::D24S8;
        parameters.presentationInterval = gfx::PresentInterval::Immediate;
        if (!window_ || !system_ ||
            failed(system_->createDevice(0, gfx::DeviceType::Hal, window_, 0, parameters, &deviceGlobal)))
            return;
        createVertexDeclarations();
        renderInterface_ = std::make_unique<RenderInterface>(&registry_, &pool_, kWidth, kHeight, ZODERUD_SOURCE_DIR);
        renderInterface_->setOwnerThreadId(platform::currentThreadId());
        renderInterface_->parameterManager()->setOwnerThreadId(platform::currentThreadId());
        renderInterface_->setRenderSettings(kWidth, kHeight, 0, 0, 0, 0, 0, instancing, 0, 0, 0, 0, "High", "Low", "", "",
                                            0, 0);
        renderInterface_->swapFrame();
        ready_ = true;
        if (!className) return;
        const std::string paths = "/tmp/zoderud_bench_meshes_" + std::to_string(::getpid()) + ".xml";
        std::ofstream(paths) << "<RenderPaths><" << className << "><Path path=\"Data/graphics/3d/meshes/dynamic/\"/></"
                             << className << "></RenderPaths>\n";
        manager_ = std::make_unique<RenderableManager>(-1024.0f, -1024.0f, 1024.0f, 1024.0f, &pool_);
        manager_->init(renderInterface_.get(), paths);
        std::remove(paths.c_str());
        manager_->registerDescriptions(registry_);
        manager_->queueRenderAssetLoading();
        int percent = 0;
        while (!manager_->loadRenderAssets(percent)) {}
        manager_->queueAssetFinishing();
        while (!manager_->finishRenderAssets(percent)) {}
        light_ = renderInterface_->createLight(kDirectionalLightType);
        lookDownAtTheCrates();
    }
    MeshBench(const MeshBench&) = delete;
    MeshBench& operator=(const MeshBench&) = delete;
    ~MeshBench() {
        if (manager_) {
            manager_->removeAllInstances();
            for (BaseRenderable* renderable : manager_->renderables()) renderable->releaseAssets();
            manager_->removeDescriptions(registry_);
            manager_->shutdown();
        }
        manager_.reset();
        renderInterface_.reset();
        if (ready_) releaseVertexDeclarations();
        gfx::safeRelease(deviceGlobal);
        if (system_) system_->release();
        if (window_) SDL_DestroyWindow(window_);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    bool ready() const { return ready_ && (!manager_ || !manager_->renderables().empty()); }

    // Crates on a square grid two units apart, centred on the origin.
    void addCrates(int count) {
        int side = 1;
        while (side * side < count) ++side;
        for (int i = 0; i < count; ++i) {
            const gfx::Matrix placed = gfx::rotationYMatrix(0.3f * float(i % 7)) *
                                       gfx::translationMatrix(2.0f * float(i % side - side / 2), 0.0f,
                                                              2.0f * float(i / side - side / 2));
            renderInterface_->createRenderObject("Mesh_crate", placed.data());
        }
        handOff();
    }
    // The hand-off: the queued objects and lights join the scene.
    void handOff() {
        renderInterface_->swapFrame();
        for (RenderInterface::RenderableObject* object : renderInterface_->objectsToAdd()) manager_->addInstanceByName(object);
        renderInterface_->objectsToAdd().clear();
        for (RenderInterface::RenderableObject* light : renderInterface_->lightsToAdd()) manager_->addLight(light);
        renderInterface_->lightsToAdd().clear();
    }

    void clearAndPresent() {
        gfx::Device* device = deviceGlobal;
        device->clear(gfx::Clear::Target | gfx::Clear::ZBuffer, 0xFF000000u, 1.0f, 0);
        device->beginScene();
        device->endScene();
        device->present();
    }
    // The passes of a frame with shadows on (shadow, depth, colour), all into the back buffer,
    // then what the game state runs after them: instance updates, culling and the instanced
    // arrays.
    void sceneFrame() {
        gfx::Device* device = deviceGlobal;
        device->clear(gfx::Clear::Target | gfx::Clear::ZBuffer, 0xFF000000u, 1.0f, 0);
        device->beginScene();
        for (DrawPass pass : kFramePassOrder) {
            device->clear(gfx::Clear::ZBuffer, 0, 1.0f, 0);
            manager_->draw(&context_, pass, 1.0f / 60.0f);
        }
        device->endScene();
        device->present();
        manager_->setCameraFrame(renderInterface_->cameraBlock());
        manager_->applySettings(1.0f / 60.0f);
        manager_->update();
    }

    RenderableManager& manager() { return *manager_; }

private:
    void lookDownAtTheCrates() {
        RenderInterface::CameraBlock& frame = renderInterface_->cameraBlock();
        const gfx::Vector3 eye{0.0f, 80.0f, -60.0f};
        const gfx::Matrix view = gfx::lookAtLH(eye, {0, 0, 0}, {0, 1, 0});
        std::copy(&view.m[0][0], &view.m[0][0] + 16, frame.view);
        frame.eyePosition[0] = eye.x, frame.eyePosition[1] = eye.y, frame.eyePosition[2] = eye.z;
        frame.target[0] = frame.target[1] = frame.target[2] = 0.0f;
        frame.lightDirection[0] = 0.3f, frame.lightDirection[1] = -1.0f, frame.lightDirection[2] = 0.5f;
        frame.perspective = 1;
        manager_->setAspect(float(kWidth) / float(kHeight));
        manager_->onResetDevice();
        manager_->setCameraFrame(frame);
        handOff();
    }

    ParameterDescriptionRegistry registry_;
    ThreadResourcePool pool_{"renderPool"};
    std::unique_ptr<RenderInterface> renderInterface_;
    std::unique_ptr<RenderableManager> manager_;
    RenderInterface::RenderableObject* light_ = nullptr;
    PassContext context_;
    SDL_Window* window_ = nullptr;
    gfx::GraphicsSystem* system_ = nullptr;
    bool ready_ = false;
};

void BM_ClearAndPresent(benchmark::State& state) {
    MeshBench bench(nullptr, false);
    if (!bench.ready()) return state.SkipWithError("no offscreen device");
    for (int i = 0; i < 10; ++i) bench.clearAndPresent();
    for (auto _ : state) bench.clearAndPresent();
}

void BM_StaticCrates2000(benchmark::State& state) {
    MeshBench bench(StaticMeshRenderable::kClassName, true);
    if (!bench.ready()) return state.SkipWithError("no offscreen device or no static mesh renderable");
    auto* statics = static_cast<StaticMeshRenderable*>(bench.manager().renderables().front());
    // The build: the crates join the tree and their batches, then the frames until every batch
    // with crates has been baked.
    const auto wallStart = std::chrono::steady_clock::now();
    const double cpuStart = processCpuMs();
    bench.addCrates(2000);
    std::set<const void*> cells;
    for (int i = 0; i < 10; ++i) {
        bench.sceneFrame();
        cells.clear();
        for (StaticRenderableBatch* batch : statics->batches())
            if (batch->count() > 0) cells.insert(batch->cell());
        if (statics->batchBuildCount() >= cells.size() && !cells.empty()) break;
    }
    const double buildWallMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wallStart).count();
    const double buildCpuMs = processCpuMs() - cpuStart;
    for (int i = 0; i < 10; ++i) bench.sceneFrame();
    for (auto _ : state) bench.sceneFrame();
    state.counters["build_wall_ms"] = buildWallMs;
    state.counters["build_cpu_ms"] = buildCpuMs;
    state.counters["batches"] = double(statics->batches().size());
    state.counters["cells_with_crates"] = double(cells.size());
    state.counters["draws_per_pass"] = double(statics->lastColourPassDraws());
}

void dynamicCrates(benchmark::State& state, bool batched) {
    MeshBench bench("DynamicMeshRenderable", batched);
    if (!bench.ready()) return state.SkipWithError("no offscreen device or no dynamic mesh renderable");
    bench.addCrates(1000);
    for (int i = 0; i < 10; ++i) bench.sceneFrame();
    for (auto _ : state) bench.sceneFrame();
    state.counters["crates"] = 1000;
}

void BM_DynamicCrates1000Batched(benchmark::State& state) { dynamicCrates(state, true); }
// The comparison: the same crates with one draw per instance.
void BM_DynamicCrates1000OneDrawPerInstance(benchmark::State& state) { dynamicCrates(state, false); }

#define MESH_BENCHMARK(name) BENCHMARK(name)->UseRealTime()->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond)

MESH_BENCHMARK(BM_ClearAndPresent);
MESH_BENCHMARK(BM_StaticCrates2000)->Iterations(200);
MESH_BENCHMARK(BM_DynamicCrates1000Batched);
MESH_BENCHMARK(BM_DynamicCrates1000OneDrawPerInstance);

} // namespace
