// Loading a character from the main menu: the dialog it opens, what a good file replaces, and that
// a file that is not a character, or an open character that cannot be saved, changes nothing.
#include "tracker/main_menu_fixture.h"

#include <algorithm>

#include "platform/paths.h"
#include "rules/character_sheet.h"
#include "rules/rules_catalogues.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_info_popup_dialog.h"
#include "ui/game_ui_load_file_dialog.h"
#include "ui/game_ui_push_button.h"
#include "ui/window_manager.h"

namespace {

class MainMenuLoadTest : public MainMenuTest {
protected:
    // Writes a character file named name into folder.
    std::string writeCharacter(const std::string& folder, const std::string& name) {
        std::unique_ptr<CharacterSheet> sheet(makeSheet());
        const std::string path = folder + name;
        EXPECT_TRUE(sheet->save(path));
        return path;
    }
    GameUILoadFileDialog* openDialog() {
        click(*menu->loadButton);
        frame();
        frame();
        EXPECT_NE(menu->loadDialog, nullptr);
        return menu->loadDialog;
    }
    // Chooses folder + name in the open dialog and presses Open.
    void choose(const std::string& folder, const std::string& name) {
        GameUILoadFileDialog* dialog = openDialog();
        ASSERT_NE(dialog, nullptr);
        dialog->setCurrentPath(folder);
        dialog->currentFileTextBox->setText(name);
        click(*dialog->okButton);
        frame();
        frame();
    }
    bool stripEnabled() const {
        return !menu->loadButton->disabled && !menu->saveButton->disabled && !menu->newButton->disabled &&
               !menu->rollDiceButton->disabled;
    }
};

TEST_F(MainMenuLoadTest, OpensOnTheCharactersFolderWithTheStripDisabled) {
    writeSettings("");
    start();
    GameUILoadFileDialog* dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->title, "Choose a file to load...");
    EXPECT_EQ(dialog->currentFilter, "Xml Files");
    EXPECT_TRUE(platform::isDirectory(dialog->currentPath));
    EXPECT_NE(dialog->currentPath.find("/characters/"), std::string::npos) << dialog->currentPath;
    EXPECT_TRUE(menu->loadButton->disabled && menu->saveButton->disabled && menu->newButton->disabled &&
                menu->rollDiceButton->disabled);
}

TEST_F(MainMenuLoadTest, CancelAndCloseLoadNothing) {
    for (const char* how : {"cancel", "close"}) {
        SCOPED_TRACE(how);
        manager.clearStates();
        writeSettings("");
        start();
        GameUILoadFileDialog* dialog = openDialog();
        ASSERT_NE(dialog, nullptr);
        click(std::string(how) == "cancel" ? static_cast<GameUIBaseElement&>(*dialog->cancelButton)
                                           : static_cast<GameUIBaseElement&>(*dialog->closeButton));
        frame();
        frame();
        EXPECT_EQ(menu->loadDialog, nullptr);
        EXPECT_EQ(windowsNamed("loadFileDialog"), 0u);
        EXPECT_EQ(menu->character, nullptr);
        EXPECT_TRUE(stripEnabled());
    }
}

TEST_F(MainMenuLoadTest, AGoodFileReplacesTheUnsavedCharacterAfterSavingIt) {
    writeSettings("");
    start();
    const std::string chosen = writeCharacter(files.path(), "Hero.XML");
    const std::string oldPath = files.path() + "old.xml";
    giveCharacter(oldPath, false);
    choose(files.path(), "hero.xml");
    ASSERT_NE(menu->character, nullptr);
    EXPECT_TRUE(platform::isRegularFile(oldPath)) << "the open character was saved first";
    EXPECT_EQ(menu->loadDialog, nullptr);
    EXPECT_TRUE(stripEnabled());
    EXPECT_EQ(menu->config.LastSavedFilePath, files.path() + "hero.xml");
    EXPECT_EQ(savedLastPath(), files.path() + "hero.xml") << "the settings were saved";
    // Save rewrites the file as it is named on disk, with no second file.
    menu->character->saved = false;
    click(*menu->saveButton);
    frame();
    frame();
    std::vector<platform::DirectoryEntry> listing;
    ASSERT_TRUE(platform::listDirectory(files.path(), listing));
    std::vector<std::string> names;
    for (const auto& entry : listing)
        if (entry.name != "." && entry.name != "..") names.push_back(entry.name);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Hero.XML", "old.xml"}));
}

TEST_F(MainMenuLoadTest, AFileThatIsNotACharacterChangesNothing) {
    struct Case {
        const char* name;
        const char* contents;
    };
    const Case cases[] = {{"garbage.xml", "\x01\x02 not xml at all <<"},
                          {"theme.xml", "<?xml version=\"1.0\"?><theme><colour/></theme>"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        manager.clearStates();
        writeSettings("");
        start();
        const std::string path = files.write(c.name, c.contents);
        const std::string oldPath = files.path() + "old.xml";
        CharacterSheet* old = giveCharacter(oldPath, true);
        choose(files.path(), c.name);
        EXPECT_EQ(menu->character, old);
        EXPECT_EQ(menu->character->filePath, oldPath);
        EXPECT_EQ(readFile(path), c.contents);
        EXPECT_EQ(savedLastPath(), "");
        ASSERT_NE(menu->errorPopup, nullptr);
        EXPECT_NE(harness.objectWithString(GameStateMainMenu::loadErrorMessage), nullptr);
        EXPECT_NE(menu->loadDialog, nullptr);
        click(*menu->errorPopup->okButton);
        frame();
        frame();
        EXPECT_EQ(menu->errorPopup, nullptr);
        EXPECT_EQ(menu->windowManager->activeWindow, menu->loadDialog) << "the dialog takes clicks again";
    }
}

TEST_F(MainMenuLoadTest, AnOpenCharacterThatCannotBeSavedKeepsItsPlace) {
    writeSettings("");
    start();
    const std::string chosen = writeCharacter(files.path(), "chosen.xml");
    // A folder that is a file: no one, not even root, can save below it.
    const std::string blocker = files.write("blocker", "not a folder");
    CharacterSheet* old = giveCharacter(blocker + "/old.xml", false);
    choose(files.path(), "chosen.xml");
    EXPECT_EQ(menu->character, old);
    EXPECT_FALSE(menu->character->saved);
    EXPECT_EQ(savedLastPath(), "");
    ASSERT_NE(menu->errorPopup, nullptr);
    EXPECT_NE(harness.objectWithString(GameStateMainMenu::loadSaveErrorMessage), nullptr);
    EXPECT_NE(menu->loadDialog, nullptr);
}

TEST_F(MainMenuLoadTest, TheSettingsFileIsNotACharacter) {
    writeSettings("");
    start();
    const std::string settingsFile = menu->config.getSettingsFile();
    const std::string before = readFile(settingsFile);
    const std::string::size_type slash = settingsFile.find_last_of('/');
    choose(settingsFile.substr(0, slash + 1), settingsFile.substr(slash + 1));
    EXPECT_EQ(menu->character, nullptr);
    ASSERT_NE(menu->errorPopup, nullptr);
    EXPECT_EQ(readFile(settingsFile), before);
}

} // namespace
