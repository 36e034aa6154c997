// Opening the load-file dialog on a folder of 5,000 character files (listing, rows and the first
// layout) and paging through it, each against the same on a folder of 50 files, in the same run.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/ui_harness.h"
#include "ui/game_ui_load_file_dialog.h"
#include "ui/game_ui_scrollable_selectable_item_list.h"

namespace {

namespace fs = std::filesystem;

// A folder of count small character files, made once per count.
std::string folderOf(std::size_t count) {
    const fs::path folder = fs::temp_directory_path() / ("zoderud-bench-load-" + std::to_string(count));
    if (!fs::exists(folder / "done")) {
        fs::create_directories(folder);
        for (std::size_t i = 0; i < count; ++i)
            std::ofstream(folder / ("hero" + std::to_string(i) + ".xml")) << "<Character/>";
        std::ofstream(folder / "done");
    }
    return folder.string();
}

GameUILoadFileDialog* openDialog(UIHarness& ui, const std::string& folder) {
    // The line height the render thread registers for the main font at 1280x720.
    ui.renderInterface().registerFontName(ui.renderInterface().mainFontName(), 0.05f);
    const std::vector<GameUILoadFileDialog::Filter> filters = {{"Xml Files", {"xml"}}};
    return ui.addWindow(new GameUILoadFileDialog(0, &ui.context(), ui.theme(), folder, true, filters, "Xml Files",
                                                 "loadFileDialog", "", nullptr, true, true, false,
                                                 "Choose a file to load..."),
                        true);
}

void openOn(benchmark::State& state, std::size_t count) {
    fs::current_path(ZODERUD_SOURCE_DIR);
    const std::string folder = folderOf(count);
    UIHarness ui;
    for (auto _ : state) {
        GameUILoadFileDialog* dialog = openDialog(ui, folder);
        ui.step();
        benchmark::DoNotOptimize(dialog->fileNameList->rows.size());
        state.PauseTiming();
        ui.windowManager().removeWindow(dialog);
        ui.step();
        state.ResumeTiming();
    }
}

void pageThrough(benchmark::State& state, std::size_t count) {
    fs::current_path(ZODERUD_SOURCE_DIR);
    const std::string folder = folderOf(count);
    UIHarness ui;
    GameUILoadFileDialog* dialog = openDialog(ui, folder);
    ui.step();
    GameUIScrollableSelectableItemList* list = dialog->fileNameList;
    for (auto _ : state) {
        const std::int32_t page = list->visibleRows > 0 ? list->visibleRows : 1;
        std::int32_t next = list->firstVisible + page;
        if (next >= static_cast<std::int32_t>(list->rows.size())) next = 0;
        list->layoutItems(next);
        ui.step();
    }
}

void BM_OpenOn50Files(benchmark::State& state) { openOn(state, 50); }
void BM_OpenOn5000Files(benchmark::State& state) { openOn(state, 5000); }
void BM_PageThrough50Files(benchmark::State& state) { pageThrough(state, 50); }
void BM_PageThrough5000Files(benchmark::State& state) { pageThrough(state, 5000); }

} // namespace

BENCHMARK(BM_OpenOn50Files)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenOn5000Files)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageThrough50Files)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PageThrough5000Files)->Unit(benchmark::kMicrosecond);
