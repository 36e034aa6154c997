// Closing long lists: the "Accounts" window on 1,000, 10,000 and 100,000 transactions (one row
// each), and leaving an Inventory tab of 1,000 and 10,000 items for the Core tab. Only the closing
// is timed: the removal and the update cycle that deletes the window, or the cycle that switches
// the tab. Closing should grow linearly with the rows: 100,000 at most 12 times 10,000.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "rules/character_sheet.h"
#include "rules/rules_catalogues.h"
#include "support/ui_harness.h"
#include "tracker/brav_config.h"
#include "tracker/sheet/bravui_tabbed_full_character_sheet.h"
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

void BM_CloseAccounts(benchmark::State& state) {
    const int transactions = static_cast<int>(state.range(0));
    std::filesystem::current_path(ZODERUD_SOURCE_DIR);
    UIHarness ui;
    // The line height the render thread registers for the main font at 1280x720.
    ui.renderInterface().registerFontName(ui.renderInterface().mainFontName(), 0.05f);
    auto character = makeCharacter();
    Money amount;
    amount.silver = 3;
    for (int i = 0; i < transactions; ++i) character->wealth.earnMoney("Payment " + std::to_string(i), amount);
    const float topLeft[2] = {-0.5f, 0.95f}, bottomRight[2] = {0.5f, -0.75f};
    for (auto _ : state) {
        state.PauseTiming();
        auto* window = ui.addWindow(new BRAVUITransactionHistoryWindow(0, &ui.context(), ui.theme(), topLeft,
                                                                        bottomRight, "Accounts - Transactions History",
                                                                        1, character.get()),
                                    true);
        ui.step();
        if (window->list->itemCount() != transactions) state.SkipWithError("the window does not list every transaction");
        state.ResumeTiming();
        ui.windowManager().removeWindow(window);
        ui.step();
    }
    state.counters["rows"] = transactions;
}
BENCHMARK(BM_CloseAccounts)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// 1,000 or 10,000 torches, one row each.
void BM_LeaveInventoryTab(benchmark::State& state) {
    const int items = static_cast<int>(state.range(0));
    std::filesystem::current_path(ZODERUD_SOURCE_DIR);
    UIHarness ui;
    ui.renderInterface().registerFontName(ui.renderInterface().mainFontName(), 0.05f);
    RulesCatalogues& r = rules();
    BRAVConfig config(ui.context().updatePool, "BRAV Zoderud");
    auto character = makeCharacter();
    const Equipment* torch = r.equipment.findEquipment("torch");
    for (int i = 0; i < items; ++i) {
        character->inventory.attachEquipment(std::make_unique<BRAVCharacterEquipment>(nullptr, torch), nullptr);
    }
    using Sheet = BRAVUITabbedFullCharacterSheet;
    auto* sheet = ui.addWindow(new Sheet(ui.theme(), &ui.context(), 0, character.get(), &config, &r, "characterSheetUI"));
    ui.step();
    for (auto _ : state) {
        state.PauseTiming();
        sheet->show(Sheet::InventoryTab);
        ui.step();
        state.ResumeTiming();
        sheet->show(Sheet::CoreTab);
        ui.step();
    }
    state.counters["rows"] = items;
    ui.windowManager().removeWindow(sheet);
    ui.windowManager().applyRemovals();
}
BENCHMARK(BM_LeaveInventoryTab)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
