// The main menu shows the open character on the sheet: at start for the reopened file (one without
// a known class included) and after Load, always one sheet, and never one over a deleted character.
#include "tracker/main_menu_fixture.h"
#include "tracker/wizard/wizard_walk_fixture.h"

#include "rules/character_class.h"
#include "rules/character_sheet.h"
#include "rules/rules_catalogues.h"
#include "tracker/sheet/bravui_set_hit_points_window.h"
#include "tracker/sheet/bravui_tabbed_full_character_sheet.h"
#include "ui/game_ui_toggle_button.h"
#include "tracker/bravui_create_attributes.h"
#include "tracker/wizard/brav_sub_state_character_creation.h"
#include "ui/game_ui_confirmation_dialog.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_load_file_dialog.h"
#include "ui/game_ui_push_button.h"
#include "ui/game_ui_scrollable_text_box.h"
#include "ui/game_ui_toggle_button.h"
#include "platform/input/key_codes.h"

namespace {

GameUIBaseElement* findIn(GameUIBaseElement* element, const std::string& name) {
    if (!element) return nullptr;
    if (element->name == name) return element;
    for (GameUIBaseElement* child : element->attachedChildren) {
        if (GameUIBaseElement* found = findIn(child, name)) return found;
    }
    if (auto* container = dynamic_cast<GameUIStandardElement*>(element)) {
        for (GameUIBaseElement* child : container->children) {
            if (GameUIBaseElement* found = findIn(child, name)) return found;
        }
    }
    return nullptr;
}

class SheetMainMenuTest : public WizardWalkTest {
protected:
    // Saves a character named name (of the fighter class, or of classId when the catalogues
    // don't know it) to a file of the test's folder.
    std::string writeCharacter(const std::string& fileName, const std::string& name, const std::string& classId) {
        auto rules = loadRulesCatalogues(ZODERUD_SOURCE_DIR);
        CharacterSheet hero(nullptr, rules->classes, rules->proficiencies, rules->equipment, rules->spells);
        hero.name = name;
        for (const auto& candidate : rules->classes.classes()) {
            if (candidate->id == classId) hero.characterClass = candidate.get();
        }
        if (!hero.characterClass) hero.unresolvedClass = UnresolvedClass{classId, false, "", {}};
        const std::string path = files.path() + "/" + fileName;
        EXPECT_TRUE(hero.save(path));
        return path;
    }

    // An element of the menu's sheet.
    template <class T>
    T* find(const std::string& name) const {
        return menu->characterSheet ? dynamic_cast<T*>(findIn(menu->characterSheet, name)) : nullptr;
    }

    std::string labelText(const std::string& name) const {
        auto* label = find<GameUILabel>(name);
        return label ? label->text : "<no label " + name + ">";
    }
};

TEST_F(SheetMainMenuTest, TheReopenedCharacterOpensOnTheCoreTab) {
    writeSettings(writeCharacter("hero.xml", "Aldra Venn", "fighter"));
    start();
    frame();
    ASSERT_NE(menu->characterSheet, nullptr);
    EXPECT_EQ(windowsNamed("characterSheetUI"), 1u);
    EXPECT_EQ(menu->characterSheet->character, menu->character);
    EXPECT_EQ(menu->characterSheet->shownTab, BRAVUITabbedFullCharacterSheet::CoreTab);
    EXPECT_EQ(labelText("attributeDescription"), "[*Name: ]Aldra Venn");
    EXPECT_EQ(labelText("classNameLabel"), "[*Class: ]Fighter");
}

TEST_F(SheetMainMenuTest, ALastSavedCharacterOfAnUnknownClassStillOpens) {
    writeSettings(writeCharacter("lost.xml", "Orin", "nonesuch"));
    start();
    frame();
    ASSERT_NE(menu->character, nullptr);
    ASSERT_NE(menu->characterSheet, nullptr);
    EXPECT_EQ(menu->character->characterClass, nullptr);
    EXPECT_EQ(labelText("classNameLabel"), "[*Class: ]");
    EXPECT_EQ(labelText("titleLabel"), "[*Title: ]");
    EXPECT_EQ(labelText("subClassNameLabel"), "");
    const std::string experience = labelText("experienceLabel");
    EXPECT_EQ(experience.substr(experience.size() - 2), "/0");
    auto* levelUp = find<GameUIPushButton>("levelUpButton");
    ASSERT_NE(levelUp, nullptr);
    EXPECT_TRUE(levelUp->disabled);
}

TEST_F(SheetMainMenuTest, LoadReplacesTheSheetWithOneForTheLoadedCharacter) {
    writeSettings(writeCharacter("hero.xml", "Aldra Venn", "fighter"));
    const std::string other = writeCharacter("other.xml", "Brenna Hale", "mage");
    start();
    frame();
    BRAVUITabbedFullCharacterSheet* first = menu->characterSheet;
    ASSERT_NE(first, nullptr);
    click(*menu->loadButton);
    frame();
    frame();
    ASSERT_NE(menu->loadDialog, nullptr);
    menu->loadDialog->setCurrentPath(files.path() + "/");
    menu->loadDialog->currentFileTextBox->setText("other.xml");
    click(*menu->loadDialog->okButton);
    frame();
    frame();
    ASSERT_EQ(menu->character->filePath, other);
    ASSERT_NE(menu->characterSheet, nullptr);
    EXPECT_EQ(windowsNamed("characterSheetUI"), 1u);
    EXPECT_EQ(menu->characterSheet->character, menu->character);
    EXPECT_EQ(labelText("attributeDescription"), "[*Name: ]Brenna Hale");
    EXPECT_EQ(labelText("classNameLabel"), "[*Class: ]Mage");
}

TEST_F(SheetMainMenuTest, LoadingTheOpenCharactersOwnFileKeepsItsUnsavedEdits) {
    const std::string path = writeCharacter("hero.xml", "Aldra Venn", "fighter");
    writeSettings(path);
    start();
    frame();
    ASSERT_NE(menu->characterSheet, nullptr);
    // Renamed on the Bio tab and not saved.
    click(*menu->characterSheet->tabButtons[BRAVUITabbedFullCharacterSheet::BioTab]);
    frame();
    frame();
    auto* nameBox = find<GameUIEditableTextLineBox>("characterNameTextBox");
    ASSERT_NE(nameBox, nullptr);
    click(*nameBox);
    frame();
    frame();
    ASSERT_TRUE(nameBox->active);
    harness.typeQuickly(" the Bold");
    frame();
    frame();
    ASSERT_EQ(menu->character->name, "Aldra Venn the Bold");
    ASSERT_FALSE(menu->character->saved);
    // Load of its own file.
    click(*menu->loadButton);
    frame();
    frame();
    ASSERT_NE(menu->loadDialog, nullptr);
    menu->loadDialog->setCurrentPath(files.path() + "/");
    menu->loadDialog->currentFileTextBox->setText("hero.xml");
    click(*menu->loadDialog->okButton);
    frame();
    frame();
    ASSERT_NE(menu->character, nullptr);
    EXPECT_EQ(menu->loadDialog, nullptr);
    EXPECT_EQ(menu->errorPopup, nullptr);
    EXPECT_EQ(menu->character->name, "Aldra Venn the Bold");
    EXPECT_TRUE(menu->character->saved);
    ASSERT_NE(menu->characterSheet, nullptr);
    EXPECT_EQ(labelText("attributeDescription"), "[*Name: ]Aldra Venn the Bold");
    // The next Save writes the edits again, not the record read before them.
    click(*menu->saveButton);
    frame();
    frame();
    auto rules = loadRulesCatalogues(ZODERUD_SOURCE_DIR);
    CharacterSheet reread(nullptr, rules->classes, rules->proficiencies, rules->equipment, rules->spells);
    ASSERT_TRUE(reread.load(path));
    EXPECT_EQ(reread.name, "Aldra Venn the Bold");
}

TEST_F(SheetMainMenuTest, HitPointsSetOnTheSheetAreSavedBeforeQuitting) {
    writeSettings(writeCharacter("hero.xml", "Aldra Venn", "fighter"));
    start();
    frame();
    auto* setHP = find<GameUIPushButton>("editHPButton");
    ASSERT_NE(setHP, nullptr);
    click(*setHP);
    frame();
    frame();
    BRAVUISetHitPointsWindow* window = nullptr;
    for (GameUIBaseElement* open : menu->windowManager->windows) {
        if (auto* found = dynamic_cast<BRAVUISetHitPointsWindow*>(open)) window = found;
    }
    ASSERT_NE(window, nullptr);
    window->entryBox->setText("-5");
    click(*window->doneButton);
    for (int i = 0; i < 3; ++i) frame();
    EXPECT_EQ(menu->character->currentHitPoints, -5);
    EXPECT_EQ(windowsNamed("setHitPointsWindow"), 0u);
    menu->requestQuit();
    frame();
    ASSERT_NE(menu->saveQuitDialog, nullptr);
    EXPECT_EQ(menu->saveQuitDialog->title, "Save Confirmation");
    EXPECT_NE(menu->status(), static_cast<std::uint32_t>(BaseState::Quit));
}

TEST_F(SheetMainMenuTest, TextPastedIntoNotesAndBioReachesTheCharacterAndAsksToBeSaved) {
    writeSettings(writeCharacter("hero.xml", "Aldra Venn", "fighter"));
    start();
    frame();
    ASSERT_TRUE(menu->character->saved);
    auto show = [&](const char* tab) {
        auto* button = find<GameUIToggleButton>(tab);
        ASSERT_NE(button, nullptr) << tab;
        click(*button);
        frame();
        frame();
    };
    auto pasteInto = [&](GameUIBaseElement* box, const std::string& text) {
        ASSERT_NE(box, nullptr);
        click(*box);
        frame();
        frame();
        harness.osInterface().clipboard = text;
        harness.pressKey(platform::key::LeftControl);
        frame();
        harness.pressKey(platform::key::V);
        frame();
        harness.releaseKey(platform::key::V);
        harness.releaseKey(platform::key::LeftControl);
        frame();
    };
    show("notesTab");
    pasteInto(find<GameUIScrollableTextBox>("notesTextBox"), "Owes the ferryman.");
    EXPECT_EQ(menu->character->notes, "Owes the ferryman.");
    EXPECT_FALSE(menu->character->saved);
    menu->character->saved = true;
    show("bioTab");
    auto* nameBox = find<GameUIEditableTextLineBox>("characterNameTextBox");
    pasteInto(nameBox, " the Bold");
    EXPECT_EQ(menu->character->name, "Aldra Venn the Bold");
    EXPECT_FALSE(menu->character->saved);
    menu->requestQuit();
    frame();
    ASSERT_NE(menu->saveQuitDialog, nullptr) << "quitting asks before the pastes are lost";
    EXPECT_NE(menu->status(), static_cast<std::uint32_t>(BaseState::Quit));
}

TEST_F(SheetMainMenuTest, NewTakesTheSheetAwayAndTheFinishedCharacterOpensOnANewOne) {
    writeSettings(writeCharacter("hero.xml", "Aldra Venn", "fighter"));
    start();
    frame();
    ASSERT_NE(menu->characterSheet, nullptr);
    harness.movePointer(0.0f, 0.0f);
    frame();
    click(*menu->newButton);
    frame();
    frame();
    ASSERT_NE(menu->creation, nullptr);
    // The old character is gone, and its sheet with it.
    EXPECT_EQ(menu->characterSheet, nullptr);
    EXPECT_EQ(windowsNamed("characterSheetUI"), 0u);
    finishCreationAs("Brenna Hale");
    frame();
    ASSERT_NE(menu->characterSheet, nullptr);
    EXPECT_EQ(windowsNamed("characterSheetUI"), 1u);
    EXPECT_EQ(menu->characterSheet->character, menu->character);
    EXPECT_EQ(labelText("attributeDescription"), "[*Name: ]Brenna Hale");
}

TEST_F(SheetMainMenuTest, NoCharacterNoSheet) {
    start();
    frame();
    EXPECT_EQ(menu->characterSheet, nullptr);
    EXPECT_EQ(windowsNamed("characterSheetUI"), 0u);
}

} // namespace
