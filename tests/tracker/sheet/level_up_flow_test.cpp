// The level-up sequence through the harness: the report, then each picker that has slots left,
// in order, then the end; a level that grants nothing ends at the report; only "nextStep"
// advances; the windows go with the sequence.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "level_up_fixture.h"
#include "support/ui_harness.h"
#include "tracker/sheet/bravui_level_up_change_report_window.h"
#include "tracker/sheet/level_up_flow.h"
#include "tracker/wizard/bravui_arcane_spell_picker.h"
#include "tracker/wizard/bravui_pick_proficiencies.h"
#include "tracker/wizard/picker_steps.h"
#include "ui/game_ui_push_button.h"
#include "ui/game_ui_scrollable_text_box.h"

namespace {

const char* const generalTitle = "Pick or upgrade proficiencies from general list";
const char* const classTitle = "Pick or upgrade proficiencies from class list";
const char* const spellTitle = "Pick, or roll for, new arcane spells";

class LevelUpFlowTest : public ::testing::Test {
protected:
    LevelUpFlowTest() { ui.renderInterface().registerFontName(ui.renderInterface().mainFontName(), 0.05f); }

    void start(std::unique_ptr<CharacterSheet> sheet) {
        character = std::move(sheet);
        flow = std::make_unique<LevelUpFlow>(0, &ui.context(), ui.theme(), &levelUpCatalogues(), character.get());
    }

    // One frame as the Core tab runs it: the windows' updates, then the sequence's step.
    void frame() {
        ui.step();
        if (flow->update(windowDepth)) ++endings;
    }

    // A Level Up click as the Core tab passes it on.
    void pressLevelUp() {
        flow->pressLevelUp();
        frame();
    }

    // The one window of the sequence open now, or null.
    GameUIBaseWindow* openWindow() const {
        std::vector<GameUIBaseWindow*> open;
        if (flow->reportWindow) open.push_back(flow->reportWindow);
        if (flow->generalPicker) open.push_back(flow->generalPicker);
        if (flow->classPicker) open.push_back(flow->classPicker);
        if (flow->spellPicker) open.push_back(flow->spellPicker);
        EXPECT_LE(open.size(), 1u);
        return open.empty() ? nullptr : open.front();
    }

    // Presses the open window's own Next Step, as the player does when done with it: a picker's
    // picks are spent first, since its Next Step waits for them.
    void nextStep() {
        GameUIBaseWindow* window = openWindow();
        ASSERT_NE(window, nullptr);
        const std::function<void()> run = [this] { frame(); };
        if (auto* report = dynamic_cast<BRAVUILevelUpChangeReportWindow*>(window)) {
            ui.clickElement(*report->nextStepButton);
        }
        if (auto* picker = dynamic_cast<BRAVUIPickProficiencies*>(window)) {
            pickersteps::finishProficiencyPicker(ui, *picker, run);
        }
        if (auto* picker = dynamic_cast<BRAVUIArcaneSpellPicker*>(window)) {
            pickersteps::finishSpellPicker(ui, *picker, run);
        }
        frame();
    }

    // The titles of the windows shown from the report's Next Step to the end.
    std::vector<std::string> pickerTitles() {
        std::vector<std::string> titles;
        for (int step = 0; step < 5 && openWindow(); ++step) {
            nextStep();
            if (GameUIBaseWindow* window = openWindow()) {
                titles.push_back(window->title);
                EXPECT_EQ(ui.windowManager().activeWindow, window) << window->title;
            }
        }
        return titles;
    }

    bool listed(const GameUIBaseElement* window) {
        for (const GameUIBaseElement* listedWindow : ui.windowManager().windows) {
            if (listedWindow == window) return true;
        }
        return false;
    }

    static UIHarness::Options withoutToolTip() {
        UIHarness::Options options;
        options.toolTip = false;
        return options;
    }

    UIHarness ui{withoutToolTip()};
    std::unique_ptr<CharacterSheet> character;
    std::unique_ptr<LevelUpFlow> flow;
    // What the tab would give: one above its panel's children.
    static constexpr std::uint32_t windowDepth = 4;
    int endings = 0;
};

TEST_F(LevelUpFlowTest, RaisesTheLevelAndWalksThroughEveryPickerWithSlots) {
    start(spellbladeAt(3));
    pressLevelUp();
    EXPECT_EQ(character->level, 4u);
    ASSERT_NE(flow->reportWindow, nullptr);
    EXPECT_EQ(flow->reportWindow->title, "Level Up Report");
    EXPECT_EQ(flow->reportWindow->name, "levelUpReportWindow");
    EXPECT_EQ(flow->reportWindow->depth, windowDepth);
    EXPECT_EQ(ui.windowManager().activeWindow, flow->reportWindow);
    EXPECT_EQ(flow->reportWindow->changesBox->text,
              "Gained 7 hit points.\nGained a general proficiency slot.\nGained a class proficiency slot.\n"
              "Gained 2 level 1 arcane spell castings.\nAttack roll improved.\n");

    GameUIBaseWindow* report = flow->reportWindow;
    nextStep();
    EXPECT_EQ(flow->reportWindow, nullptr);
    ASSERT_NE(flow->generalPicker, nullptr);
    EXPECT_EQ(flow->generalPicker->title, generalTitle);
    EXPECT_EQ(flow->generalPicker->listId, "general");
    EXPECT_EQ(flow->generalPicker->picksLeft, 1u);
    EXPECT_EQ(flow->generalPicker->depth, windowDepth);
    ui.step();
    EXPECT_FALSE(listed(report));

    nextStep();
    ASSERT_NE(flow->classPicker, nullptr);
    EXPECT_EQ(flow->classPicker->title, classTitle);
    EXPECT_EQ(flow->classPicker->listId, "spellblade_list");
    EXPECT_EQ(flow->classPicker->picksLeft, 1u);

    nextStep();
    ASSERT_NE(flow->spellPicker, nullptr);
    EXPECT_EQ(flow->spellPicker->title, spellTitle);
    EXPECT_EQ(endings, 0);

    GameUIBaseWindow* spellPicker = flow->spellPicker;
    nextStep();
    EXPECT_EQ(openWindow(), nullptr);
    EXPECT_EQ(endings, 1);
    ui.step();
    EXPECT_FALSE(listed(spellPicker));
    EXPECT_FALSE(flow->inProgress());
    frame();
    EXPECT_EQ(endings, 1);
}

TEST_F(LevelUpFlowTest, ShowsOnlyThePickersWithSlotsLeftInOrder) {
    struct Case {
        std::int32_t general;
        std::int32_t classSlots;
        std::int32_t arcane;
        std::vector<std::string> titles;
    };
    const Case cases[] = {
        {0, 0, 0, {}},
        {2, 0, 0, {generalTitle}},
        {0, 1, 0, {classTitle}},
        {0, 0, 1, {spellTitle}},
        {1, 0, 2, {generalTitle, spellTitle}},
        {1, 1, 1, {generalTitle, classTitle, spellTitle}},
    };
    for (const Case& c : cases) {
        // Level 5 grants nothing: only slots left from before open pickers.
        auto sheet = spellbladeAt(4);
        sheet->unallocatedGeneralProficiencySlots = c.general;
        sheet->unallocatedClassProficiencySlots = c.classSlots;
        sheet->unallocatedArcaneSpellSlots[1] = c.arcane;
        start(std::move(sheet));
        endings = 0;
        pressLevelUp();
        ASSERT_NE(flow->reportWindow, nullptr);
        EXPECT_EQ(pickerTitles(), c.titles) << c.general << "/" << c.classSlots << "/" << c.arcane;
        EXPECT_EQ(endings, 1);
        EXPECT_EQ(openWindow(), nullptr);
    }
}

TEST_F(LevelUpFlowTest, ALevelGrantingNothingEndsOnTheReportsNextStep) {
    start(spellbladeAt(4));
    pressLevelUp();
    ASSERT_NE(flow->reportWindow, nullptr);
    EXPECT_EQ(endings, 0);
    nextStep();
    EXPECT_EQ(endings, 1);
    EXPECT_EQ(openWindow(), nullptr);
    ui.step();
    EXPECT_TRUE(ui.windowManager().windows.empty());
}

TEST_F(LevelUpFlowTest, CloseButtonsDoNotAdvance) {
    auto sheet = spellbladeAt(4);
    sheet->unallocatedGeneralProficiencySlots = 1;
    start(std::move(sheet));
    pressLevelUp();
    ASSERT_NE(flow->reportWindow, nullptr);
    ui.clickElement(*flow->reportWindow->closeButton);
    for (int i = 0; i < 3; ++i) frame();
    ASSERT_NE(flow->reportWindow, nullptr);
    EXPECT_TRUE(listed(flow->reportWindow));

    nextStep();
    ASSERT_NE(flow->generalPicker, nullptr);
    // A picker has no close button at all: only its Next Step leaves it.
    EXPECT_EQ(flow->generalPicker->closeButton, nullptr);
    for (int i = 0; i < 3; ++i) frame();
    ASSERT_NE(flow->generalPicker, nullptr);
    EXPECT_EQ(endings, 0);
    nextStep();
    EXPECT_EQ(endings, 1);
}

TEST_F(LevelUpFlowTest, IgnoresLevelUpWhileASequenceRunsOrWithoutANextLevel) {
    start(spellbladeAt(4));
    pressLevelUp();
    GameUIBaseWindow* report = flow->reportWindow;
    ASSERT_NE(report, nullptr);
    pressLevelUp();
    EXPECT_EQ(character->level, 5u);
    EXPECT_EQ(flow->reportWindow, report);
    nextStep();
    EXPECT_EQ(endings, 1);

    // Level 5 is the top: nothing changes and nothing opens.
    pressLevelUp();
    EXPECT_EQ(character->level, 5u);
    EXPECT_EQ(openWindow(), nullptr);
    EXPECT_EQ(endings, 1);
}

TEST_F(LevelUpFlowTest, GoingAwayTakesItsWindowsAlong) {
    start(spellbladeAt(3));
    pressLevelUp();
    nextStep();
    ASSERT_NE(flow->generalPicker, nullptr);
    flow.reset();
    ui.step();
    EXPECT_TRUE(ui.windowManager().windows.empty());
}

} // namespace
