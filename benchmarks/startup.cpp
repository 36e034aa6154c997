// Start-up: from constructing the application on the offscreen driver to its first presented frame.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "app/base_state.h"
#include "app/game_app.h"
#include "platform/paths.h"
#include "render/game_render_task.h"
#include "render/render_state_manager.h"
#include "render/base_render_state.h"

namespace {

class CountingGameApp : public GameApp {
public:
    CountingGameApp() : GameApp(1024, 768, "", "BRAV Zoderud") {}
    void update(float dt) override {
        ++handOffs;
        GameApp::update(dt);
    }
    int handOffs = 0;
};

// A fresh folder of its own for the settings each run writes, removed afterwards.
class FreshFolder {
public:
    FreshFolder() {
        std::random_device random;
        std::error_code error;
        std::filesystem::path temporary = std::filesystem::temp_directory_path(error);
        for (int attempt = 0; attempt < 100; ++attempt) {
            path_ = temporary / ("zoderud-bench-startup-" + std::to_string(random()));
            if (std::filesystem::create_directory(path_, error)) break;
        }
    }
    ~FreshFolder() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    std::string path() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

void BM_StartUpToFirstPresentedFrame(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    FreshFolder settings;
    setenv("XDG_DATA_HOME", settings.path().c_str(), 1);
    platform::setCurrentDirectory(ZODERUD_SOURCE_DIR);
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        CountingGameApp app;
        if (!app.setUpSucceeded()) {
            state.SkipWithError("the application could not be set up");
            break;
        }
        // The front end draws and presents from the hand-off after it starts running.
        RenderStateManager* manager = app.renderTask()->renderStateManager();
        int handOffsWhenRunning = -1;
        while (handOffsWhenRunning < 0 || app.handOffs <= handOffsWhenRunning) {
            app.frame(0.0f, 0.0f);
            if (handOffsWhenRunning < 0 && manager->current()->status() == BaseState::Running) {
                handOffsWhenRunning = app.handOffs;
            }
        }
        // Tearing the application down is not part of the measure.
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}

} // namespace

BENCHMARK(BM_StartUpToFirstPresentedFrame)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);
