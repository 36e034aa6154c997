// Save & Quit while a picker is open, on the shipped rules: the level-up proficiency picker and
// spell picker of a mage, and the creation wizard's spell step. Read back, the file is whole:
// every used slot holds its spell or proficiency, and every other slot is still free.
#include <string>

#include "rules/class_lookups.h"
#include "tracker/sheet/bravui_core_stats_tab.h"
#include "tracker/sheet/bravui_level_up_change_report_window.h"
#include "tracker/sheet/bravui_tabbed_full_character_sheet.h"
#include "tracker/wizard/wizard_walk_fixture.h"
#include "ui/game_ui_confirmation_dialog.h"

namespace {

std::size_t spellCount(const std::map<std::int32_t, SpellList>& spells) {
    std::size_t count = 0;
    for (const auto& [level, list] : spells) count += list.size();
    return count;
}

class SaveDuringPickersTest : public WizardWalkTest {
protected:
    // A mage at level 3 with the experience of level 4, which brings a general proficiency
    // slot and a level 2 arcane slot; the menu reopens it at start.
    void startWithMage() {
        auto rules = loadRulesCatalogues(ZODERUD_SOURCE_DIR);
        CharacterSheet mage(nullptr, rules->classes, rules->proficiencies, rules->equipment, rules->spells);
        mage.name = "Brenna Hale";
        mage.characterClass = findClassById(rules->classes, "mage");
        ASSERT_NE(mage.characterClass, nullptr);
        mage.level = 3;
        mage.experience = 10000;
        mage.currentHitPoints = mage.maximumHitPoints = 9;
        path = files.path() + "/mage.xml";
        ASSERT_TRUE(mage.save(path));
        proficienciesBefore = mage.proficiencies.size();
        writeSettings(path);
        start();
        frame();
        ASSERT_NE(menu->characterSheet, nullptr);
        menu->character->random = RandomSource(20261211);
    }

    LevelUpFlow& flow() {
        return dynamic_cast<BRAVUICoreStatsTab*>(
                   menu->characterSheet->tabs[BRAVUITabbedFullCharacterSheet::CoreTab].get())
            ->levelUpFlow;
    }

    // Level Up, then the report's Next Step: the general picker is open.
    void levelUpToTheGeneralPicker() {
        auto* core = dynamic_cast<BRAVUICoreStatsTab*>(
            menu->characterSheet->tabs[BRAVUITabbedFullCharacterSheet::CoreTab].get());
        ASSERT_NE(core, nullptr);
        ASSERT_NE(core->levelUpButton, nullptr);
        press(*core->levelUpButton);
        ASSERT_NE(flow().reportWindow, nullptr);
        press(*flow().reportWindow->nextStepButton);
        ASSERT_NE(flow().generalPicker, nullptr);
    }

    // The window's close, then Save & Quit in the question it brings.
    void saveAndQuit() {
        menu->requestQuit();
        frame();
        ASSERT_NE(menu->saveQuitDialog, nullptr);
        press(*menu->saveQuitDialog->okButton);
        ASSERT_EQ(menu->status(), static_cast<std::uint32_t>(BaseState::Quit));
        EXPECT_EQ(menu->errorPopup, nullptr);
    }

    std::unique_ptr<CharacterSheet> reread(const std::string& file) {
        const RulesCatalogues& c = *menu->catalogues;
        auto sheet = std::make_unique<CharacterSheet>(nullptr, c.classes, c.proficiencies, c.equipment, c.spells);
        EXPECT_TRUE(sheet->load(file)) << file;
        return sheet;
    }

    std::string path;
    std::size_t proficienciesBefore = 0;
};

TEST_F(SaveDuringPickersTest, TheLevelUpProficiencyPickerOpenLeavesItsSlotFreeInTheFile) {
    startWithMage();
    levelUpToTheGeneralPicker();
    BRAVUIPickProficiencies& picker = *flow().generalPicker;
    ASSERT_EQ(picker.picksLeft, 1u);
    auto* row = dynamic_cast<BRAVUIPickProficiencyListItem*>(picker.availableList->items.front());
    ASSERT_NE(row, nullptr);
    ASSERT_NE(row->pickDumpButton, nullptr);
    press(*row->pickDumpButton);
    ASSERT_EQ(picker.picksLeft, 0u);
    saveAndQuit();
    const auto saved = reread(path);
    EXPECT_EQ(saved->level, 4u);
    // The pick was not made: its slot is still there to spend.
    EXPECT_EQ(saved->unallocatedGeneralProficiencySlots, 1);
    EXPECT_EQ(saved->proficiencies.size(), proficienciesBefore);
}

TEST_F(SaveDuringPickersTest, TheLevelUpSpellPickerOpenSavesEveryRolledSpellWithItsSlot) {
    startWithMage();
    levelUpToTheGeneralPicker();
    pickProficiencies(*flow().generalPicker);
    frames(2);
    ASSERT_NE(flow().spellPicker, nullptr);
    BRAVUIArcaneSpellPicker& picker = *flow().spellPicker;
    ASSERT_EQ(menu->character->getUnallocatedArcaneSpellSlots(2), 1);
    picker.random = RandomSource(20261211);
    press(*picker.rollButton);
    ASSERT_EQ(menu->character->getUnallocatedArcaneSpellSlots(2), 0);
    ASSERT_EQ(menu->character->getKnownSpellsOfLevel(2).size(), 1u);
    const std::string rolled = menu->character->getKnownSpellsOfLevel(2).front()->id;
    saveAndQuit();
    const auto saved = reread(path);
    EXPECT_EQ(saved->getUnallocatedArcaneSpellSlots(2), 0);
    ASSERT_EQ(saved->arcaneSpells[2].size(), 1u) << "the used slot holds its spell";
    EXPECT_EQ(saved->arcaneSpells[2].front()->id, rolled);
    // The general pick made before was committed by its Next Step.
    EXPECT_EQ(saved->unallocatedGeneralProficiencySlots, 0);
    EXPECT_EQ(saved->proficiencies.size(), proficienciesBefore + 1);
}

TEST_F(SaveDuringPickersTest, TheWizardsSpellStepOpenSavesTheNewCharacterWhole) {
    writeSettings("");
    start();
    const CharacterClass* mage = findClassById(menu->catalogues->classes, "mage");
    ASSERT_NE(mage, nullptr);
    press(*menu->newButton);
    ASSERT_NE(menu->creation, nullptr);
    BRAVSubStateCharacterCreation& wizard = *menu->creation;
    createAttributes(wizard);
    pickClass(wizard, *mage, 0);
    for (int guard = 0; guard < 10 && !wizard.spellWindow; ++guard) {
        if (wizard.proficiencyWindow) pickProficiencies(*wizard.proficiencyWindow);
        frames(2);
    }
    ASSERT_NE(wizard.spellWindow, nullptr);
    const std::int32_t slots = menu->character->countUnallocatedArcaneSpellSlots();
    ASSERT_GT(slots, 0);
    const std::size_t known = spellCount(menu->character->arcaneSpells);
    wizard.spellWindow->random = RandomSource(20261212);
    press(*wizard.spellWindow->rollButton);
    ASSERT_EQ(menu->character->countUnallocatedArcaneSpellSlots(), 0);
    saveAndQuit();
    // Where the wizard's end would have put it, and the one to reopen.
    const std::string file = menu->config.getSettingsFolder() + "/characters/default_character.xml";
    EXPECT_EQ(savedLastPath(), file);
    const auto saved = reread(file);
    ASSERT_NE(saved->characterClass, nullptr);
    EXPECT_EQ(saved->characterClass->id, "mage");
    EXPECT_EQ(saved->countUnallocatedArcaneSpellSlots(), 0);
    EXPECT_EQ(spellCount(saved->arcaneSpells), known + static_cast<std::size_t>(slots));
}

} // namespace
