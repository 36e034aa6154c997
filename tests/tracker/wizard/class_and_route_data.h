#pragma once
// The small rules tree of the wizard tests (tests/tracker/data/wizard/Data), with the harness
// steps that choose a combo-box option as a user does.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "rules/character_sheet.h"
#include "rules/rules_catalogues.h"
#include "support/ui_harness.h"
#include "ui/game_ui_combo_box.h"
#include "ui/game_ui_toggle_button.h"
#include "ui/game_ui_toggle_group.h"

// Its classes: "Warrior" (templates "Guard", "Drifter", "Sentry"), a second class also shown as
// "Warrior" (two templates both named "Veteran"), "Mystic" (arcane, template "Novice") and
// "Hermit" (no templates). With every score 12, Guard leaves no picks, Drifter two general picks,
// Sentry one general pick, Novice two arcane slots.
inline std::string wizardDataFolder() { return std::string(ZODERUD_SOURCE_DIR) + "/tests/tracker/data/wizard/"; }

inline std::unique_ptr<RulesCatalogues> loadWizardRules() { return loadRulesCatalogues(wizardDataFolder()); }

inline std::unique_ptr<CharacterSheet> makeCharacter(const RulesCatalogues& rules, int everyScore) {
    auto character =
        std::make_unique<CharacterSheet>(nullptr, rules.classes, rules.proficiencies, rules.equipment, rules.spells);
    for (auto& attribute : character->attributes) attribute.current = attribute.natural = everyScore;
    return character;
}

// Line rows for the drop-downs: without a registered line height their options have no height.
inline void registerLineHeight(UIHarness& ui) {
    ui.renderInterface().registerFontName(ui.renderInterface().mainFontName(), 0.05f);
}

// Opens the box and clicks its option at position (the placeholder is 0).
inline void chooseOption(UIHarness& ui, GameUIComboBox& combo, std::size_t position) {
    ui.clickElement(*combo.showToggle);
    ui.step();
    ASSERT_TRUE(combo.isOpen()) << combo.name;
    ASSERT_LT(position, combo.optionsGroup->buttons.size()) << combo.name;
    ui.clickElement(*combo.optionsGroup->buttons[position]);
    ui.step();
    ui.step();
}
