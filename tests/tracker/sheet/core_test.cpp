// The Core tab's texts for characters at the edges of their class's level table (no class, top
// level, above it), the throw and speed displays, and editing the scores in place.
#include "tracker/sheet/sheet_fixture.h"

#include <functional>
#include <string>
#include <vector>

#include "render/text_markup.h"
#include "tracker/sheet/bravui_core_stats_tab.h"
#include "tracker/sheet/bravui_move_speed_display.h"
#include "tracker/sheet/bravui_saving_throw_display.h"
#include "tracker/ui_attribute_entry_line.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_element_group.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_push_button.h"
#include "ui/game_ui_toggle_button.h"
#include "ui/text_entry.h"
#include "ui/text_measure.h"

namespace {

class CoreTabTest : public SheetTest {
protected:
    bool levelUpEnabled() const {
        auto* button = ui.find<GameUIPushButton>("levelUpButton");
        return button && !button->disabled;
    }
    std::string displayText(const std::string& name) const {
        auto* display = ui.find<BRAVUIStatDisplay>(name);
        return display ? display->valueBox->text : "<no display " + name + ">";
    }
    // Gives the line the edit focus, replaces its text by typing, and takes the focus away.
    void typeScore(const std::string& line, const std::string& typed) {
        auto* entry = ui.find<UIAttributeEntryLine>(line);
        ASSERT_NE(entry, nullptr);
        entry->valueBox->setText("");
        ui.step();
        ui.clickElement(*entry->valueBox);
        ui.step();
        ASSERT_TRUE(entry->valueBox->active);
        ui.typeQuickly(typed);
        ui.step();
        ui.click(0.9f, -0.9f);
        for (int i = 0; i < 3; ++i) ui.step();
    }
};

TEST_F(CoreTabTest, LevelExperienceAndLevelUpFollowTheLevelTable) {
    struct Case {
        const char* what;
        std::function<void(CharacterSheet&)> setUp;
        std::string level, experience, className, title;
        bool levelUp;
    };
    const Case cases[] = {
        {"level 3 short of level 4", [](CharacterSheet&) {}, "[*Level: ]3", "[*Experience: ]2500/5000",
         "[*Class: ]Fixture Fighter", "[*Title: ]Veteran", false},
        {"exactly level 4's experience", [](CharacterSheet& c) { c.experience = 5000; }, "[*Level: ]3",
         "[*Experience: ]5000/5000", "[*Class: ]Fixture Fighter", "[*Title: ]Veteran", true},
        {"top level", [](CharacterSheet& c) { c.level = 4; c.experience = 9000; }, "[*Level: ]4",
         "[*Experience: ]9000/0", "[*Class: ]Fixture Fighter", "[*Title: ]Sergeant", false},
        {"above the top level", [](CharacterSheet& c) { c.level = 6; c.experience = 9000; }, "[*Level: ]6",
         "[*Experience: ]9000/0", "[*Class: ]Fixture Fighter", "[*Title: ]", false},
        {"a level the table lacks",
         [](CharacterSheet& c) {
             c.level = 2;
             c.experience = 9000;
             const_cast<CharacterClass*>(c.characterClass)->levels.erase(3);
         },
         "[*Level: ]2", "[*Experience: ]9000/0", "[*Class: ]Fixture Fighter", "[*Title: ]Soldier", false},
        {"no class", [](CharacterSheet& c) { c.characterClass = nullptr; }, "[*Level: ]3",
         "[*Experience: ]2500/0", "[*Class: ]", "[*Title: ]", false},
        {"an unknown class id",
         [](CharacterSheet& c) {
             c.characterClass = nullptr;
             c.unresolvedClass = UnresolvedClass{"nonesuch", true, "nothing", {}};
         },
         "[*Level: ]3", "[*Experience: ]2500/0", "[*Class: ]", "[*Title: ]", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fixtureClass = makeFixtureClass();
        character->characterClass = fixtureClass.get();
        character->level = 3;
        character->experience = 2500;
        c.setUp(*character);
        openSheet();
        EXPECT_EQ(labelText("levelLabel"), c.level);
        EXPECT_EQ(labelText("experienceLabel"), c.experience);
        EXPECT_EQ(labelText("classNameLabel"), c.className);
        EXPECT_EQ(labelText("titleLabel"), c.title);
        EXPECT_EQ(labelText("subClassNameLabel"), "");
        EXPECT_EQ(levelUpEnabled(), c.levelUp);
        ui.windowManager().removeWindow(sheet);
        ui.windowManager().applyRemovals();
        sheet = nullptr;
    }
}

TEST_F(CoreTabTest, IdentityHitPointsAndInitiative) {
    character->alignment = "Chaotic";
    openSheet();
    EXPECT_EQ(labelText("attributeDescription"), "[*Name: ]Aldra Venn");
    EXPECT_EQ(labelText("alignmentLabel"), "[*Alignment: ]Chaotic");
    EXPECT_EQ(labelText("hpValuesLabel"), "12/15");
    EXPECT_EQ(labelText("acValuesLabel"), "2");
    EXPECT_EQ(labelText("initiativeValueLabel"), "+2");
    EXPECT_EQ(labelText("initiativeTitleLabel"), "<id='TitleBarText'[* Initiative ]");
    const std::pair<std::int32_t, std::string> dexterity[] = {{16, "+2"}, {10, "0"}, {3, "-3"}, {7, "-1"}};
    for (const auto& [score, shown] : dexterity) {
        SCOPED_TRACE(score);
        character->attributes[CharacterSheet::Dexterity].current = score;
        sheet->showCoreStatsTab();
        EXPECT_EQ(labelText("initiativeValueLabel"), shown);
    }
}

TEST_F(CoreTabTest, ANameTypedWithMarkupCharactersShowsAllOfThem) {
    openSheet();
    auto show = [&](const char* tab) {
        ui.clickElement(*ui.find<GameUIToggleButton>(tab));
        ui.step();
        ui.step();
    };
    show("bioTab");
    auto* nameBox = ui.find<GameUIEditableTextLineBox>("characterNameTextBox");
    ASSERT_NE(nameBox, nullptr);
    ui.clickElement(*nameBox);
    ui.step();
    for (std::size_t i = nameBox->text.size(); i > 0; --i) ui.tapKey(textentry::keyRight);
    while (!nameBox->text.empty()) ui.tapKey(textentry::keyBack);
    const std::string name = "Bob <rogue> {x} [y]";
    ui.typeString(name);
    ui.step();
    EXPECT_EQ(countDrawnCharacters(UIHarness::stringOf(nameBox->textObject)), name.size());
    show("coreStatsTab");
    EXPECT_EQ(character->name, name);
    auto* label = ui.find<GameUILabel>("attributeDescription");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(countDrawnCharacters(UIHarness::stringOf(label->textBox)), std::string("Name: ").size() + name.size());
}

TEST_F(CoreTabTest, LongNamesAndValuesStayOnTheirOneLine) {
    character->name = "Sir Bartholomew Ambrose Fitzgerald-Whitmore the Third";
    character->experience = 2730;
    openSheet();
    const std::string font = ui.renderInterface().mainFontName();
    auto fitsItsBox = [&](const GameUILabel& label) {
        const std::string shown = UIHarness::stringOf(label.textBox);
        EXPECT_EQ(shown.find("\\n"), std::string::npos) << shown;
        EXPECT_LE(measureUIText(&ui.renderInterface(), font, shown, true, 20000.0f).width,
                  label.absBottomRight[0] - label.absTopLeft[0])
            << shown;
        return shown;
    };
    auto* name = ui.find<GameUILabel>("attributeDescription");
    ASSERT_NE(name, nullptr);
    const std::string shown = fitsItsBox(*name);
    EXPECT_EQ(shown.rfind("[*Name: ]Sir Bartholomew", 0), 0u);
    EXPECT_EQ(shown.substr(shown.size() - 3), "...");
    auto* level = ui.find<GameUILabel>("levelLabel");
    ASSERT_NE(level, nullptr);
    EXPECT_LE(name->absBottomRight[0], level->absTopLeft[0]) << "the name stops before the level";
    auto* experience = ui.find<GameUILabel>("experienceLabel");
    ASSERT_NE(experience, nullptr);
    EXPECT_EQ(fitsItsBox(*experience).find("..."), std::string::npos) << "the experience fits whole";
    for (const char* row : {"Petrification", "Death", "Blast", "Staffs", "Spells"}) {
        auto* display = ui.find<BRAVUISavingThrowDisplay>(row);
        ASSERT_NE(display, nullptr) << row;
        EXPECT_EQ(fitsItsBox(*display->captionLabel).find("..."), std::string::npos) << row;
    }
}

TEST_F(CoreTabTest, ThrowsAndSpeedsOutsideTheirRangeShowZero) {
    openSheet();
    const std::pair<const char*, const char*> shown[] = {
        {"attack", "18"}, {"Death", "0"},  {"Petrification", "0"}, {"Blast", "20"}, {"Staffs", "12"},
        {"Spells", "15"}, {"Base", "120"}, {"Run", "0"},           {"Daily", "24"}, {"Climb", "30"},
    };
    for (const auto& [name, text] : shown) EXPECT_EQ(displayText(name), text) << name;
    // The displays take no typing.
    auto* blast = ui.find<BRAVUISavingThrowDisplay>("Blast");
    ui.clickElement(*blast->valueBox);
    ui.step();
    ui.typeQuickly("5");
    ui.step();
    EXPECT_EQ(blast->valueBox->text, "20");
    EXPECT_EQ(ui.find<BRAVUIMoveSpeedDisplay>("Daily")->valueBox->editable, 0);
}

TEST_F(CoreTabTest, ATypedScoreSetsBothScoresAndItsModifier) {
    character->attributes[CharacterSheet::Strength] = {"Strength", 12, 11};
    openSheet();
    ASSERT_TRUE(character->saved);
    typeScore("strength", "16");
    const AttributeValue& strength = character->attributes[CharacterSheet::Strength];
    EXPECT_EQ(strength.current, 16);
    EXPECT_EQ(strength.natural, 16);
    EXPECT_EQ(ui.find<UIAttributeEntryLine>("strength")->modifierLabel->text, "+2");
    EXPECT_FALSE(character->saved);
    // Dexterity moves initiative with it.
    typeScore("dexterity", "4");
    EXPECT_EQ(labelText("initiativeValueLabel"), "-2");
    EXPECT_EQ(labelText("acValuesLabel"), "-2");
}

TEST_F(CoreTabTest, TheBoxShowsTheScoreTheCharacterHolds) {
    openSheet();
    struct Case {
        const char* typed;
        int score;
    };
    // Dexterity starts at 16: an emptied box keeps it; a typed score is brought into 3..18.
    const Case cases[] = {{"", 16}, {"0", 3}, {"00", 3}, {"1", 3}, {"2", 3}, {"3", 3}, {"19", 18}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        character->attributes[CharacterSheet::Dexterity].current = 16;
        character->attributes[CharacterSheet::Dexterity].natural = 16;
        sheet->show(BRAVUITabbedFullCharacterSheet::CoreTab);
        ui.step();
        typeScore("dexterity", c.typed);
        // Another line reporting must not change the one left empty.
        typeScore("strength", "14");
        EXPECT_EQ(character->attributes[CharacterSheet::Dexterity].current, c.score);
        EXPECT_EQ(character->attributes[CharacterSheet::Dexterity].natural, c.score);
        EXPECT_EQ(ui.find<UIAttributeEntryLine>("dexterity")->valueBox->text, std::to_string(c.score));
        EXPECT_EQ(character->attributes[CharacterSheet::Strength].current, 14);
    }
}

TEST_F(CoreTabTest, TitlesAndGroupsKeepTheirNamesAndTextsAsWritten) {
    openSheet();
    std::vector<GameUIElementGroup*> groups;
    std::vector<std::string> hpTitles;
    const std::function<void(GameUIBaseElement*)> visit = [&](GameUIBaseElement* element) {
        if (auto* group = dynamic_cast<GameUIElementGroup*>(element); group && element != sheet->innerPanel) {
            groups.push_back(group);
        }
        if (auto* label = dynamic_cast<GameUILabel*>(element); label && label->name == "hpTitle") {
            hpTitles.push_back(label->text);
        }
        if (auto* container = dynamic_cast<GameUIStandardElement*>(element)) {
            for (GameUIBaseElement* child : container->children) visit(child);
        }
    };
    visit(sheet->innerPanel);
    ASSERT_EQ(groups.size(), 5u) << "identity, hit points, movement, saving throws, attributes";
    for (const GameUIElementGroup* group : groups) EXPECT_EQ(group->name, "innerPanelGroup");
    // The AC title has no closing "]>", as the Initiative title has none.
    EXPECT_EQ(hpTitles, (std::vector<std::string>{"<id='TitleBarText'[* HP ]>", "<id='TitleBarText'[* AC ]"}));
}

} // namespace
