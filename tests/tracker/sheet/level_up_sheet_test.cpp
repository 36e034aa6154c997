// Level Up on the Core tab of a real sheet: the click raises the level and opens the report,
// every picker with slots left follows in order, and the tab comes back showing the new level.
#include "tracker/sheet/sheet_fixture.h"

#include <string>

#include "level_up_fixture.h"
#include "tracker/sheet/bravui_core_stats_tab.h"
#include "tracker/sheet/bravui_level_up_change_report_window.h"
#include "tracker/wizard/bravui_arcane_spell_picker.h"
#include "tracker/wizard/bravui_pick_proficiencies.h"
#include "tracker/wizard/picker_steps.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_push_button.h"
#include "ui/game_ui_scrollable_text_box.h"

namespace {

class LevelUpSheetTest : public SheetTest {
protected:
    LevelUpSheetTest() { ui.renderInterface().registerFontName(ui.renderInterface().mainFontName(), 0.05f); }

    void openSheet(std::unique_ptr<CharacterSheet> sheetCharacter) {
        character = std::move(sheetCharacter);
        SheetTest::openSheet(const_cast<RulesCatalogues&>(levelUpCatalogues()));
        core = dynamic_cast<BRAVUICoreStatsTab*>(sheet->tabs[BRAVUITabbedFullCharacterSheet::CoreTab].get());
        ASSERT_NE(core, nullptr);
    }

    std::string levelText() const { return labelText("levelLabel"); }

    // The title of the active window, or "" when the sheet has the input again.
    std::string activeTitle() {
        auto* window = dynamic_cast<GameUIBaseWindow*>(ui.windowManager().activeWindow);
        return window ? window->title : "";
    }

    BRAVUICoreStatsTab* core = nullptr;
};

TEST_F(LevelUpSheetTest, ReportThenEachPickerWithSlotsThenTheNewLevel) {
    auto spellblade = spellbladeAt(3);
    spellblade->experience = 8000;
    openSheet(std::move(spellblade));
    EXPECT_EQ(levelText(), "[*Level: ]3");
    ASSERT_NE(core->levelUpButton, nullptr);
    ASSERT_FALSE(core->levelUpButton->disabled);

    ui.clickElement(*core->levelUpButton);
    ui.step();
    EXPECT_EQ(character->level, 4u);
    LevelUpFlow& flow = core->levelUpFlow;
    ASSERT_NE(flow.reportWindow, nullptr);
    EXPECT_EQ(activeTitle(), "Level Up Report");
    EXPECT_EQ(flow.reportWindow->changesBox->text,
              "Gained 7 hit points.\nGained a general proficiency slot.\nGained a class proficiency slot.\n"
              "Gained 2 level 1 arcane spell castings.\nAttack roll improved.\n");

    ui.clickElement(*flow.reportWindow->nextStepButton);
    ui.step();
    ASSERT_NE(flow.generalPicker, nullptr);
    EXPECT_EQ(activeTitle(), "Pick or upgrade proficiencies from general list");

    // A window reports in its own update, after the sheet's: the tab acts one frame later.
    pickersteps::finishProficiencyPicker(ui, *flow.generalPicker, [this] { ui.step(); });
    ui.step();
    ui.step();
    ASSERT_NE(flow.classPicker, nullptr);
    EXPECT_EQ(activeTitle(), "Pick or upgrade proficiencies from class list");

    pickersteps::finishProficiencyPicker(ui, *flow.classPicker, [this] { ui.step(); });
    ui.step();
    ui.step();
    ASSERT_NE(flow.spellPicker, nullptr);
    EXPECT_EQ(activeTitle(), "Pick, or roll for, new arcane spells");
    // The level label is the old one until the sequence ends.
    EXPECT_EQ(levelText(), "[*Level: ]3");

    pickersteps::finishSpellPicker(ui, *flow.spellPicker, [this] { ui.step(); });
    ui.step();
    ui.step();
    EXPECT_EQ(levelText(), "[*Level: ]4");
    ui.step();
    EXPECT_EQ(activeTitle(), "");
    ASSERT_NE(core->levelUpButton, nullptr);
    // Level 5 needs 16000.
    EXPECT_TRUE(core->levelUpButton->disabled);
}

TEST_F(LevelUpSheetTest, ALevelGrantingNothingGoesFromTheReportStraightBack) {
    auto spellblade = spellbladeAt(4);
    spellblade->experience = 16000;
    openSheet(std::move(spellblade));
    ui.clickElement(*core->levelUpButton);
    ui.step();
    ASSERT_NE(core->levelUpFlow.reportWindow, nullptr);
    EXPECT_EQ(core->levelUpFlow.reportWindow->changesBox->text, "Gained 1 hit points.\n");

    // The close button leaves the report up.
    ui.clickElement(*core->levelUpFlow.reportWindow->closeButton);
    ui.step();
    ASSERT_NE(core->levelUpFlow.reportWindow, nullptr);
    EXPECT_EQ(levelText(), "[*Level: ]4");

    ui.clickElement(*core->levelUpFlow.reportWindow->nextStepButton);
    ui.step();
    EXPECT_FALSE(core->levelUpFlow.inProgress());
    EXPECT_EQ(levelText(), "[*Level: ]5");
    ui.step();
    EXPECT_EQ(activeTitle(), "");
    // The top level: "/0", and no further Level Up.
    auto* experience = ui.find<GameUILabel>("experienceLabel");
    ASSERT_NE(experience, nullptr);
    EXPECT_EQ(experience->text, "[*Experience: ]16000/0");
    EXPECT_TRUE(core->levelUpButton->disabled);
}

} // namespace
