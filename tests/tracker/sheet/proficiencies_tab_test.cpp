// The Proficiencies tab: proficiency captions with domain and rank (and ids the catalogue lacks),
// the descriptions the three lists show, action throws that follow Strength each time the tab is
// shown, and selections that arrive as the sheet lets the lists go.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/character_class.h"
#include "rules/class_ability.h"
#include "tracker/sheet/proficiencies_tab_fixture.h"
#include "tracker/sheet/sheet_fixture.h"
#include "tracker/rows/bravui_character_action_list_item.h"
#include "tracker/rows/bravui_class_ability_list_item.h"
#include "tracker/sheet/bravui_proficiencies_tab.h"
#include "tracker/ui_attribute_entry_line.h"
#include "tracker/wizard/bravui_pick_proficiency_list_item.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_label.h"

namespace {

using Sheet = BRAVUITabbedFullCharacterSheet;

CharacterAction action(const std::string& id, const std::string& name, const std::string& description, int value) {
    CharacterAction made;
    made.id = id;
    made.displayName = name;
    made.description = description;
    made.throwValue = value;
    made.throwText = std::to_string(value) + "+";
    return made;
}

// The tab over a one-level class with two actions and two abilities, and a proficiency
// catalogue of two records (data/proftabs).
class ProficienciesTabTest : public PanelTabTest<BRAVUIProficienciesTab> {
protected:
    ProficienciesTabTest()
        : PanelTabTest(std::string(ZODERUD_TEST_DATA_DIR) + "/proftabs/"), fixtureClass("", nullptr) {
        proficiencies.loadProficiencyCatalogue("Data/proficiencies/all_proficiencies/");
        fixtureClass.id = "fixture";
        fixtureClass.maxLevel = 1;
        fixtureClass.levels[1].levelNumber = 1;
        fixtureClass.levels[1].actions = {action("force_door", "Force Door", "Burst a stuck door.", 18),
                                          action("listen_at_door", "Listen at Door", "Hear what waits.", 5)};
        lore.id = "lore";
        lore.displayName = "Lore";
        lore.description = "Knows old tales.";
        ward.id = "ward";
        ward.displayName = "Ward";
        ward.description = "Turns a blow aside.";
        character.characterClass = &fixtureClass;
        character.classAbilities = {&lore, &ward};
        character.attributes[CharacterSheet::Strength].current = 10;
    }

    void addProficiency(const std::string& id, const std::string& domain, int level) {
        auto proficiency = std::make_unique<CharacterProficiency>(proficiencies, id);
        proficiency->domain = domain;
        proficiency->level = level;
        character.proficiencies.push_back(std::move(proficiency));
    }

    CharacterClass fixtureClass;
    ClassAbility lore;
    ClassAbility ward;
};

TEST_F(ProficienciesTabTest, TitlesListsAndToolTipsAreTheTabsOwn) {
    show();
    const std::pair<const char*, const char*> titles[] = {
        {"proficienciesListTitleLabel", "Proficiencies"},
        {"classAbilitiesListTitleLabel", "Class Abilities"},
        {"actionsListTitleLabel", "Actions"},
        {"descriptionBoxTitleLabel", "Description"}};
    for (const auto& [name, title] : titles) {
        auto* label = ui.find<GameUILabel>(name);
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->text, std::string("<id='TitleBarText'[*") + title + "]>");
    }
    EXPECT_EQ(list("proficienciesList").toolTipText, "A list of all proficencies this character currently has");
    EXPECT_EQ(list("actionsList").toolTipText, "Common actions the character can perform such as the thief skills "
                                               "for lockipicking and finding traps");
    for (const char* name : {"proficienciesList", "classAbilitiesList", "actionsList"}) {
        EXPECT_FALSE(list(name).sorted) << name;
    }
}

// Rows keep the character's order (unsorted), are named by the proficiency id and carry no
// buttons; each row's selection shows its own catalogue description, or nothing at all.
TEST_F(ProficienciesTabTest, ProficiencyRowsShowDomainRankAndTheirOwnDescription) {
    struct Case {
        const char* id;
        const char* domain;
        int level;
        const char* caption;
        const char* description;
    };
    const Case cases[] = {
        {"swordsmanship", "Longsword", 2, "Swordsmanship (Longsword) Rank: 2", "Trained with one kind of sword."},
        {"alertness", "", 1, "Alertness", "Hard to surprise."},
        {"lost_art", "", 1, "lost_art", ""},
        {"swordsmanship", "Sabre", 1, "Swordsmanship (Sabre)", "Trained with one kind of sword."},
    };
    for (const Case& c : cases) addProficiency(c.id, c.domain, c.level);
    show();

    GameUIStandardElementList& rows = list("proficienciesList");
    ASSERT_EQ(rows.items.size(), std::size(cases));
    EXPECT_EQ(rows.selectedIndex, 0) << "the first proficiency is selected on showing";
    EXPECT_EQ(description(), cases[0].description);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        auto* row = dynamic_cast<BRAVUIPickProficiencyListItem*>(rows.items[i]);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->name, cases[i].id);
        EXPECT_EQ(UIHarness::stringOf(row->textObject), cases[i].caption);
        EXPECT_TRUE(row->children.empty()) << "no pick, dump or rank buttons";
        EXPECT_EQ(row->getChoice().first.domain, cases[i].domain);
        EXPECT_EQ(row->getChoice().second, cases[i].level);
    }
    // Visited in an order where every row follows one with another description, so a box left
    // unchanged shows.
    for (std::size_t i : {2u, 1u, 2u, 3u, 0u}) {
        clickRow("proficienciesList", i);
        EXPECT_EQ(description(), cases[i].description) << "row " << i;
    }
}

TEST_F(ProficienciesTabTest, WithoutProficienciesTheListAndDescriptionAreEmpty) {
    show();
    EXPECT_TRUE(list("proficienciesList").items.empty());
    EXPECT_EQ(description(), "");
    EXPECT_EQ(captions("classAbilitiesList"), (std::vector<std::string>{"Lore", "Ward"}));
}

TEST_F(ProficienciesTabTest, AnIdTheCatalogueLacksShowsAsItIsWithNoDescription) {
    addProficiency("lost_art", "", 3);
    show();
    EXPECT_EQ(captions("proficienciesList"), (std::vector<std::string>{"lost_art Rank: 3"}));
    EXPECT_EQ(description(), "");
}

TEST_F(ProficienciesTabTest, ProficiencyNoLongerOnTheCharacterEmptiesTheBox) {
    addProficiency("alertness", "", 1);
    addProficiency("swordsmanship", "Longsword", 1);
    show();
    clickRow("proficienciesList", 1);
    ASSERT_EQ(description(), "Trained with one kind of sword.");
    character.proficiencies.erase(character.proficiencies.begin());
    clickRow("proficienciesList", 0);
    EXPECT_EQ(description(), "");
}

// Strength 10 has no modifier; each point of modifier moves the door's throw by four.
TEST_F(ProficienciesTabTest, ActionThrowsFollowStrengthRightAlignedInTheLastHalfUnit) {
    struct Case {
        int strength;
        const char* doorThrow;
    };
    for (const Case& c : {Case{16, "10+"}, Case{4, "26+"}, Case{10, "18+"}}) {
        character.attributes[CharacterSheet::Strength].current = c.strength;
        show();
        GameUIStandardElementList& rows = list("actionsList");
        ASSERT_EQ(rows.items.size(), 2u);
        auto* door = dynamic_cast<BRAVUICharacterActionListItem*>(rows.items[0]);
        ASSERT_NE(door, nullptr);
        EXPECT_EQ(door->name, "force_door");
        ASSERT_NE(door->throwObject, nullptr);
        EXPECT_EQ(UIHarness::stringOf(door->textObject), "Force Door");
        EXPECT_EQ(UIHarness::stringOf(door->throwObject), c.doorThrow) << "Strength " << c.strength;
        auto* listen = dynamic_cast<BRAVUICharacterActionListItem*>(rows.items[1]);
        ASSERT_NE(listen, nullptr);
        EXPECT_EQ(UIHarness::stringOf(listen->throwObject), "5+") << "only the door's throw follows Strength";
        EXPECT_EQ(UIHarness::intOf(door->throwObject, "horizAlignment"), 1);
        EXPECT_EQ(UIHarness::intOf(door->textObject, "horizAlignment"), -1);
        const float right = door->absBottomRight[0];
        EXPECT_FLOAT_EQ(UIHarness::vector2Of(door->throwObject, "topLeft")[0], right - 0.5f);
        EXPECT_FLOAT_EQ(UIHarness::vector2Of(door->throwObject, "bottomRight")[0], right);
        EXPECT_EQ(UIHarness::layerOf(door->throwObject), UIHarness::layerOf(door->textObject));
    }
    EXPECT_TRUE(character.saved) << "actions are not saved: showing the tab is no edit";
}

TEST_F(ProficienciesTabTest, TheThrowBoxIsHalfAUnitWhateverTheRowWidth) {
    show();
    auto* door = dynamic_cast<BRAVUICharacterActionListItem*>(list("actionsList").items[0]);
    ASSERT_NE(door, nullptr);
    door->placeInList(-0.95f, 0.95f, 0.9f, 0.8f, false);
    const float wide = UIHarness::vector2Of(door->throwObject, "bottomRight")[0] -
                       UIHarness::vector2Of(door->throwObject, "topLeft")[0];
    door->placeInList(-0.95f, 0.0f, 0.9f, 0.8f, false);
    const float narrow = UIHarness::vector2Of(door->throwObject, "bottomRight")[0] -
                         UIHarness::vector2Of(door->throwObject, "topLeft")[0];
    EXPECT_FLOAT_EQ(wide, 0.5f);
    EXPECT_FLOAT_EQ(narrow, 0.5f);
    // A removed row keeps no text objects.
    door->removeFromList();
    EXPECT_EQ(door->throwObject, nullptr);
    EXPECT_EQ(door->textObject, nullptr);
}

TEST_F(ProficienciesTabTest, TheLastSelectionInAnyListShowsItsDescription) {
    addProficiency("alertness", "", 1);
    show();
    clickRow("actionsList", 1);
    EXPECT_EQ(description(), "Hear what waits.");
    clickRow("classAbilitiesList", 1);
    EXPECT_EQ(description(), "Turns a blow aside.");
    clickRow("actionsList", 1);
    EXPECT_EQ(description(), "Hear what waits.") << "the same row selected again shows again";
    clickRow("proficienciesList", 0);
    EXPECT_EQ(description(), "Hard to surprise.");
}

// Indexes left from a list that has since been let go or rebuilt shorter act on nothing.
TEST_F(ProficienciesTabTest, StaleSelectionsOfEveryListDoNothing) {
    addProficiency("alertness", "", 1);
    show();
    UIHarness::reportListRow(*tab.proficienciesList, 1);
    UIHarness::reportListRow(*tab.classAbilitiesList, 2);
    UIHarness::reportListRow(*tab.actionsList, 7);
    step();
    EXPECT_EQ(description(), "Hard to surprise.");
    // Reports that arrive as the tab lets its lists go act on nothing.
    UIHarness::reportListRow(*tab.proficienciesList, 0);
    UIHarness::reportListRow(*tab.classAbilitiesList, 0);
    UIHarness::reportListRow(*tab.actionsList, 0);
    tab.detach();
    step();
    EXPECT_EQ(tab.proficienciesList, nullptr);
    EXPECT_EQ(tab.descriptionBox, nullptr);
    EXPECT_EQ(tab.proficiencyChosen + tab.abilityChosen + tab.actionChosen, 0);
}

// The tab inside the sheet: a fixture class whose third level can force doors.
class ProficienciesSheetTest : public SheetTest {
protected:
    ProficienciesSheetTest() {
        ui.renderInterface().registerFontName(ui.renderInterface().mainFontName(), 0.05f);
        fixtureClass->levels[3].actions = {action("force_door", "Force Door", "Burst a stuck door.", 18)};
    }

    std::string doorThrow() {
        auto* door = ui.find<BRAVUICharacterActionListItem>("force_door");
        return door && door->throwObject ? UIHarness::stringOf(door->throwObject) : "<no door row>";
    }
};

TEST_F(ProficienciesSheetTest, AStrengthEditedOnCoreShowsInTheThrowWhenTheTabIsShownAgain) {
    openSheet();
    pressTab("proficienciesTab");
    ui.step();
    ASSERT_EQ(sheet->shownTab, Sheet::ProficienciesTab);
    EXPECT_EQ(doorThrow(), "14+") << "Strength 13";
    EXPECT_TRUE(character->saved);

    pressTab("coreStatsTab");
    ui.step();
    auto* strength = ui.find<UIAttributeEntryLine>("strength");
    ASSERT_NE(strength, nullptr);
    strength->valueBox->setText("");
    ui.step();
    ui.clickElement(*strength->valueBox);
    ui.step();
    ui.typeQuickly("4");
    pressTab("proficienciesTab");
    ui.step();
    ASSERT_EQ(character->getStrength(), 4);
    EXPECT_EQ(doorThrow(), "26+");
}

// In the sheet the actions list is narrow: a name cut at the throw's half unit wrapped onto the
// row below.
TEST_F(ProficienciesSheetTest, ALongActionNameStaysOnItsOwnRow) {
    fixtureClass->levels[3].actions.push_back(action("search", "Search for Hidden Passages", "Find it.", 18));
    openSheet();
    pressTab("proficienciesTab");
    ui.step();
    auto* search = ui.find<BRAVUICharacterActionListItem>("search");
    ASSERT_NE(search, nullptr);
    ASSERT_NE(search->throwObject, nullptr);
    RenderInterface& ri = ui.renderInterface();
    const float left = UIHarness::vector2Of(search->textObject, "topLeft")[0];
    const float right = UIHarness::vector2Of(search->textObject, "bottomRight")[0];
    TextMeasure oneLine, caption;
    ri.measureText(oneLine, ri.mainFontName(), "Search", false, 20000.0f);
    ri.measureText(caption, ri.mainFontName(), UIHarness::stringOf(search->textObject), false, right - left);
    EXPECT_FLOAT_EQ(caption.height, oneLine.height) << "the name wraps in its box";
    EXPECT_LT(left + caption.width, UIHarness::vector2Of(search->throwObject, "bottomRight")[0] - 0.1f)
        << "the name runs into the throw";
}

TEST_F(ProficienciesSheetTest, ShowingTheProficienciesAndSpellsTabsLeavesTheCharacterSaved) {
    openSheet();
    character->saved = true;
    for (const char* name : {"proficienciesTab", "spellsTab", "proficienciesTab"}) {
        pressTab(name);
        ui.step();
        ui.step();
    }
    EXPECT_EQ(sheet->shownTab, Sheet::ProficienciesTab);
    EXPECT_TRUE(character->saved);
}

TEST_F(ProficienciesSheetTest, ASelectionInThePollOfATabPressReachesNoListTheSheetLetGo) {
    character->addProficiency("adventuring", "");
    openSheet();
    pressTab("proficienciesTab");
    ui.step();
    auto* tab = static_cast<BRAVUIProficienciesTab*>(sheet->tabs[Sheet::ProficienciesTab].get());
    ASSERT_NE(tab->actionsList, nullptr);
    ui.step();
    // The door row's selection reaches the tab at the end of a frame; the press of another tab
    // lands before the next one, whose switch comes before the tab's step.
    tab->actionsList->selectItem(0);
    ui.step();
    ASSERT_EQ(tab->actionChosen, 1);
    pressTab("spellsTab");
    ui.step();
    ui.step();
    EXPECT_EQ(sheet->shownTab, Sheet::SpellsTab);
    EXPECT_EQ(tab->proficienciesList, nullptr);
    EXPECT_EQ(tab->classAbilitiesList, nullptr);
    EXPECT_EQ(tab->actionsList, nullptr);
    EXPECT_EQ(tab->descriptionBox, nullptr);
    EXPECT_EQ(tab->actionChosen, 0);
}

} // namespace
