// Frames of the scene's many-instance shapes at 320x240 on the offscreen driver, each against
// frames that only clear and present, in the same run: 10,000 hex cells (constant-array batches
// of 124, one array upload per draw; the grid draws at most 3,200 a frame), 5,000 flat tiles of one type in one instanced draw and, as a
// comparison, the same tiles one draw each, and 2,000 lit basic cubes in one instanced draw. Wall
// time (median of 200 frames) and the process's CPU time over all threads per frame, in ms.
#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "app/parameter_description.h"
#include "app/parameter_manager.h"
#include "app/simple_parameter_group.h"
#include "app/thread_resource_pool.h"
#include "platform/gfx/device.h"
#include "platform/gfx/graphics_system.h"
#include "platform/gfx/math_matrix.h"
#include "platform/paths.h"
#include "render/device_global.h"
#include "render/render_interface.h"
#include "render/render_settings.h"
#include "render/renderable_instance.h"
#include "render/renderable_light.h"
#include "scene/basic_cube.h"
#include "scene/basic_shape_parameters.h"
#include "scene/flat_tile_group.h"
#include "scene/hex_grid.h"

namespace {

constexpr std::uint32_t kWidth = 320;
constexpr std::uint32_t kHeight = 240;
constexpr int kFrames = 200;

struct FrameCost {
    double wallMs = 0.0;
    double cpuMs = 0.0;
};

double processCpuMs() {
    timespec time{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &time);
    return double(time.tv_sec) * 1000.0 + double(time.tv_nsec) / 1.0e6;
}

// After ten frames of warm-up.
template <typename Frame>
FrameCost measureFrames(Frame&& drawFrame) {
    for (int i = 0; i < 10; ++i) drawFrame();
    std::vector<double> samples;
    const double cpuStart = processCpuMs();
    for (int i = 0; i < kFrames; ++i) {
        const auto start = std::chrono::steady_clock::now();
        drawFrame();
        samples.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    FrameCost cost;
    cost.cpuMs = (processCpuMs() - cpuStart) / kFrames;
    std::sort(samples.begin(), samples.end());
    cost.wallMs = samples[samples.size() / 2];
    return cost;
}

// A view that looks straight down on the x-z plane (hex cells, cubes) or at the x-y plane
// (tiles), the given half-width of the world across the screen.
gfx::Matrix planeView(float halfWidth, bool ground) {
    gfx::Matrix m = gfx::identityMatrix();
    m.m[0][0] = 1.0f / halfWidth;
    m.m[1][1] = ground ? 0.0f : 1.0f / halfWidth;
    m.m[2][2] = 0.0f;
    m.m[2][1] = ground ? 1.0f / halfWidth : 0.0f;
    m.m[1][2] = ground ? 0.001f : 0.0f;
    m.m[3][2] = 0.5f;
    return m;
}

class ShapesBench {
public:
    ShapesBench() {
        platform::setCurrentDirectory(ZODERUD_SOURCE_DIR);
        SDL_InitSubSystem(SDL_INIT_VIDEO);
        window_ = SDL_CreateWindow("bench", 0, 0, int(kWidth), int(kHeight), SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        system_ = gfx::GraphicsSystem::create();
        gfx::PresentParameters parameters;
        parameters.backBufferWidth = kWidth;
        parameters.backBufferHeight = kHeight;
        parameters.presentationInterval = gfx::PresentInterval::Immediate;
        if (!window_ || !system_ ||
            failed(system_->createDevice(0, gfx::DeviceType::Hal, window_, 0, parameters, &deviceGlobal)))
            return;
        createVertexDeclarations();
        RenderSettings& settings = renderInterface_.renderSettings();
        settings.width = kWidth;
        settings.height = kHeight;
        settings.instancing = 1;
        settings.shaderLevel = 3;
        tiles_.assetFolders = {"Data/graphics/3d/tiles/flat/"};
        for (BaseRenderable* renderable : {static_cast<BaseRenderable*>(&hex_), static_cast<BaseRenderable*>(&tiles_),
                                           static_cast<BaseRenderable*>(&cubes_)}) {
            renderable->setUpParamDescriptions(registry_);
            renderable->loadAssets();
            renderable->createEffects();
            for (RenderableAsset* asset : renderable->assets) {
                asset->loadStage2();
                asset->refreshEffectHandles();
            }
        }
        ready_ = !hex_.assets.empty() && !tiles_.assets.empty() && !cubes_.assets.empty() && hex_.effect() &&
                 tiles_.tileEffect() && cubes_.colourEffect();
    }
    ShapesBench(const ShapesBench&) = delete;
    ShapesBench& operator=(const ShapesBench&) = delete;
    ~ShapesBench() {
        instances_.clear();
        for (BaseRenderable* renderable : {static_cast<BaseRenderable*>(&hex_), static_cast<BaseRenderable*>(&tiles_),
                                           static_cast<BaseRenderable*>(&cubes_)}) {
            renderable->releaseAssets();
            renderable->removeParamDescriptions(registry_);
        }
        if (deviceGlobal) releaseVertexDeclarations();
        gfx::safeRelease(deviceGlobal);
        if (system_) system_->release();
        if (window_) SDL_DestroyWindow(window_);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    bool ready() const { return ready_; }

    // Visible instances of the renderable's first asset, at the given places.
    void place(BaseRenderable& renderable, const char* type, const std::vector<gfx::Matrix>& places) {
        RenderableAsset* asset = renderable.assets.front();
        for (const gfx::Matrix& place : places) {
            ParameterManager::ParameterGroupPair* pair = manager_.createGroupPair(type);
            MatrixValue value;
            std::copy(place.data(), place.data() + 16, value.begin());
            pair->updateGroup()->addMatrix("matrix", value);
            instances_.push_back(std::make_unique<RenderableInstance>(pair, asset, false));
        }
        manager_.sync();
        for (std::size_t i = instances_.size() - places.size(); i < instances_.size(); ++i) {
            instances_[i]->update();
            instances_[i]->setDirectionalLight(&light_);
            asset->addInstance(instances_[i].get());
        }
    }

    void clearAndPresent() {
        gfx::Device* device = deviceGlobal;
        device->clear(gfx::Clear::Target | gfx::Clear::ZBuffer, 0xFF000000u, 1.0f, 0);
        device->beginScene();
        device->endScene();
        device->present();
    }
    template <typename Draw>
    void frame(Draw&& draw) {
        gfx::Device* device = deviceGlobal;
        device->clear(gfx::Clear::Target | gfx::Clear::ZBuffer, 0xFF000000u, 1.0f, 0);
        device->beginScene();
        draw();
        device->endScene();
        device->present();
    }

    HexGridRenderable& hex() { return hex_; }
    FlatTileGroupRenderable& tiles() { return tiles_; }
    BasicCubeRenderable& cubes() { return cubes_; }
    RenderableDirectionalLight& light() { return light_; }
    const PassContext& context() const { return context_; }

private:
    SDL_Window* window_ = nullptr;
    gfx::GraphicsSystem* system_ = nullptr;
    bool ready_ = false;
    ThreadResourcePool pool_{"renderPool"};
    ParameterDescriptionRegistry registry_;
    ParameterManager manager_{&registry_, &pool_};
    RenderInterface renderInterface_{&registry_, &pool_, kWidth, kHeight, ZODERUD_SOURCE_DIR};
    HexGridRenderable hex_{&pool_, &renderInterface_, nullptr};
    FlatTileGroupRenderable tiles_{&pool_, &renderInterface_, nullptr};
    BasicCubeRenderable cubes_{&pool_, &renderInterface_, nullptr};
    RenderableDirectionalLight light_;
    PassContext context_;
    std::vector<std::unique_ptr<RenderableInstance>> instances_;
};

void report(benchmark::State& state, const char* name, const FrameCost& baseline, const FrameCost& cost) {
    state.counters[std::string(name) + "_ms"] = cost.wallMs;
    state.counters[std::string(name) + "_cpu_ms"] = cost.cpuMs;
    std::printf("%s: %.3f ms wall, %.3f ms CPU; over clear and present: %.3f ms wall, %.3f ms CPU\n", name, cost.wallMs,
                cost.cpuMs, cost.wallMs - baseline.wallMs, cost.cpuMs - baseline.cpuMs);
}

void BM_ShapeFrames(benchmark::State& state) {
    ShapesBench bench;
    if (!bench.ready()) {
        state.SkipWithError("no device or no shapes");
        return;
    }
    std::vector<gfx::Matrix> cells, tiles, cubes;
    for (int i = 0; i < 10000; ++i) cells.push_back(gfx::translationMatrix(float(i % 100) * 3.0f - 150.0f, 0.0f, float(i / 100) * 3.4641f - 173.0f));
    for (int i = 0; i < 5000; ++i) tiles.push_back(gfx::translationMatrix(float(i % 100) * 2.0f - 100.0f, float(i / 100) * 2.0f - 50.0f, 0.0f));
    for (int i = 0; i < 2000; ++i) cubes.push_back(gfx::translationMatrix(float(i % 50) * 1.5f - 37.5f, 0.0f, float(i / 50) * 1.5f - 30.0f));
    bench.place(bench.hex(), kHexCellType, cells);
    const std::string tileType = bench.tiles().assets.front()->name();
    bench.place(bench.tiles(), tileType.c_str(), tiles);
    bench.place(bench.cubes(), kBasicCubeType, cubes);
    auto* hexAsset = static_cast<HexGridRenderableAsset*>(bench.hex().assets.front());
    auto* tileAsset = static_cast<FlatTileGroupRenderableAsset*>(bench.tiles().assets.front());
    tileAsset->recordTiles(false);
    const ViewBlock groundView{gfx::identityMatrix(), planeView(180.0f, true), {0, 100, 0}};
    const ViewBlock wallView{gfx::identityMatrix(), planeView(110.0f, false), {0, 0, -100}};
    const ViewBlock cubeView{gfx::identityMatrix(), planeView(40.0f, true), {0, 100, 0}};

    for (auto _ : state) {
        const FrameCost baseline = measureFrames([&] { bench.clearAndPresent(); });
        const std::uint32_t uploadsBefore = hexAsset->arrayUploads();
        const FrameCost hex = measureFrames([&] {
            bench.frame([&] {
                bench.hex().prepareInstancedArrays();
                bench.hex().drawPass(&bench.light(), groundView, bench.context(), DrawPass::Colour, 0.0f);
            });
        });
        const double uploadsPerFrame = double(hexAsset->arrayUploads() - uploadsBefore) / (kFrames + 10);
        const FrameCost batched = measureFrames([&] {
            bench.frame([&] { bench.tiles().drawPass(&bench.light(), wallView, bench.context(), DrawPass::Colour, 0.0f); });
        });
        // The comparison: the same tiles, each in a draw of its own.
        const FrameCost perTile = measureFrames([&] {
            bench.frame([&] {
                gfx::Effect* effect = bench.tiles().tileEffect();
                gfx::Device* device = deviceGlobal;
                device->setRenderState(gfx::RenderState::AlphaBlendEnable, 1);
                device->setRenderState(gfx::RenderState::SrcBlend, std::uint32_t(gfx::Blend::One));
                device->setRenderState(gfx::RenderState::DestBlend, std::uint32_t(gfx::Blend::InvSrcAlpha));
                std::uint32_t passes = 0;
                effect->begin(&passes, 0);
                effect->beginPass(0);
                for (RenderableInstance* tile : tileAsset->visibleInstances) {
                    tileAsset->beginRender(DrawPass::Colour, bench.context(), wallView);
                    tileAsset->renderInstance(tile, wallView, bench.context(), DrawPass::Colour);
                    tileAsset->endRender(DrawPass::Colour, bench.context(), wallView);
                }
                effect->endPass();
                effect->end();
                device->setRenderState(gfx::RenderState::AlphaBlendEnable, 0);
            });
        });
        const FrameCost cubeFrame = measureFrames([&] {
            bench.frame([&] { bench.cubes().drawPass(&bench.light(), cubeView, bench.context(), DrawPass::Colour, 0.0f); });
        });
        state.counters["clear_present_ms"] = baseline.wallMs;
        state.counters["clear_present_cpu_ms"] = baseline.cpuMs;
        std::printf("clear and present: %.3f ms wall, %.3f ms CPU (wall: median of %d frames; CPU: the process's over "
                    "all threads, per frame)\n",
                    baseline.wallMs, baseline.cpuMs, kFrames);
        report(state, "hex_cells_10000", baseline, hex);
        state.counters["hex_array_uploads_per_frame"] = uploadsPerFrame;
        std::printf("hex cells: %u of 10,000 drawn (the grid's limit a frame), %.1f constant-array uploads per frame\n",
                    hexAsset->preparedCells(), uploadsPerFrame);
        report(state, "flat_tiles_5000_batched", baseline, batched);
        report(state, "flat_tiles_5000_one_draw_each", baseline, perTile);
        const double speedUp = (perTile.wallMs - baseline.wallMs) / std::max(batched.wallMs - baseline.wallMs, 1e-6);
        state.counters["flat_tiles_batched_speed_up"] = speedUp;
        std::printf("flat tiles: one instanced draw is %.1f times faster than one draw per tile (over clear and "
                    "present, wall)\n",
                    speedUp);
        report(state, "basic_cubes_2000", baseline, cubeFrame);
    }
}

BENCHMARK(BM_ShapeFrames)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
