// Time for one keystroke in a scrollable text box holding 20,000 characters (re-measuring the
// wrapped text, finding the cursor's line, scrolling to it), against the same keystroke in an
// empty box. "frameShare" is the share of a 4 ms frame one keystroke takes (the library prints it
// with a seconds unit).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "support/ui_harness.h"
#include "ui/game_ui_scrollable_text_box.h"

namespace {

std::string notes(std::size_t length) {
    const std::string line = "The ferry at Dunmoor sat idle while the reeve argued about the toll and the rope.";
    std::string out;
    while (out.size() < length) out += line + GameUIScrollableTextBox::lineBreak;
    out.resize(length);
    return out;
}

void typeInBox(benchmark::State& state, std::size_t length) {
    std::filesystem::current_path(ZODERUD_SOURCE_DIR);
    UIHarness ui;
    const float tl[2] = {-0.6f, 0.6f}, br[2] = {0.6f, -0.6f};
    auto* box = ui.addWindow(
        new GameUIScrollableTextBox(0, &ui.context(), ui.theme(), "notesBox", notes(length), "", tl, br, nullptr, 0, 0, 0));
    box->editable = 1;
    ui.click(0.0f, 0.0f);
    ui.step();
    KeyEvent::Data typed;
    typed.action = KeyEvent::Pressed;
    typed.scanCode = 0x1E;
    typed.character = 'x';
    KeyEvent::Data back;
    back.action = KeyEvent::Pressed;
    back.scanCode = textentry::keyBack;
    for (auto _ : state) {
        ui.sendKey(typed);
        ui.step();
        state.PauseTiming();
        ui.sendKey(back);
        ui.step();
        state.ResumeTiming();
    }
    state.counters["frameShare"] = benchmark::Counter(static_cast<double>(state.iterations()) * 0.004,
                                                      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_KeystrokeInEmptyBox(benchmark::State& state) { typeInBox(state, 0); }
void BM_KeystrokeIn20000Characters(benchmark::State& state) { typeInBox(state, 20000); }

} // namespace

BENCHMARK(BM_KeystrokeInEmptyBox)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeystrokeIn20000Characters)->Unit(benchmark::kMicrosecond);
