// Start-up to the main menu with every rules catalogue of the shipped Data/ loaded, on the offscreen
// driver: in this process from constructing the application to the menu's first presented frame,
// and from exec of the real program to the hand-off that carries the menu's strip to be drawn.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "app/base_state.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "render/render_interface.h"
#include "shell/game_app.h"
#include "tracker/brav_config.h"
#include "tracker/game_state_main_menu.h"

namespace {

class CountingGameApp : public GameApp {
public:
    CountingGameApp()
        : GameApp(
              1024, 768, "", "BRAV Zoderud",
              [](GameStateManager* owner, ThreadResourcePool* pool) -> BaseState* {
                  return new GameStateMainMenu(owner, pool, "mainMenuState");
              },
              [](ThreadResourcePool* pool) -> std::unique_ptr<GameConfigExt> {
                  return std::make_unique<BRAVConfig>(pool, "BRAV Zoderud");
              }) {}
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
        // The menu has loaded its catalogues and entered once the render side sees it running; the
        // frame after that hand-off draws and presents its strip.
        RenderInterface* renderInterface = app.renderInterface();
        int handOffsWhenRunning = -1;
        while (handOffsWhenRunning < 0 || app.handOffs <= handOffsWhenRunning) {
            app.frame(0.0f, 0.0f);
            if (handOffsWhenRunning < 0 && renderInterface->gameStateStatusForRender() == BaseState::Running) {
                handOffsWhenRunning = app.handOffs;
            }
        }
        // Tearing the application down is not part of the measure.
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}

// The program's UI dump holds every caption of the strip once its objects reached the hand-off.
bool stripDumped(const std::string& dumpPath) {
    std::string text;
    if (!platform::readWholeFile(dumpPath, text)) return false;
    for (const char* caption : {"\tLoad\n", "\tSave\n", "\tNew\n", "\tRoll Dice\n"}) {
        if (text.find(caption) == std::string::npos) return false;
    }
    return true;
}

void BM_ExecToMainMenuStrip(benchmark::State& state) {
    // The program sits beside the benchmarks' folder in the build tree.
    const std::string program = platform::executableDirectory() + "/../zoderud";
    if (!platform::isRegularFile(program)) {
        state.SkipWithError("the program has not been built beside the benchmarks");
        return;
    }
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    platform::setCurrentDirectory(ZODERUD_SOURCE_DIR);
    for (auto _ : state) {
        FreshFolder folder;
        setenv("XDG_DATA_HOME", folder.path().c_str(), 1);
        const std::string dumpPath = folder.path() + "/ui.tsv";
        setenv("ZODERUD_UI_DUMP", dumpPath.c_str(), 1);
        platform::Process process;
        auto start = std::chrono::steady_clock::now();
        if (!process.start(program, {})) {
            state.SkipWithError("the program could not be started");
            break;
        }
        int exitCode = 0;
        bool ended = false;
        while (!stripDumped(dumpPath) && !(ended = process.poll(exitCode))) {
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        if (ended) {
            state.SkipWithError("the program ended before showing the main menu");
            break;
        }
        // Closing it is not part of the measure; SIGTERM reaches it as a close request.
        process.terminate();
        while (!process.poll(exitCode)) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    unsetenv("ZODERUD_UI_DUMP");
}

} // namespace

BENCHMARK(BM_ExecToMainMenuStrip)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Five separate start-ups; the median is the figure.
BENCHMARK(BM_StartUpToFirstPresentedFrame)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
