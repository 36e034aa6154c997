// The update check against stand-in updaters: only an answer of 2 to the check's exact command
// line asks the user, once; OK starts the updater and asks to quit; no updater, no question.
#include "tracker/main_menu_fixture.h"

#include <sys/stat.h>

#include <chrono>
#include <thread>

#include "platform/paths.h"
#include "rules/character_sheet.h"
#include "rules/rules_catalogues.h"
#include "ui/game_ui_confirmation_dialog.h"
#include "ui/game_ui_push_button.h"
#include "ui/window_manager.h"

namespace {

class UpdateCheckTest : public MainMenuTest {
protected:
    // An updater that answers checkCode to the check and, run bare, leaves a mark beside itself.
    void writeUpdater(int checkCode) {
        const std::string script = "#!/bin/sh\n"
                                   "if [ \"$#\" -eq 2 ] && [ \"$1\" = /quickcheck ] && [ \"$2\" = /justcheck ]; then exit " +
                                   std::to_string(checkCode) + "; fi\n"
                                   "if [ \"$#\" -eq 0 ]; then touch \"$(dirname \"$0\")/updating\"; fi\n"
                                   "exit 0\n";
        const std::string path = updaterFolder.write(GameStateMainMenu::updaterFileName, script);
        ::chmod(path.c_str(), 0755);
    }

    // Frames until the check has ended (the child is real, so this waits on it, not on a clock).
    void frameUntilChecked() {
        for (int i = 0; i < 1000 && !menu->updateCheckDone; ++i) {
            frame();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        ASSERT_TRUE(menu->updateCheckDone);
        for (int i = 0; i < 5; ++i) frame();
    }

    bool waitForMark() const {
        const std::string mark = updaterFolder.path() + "/updating";
        for (int i = 0; i < 1000; ++i) {
            if (platform::pathExists(mark)) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }
};

TEST_F(UpdateCheckTest, OnlyTwoAsksAndItAsksOnce) {
    for (int code : {0, 1, 3, 2}) {
        SCOPED_TRACE(code);
        manager.clearStates();
        writeUpdater(code);
        start();
        frameUntilChecked();
        EXPECT_EQ(windowsNamed("updateRestartConfirmation"), code == 2 ? 1u : 0u);
        EXPECT_EQ(menu->updateDialog != nullptr, code == 2);
        EXPECT_EQ(menu->status(), static_cast<std::uint32_t>(BaseState::Running));
    }
    EXPECT_EQ(menu->updateDialog->title, "New update available");
    EXPECT_EQ(menu->windowManager->activeWindow, menu->updateDialog);
}

TEST_F(UpdateCheckTest, CancelKeepsRunningWithoutStartingTheUpdater) {
    writeUpdater(2);
    start();
    frameUntilChecked();
    ASSERT_NE(menu->updateDialog, nullptr);
    click(*menu->updateDialog->cancelButton);
    frame();
    frame();
    EXPECT_EQ(menu->updateDialog, nullptr);
    EXPECT_EQ(windowsNamed("updateRestartConfirmation"), 0u);
    EXPECT_EQ(menu->status(), static_cast<std::uint32_t>(BaseState::Running));
    EXPECT_FALSE(platform::pathExists(updaterFolder.path() + "/updating"));
}

TEST_F(UpdateCheckTest, OkStartsTheUpdaterAndQuitsThroughTheSaveQuestion) {
    for (bool unsaved : {false, true}) {
        SCOPED_TRACE(unsaved ? "unsaved character" : "no character");
        manager.clearStates();
        platform::removeFile(updaterFolder.path() + "/updating");
        writeUpdater(2);
        start();
        if (unsaved) giveCharacter(files.path() + "/hero.xml", false);
        frameUntilChecked();
        ASSERT_NE(menu->updateDialog, nullptr);
        click(*menu->updateDialog->okButton);
        frame();
        EXPECT_TRUE(waitForMark());
        EXPECT_EQ(menu->updateDialog, nullptr);
        if (unsaved) {
            EXPECT_EQ(menu->status(), static_cast<std::uint32_t>(BaseState::Running));
            EXPECT_NE(menu->saveQuitDialog, nullptr);
        } else {
            EXPECT_EQ(menu->status(), static_cast<std::uint32_t>(BaseState::Quit));
        }
    }
}

TEST_F(UpdateCheckTest, NoUpdaterNoQuestion) {
    start();
    EXPECT_TRUE(menu->updateCheckDone);
    for (int i = 0; i < 10; ++i) frame();
    EXPECT_EQ(menu->updateDialog, nullptr);
    EXPECT_EQ(menu->status(), static_cast<std::uint32_t>(BaseState::Running));
}

} // namespace
