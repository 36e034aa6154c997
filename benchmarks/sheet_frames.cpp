// The character sheet of a level-5 fighter with 60 items and 40 known spells, through the real
// UI manager: a frame of the shown Core tab (window-manager update, hand-off, draw, present) and
// a frame that switches tabs, against frames that only clear and present, in the same run.
// Wall time (median of 200 frames) and the process's CPU time over all threads per frame, in
// milliseconds.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

#include "app/ui_context.h"
#include "offscreen_ui_bench.h"
#include "rules/character_class.h"
#include "rules/character_equipment.h"
#include "rules/character_sheet.h"
#include "rules/rules_catalogues.h"
#include "tracker/brav_config.h"
#include "tracker/sheet/bravui_tabbed_full_character_sheet.h"
#include "ui/window_manager.h"

namespace {

constexpr float frameTime = 1.0f / 60.0f;

// A level-5 fighter carrying 60 items (the catalogue's records in turn) and knowing 40 arcane
// spells (the catalogue's spells in turn, repeated when it has fewer).
std::unique_ptr<CharacterSheet> makeCharacter(const RulesCatalogues& rules) {
    auto character = std::make_unique<CharacterSheet>(nullptr, rules.classes, rules.proficiencies, rules.equipment,
                                                      rules.spells);
    character->name = "Benchmark Hero";
    for (const auto& candidate : rules.classes.classes()) {
        if (candidate->id == "fighter") character->characterClass = candidate.get();
    }
    character->level = 5;
    character->experience = 16000;
    character->currentHitPoints = character->maximumHitPoints = 38;
    std::vector<const Equipment*> records;
    for (const auto& entry : rules.equipment.records()) records.push_back(entry.second.get());
    for (std::size_t i = 0; i < 60 && !records.empty(); ++i) {
        character->inventory.items.push_back(
            std::make_unique<BRAVCharacterEquipment>(nullptr, records[i % records.size()]));
    }
    std::vector<const SpellRecord*> spells;
    for (const auto& group : rules.spells.arcaneSpells()) spells.insert(spells.end(), group.second.begin(), group.second.end());
    for (std::size_t i = 0; i < 40 && !spells.empty(); ++i) {
        const SpellRecord* spell = spells[i % spells.size()];
        character->arcaneSpells[static_cast<std::int32_t>(1 + (i % 5))].push_back(spell);
    }
    return character;
}

void BM_SheetFrames(benchmark::State& state) {
    OffscreenUIBench bench;
    if (!bench.ready()) {
        state.SkipWithError("no device");
        return;
    }
    std::unique_ptr<RulesCatalogues> rules = loadRulesCatalogues(ZODERUD_SOURCE_DIR);
    std::unique_ptr<CharacterSheet> character = makeCharacter(*rules);
    BRAVConfig config(bench.pool.get(), "BRAV Zoderud");
    auto windowManager = std::make_unique<WindowManager>(0);
    UIContext context;
    context.renderInterface = bench.renderInterface.get();
    context.updatePool = bench.pool.get();
    context.windowManager = windowManager.get();
    auto* sheet = new BRAVUITabbedFullCharacterSheet(windowManager->getTheme("default_theme"), &context, 0,
                                                     character.get(), &config, rules.get(), "characterSheetUI");
    windowManager->addWindow(sheet);

    auto sheetFrame = [&] {
        windowManager->update(frameTime);
        bench.uiFrame();
    };
    // Every frame shows the other of Core and Spells: Core's widgets built or taken down.
    bool toCore = false;
    auto switchFrame = [&] {
        UIEvent::Data press;
        press.type = UIEvent::Click;
        press.name = toCore ? "coreStatsTab" : "spellsTab";
        toCore = !toCore;
        sheet->showTab(press);
        sheetFrame();
    };

    for (auto _ : state) {
        const OffscreenUIBench::FrameCost baseline = OffscreenUIBench::measureFrames([&] { bench.clearAndPresent(); });
        const OffscreenUIBench::FrameCost frame = OffscreenUIBench::measureFrames(sheetFrame);
        const OffscreenUIBench::FrameCost switching = OffscreenUIBench::measureFrames(switchFrame);
        state.counters["clear_present_ms"] = baseline.wallMs;
        state.counters["clear_present_cpu_ms"] = baseline.cpuMs;
        state.counters["sheet_frame_ms"] = frame.wallMs;
        state.counters["sheet_frame_cpu_ms"] = frame.cpuMs;
        state.counters["difference_ms"] = frame.wallMs - baseline.wallMs;
        state.counters["tab_switch_frame_ms"] = switching.wallMs;
        state.counters["tab_switch_frame_cpu_ms"] = switching.cpuMs;
        std::printf("clear and present: %.3f ms wall, %.3f ms CPU; sheet frame (Core shown): %.3f ms wall, %.3f ms "
                    "CPU; frame with a tab switch: %.3f ms wall, %.3f ms CPU (wall: median of %d frames; CPU: the "
                    "process's over all threads, per frame)\n",
                    baseline.wallMs, baseline.cpuMs, frame.wallMs, frame.cpuMs, switching.wallMs, switching.cpuMs,
                    OffscreenUIBench::framesMeasured);
    }
    windowManager.reset();
}

BENCHMARK(BM_SheetFrames)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
