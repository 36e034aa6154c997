// Building the Inventory tab and rebuilding its list after a shuffle, for 1,000 items packed three
// deep (backpacks holding sacks holding items, all open), each against the same for 10 items, in
// the same run.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "rules/character_sheet.h"
#include "rules/rules_catalogues.h"
#include "support/ui_harness.h"
#include "tracker/brav_config.h"
#include "tracker/sheet/bravui_equipment_tab.h"
#include "tracker/sheet/bravui_tabbed_full_character_sheet.h"
#include "ui/game_ui_standard_element_list.h"

namespace {

RulesCatalogues& rules() {
    static std::unique_ptr<RulesCatalogues> loaded = loadRulesCatalogues(ZODERUD_SOURCE_DIR);
    return *loaded;
}

std::unique_ptr<BRAVCharacterEquipment> make(const char* id) {
    return std::make_unique<BRAVCharacterEquipment>(nullptr, rules().equipment.findEquipment(id));
}

// 1,000 items: 10 backpacks, each with 9 sacks of 10 torches. 10 items: 10 torches.
void fill(CharacterSheet& character, bool large) {
    for (int b = 0; b < 10; ++b) {
        if (!large) {
            character.inventory.attachEquipment(make("torch"), nullptr);
            continue;
        }
        auto backpack = make("backpack");
        for (int s = 0; s < 9; ++s) {
            auto sack = make("sack");
            for (int i = 0; i < 10; ++i) sack->attachEquipment(make("torch"));
            backpack->attachEquipment(std::move(sack));
        }
        character.inventory.attachEquipment(std::move(backpack), nullptr);
    }
}

struct Scene {
    explicit Scene(bool large) : config(ui.context().updatePool, "BRAV Zoderud") {
        std::filesystem::current_path(ZODERUD_SOURCE_DIR);
        ui.renderInterface().registerFontName(ui.renderInterface().mainFontName(), 0.05f);
        RulesCatalogues& r = rules();
        character = std::make_unique<CharacterSheet>(nullptr, r.classes, r.proficiencies, r.equipment, r.spells);
        fill(*character, large);
        sheet = ui.addWindow(new BRAVUITabbedFullCharacterSheet(ui.theme(), &ui.context(), 0, character.get(), &config,
                                                               &r, "characterSheetUI"));
        ui.step();
    }
    ~Scene() {
        ui.windowManager().removeWindow(sheet);
        ui.windowManager().applyRemovals();
    }
    BRAVUIEquipmentTab* tab() const {
        return static_cast<BRAVUIEquipmentTab*>(sheet->tabs[BRAVUITabbedFullCharacterSheet::InventoryTab].get());
    }

    UIHarness ui;
    BRAVConfig config;
    std::unique_ptr<CharacterSheet> character;
    BRAVUITabbedFullCharacterSheet* sheet = nullptr;
};

void buildTab(benchmark::State& state, bool large) {
    Scene scene(large);
    for (auto _ : state) {
        scene.sheet->show(BRAVUITabbedFullCharacterSheet::InventoryTab);
        scene.ui.step();
        benchmark::DoNotOptimize(scene.tab()->inventoryList->items.size());
        state.PauseTiming();
        scene.sheet->show(BRAVUITabbedFullCharacterSheet::CoreTab);
        scene.ui.step();
        state.ResumeTiming();
    }
}

// Moves the last row's item up and down in turn: each move rebuilds the whole list.
void shuffle(benchmark::State& state, bool large) {
    Scene scene(large);
    scene.sheet->show(BRAVUITabbedFullCharacterSheet::InventoryTab);
    scene.ui.step();
    BRAVUIEquipmentTab* tab = scene.tab();
    bool up = true;
    for (auto _ : state) {
        tab->selectedRow = static_cast<std::uint32_t>(tab->inventoryList->items.size() - (up ? 1 : 2));
        (up ? tab->shuffleUpPressed : tab->shuffleDownPressed) = 1;
        up = !up;
        scene.ui.step();
    }
}

void BM_BuildTab10Items(benchmark::State& state) { buildTab(state, false); }
void BM_BuildTab1000ItemsThreeDeep(benchmark::State& state) { buildTab(state, true); }
void BM_ShuffleRebuild10Items(benchmark::State& state) { shuffle(state, false); }
void BM_ShuffleRebuild1000ItemsThreeDeep(benchmark::State& state) { shuffle(state, true); }

} // namespace

BENCHMARK(BM_BuildTab10Items)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildTab1000ItemsThreeDeep)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShuffleRebuild10Items)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShuffleRebuild1000ItemsThreeDeep)->Unit(benchmark::kMillisecond);
