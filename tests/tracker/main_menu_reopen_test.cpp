// At start the main menu reopens the character saved last; a file that no longer loads opens
// nothing, says so naming the file, and leaves the remembered path alone.
#include "tracker/main_menu_fixture.h"

#include "rules/character_sheet.h"
#include "rules/rules_catalogues.h"
#include "ui/game_ui_info_popup_dialog.h"
#include "ui/game_ui_push_button.h"

namespace {

TEST_F(MainMenuTest, ReopensTheLastSavedCharacter) {
    const std::string path = files.path() + "/hero.xml";
    {
        auto catalogues = loadRulesCatalogues(ZODERUD_SOURCE_DIR);
        CharacterSheet hero(nullptr, catalogues->classes, catalogues->proficiencies, catalogues->equipment,
                            catalogues->spells);
        hero.name = "Aldra Venn";
        ASSERT_TRUE(hero.save(path));
    }
    writeSettings(path);
    start();
    ASSERT_NE(menu->character, nullptr);
    EXPECT_EQ(menu->character->name, "Aldra Venn");
    EXPECT_EQ(menu->character->filePath, path);
    EXPECT_TRUE(menu->character->saved);
}

TEST_F(MainMenuTest, ALastSavedFileThatNoLongerLoadsOpensNothing) {
    const std::string cases[] = {files.path() + "/gone.xml", files.write("garbage.xml", "<Character><<"),
                                 files.write("not_xml.xml", "\x01\x02 plain bytes")};
    for (const std::string& path : cases) {
        SCOPED_TRACE(path);
        manager.clearStates();
        writeSettings(path);
        start();
        EXPECT_EQ(menu->character, nullptr);
        EXPECT_EQ(menu->config.LastSavedFilePath, path);
        EXPECT_EQ(savedLastPath(), path);
        // Said on screen, naming the file.
        ASSERT_NE(menu->errorPopup, nullptr);
        EXPECT_EQ(menu->errorPopup->title, GameStateMainMenu::loadErrorTitle);
        EXPECT_NE(menu->errorPopup->message.find(path), std::string::npos);
        EXPECT_NE(harness.objectWithString(GameStateMainMenu::reopenErrorMessage(path)), nullptr);
        click(*menu->errorPopup->okButton);
        frame();
        frame();
        EXPECT_EQ(menu->errorPopup, nullptr);
        // The program still runs and closes as with no character.
        menu->requestQuit();
        frame();
        EXPECT_EQ(menu->status(), static_cast<std::uint32_t>(BaseState::Quit));
    }
}

TEST_F(MainMenuTest, NoLastSavedPathStartsWithoutACharacter) {
    start();
    EXPECT_EQ(menu->character, nullptr);
    EXPECT_EQ(menu->config.LastSavedFilePath, "");
}

} // namespace
