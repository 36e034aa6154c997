// The portrait on the Core tab of a real sheet: Change Portrait opens the image file dialog, and
// the dialog goes with the sheet, since it would report to a portrait that no longer exists.
#include "tracker/sheet/sheet_fixture.h"

#include <algorithm>

#include "tracker/sheet/bravui_core_stats_tab.h"
#include "tracker/sheet/character_portrait.h"
#include "ui/game_ui_load_file_dialog.h"
#include "ui/game_ui_push_button.h"

namespace {

GameUILoadFileDialog* findDialog(UIHarness& ui) {
    for (GameUIBaseElement* window : ui.windowManager().windows) {
        if (auto* dialog = dynamic_cast<GameUILoadFileDialog*>(window)) return dialog;
    }
    return nullptr;
}

TEST_F(SheetTest, ChangePortraitOpensTheImageFileDialog) {
    openSheet();
    auto* button = ui.find<GameUIPushButton>("changePortraitButton");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->caption, "Change Portrait");
    EXPECT_EQ(button->toolTipText, "Load an image to use as a character portrait.");
    ui.clickElement(*button);
    ui.step();
    GameUILoadFileDialog* dialog = findDialog(ui);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->title, "Choose a file to load...");
    EXPECT_EQ(ui.windowManager().activeWindow, dialog);
    ui.clickElement(*button);
    ui.step();
    EXPECT_EQ(std::count_if(ui.windowManager().windows.begin(), ui.windowManager().windows.end(),
                            [](GameUIBaseElement* w) { return dynamic_cast<GameUILoadFileDialog*>(w) != nullptr; }),
              1);
}

TEST_F(SheetTest, ThePortraitDialogClosesWithTheSheet) {
    openSheet();
    ui.clickElement(*ui.find<GameUIPushButton>("changePortraitButton"));
    ui.step();
    ASSERT_NE(findDialog(ui), nullptr);
    ui.windowManager().removeWindow(sheet);
    sheet = nullptr;
    ui.step();
    ui.step();
    EXPECT_EQ(findDialog(ui), nullptr);
}

} // namespace
