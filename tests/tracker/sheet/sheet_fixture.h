#pragma once
// The character sheet over the UI harness: the shipped rules catalogues (loaded once per test
// program), a character of a small fixture class whose level table a test can read at a glance,
// and a sheet made the way the main menu makes it.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "rules/character_class.h"
#include "rules/character_sheet.h"
#include "rules/rules_catalogues.h"
#include "support/ui_harness.h"
#include "tracker/brav_config.h"
#include "tracker/sheet/bravui_tabbed_full_character_sheet.h"
#include "ui/game_ui_label.h"

inline RulesCatalogues& sheetTestRules() {
    static std::unique_ptr<RulesCatalogues> rules = loadRulesCatalogues(ZODERUD_SOURCE_DIR);
    return *rules;
}

// Four levels: 0, 1000, 2500 and 5000 experience; the prime statistic is Strength.
inline std::unique_ptr<CharacterClass> makeFixtureClass() {
    auto fixture = std::make_unique<CharacterClass>(ZODERUD_SOURCE_DIR, nullptr);
    fixture->id = "fixture";
    fixture->displayName = "Fixture Fighter";
    fixture->maxLevel = 4;
    fixture->primeStats = {"strength"};
    const char* titles[] = {"Recruit", "Soldier", "Veteran", "Sergeant"};
    const std::int32_t experience[] = {0, 1000, 2500, 5000};
    for (std::uint32_t level = 1; level <= 4; ++level) {
        CharacterClassLevel& record = fixture->levels[level];
        record.levelNumber = level;
        record.title = titles[level - 1];
        record.experience = experience[level - 1];
        record.savingAndAttackThrows = {{"Attack", 21 - static_cast<std::int32_t>(level)}, {"death", 21},
                                        {"petrification", 0}, {"blast", 20}, {"staffs", 12}, {"spells", 15}};
    }
    fixture->movementSpeeds = {{"base", 120}, {"combat", 40}, {"run", 10001}, {"climb", 30}, {"stealth", 60},
                               {"daily", 24}};
    return fixture;
}

class SheetTest : public ::testing::Test {
protected:
    SheetTest() : config(ui.context().updatePool, "BRAV Zoderud") {
        RulesCatalogues& rules = sheetTestRules();
        character = std::make_unique<CharacterSheet>(nullptr, rules.classes, rules.proficiencies, rules.equipment,
                                                     rules.spells);
        character->name = "Aldra Venn";
        character->characterClass = fixtureClass.get();
        character->level = 3;
        character->experience = 2500;
        character->currentHitPoints = 12;
        character->maximumHitPoints = 15;
        const std::int32_t scores[6] = {13, 10, 9, 16, 12, 8};
        for (int i = 0; i < 6; ++i) character->attributes[i].current = character->attributes[i].natural = scores[i];
    }

    ~SheetTest() override {
        if (sheet) {
            ui.windowManager().removeWindow(sheet);
            ui.windowManager().applyRemovals();
        }
    }

    // The sheet as the main menu opens it, over the shipped rules or the given ones.
    void openSheet(RulesCatalogues& rules = sheetTestRules()) {
        sheet = ui.addWindow(new BRAVUITabbedFullCharacterSheet(ui.theme(), &ui.context(), 0, character.get(), &config,
                                                               &rules, "characterSheetUI"));
        ui.step();
    }

    // Sends a tab button's click record straight to the sheet's slot.
    void pressTab(const std::string& name, std::uint32_t type = UIEvent::Click) {
        UIEvent::Data event;
        event.type = type;
        event.name = name;
        sheet->showTab(event);
    }

    std::string labelText(const std::string& name) const {
        auto* label = ui.find<GameUILabel>(name);
        return label ? label->text : std::string("<no label ") + name + ">";
    }

    UIHarness ui;
    std::unique_ptr<CharacterClass> fixtureClass = makeFixtureClass();
    BRAVConfig config;
    std::unique_ptr<CharacterSheet> character;
    BRAVUITabbedFullCharacterSheet* sheet = nullptr;
};
