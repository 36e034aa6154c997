// Starting and finishing a new character from the main menu: the file name a name gives (letters
// only, repeats kept apart, bytes as unsigned char, capped), New saving the open character first,
// and the finish saving under the per-user folder or saying why it could not.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "platform/paths.h"
#include "rules/character_sheet.h"
#include "rules/rules_catalogues.h"
#include "support/temp_folder.h"
#include "tracker/bravui_create_attributes.h"
#include "tracker/main_menu_fixture.h"
#include "tracker/wizard/wizard_walk_fixture.h"
#include "tracker/wizard/brav_sub_state_character_creation.h"
#include "tracker/wizard/character_file_name.h"
#include "ui/game_ui_info_popup_dialog.h"
#include "ui/game_ui_load_file_dialog.h"
#include "ui/game_ui_push_button.h"
#include "ui/window_manager.h"

namespace {

TEST(CharacterFileName, KeepsLettersLowerCasedAndEveryOtherByteBecomesAnUnderscore) {
    struct Case {
        std::string name;
        std::string fileName;
    };
    const Case cases[] = {
        {"Sir Bob 2", "sir_bob__"},
        {"Zo\xEB", "zo_"},
        {"../../etc/passwd", "______etc_passwd"},
        {"A\\B:C", "a_b_c"},
        {std::string(150, 'X'), std::string(100, 'x')},
        {std::string(99, 'y') + "\xFF\xFF", std::string(99, 'y') + "_"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(makeCharacterFileName(c.name), c.fileName);
    }
}

TEST(CharacterFileName, ARepeatedNameGetsTheNextFreeNumber) {
    TempFolder folder;
    EXPECT_EQ(makeNewCharacterPath(folder.path(), "Sir Bob 2"), folder.path() + "sir_bob__.xml");
    folder.write("sir_bob__.xml", "first");
    EXPECT_EQ(makeNewCharacterPath(folder.path(), "Sir Bob 3"), folder.path() + "sir_bob___2.xml");
    folder.write("sir_bob___2.xml", "second");
    EXPECT_EQ(makeNewCharacterPath(folder.path(), "sir bob !"), folder.path() + "sir_bob___3.xml");
    // Without a per-user folder there is no path at all, never one at the file-system root.
    EXPECT_EQ(makeNewCharacterPath("", "Sir Bob 2"), "");
}

class NewCharacterTest : public WizardWalkTest {
protected:
    std::string charactersFolder() const { return menu->config.getSettingsFolder() + "/characters/"; }
    bool stripEnabled() const {
        return !menu->loadButton->disabled && !menu->saveButton->disabled && !menu->newButton->disabled &&
               !menu->rollDiceButton->disabled;
    }
    void pressNew() {
        // Off the strip first, so every press is a fresh hover and click of the button.
        harness.movePointer(0.0f, 0.0f);
        frame();
        click(*menu->newButton);
        frame();
        frame();
    }
    // New, then the wizard walked to its end for a character of that name.
    void createNamed(const std::string& name) {
        pressNew();
        finishCreationAs(name);
    }
    std::unique_ptr<CharacterSheet> reread(const std::string& path) {
        std::unique_ptr<CharacterSheet> sheet(makeSheet());
        EXPECT_TRUE(sheet->load(path)) << path;
        return sheet;
    }
    GameUIBaseElement* windowNamed(const std::string& name) const {
        for (GameUIBaseElement* window : menu->windowManager->windows) {
            if (window->name == name) return window;
        }
        return nullptr;
    }
};

TEST_F(NewCharacterTest, NewOpensTheWizardOverADefaultCharacterWithTheStripDisabled) {
    writeSettings("");
    start();
    pressNew();
    ASSERT_NE(menu->creation, nullptr);
    ASSERT_NE(menu->character, nullptr);
    EXPECT_EQ(menu->creation->character, menu->character);
    EXPECT_EQ(menu->character->name, "Default Character");
    EXPECT_FALSE(stripEnabled());
    auto* step1 = dynamic_cast<BRAVUICreateAttributes*>(windowNamed("createAttributesWindow"));
    ASSERT_NE(step1, nullptr);
    EXPECT_EQ(step1->title, "Step 1: Create Attributes");
    EXPECT_EQ(menu->windowManager->activeWindow, step1);
    // While the wizard runs a second New starts nothing.
    BRAVSubStateCharacterCreation* wizard = menu->creation;
    pressNew();
    EXPECT_EQ(menu->creation, wizard);
    EXPECT_EQ(windowsNamed("createAttributesWindow"), 1u);
}

TEST_F(NewCharacterTest, NewSavesAnUnsavedCharacterFirstAndAFailedSaveKeepsItWithoutAWizard) {
    writeSettings("");
    start();
    const std::string kept = files.path() + "kept.xml";
    giveCharacter(kept, false)->name = "Kept";
    pressNew();
    ASSERT_NE(menu->creation, nullptr);
    ASSERT_TRUE(platform::isRegularFile(kept));
    EXPECT_EQ(reread(kept)->name, "Kept");

    manager.clearStates();
    writeSettings("");
    start();
    const std::string blocked = files.write("not_a_folder", "x") + "/hero.xml";
    CharacterSheet* open = giveCharacter(blocked, false);
    pressNew();
    EXPECT_EQ(menu->creation, nullptr);
    EXPECT_EQ(menu->character, open);
    EXPECT_FALSE(open->saved);
    ASSERT_NE(menu->errorPopup, nullptr);
    EXPECT_EQ(menu->errorPopup->title, "Save Error");
    EXPECT_EQ(windowsNamed("createAttributesWindow"), 0u);
}

TEST_F(NewCharacterTest, TheFinishedCharacterIsSavedUnderThePerUserFolderAndBecomesTheLastSaved) {
    writeSettings("");
    start();
    createNamed("Sir Bob 2");
    const std::string first = charactersFolder() + "sir_bob__.xml";
    EXPECT_TRUE(platform::isRegularFile(first));
    EXPECT_EQ(menu->character->filePath, first);
    EXPECT_TRUE(menu->character->saved);
    EXPECT_EQ(menu->config.LastSavedFilePath, first);
    EXPECT_EQ(savedLastPath(), first);
    EXPECT_TRUE(stripEnabled());
    EXPECT_EQ(menu->errorPopup, nullptr);

    // The same file name again is kept apart, not written over.
    createNamed("Sir Bob 3");
    const std::string second = charactersFolder() + "sir_bob___2.xml";
    EXPECT_TRUE(platform::isRegularFile(second));
    EXPECT_EQ(savedLastPath(), second);
    EXPECT_EQ(reread(first)->name, "Sir Bob 2");

    createNamed("Zo\xEB");
    EXPECT_TRUE(platform::isRegularFile(charactersFolder() + "zo_.xml"));
}

// What a save that cannot be written leaves: the popup, the character open and unsaved, the
// settings as they were, the strip back.
void expectSaveErrorLeftEverythingElse(const GameStateMainMenu& menu, const std::string& lastSaved) {
    ASSERT_NE(menu.errorPopup, nullptr);
    EXPECT_EQ(menu.errorPopup->title, "Save Error");
    EXPECT_EQ(menu.errorPopup->message,
              "The new character could not be saved. It stays open; use Save to try again.");
    ASSERT_NE(menu.character, nullptr);
    EXPECT_EQ(menu.character->name, "Sir Bob 2");
    EXPECT_FALSE(menu.character->saved);
    EXPECT_EQ(menu.config.LastSavedFilePath, lastSaved);
}

TEST_F(NewCharacterTest, ACharactersFolderThatCannotBeWrittenShowsTheSaveError) {
    writeSettings("/earlier/character.xml");
    start();
    closeErrorPopup();
    // A file where the folder should be: nothing can be made or written in it.
    const std::string blocker = charactersFolder().substr(0, charactersFolder().size() - 1);
    FILE* file = std::fopen(blocker.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    createNamed("Sir Bob 2");
    expectSaveErrorLeftEverythingElse(*menu, "/earlier/character.xml");
    EXPECT_EQ(savedLastPath(), "/earlier/character.xml");
    EXPECT_TRUE(stripEnabled());

    // Once the way is clear, Save writes it where the finish meant to.
    click(*menu->errorPopup->okButton);
    frame();
    frame();
    ASSERT_TRUE(platform::removeFile(blocker));
    ASSERT_TRUE(platform::createDirectories(charactersFolder()));
    click(*menu->saveButton);
    frame();
    frame();
    EXPECT_TRUE(platform::isRegularFile(charactersFolder() + "sir_bob__.xml"));
    EXPECT_TRUE(menu->character->saved);
    EXPECT_EQ(savedLastPath(), charactersFolder() + "sir_bob__.xml");
}

TEST_F(NewCharacterTest, AReadOnlyCharactersFolderShowsTheSaveError) {
    writeSettings("/earlier/character.xml");
    start();
    closeErrorPopup();
    // A "characters" folder in which nobody, the super-user included, can make a file: the
    // kernel's process folder stands in for one that is read-only.
    const std::string folder = charactersFolder().substr(0, charactersFolder().size() - 1);
    ASSERT_EQ(::symlink("/proc", folder.c_str()), 0);
    ASSERT_TRUE(platform::isDirectory(charactersFolder()));
    createNamed("Sir Bob 2");
    expectSaveErrorLeftEverythingElse(*menu, "/earlier/character.xml");
    EXPECT_EQ(savedLastPath(), "/earlier/character.xml");
    EXPECT_EQ(menu->character->filePath, charactersFolder() + "sir_bob__.xml") << "bound for Save to try again";
    EXPECT_FALSE(platform::pathExists(charactersFolder() + "sir_bob__.xml"));
    EXPECT_TRUE(stripEnabled());
}

TEST_F(NewCharacterTest, TheNewCharacterIsListedByLoadAndReopenedAtTheNextStart) {
    writeSettings("");
    start();
    createNamed("Sir Bob 2");
    const std::string path = charactersFolder() + "sir_bob__.xml";
    ASSERT_EQ(menu->config.LastSavedFilePath, path);
    click(*menu->loadButton);
    frame();
    frame();
    ASSERT_NE(menu->loadDialog, nullptr);
    const auto& entries = menu->loadDialog->entries;
    EXPECT_TRUE(std::any_of(entries.begin(), entries.end(), [&](const FileEntry& entry) {
        return entry.fileName == "sir_bob__.xml";
    })) << menu->loadDialog->currentPath;
    click(*menu->loadDialog->cancelButton);
    frame();

    manager.clearStates();
    start();
    ASSERT_NE(menu->character, nullptr);
    EXPECT_EQ(menu->character->name, "Sir Bob 2");
    EXPECT_EQ(menu->character->filePath, path);
    EXPECT_NE(menu->characterSheet, nullptr);
}

} // namespace
