// Showing each tab of the character sheet for a large character: 100 proficiencies and 200 known
// spells (100 arcane, 100 divine, over levels 1 to 9), with the frame that lays the new widgets
// out. The Notes tab, one text box, is the baseline of the same run.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "rules/character_sheet.h"
#include "rules/rules_catalogues.h"
#include "rules/spell_record.h"
#include "support/ui_harness.h"
#include "tracker/brav_config.h"
#include "tracker/sheet/bravui_tabbed_full_character_sheet.h"

namespace {

using Sheet = BRAVUITabbedFullCharacterSheet;

RulesCatalogues& rules() {
    static std::unique_ptr<RulesCatalogues> loaded = loadRulesCatalogues(ZODERUD_SOURCE_DIR);
    return *loaded;
}

void BM_ShowTab(benchmark::State& state) {
    const auto tab = static_cast<Sheet::Tab>(state.range(0));
    UIHarness ui;
    ui.renderInterface().registerFontName(ui.renderInterface().mainFontName(), 0.05f);
    RulesCatalogues& catalogues = rules();
    BRAVConfig config(ui.context().updatePool, "BRAV Zoderud");
    CharacterSheet character(nullptr, catalogues.classes, catalogues.proficiencies, catalogues.equipment,
                             catalogues.spells);
    for (int i = 0; i < 100; ++i) character.addProficiency("adventuring", "domain " + std::to_string(i));
    std::vector<std::unique_ptr<SpellRecord>> spells;
    for (int i = 0; i < 200; ++i) {
        auto spell = std::make_unique<SpellRecord>();
        spell->level = 1 + i % 9;
        spell->id = "spell_" + std::to_string(i);
        spell->displayName = "Spell " + std::to_string(i);
        spell->text = "[*" + spell->displayName + "]\\nRange: 30 ft";
        (i % 2 ? character.divineSpells : character.arcaneSpells)[spell->level].push_back(spell.get());
        spells.push_back(std::move(spell));
    }
    auto* sheet = ui.addWindow(new Sheet(ui.theme(), &ui.context(), 0, &character, &config, &catalogues,
                                         "characterSheetUI"));
    ui.step();
    for (auto _ : state) {
        sheet->show(tab);
        ui.step();
    }
    state.SetLabel(Sheet::tabCaptions[tab]);
    ui.windowManager().removeWindow(sheet);
    ui.windowManager().applyRemovals();
}
BENCHMARK(BM_ShowTab)
    ->Arg(Sheet::NotesTab)
    ->Arg(Sheet::CoreTab)
    ->Arg(Sheet::ProficienciesTab)
    ->Arg(Sheet::SpellsTab)
    ->Unit(benchmark::kMicrosecond);

} // namespace
