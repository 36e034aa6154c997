// Quitting and saving from the main menu: when the save question comes, what each answer does,
// and that a save that fails keeps the character, says so, and never quits.
#include "tracker/main_menu_fixture.h"

#include <filesystem>

#include "platform/paths.h"
#include "rules/character_sheet.h"
#include "rules/rules_catalogues.h"
#include "ui/game_ui_confirmation_dialog.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_info_popup_dialog.h"
#include "ui/game_ui_load_file_dialog.h"
#include "ui/game_ui_push_button.h"
#include "ui/window_manager.h"

namespace {

class MainMenuSaveQuitTest : public MainMenuTest {
protected:
    std::uint32_t status() const { return menu->status(); }
};

constexpr std::uint32_t quit = BaseState::Quit;
constexpr std::uint32_t running = BaseState::Running;

TEST_F(MainMenuSaveQuitTest, QuitsAtOnceWithNothingUnsaved) {
    for (bool withCharacter : {false, true}) {
        SCOPED_TRACE(withCharacter ? "saved character" : "no character");
        manager.clearStates();
        start();
        if (withCharacter) giveCharacter(files.path() + "/kept.xml", true);
        menu->requestQuit();
        frame();
        EXPECT_EQ(status(), quit);
        EXPECT_EQ(menu->saveQuitDialog, nullptr);
        EXPECT_FALSE(platform::pathExists(files.path() + "/kept.xml"));
    }
}

TEST_F(MainMenuSaveQuitTest, UnsavedChangesAskOnceAndEachAnswerDoesItsOwnThing) {
    struct Case {
        const char* answer;
        std::uint32_t status;
        bool written;
    };
    const Case cases[] = {{"okButton", quit, true}, {"cancelButton", quit, false}, {"closeDialog", running, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        manager.clearStates();
        writeSettings("");
        start();
        const std::string path = files.path() + "/" + c.answer + ".xml";
        giveCharacter(path, false);
        menu->requestQuit();
        frame();
        ASSERT_NE(menu->saveQuitDialog, nullptr);
        EXPECT_EQ(status(), running);
        EXPECT_EQ(menu->windowManager->activeWindow, menu->saveQuitDialog);
        EXPECT_EQ(menu->saveQuitDialog->okButton->caption, "Save & Quit");
        EXPECT_EQ(menu->saveQuitDialog->cancelButton->caption, "Just Quit");
        // Closing the window again while asked opens no second question.
        menu->requestQuit();
        frame();
        EXPECT_EQ(windowsNamed("saveBeforeQuitConfirmation"), 1u);

        if (c.answer == std::string("okButton")) {
            click(*menu->saveQuitDialog->okButton);
        } else if (c.answer == std::string("cancelButton")) {
            click(*menu->saveQuitDialog->cancelButton);
        } else {
            UIEvent::Data other;
            other.name = c.answer;
            menu->onSaveBeforeQuitEvent(other);
        }
        frame();
        EXPECT_EQ(status(), c.status);
        EXPECT_EQ(platform::pathExists(path), c.written);
        EXPECT_EQ(savedLastPath(), c.written ? path : "");
        EXPECT_EQ(menu->config.LastSavedFilePath, c.written ? path : "");
    }
}

TEST_F(MainMenuSaveQuitTest, AFailedSaveKeepsTheCharacterShowsTheErrorAndDoesNotQuit) {
    // A folder that cannot be written to, and a character that has no file at all.
    const std::string blocked = files.write("not_a_folder", "x") + "/hero.xml";
    for (const std::string& path : {blocked, std::string()}) {
        SCOPED_TRACE(path.empty() ? "no file path" : path);
        manager.clearStates();
        writeSettings("/earlier/character.xml");
        start();
        // The remembered character is gone: the start says so first.
        closeErrorPopup();
        CharacterSheet* character = giveCharacter(path, false);
        menu->requestQuit();
        frame();
        ASSERT_NE(menu->saveQuitDialog, nullptr);
        click(*menu->saveQuitDialog->okButton);
        frame();
        EXPECT_EQ(status(), running);
        EXPECT_EQ(menu->character, character);
        EXPECT_FALSE(character->saved);
        ASSERT_NE(menu->errorPopup, nullptr);
        EXPECT_EQ(menu->errorPopup->title, GameStateMainMenu::saveErrorTitle);
        EXPECT_EQ(menu->errorPopup->message, GameStateMainMenu::saveErrorMessage);
        EXPECT_EQ(menu->config.LastSavedFilePath, "/earlier/character.xml");
        EXPECT_EQ(savedLastPath(), "/earlier/character.xml");

        // The popup's OK closes it; the Save button then fails the same way, once more told.
        click(*menu->errorPopup->okButton);
        frame();
        frame();
        EXPECT_EQ(menu->errorPopup, nullptr);
        EXPECT_EQ(windowsNamed("saveErrorPopup"), 0u);
        click(*menu->saveButton);
        frame();
        frame();
        EXPECT_NE(menu->errorPopup, nullptr);
        EXPECT_EQ(status(), running);
    }
}

TEST_F(MainMenuSaveQuitTest, SaveWritesTheCharacterThenTheSettings) {
    start();
    const std::string path = files.path() + "/hero.xml";
    giveCharacter(path, false);
    click(*menu->saveButton);
    frame();
    EXPECT_TRUE(platform::isRegularFile(path));
    EXPECT_TRUE(menu->character->saved);
    EXPECT_EQ(savedLastPath(), path);
    EXPECT_EQ(menu->errorPopup, nullptr);
    // Saved now, so closing the window needs no question.
    menu->requestQuit();
    frame();
    EXPECT_EQ(status(), quit);
}

TEST_F(MainMenuSaveQuitTest, SettingsThatCannotBeWrittenAfterASaveOrALoadAreShown) {
    for (const char* how : {"save", "load"}) {
        SCOPED_TRACE(how);
        manager.clearStates();
        writeSettings("");
        start();
        const std::string path = files.path() + "/" + how + ".xml";
        giveCharacter(path, false);
        if (std::string(how) == "load") {
            ASSERT_TRUE(menu->character->save(path));
            menu->character->name = "Edited";
            menu->character->saved = false;
        }
        // A folder where the settings file goes: nothing can be renamed over it.
        const std::string settingsFile = menu->config.getSettingsFile();
        ASSERT_TRUE(platform::removeFile(settingsFile));
        ASSERT_TRUE(platform::createDirectories(settingsFile));
        if (std::string(how) == "save") {
            click(*menu->saveButton);
        } else {
            click(*menu->loadButton);
            frame();
            frame();
            ASSERT_NE(menu->loadDialog, nullptr);
            menu->loadDialog->setCurrentPath(files.path() + "/");
            menu->loadDialog->currentFileTextBox->setText(std::string(how) + ".xml");
            click(*menu->loadDialog->okButton);
        }
        frame();
        frame();
        EXPECT_TRUE(platform::isRegularFile(path));
        ASSERT_NE(menu->errorPopup, nullptr);
        EXPECT_EQ(menu->errorPopup->title, GameStateMainMenu::saveErrorTitle);
        EXPECT_NE(harness.objectWithString(GameStateMainMenu::settingsSaveErrorMessage), nullptr);
        click(*menu->errorPopup->okButton);
        frame();
        frame();
        EXPECT_EQ(menu->errorPopup, nullptr);
        ASSERT_TRUE(std::filesystem::remove(settingsFile));
    }
}

} // namespace
