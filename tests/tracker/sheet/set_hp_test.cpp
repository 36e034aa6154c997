// Setting the current hit points: what leaving the box and Done make of the text, the saved flag,
// and that the close button changes nothing.
#include "tracker/sheet/sheet_fixture.h"

#include "tracker/sheet/bravui_set_hit_points_window.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_push_button.h"

namespace {

using Window = BRAVUISetHitPointsWindow;

class SetHPTest : public SheetTest {
protected:
    // Through the Core tab's Set HP button, as the user opens it.
    Window* openWindow() {
        if (!sheet) openSheet();
        ui.clickElement(*ui.find<GameUIPushButton>("editHPButton"));
        ui.step();
        window = ui.find<Window>("setHitPointsWindow");
        EXPECT_NE(window, nullptr);
        return window;
    }
    void closedAfter(int frames = 3) {
        for (int i = 0; i < frames; ++i) ui.step();
        EXPECT_EQ(ui.find<Window>("setHitPointsWindow"), nullptr);
        window = nullptr;
    }

    Window* window = nullptr;
};

TEST_F(SetHPTest, OpensWithTheMaximumInItsTitleAndTheCurrentHitPointsInItsBox) {
    ASSERT_NE(openWindow(), nullptr);
    EXPECT_EQ(window->title, "Set Current HP - Max: 15");
    EXPECT_EQ(window->entryBox->text, "12");
    EXPECT_EQ(ui.windowManager().activeWindow, window);
}

TEST_F(SetHPTest, LeavingTheBoxReplacesNoNumberOrOneAboveTheMaximumByTheMaximum) {
    const std::pair<std::string, std::string> cases[] = {
        {"abc", "15"}, {"20", "15"}, {"99999999999", "15"}, {"2147483648", "15"}, {"", "15"},
        {"1.5", "15"}, {"-", "15"},  {"-5", "-5"},          {"15", "15"},         {"+7", "+7"},
        {"0", "0"},    {"-2147483649", "15"},
    };
    ASSERT_NE(openWindow(), nullptr);
    for (const auto& [typed, shown] : cases) {
        SCOPED_TRACE(typed);
        ui.clickElement(*window->entryBox);
        ui.step();
        ASSERT_TRUE(window->entryBox->active);
        window->entryBox->setText(typed);
        // A click away from the box takes the focus away.
        ui.click(0.9f, 0.9f);
        ui.step();
        ui.step();
        EXPECT_EQ(window->entryBox->text, shown);
    }
    EXPECT_EQ(character->currentHitPoints, 12);
    EXPECT_TRUE(character->saved);
}

TEST_F(SetHPTest, DoneChecksTheTextAsLeavingTheBoxDoes) {
    struct Case {
        std::string text;
        std::int32_t hitPoints;
        std::string shown;
        bool saved;
    };
    const Case cases[] = {
        {"abc", 15, "15/15", false},
        {"-5", -5, "-5/15", false},
        {"99999999999", 15, "15/15", false},
        {"12", 12, "12/15", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        character->currentHitPoints = 12;
        character->saved = true;
        ASSERT_NE(openWindow(), nullptr);
        // Straight to Done, with the box never focused.
        window->entryBox->setText(c.text);
        ui.clickElement(*window->doneButton);
        closedAfter();
        EXPECT_EQ(character->currentHitPoints, c.hitPoints);
        EXPECT_EQ(labelText("hpValuesLabel"), c.shown);
        EXPECT_EQ(character->saved, c.saved);
    }
}

TEST_F(SetHPTest, TheCloseButtonChangesNothing) {
    ASSERT_NE(openWindow(), nullptr);
    window->entryBox->setText("3");
    ui.clickElement(*window->closeButton);
    closedAfter();
    EXPECT_EQ(character->currentHitPoints, 12);
    EXPECT_TRUE(character->saved);
    EXPECT_EQ(labelText("hpValuesLabel"), "12/15");
}

TEST_F(SetHPTest, AWindowLeftOpenGoesWithTheSheetAndSurvivesATabSwitch) {
    ASSERT_NE(openWindow(), nullptr);
    pressTab("bioTab");
    ui.step();
    ASSERT_EQ(ui.find<Window>("setHitPointsWindow"), window);
    window->entryBox->setText("9");
    ui.clickElement(*window->doneButton);
    closedAfter();
    EXPECT_EQ(character->currentHitPoints, 9);
    // Opened again and left open, it is removed with the sheet, before the character goes.
    pressTab("coreStatsTab");
    ui.step();
    ASSERT_NE(openWindow(), nullptr);
    ui.windowManager().removeWindow(sheet);
    ui.windowManager().applyRemovals();
    sheet = nullptr;
    EXPECT_EQ(ui.find<Window>("setHitPointsWindow"), nullptr);
    EXPECT_EQ(ui.windowManager().activeWindow, nullptr);
}

} // namespace
