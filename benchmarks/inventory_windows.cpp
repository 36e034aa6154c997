// Opening the transaction history on 10,000 transactions and the packing window over 500
// containers (rows and the first layout), each against the same on 100 transactions and 5
// containers, in the same run: the large over the small tells how opening grows.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "rules/character_sheet.h"
#include "rules/rules_catalogues.h"
#include "support/ui_harness.h"
#include "tracker/sheet/bravui_packing_window.h"
#include "tracker/sheet/bravui_transaction_history_window.h"
#include "ui/game_ui_standard_element_list.h"

namespace {

RulesCatalogues& rules() {
    static std::unique_ptr<RulesCatalogues> loaded = loadRulesCatalogues(ZODERUD_SOURCE_DIR);
    return *loaded;
}

std::unique_ptr<CharacterSheet> makeCharacter() {
    RulesCatalogues& r = rules();
    return std::make_unique<CharacterSheet>(nullptr, r.classes, r.proficiencies, r.equipment, r.spells);
}

template <class W, class Make>
void openAndClose(benchmark::State& state, UIHarness& ui, Make make) {
    // The line height the render thread registers for the main font at 1280x720.
    ui.renderInterface().registerFontName(ui.renderInterface().mainFontName(), 0.05f);
    for (auto _ : state) {
        W* window = ui.addWindow(make(), true);
        ui.step();
        benchmark::DoNotOptimize(window->list->itemCount());
        state.PauseTiming();
        ui.windowManager().removeWindow(window);
        ui.step();
        state.ResumeTiming();
    }
}

void history(benchmark::State& state, int transactions) {
    std::filesystem::current_path(ZODERUD_SOURCE_DIR);
    UIHarness ui;
    auto character = makeCharacter();
    Money amount;
    amount.silver = 3;
    for (int i = 0; i < transactions; ++i) character->wealth.earnMoney("Payment " + std::to_string(i), amount);
    const float topLeft[2] = {-0.5f, 0.95f}, bottomRight[2] = {0.5f, -0.75f};
    openAndClose<BRAVUITransactionHistoryWindow>(state, ui, [&] {
        return new BRAVUITransactionHistoryWindow(0, &ui.context(), ui.theme(), topLeft, bottomRight,
                                                  "Accounts - Transactions History", 1, character.get());
    });
}

// Containers five deep in chains, all open, and a torch to pack.
void packing(benchmark::State& state, int containers) {
    std::filesystem::current_path(ZODERUD_SOURCE_DIR);
    UIHarness ui;
    auto character = makeCharacter();
    const Equipment* sack = rules().equipment.findEquipment("sack");
    const Equipment* torch = rules().equipment.findEquipment("torch");
    BRAVCharacterEquipment* holder = nullptr;
    for (int i = 0; i < containers; ++i) {
        if (i % 5 == 0) holder = nullptr;
        auto item = std::make_unique<BRAVCharacterEquipment>(nullptr, sack);
        item->id = "sack";
        BRAVCharacterEquipment* raw = item.get();
        character->inventory.attachEquipment(std::move(item), holder);
        holder = raw;
    }
    auto packed = std::make_unique<BRAVCharacterEquipment>(nullptr, torch);
    packed->id = "torch";
    BRAVCharacterEquipment* item = packed.get();
    character->inventory.attachEquipment(std::move(packed), nullptr);
    const float topLeft[2] = {-0.5f, 0.95f}, bottomRight[2] = {0.5f, -0.75f};
    openAndClose<BRAVUIPackingWindow>(state, ui, [&] {
        return new BRAVUIPackingWindow(0, &ui.context(), ui.theme(), topLeft, bottomRight, "Pack or unpack", 1, item,
                                       character.get());
    });
}

void BM_OpenHistory100(benchmark::State& state) { history(state, 100); }
void BM_OpenHistory10000(benchmark::State& state) { history(state, 10000); }
void BM_OpenPacking5(benchmark::State& state) { packing(state, 5); }
void BM_OpenPacking500(benchmark::State& state) { packing(state, 500); }

BENCHMARK(BM_OpenHistory100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenHistory10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenPacking5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenPacking500)->Unit(benchmark::kMillisecond);

} // namespace
