// The arcane spell step with a seeded generator on a small catalogue: the open-slot headers,
// Pick and Drop against the slots, Roll Random, collapsing and expanding levels, row events whose
// row has gone, the Next Step gate (also when no open level has a spell left) and the commit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/character_class_catalogue.h"
#include "rules/character_sheet.h"
#include "rules/equipment_catalogue.h"
#include "rules/proficiency_catalogue.h"
#include "rules/spell_catalogue.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"
#include "support/ui_harness.h"
#include "tracker/rows/bravui_spell_list_item.h"
#include "tracker/wizard/bravui_arcane_spell_picker.h"
#include "ui/game_ui_push_button.h"
#include "ui/game_ui_scrollable_text_box.h"
#include "ui/game_ui_standard_element_list.h"

namespace {

constexpr std::uint32_t seed = 20261210;
constexpr float lineHeight = 0.04f;

// Level 1: alarm (known already), blink, charm, dazzle; level 2: echo, fog.
TempFolder* writeCatalogue() {
    auto* folder = new TempFolder;
    const auto spell = [&](int level, const std::string& id, const std::string& name) {
        const std::string number = std::to_string(level);
        folder->write("Data/spells/arcane/level_" + number + "/" + id + ".xml",
                      "<Spell id=\"" + id + "\" displayName=\"" + name + "\" level=\"" + number +
                          "\" range=\"1 ft\" duration=\"1 turn\"><Description text=\"About " + name +
                          ".\"/></Spell>");
    };
    spell(1, "alarm", "Alarm");
    spell(1, "blink", "Blink");
    spell(1, "charm", "Charm");
    spell(1, "dazzle", "Dazzle");
    spell(2, "echo", "Echo");
    spell(2, "fog", "Fog");
    return folder;
}

class SpellPickerTest : public ::testing::Test {
protected:
    SpellPickerTest()
        : folder(writeCatalogue()), classes("", nullptr, nullptr), proficiencies(""), equipment(""),
          spells(folder->path()), character(nullptr, classes, proficiencies, equipment, spells) {
        spells.loadArcaneSpells("Data/spells/arcane/");
        ui.renderInterface().registerFontName(ui.renderInterface().mainFontName(), lineHeight);
        character.addArcaneSpell(spell("alarm"));
    }
    ~SpellPickerTest() override { delete folder; }

    const SpellRecord* spell(const std::string& id) const { return spells.findArcaneSpell(id); }

    void setSlots(std::int32_t level1, std::int32_t level2) {
        character.unallocatedArcaneSpellSlots[1] = level1;
        character.unallocatedArcaneSpellSlots[2] = level2;
    }

    void open() {
        const float tl[2] = {-0.9f, 0.9f}, br[2] = {0.9f, -0.9f};
        picker = ui.addWindow(new BRAVUIArcaneSpellPicker(0, &ui.context(), ui.theme(), tl, br, 1,
                                                          "Step 4: Pick, or roll for, new arcane spells", &spells,
                                                          &character),
                              true);
        picker->random = RandomSource(seed);
        ui.record(picker->windowSignal);
        ui.step();
    }

    static std::vector<std::string> captions(const GameUIStandardElementList* list) {
        std::vector<std::string> out;
        for (GameUIBaseListItem* item : list->items) out.push_back(item->getSortKey());
        return out;
    }
    static BRAVUISpellListItem* row(const GameUIStandardElementList* list, const std::string& caption) {
        for (GameUIBaseListItem* item : list->items) {
            if (item->getSortKey() == caption) return static_cast<BRAVUISpellListItem*>(item);
        }
        return nullptr;
    }
    // A click, then the frame in which the window acts on what the list reported.
    void clickThrough(const GameUIBaseElement* element) {
        ASSERT_NE(element, nullptr);
        ui.clickElement(*element);
        ui.step();
    }
    void pickByHand(const std::string& caption) {
        clickThrough(row(picker->toPickList, caption));
        clickThrough(picker->pickButton);
    }
    std::vector<std::string> pendingIds(int level) const {
        std::vector<std::string> ids;
        for (const SpellRecord* picked : character.getKnownSpellsOfLevel(level)) ids.push_back(picked->id);
        return ids;
    }

    LogCapture capture;
    UIHarness ui;
    TempFolder* folder;
    CharacterClassCatalogue classes;
    ProficiencyCatalogue proficiencies;
    EquipmentCatalogue equipment;
    SpellCatalogue spells;
    CharacterSheet character;
    BRAVUIArcaneSpellPicker* picker = nullptr;
};

using Captions = std::vector<std::string>;

TEST_F(SpellPickerTest, ListsTheOpenLevelsWithTheirSpellsAndTheKnownSpells) {
    setSlots(2, 1);
    open();
    EXPECT_EQ(picker->name, "spellsPickerWindow");
    EXPECT_EQ(picker->closeButton, nullptr);
    EXPECT_NE(ui.objectWithString("<id='TitleBarText'[*Pick new spells]>"), nullptr);
    EXPECT_NE(ui.objectWithString("<id='TitleBarText'[*Known Spells]>"), nullptr);
    EXPECT_EQ(picker->pickButton->caption, "Pick");
    EXPECT_EQ(picker->rollButton->name, "addButton");
    EXPECT_EQ(picker->rollButton->caption, "Roll Random");
    EXPECT_EQ(picker->dropButton->name, "dumpSpellButton");
    EXPECT_EQ(picker->dropButton->caption, "Drop");
    EXPECT_EQ(picker->nextStepButton->name, "rerollStatsButton");
    EXPECT_EQ(picker->nextStepButton->caption, "Next Step");

    EXPECT_EQ(captions(picker->toPickList),
              (Captions{"Level 1: 2 slots left", "Blink", "Charm", "Dazzle", "Level 2: 1 slots left", "Echo", "Fog"}));
    EXPECT_EQ(captions(picker->knownList), (Captions{"Level 1", "Alarm"}));
    EXPECT_EQ(picker->toPickList->items[0]->name, "expandableSpellLevel");
    EXPECT_EQ(picker->toPickList->items[1]->name, "blink");
    EXPECT_TRUE(picker->nextStepButton->disabled);
    EXPECT_TRUE(picker->dropButton->disabled);

    // Spell rows sit one line height to the right of their header.
    const BRAVUISpellListItem* header = row(picker->toPickList, "Level 1: 2 slots left");
    const BRAVUISpellListItem* blink = row(picker->toPickList, "Blink");
    ASSERT_TRUE(header->placed() && blink->placed());
    const float across = lineHeight * static_cast<float>(ui.height()) / static_cast<float>(ui.width());
    EXPECT_NEAR(UIHarness::vector2Of(blink->textObject, "topLeft")[0] -
                    UIHarness::vector2Of(header->textObject, "topLeft")[0],
                across, 1e-6f);
}

TEST_F(SpellPickerTest, PickShowsTheSpellAsNewAndUsesTheSlotUntilTheLevelVanishes) {
    setSlots(2, 1);
    open();
    clickThrough(row(picker->toPickList, "Blink"));
    EXPECT_EQ(picker->descriptionBox->text, spell("blink")->text);
    clickThrough(picker->pickButton);
    EXPECT_EQ(pendingIds(1), (std::vector<std::string>{"blink"}));
    EXPECT_EQ(character.getUnallocatedArcaneSpellSlots(1), 1);
    EXPECT_EQ(captions(picker->knownList), (Captions{"Level 1", "Alarm", "<id='NewSpellText'Blink>"}));
    EXPECT_EQ(captions(picker->toPickList),
              (Captions{"Level 1: 1 slots left", "Charm", "Dazzle", "Level 2: 1 slots left", "Echo", "Fog"}));
    // The new spell is selected, described, and can be dropped.
    EXPECT_EQ(picker->knownList->selectedIndex, 2);
    EXPECT_EQ(picker->descriptionBox->text, spell("blink")->text);
    EXPECT_FALSE(picker->dropButton->disabled);
    EXPECT_TRUE(picker->nextStepButton->disabled);

    // Pick with nothing chosen anew does nothing: the rebuilt list has no selection.
    clickThrough(picker->pickButton);
    EXPECT_EQ(character.getUnallocatedArcaneSpellSlots(1), 1);

    pickByHand("Dazzle");
    EXPECT_EQ(captions(picker->toPickList), (Captions{"Level 2: 1 slots left", "Echo", "Fog"}));
    EXPECT_TRUE(picker->nextStepButton->disabled);
    pickByHand("Fog");
    EXPECT_TRUE(picker->toPickList->items.empty());
    EXPECT_EQ(captions(picker->knownList), (Captions{"Level 1", "Alarm", "<id='NewSpellText'Blink>",
                                                     "<id='NewSpellText'Dazzle>", "Level 2", "<id='NewSpellText'Fog>"}));
    EXPECT_FALSE(picker->nextStepButton->disabled);
}

TEST_F(SpellPickerTest, DropGivesThePickedSlotBackButNeverDropsAKnownSpell) {
    setSlots(1, 0);
    open();
    pickByHand("Charm");
    ASSERT_FALSE(picker->nextStepButton->disabled);
    ASSERT_FALSE(picker->dropButton->disabled);
    clickThrough(picker->dropButton);
    EXPECT_TRUE(pendingIds(1).empty());
    EXPECT_EQ(character.getUnallocatedArcaneSpellSlots(1), 1);
    EXPECT_EQ(captions(picker->toPickList), (Captions{"Level 1: 1 slots left", "Blink", "Charm", "Dazzle"}));
    EXPECT_EQ(captions(picker->knownList), (Captions{"Level 1", "Alarm"}));
    EXPECT_TRUE(picker->nextStepButton->disabled);
    EXPECT_TRUE(picker->dropButton->disabled);

    clickThrough(row(picker->knownList, "Alarm"));
    EXPECT_EQ(picker->descriptionBox->text, spell("alarm")->text);
    EXPECT_TRUE(picker->dropButton->disabled);
    // Drop stays disabled for a spell the character knew: pressing it changes nothing.
    clickThrough(picker->dropButton);
    EXPECT_EQ(captions(picker->knownList), (Captions{"Level 1", "Alarm"}));
    EXPECT_EQ(character.getUnallocatedArcaneSpellSlots(1), 1);
    EXPECT_EQ(character.arcaneSpells[1].size(), 1u);

    clickThrough(row(picker->knownList, "Level 1"));
    EXPECT_EQ(picker->descriptionBox->text, "");
    EXPECT_TRUE(picker->dropButton->disabled);
}

TEST_F(SpellPickerTest, RollRandomPicksDistinctSpellsAsTheSeedDrawsThem) {
    setSlots(2, 1);
    open();
    clickThrough(picker->rollButton);

    RandomSource twin(seed);
    twin.draw();
    std::vector<std::string> level1{"blink", "charm", "dazzle"}, expected1;
    for (int n = 0; n < 2; ++n) {
        const std::size_t r = twin.draw() % level1.size();
        expected1.push_back(level1[r]);
        level1.erase(level1.begin() + static_cast<std::ptrdiff_t>(r));
    }
    const std::vector<std::string> level2{"echo", "fog"};
    const std::vector<std::string> expected2{level2[twin.draw() % 2]};
    EXPECT_EQ(pendingIds(1), expected1);
    EXPECT_EQ(pendingIds(2), expected2);
    EXPECT_NE(expected1[0], expected1[1]);
    EXPECT_EQ(character.countUnallocatedArcaneSpellSlots(), 0);
    EXPECT_TRUE(picker->toPickList->items.empty());
    EXPECT_FALSE(picker->nextStepButton->disabled);
    // The last spell rolled is selected and described.
    ASSERT_GE(picker->knownList->selectedIndex, 0);
    EXPECT_EQ(picker->knownList->items[picker->knownList->selectedIndex]->name, expected2[0]);
    EXPECT_EQ(picker->descriptionBox->text, spell(expected2[0])->text);
}

TEST_F(SpellPickerTest, TooFewSpellsForTheSlotsFillWhatTheyCanAndLetTheStepEnd) {
    struct Case {
        const char* what;
        std::int32_t level1;
        std::int32_t level2;
        bool rolled;
        std::size_t picked1;
        std::size_t picked2;
        std::int32_t leftOpen;
    };
    const Case cases[] = {
        {"level 2 has 3 slots for 2 spells", 0, 3, true, 0, 2, 1},
        {"level 1 has 5 slots for 3 spells", 5, 1, true, 3, 1, 2},
        {"every spell of the open level is known already", 0, 0, false, 0, 0, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        character.knownSpells.clear();
        setSlots(c.level1, c.level2);
        if (c.level1 == 0 && c.level2 == 0) {
            // Slots at a level whose only spell the character has.
            for (const char* id : {"blink", "charm", "dazzle"}) character.addArcaneSpell(spell(id));
            character.unallocatedArcaneSpellSlots[1] = 2;
        }
        if (picker) ui.windowManager().removeWindow(picker);
        ui.step();
        open();
        EXPECT_EQ(picker->nextStepButton->disabled != 0, c.rolled) << "before rolling";
        if (c.rolled) clickThrough(picker->rollButton);
        EXPECT_EQ(pendingIds(1).size(), c.picked1);
        EXPECT_EQ(pendingIds(2).size(), c.picked2);
        EXPECT_EQ(character.countUnallocatedArcaneSpellSlots(), c.leftOpen);
        EXPECT_FALSE(picker->nextStepButton->disabled);
    }
}

TEST_F(SpellPickerTest, HeadersCollapseAndExpandTheirLevelInBothLists) {
    setSlots(2, 1);
    open();
    BRAVUISpellListItem* header = row(picker->toPickList, "Level 1: 2 slots left");
    ASSERT_NE(header->expandButton, nullptr);
    EXPECT_EQ(header->expandButton->caption, "-");
    clickThrough(header->expandButton);
    ui.step();
    EXPECT_EQ(captions(picker->toPickList), (Captions{"Level 1: 2 slots left", "Level 2: 1 slots left", "Echo", "Fog"}));
    EXPECT_EQ(header->expanded, 0);
    ASSERT_NE(header->expandButton, nullptr);
    EXPECT_EQ(header->expandButton->caption, "+");
    clickThrough(header->expandButton);
    ui.step();
    EXPECT_EQ(captions(picker->toPickList),
              (Captions{"Level 1: 2 slots left", "Blink", "Charm", "Dazzle", "Level 2: 1 slots left", "Echo", "Fog"}));
    EXPECT_EQ(header->expandButton->caption, "-");

    pickByHand("Blink");
    BRAVUISpellListItem* known = row(picker->knownList, "Level 1");
    clickThrough(known->expandButton);
    ui.step();
    EXPECT_EQ(captions(picker->knownList), (Captions{"Level 1"}));
    EXPECT_EQ(known->expandButton->caption, "+");
    clickThrough(known->expandButton);
    ui.step();
    EXPECT_EQ(captions(picker->knownList), (Captions{"Level 1", "Alarm", "<id='NewSpellText'Blink>"}));
}

TEST_F(SpellPickerTest, RowEventsWhoseRowNoLongerFitsDoNothing) {
    setSlots(2, 1);
    open();
    const Captions before = captions(picker->toPickList);
    struct Case {
        const char* what;
        std::uint32_t row;
        bool contract;
    };
    const Case cases[] = {
        {"contract on a spell row", 1, true},
        {"expand on a spell row", 2, false},
        {"contract past the end", 40, true},
        {"expand on a header that is expanded", 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const char* word = c.contract ? "contractContents" : "expandContents";
        UIHarness::reportListRow(*picker->toPickList, c.row, word);
        UIHarness::reportListRow(*picker->knownList, c.row, word);
        ui.step();
        ui.step();
        EXPECT_EQ(captions(picker->toPickList), before);
        EXPECT_EQ(captions(picker->knownList), (Captions{"Level 1", "Alarm"}));
    }
    // A collapsed header asked to collapse again keeps the next level's rows.
    UIHarness::reportListRow(*picker->toPickList, 0, "contractContents");
    ui.step();
    ui.step();
    UIHarness::reportListRow(*picker->toPickList, 0, "contractContents");
    ui.step();
    ui.step();
    EXPECT_EQ(captions(picker->toPickList), (Captions{"Level 1: 2 slots left", "Level 2: 1 slots left", "Echo", "Fog"}));
}

TEST_F(SpellPickerTest, NextStepCommitsThePicksAndReportsNextStep) {
    setSlots(1, 1);
    open();
    pickByHand("Dazzle");
    pickByHand("Echo");
    ASSERT_FALSE(picker->nextStepButton->disabled);
    ui.clearEvents();
    clickThrough(picker->nextStepButton);
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "nextStep"), 1u);
    EXPECT_TRUE(character.knownSpells.empty());
    ASSERT_EQ(character.arcaneSpells[1].size(), 2u);
    EXPECT_EQ(character.arcaneSpells[1][1]->id, "dazzle");
    ASSERT_EQ(character.arcaneSpells[2].size(), 1u);
    EXPECT_EQ(character.arcaneSpells[2][0]->id, "echo");
    EXPECT_FALSE(character.saved);
}

} // namespace
