// The level-up report through the harness: the other-changes text of each kind of level, the
// rows of the new class abilities and their descriptions, and which buttons report what.
#include <gtest/gtest.h>

#include "level_up_fixture.h"
#include "rules/class_ability.h"
#include "support/ui_harness.h"
#include "tracker/rows/bravui_class_ability_list_item.h"
#include "tracker/sheet/bravui_level_up_change_report_window.h"
#include "ui/game_ui_push_button.h"
#include "ui/game_ui_scrollable_text_box.h"
#include "ui/game_ui_standard_element_list.h"

namespace {

TEST(LevelUpReportText, SaysWhatEachLevelGave) {
    struct Case {
        std::uint32_t from;
        const char* text;
    };
    const Case cases[] = {
        {3, "Gained 7 hit points.\nGained a general proficiency slot.\nGained a class proficiency slot.\n"
            "Gained 2 level 1 arcane spell castings.\nAttack roll improved.\n"},
        {1, "Gained 2 hit points.\nGained 1 level 2 arcane spell casting.\nGained 3 level 1 divine spell castings.\n"
            "Saving throws improved.\n"},
        // No dice and no bonus still give the one hit point a level always brings.
        {4, "Gained 1 hit points.\n"},
    };
    for (const Case& c : cases) {
        auto character = spellbladeAt(c.from);
        ASSERT_TRUE(character->levelUp()) << c.from;
        EXPECT_EQ(BRAVUILevelUpChangeReportWindow::otherChangesText(*character), c.text) << "from level " << c.from;
    }
}

TEST(LevelUpReportText, CountsOnlyTheSpellKindsTheNewLevelGrants) {
    // A report left over from elsewhere names castings, but the level reached grants none.
    auto character = spellbladeAt(3);
    character->level = 5;
    character->levelUpReport = LevelUpReport();
    character->levelUpReport.hitPointsGained = 4;
    character->levelUpReport.arcaneCastingsGained = {{1, 1}};
    character->levelUpReport.divineCastingsGained = {{2, 2}};
    EXPECT_EQ(BRAVUILevelUpChangeReportWindow::otherChangesText(*character), "Gained 4 hit points.\n");
}

class LevelUpReportTest : public ::testing::Test {
protected:
    LevelUpReportTest() {
        EXPECT_TRUE(character->levelUp());
        // Rows are laid out only once the text has a line height.
        ui.renderInterface().registerFontName(ui.renderInterface().mainFontName(), 0.05f);
        const float tl[2] = {-0.95f, 0.9f}, br[2] = {0.95f, -0.7f};
        report = ui.addWindow(new BRAVUILevelUpChangeReportWindow(0, &ui.context(), ui.theme(), "Level Up Report", tl,
                                                                  br, 1, character.get()),
                              true);
        ui.record(report->windowSignal);
        ui.step();
    }

    std::unique_ptr<CharacterSheet> character = spellbladeAt(3);
    UIHarness ui;
    BRAVUILevelUpChangeReportWindow* report = nullptr;
};

TEST_F(LevelUpReportTest, ListsTheNewAbilitiesAndShowsTheOneSelected) {
    EXPECT_EQ(report->name, "levelUpReportWindow");
    EXPECT_EQ(report->title, "Level Up Report");
    // Both text boxes share one name, and Next Step has the creation steps' button name.
    EXPECT_EQ(report->changesBox->name, "descriptionTextBox");
    EXPECT_EQ(report->descriptionBox->name, "descriptionTextBox");
    EXPECT_EQ(report->nextStepButton->name, "rerollStatsButton");
    EXPECT_EQ(report->nextStepButton->caption, "Next Step");
    GameUIStandardElementList& list = *report->abilitiesList;
    // The level names an ability the class does not have; it gets no row.
    ASSERT_EQ(list.itemCount(), 2);
    const char* names[] = {"blade_ward", "runic_edge"};
    const char* texts[] = {"Blade Ward", "Runic Edge"};
    for (int i = 0; i < 2; ++i) {
        auto* row = dynamic_cast<BRAVUIClassAbilityListItem*>(list.items[i]);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->name, names[i]);
        EXPECT_NE(ui.objectWithString(texts[i]), nullptr) << texts[i];
    }
    EXPECT_EQ(report->changesBox->text, BRAVUILevelUpChangeReportWindow::otherChangesText(*character));
    EXPECT_EQ(report->descriptionBox->text, "");

    ui.clickElement(*list.items[1]);
    ui.step();
    EXPECT_EQ(report->descriptionBox->text, "Runes make the edge bite deeper.");
    list.selectItem(0);
    ui.step();
    ui.step();
    EXPECT_EQ(report->descriptionBox->text, "Parries with a spell on the blade.");
}

TEST_F(LevelUpReportTest, ARowPastTheEndLeavesTheDescription) {
    ui.clickElement(*report->abilitiesList->items[0]);
    ui.step();
    const std::string shown = report->descriptionBox->text;
    UIEvent::Data stray;
    stray.type = UIEvent::Click;
    stray.value = 2;
    report->onAbilitiesListEvent(stray);
    ui.step();
    EXPECT_EQ(report->descriptionBox->text, shown);
}

TEST_F(LevelUpReportTest, OnlyNextStepReportsNextStep) {
    ui.clickElement(*report->closeButton);
    ui.step();
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "nextStep"), 0u);
    EXPECT_GE(ui.events().size(), 1u);
    EXPECT_EQ(ui.events().back().name, "closeDialog");

    ui.clickElement(*report->nextStepButton);
    ui.step();
    ui.step();
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "nextStep"), 1u);
}

} // namespace
