// The main menu's dice roller: "Roll Dice" opens it over a disabled strip, and either of its
// closing buttons takes it away and gives the strip back.
#include "main_menu_fixture.h"
#include "tracker/bravui_dice_roller_window.h"
#include "ui/game_ui_push_button.h"

namespace {

TEST_F(MainMenuTest, RollDiceOpensTheRollerAndEitherCloseGivesTheStripBack) {
    start();
    struct Case {
        const char* how;
        GameUIPushButton* BRAVUIDiceRollerWindow::*closer;
    };
    const Case cases[] = {
        {"Finish", &BRAVUIDiceRollerWindow::finishButton},
        {"X", &BRAVUIDiceRollerWindow::closeButton},
    };
    GameUIPushButton* const strip[] = {menu->loadButton, menu->saveButton, menu->newButton, menu->rollDiceButton};
    for (const Case& c : cases) {
        click(*menu->rollDiceButton);
        frame();
        frame();
        BRAVUIDiceRollerWindow* roller = menu->diceRoller;
        ASSERT_NE(roller, nullptr) << c.how;
        EXPECT_EQ(menu->windowManager->activeWindow, roller) << c.how;
        EXPECT_EQ(windowsNamed("spellsPickerWindow"), 1u) << c.how;
        for (GameUIPushButton* button : strip) EXPECT_EQ(button->disabled, 1) << c.how << " " << button->caption;

        // A second press on the disabled strip opens no second roller.
        click(*menu->rollDiceButton);
        frame();
        EXPECT_EQ(windowsNamed("spellsPickerWindow"), 1u) << c.how;

        GameUIPushButton* closer = roller->*c.closer;
        ASSERT_NE(closer, nullptr) << c.how;
        click(*closer);
        for (int i = 0; i < 3; ++i) frame();
        EXPECT_EQ(menu->diceRoller, nullptr) << c.how;
        EXPECT_EQ(windowsNamed("spellsPickerWindow"), 0u) << c.how;
        for (GameUIPushButton* button : strip) EXPECT_EQ(button->disabled, 0) << c.how << " " << button->caption;
        harness.movePointer(0.0f, 0.5f);
        frame();
    }
}

} // namespace
