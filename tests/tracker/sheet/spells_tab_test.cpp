// The Spells tab: level headers with their castings per day, spell rows under them, collapsing
// and expanding a level, the description box, and a selection and a header press of the two lists
// in one frame.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/spell_record.h"
#include "tracker/rows/bravui_spell_list_item.h"
#include "tracker/sheet/bravui_spells_tab.h"
#include "tracker/sheet/proficiencies_tab_fixture.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_push_button.h"

namespace {

SpellRecord spell(const std::string& id, const std::string& name, int level) {
    SpellRecord made;
    made.id = id;
    made.displayName = name;
    made.level = level;
    made.text = "[*" + name + "]\\nRange: 30 ft";
    return made;
}

class SpellsTabTest : public PanelTabTest<BRAVUISpellsTab> {
protected:
    // Arcane: level 1 with one casting and two spells, level 2 with two castings and one spell,
    // level 3 with no casting and one spell, level 4 with castings and no spell, and a spell
    // above level 9. Divine: two spells of level 1 and one of level 2.
    void giveSpells() {
        character.arcaneSpells[1] = {&sleep, &charm};
        character.arcaneSpells[2] = {&web};
        character.arcaneSpells[3] = {&fireball};
        character.arcaneSpells[10] = {&wish};
        character.arcaneDailyCastings = {{1, 1}, {2, 2}, {4, 3}, {10, 1}};
        character.divineSpells[1] = {&bless, &light};
        character.divineSpells[2] = {&silence};
        character.divineDailyCastings = {{1, 2}, {2, 1}};
    }

    BRAVUISpellListItem* row(const std::string& listName, std::size_t index) {
        GameUIStandardElementList& rows = list(listName);
        return index < rows.items.size() ? dynamic_cast<BRAVUISpellListItem*>(rows.items[index]) : nullptr;
    }
    void pressHeaderButton(const std::string& listName, std::size_t index) {
        BRAVUISpellListItem* header = row(listName, index);
        ASSERT_NE(header, nullptr);
        ASSERT_NE(header->expandButton, nullptr);
        ui.clickElement(*header->expandButton);
        step();
        step();
    }
    // A row event as the list hands it on, without the pointer: what one poll can bring.
    static void emitRowEvent(BRAVUISpellListItem& target, const std::string& name) {
        UIEvent::Data event;
        event.type = UIEvent::Click;
        event.name = name;
        event.source = &target;
        event.value = target.index;
        target.eventSignal.emit(event);
    }

    const std::vector<std::string> arcaneRows = {"Level 1, 1 cast per day",  "Sleep",    "Charm Person",
                                                 "Level 2, 2 casts per day", "Web",      "Level 3, 0 casts per day",
                                                 "Fireball"};
    const std::vector<std::string> divineRows = {"Level 1, 2 casts per day", "Bless", "Light",
                                                 "Level 2, 1 cast per day", "Silence"};

    SpellRecord sleep = spell("sleep", "Sleep", 1), charm = spell("charm_person", "Charm Person", 1),
                web = spell("web", "Web", 2), fireball = spell("fireball", "Fireball", 3), wish = spell("wish", "Wish", 10),
                bless = spell("bless", "Bless", 1), light = spell("light", "Light", 1),
                silence = spell("silence", "Silence", 2);
};

TEST_F(SpellsTabTest, HeadersGiveCastingsPerDayAndOnlyLevelsWithKnownSpellsUpToNine) {
    giveSpells();
    show();
    EXPECT_EQ(captions("spellsList"), arcaneRows);
    EXPECT_EQ(captions("divineSpellsList"), divineRows);
    for (std::size_t i = 0; i < arcaneRows.size(); ++i) {
        BRAVUISpellListItem* r = row("spellsList", i);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(UIHarness::stringOf(r->textObject), arcaneRows[i]);
        if (r->isHeader()) {
            EXPECT_EQ(r->name, "expandableSpellLevel");
            EXPECT_EQ(r->nestingDepth, 0u);
            EXPECT_TRUE(r->expanded);
        } else {
            EXPECT_EQ(r->name, r->spell->id);
            EXPECT_EQ(r->nestingDepth, 1u);
            EXPECT_EQ(r->spellLevel, static_cast<std::uint32_t>(r->spell->level));
        }
    }
    EXPECT_FALSE(list("spellsList").sorted);
    EXPECT_EQ(description(), "");
    int titles = 0;
    for (const char* title : {"Arcane Spells", "Divine Spells"}) {
        if (ui.objectWithString(std::string("<id='TitleBarText'[*") + title + "]>")) ++titles;
    }
    auto* label = ui.find<GameUILabel>("spellsListTitleLabel");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text, "<id='TitleBarText'[*Arcane Spells]>");
    EXPECT_EQ(titles, 2);
    EXPECT_TRUE(character.saved);
}

TEST_F(SpellsTabTest, CastPerDayOnlyForExactlyOne) {
    const std::pair<std::int32_t, const char*> cases[] = {
        {0, "Level 3, 0 casts per day"}, {1, "Level 3, 1 cast per day"}, {2, "Level 3, 2 casts per day"},
        {11, "Level 3, 11 casts per day"}};
    for (const auto& [castings, caption] : cases) EXPECT_EQ(BRAVUISpellsTab::headerCaption(3, castings), caption);
}

TEST_F(SpellsTabTest, WithoutSpellsBothListsAndTheDescriptionAreEmpty) {
    character.arcaneDailyCastings = {{1, 2}};
    show();
    EXPECT_TRUE(list("spellsList").items.empty());
    EXPECT_TRUE(list("divineSpellsList").items.empty());
    EXPECT_EQ(description(), "");
}

TEST_F(SpellsTabTest, ASpellShowsItsDescriptionAndAHeaderEmptiesIt) {
    giveSpells();
    show();
    clickRow("spellsList", 4);
    EXPECT_EQ(description(), web.text);
    clickRow("spellsList", 3);
    EXPECT_EQ(description(), "");
    clickRow("divineSpellsList", 2);
    EXPECT_EQ(description(), light.text);
}

TEST_F(SpellsTabTest, CollapsingALevelRemovesExactlyItsRowsAndExpandingListsThemAgain) {
    giveSpells();
    show();
    pressHeaderButton("spellsList", 0);
    EXPECT_EQ(captions("spellsList"), (std::vector<std::string>{"Level 1, 1 cast per day", "Level 2, 2 casts per day",
                                                                "Web", "Level 3, 0 casts per day", "Fireball"}));
    ASSERT_NE(row("spellsList", 0), nullptr);
    EXPECT_FALSE(row("spellsList", 0)->expanded);
    ASSERT_NE(row("spellsList", 0)->expandButton, nullptr);
    EXPECT_EQ(row("spellsList", 0)->expandButton->caption, "+");
    EXPECT_EQ(captions("divineSpellsList"), divineRows) << "the other list is untouched";

    // The last level too, whose rows run to the end of the list.
    pressHeaderButton("spellsList", 3);
    EXPECT_EQ(captions("spellsList"), (std::vector<std::string>{"Level 1, 1 cast per day", "Level 2, 2 casts per day",
                                                                "Web", "Level 3, 0 casts per day"}));

    pressHeaderButton("spellsList", 0);
    pressHeaderButton("spellsList", 5);
    EXPECT_EQ(captions("spellsList"), arcaneRows);
    EXPECT_TRUE(row("spellsList", 0)->expanded);
    EXPECT_EQ(row("spellsList", 0)->expandButton->caption, "-");
    EXPECT_EQ(row("spellsList", 1)->spell, &sleep);
}

TEST_F(SpellsTabTest, AnArcaneSelectionAndADivineCollapseInOneFrameEachActOnTheirOwnList) {
    giveSpells();
    show();
    // Both lists hand their events on in the same update; the tab acts on them in the next.
    list("spellsList").selectItem(2);
    emitRowEvent(*row("divineSpellsList", 0), "contractContents");
    step();
    step();
    step();
    EXPECT_EQ(description(), charm.text);
    EXPECT_EQ(captions("divineSpellsList"),
              (std::vector<std::string>{"Level 1, 2 casts per day", "Level 2, 1 cast per day", "Silence"}));
    EXPECT_EQ(captions("spellsList"), arcaneRows);
    EXPECT_EQ(list("spellsList").selectedIndex, 2);

    // And the other way round: a divine selection and an arcane expansion.
    pressHeaderButton("spellsList", 3);
    list("divineSpellsList").selectItem(2);
    emitRowEvent(*row("spellsList", 3), "expandContents");
    step();
    step();
    step();
    EXPECT_EQ(description(), silence.text);
    EXPECT_EQ(captions("spellsList"), arcaneRows);
}

// Header steps check the row they act on: a spell row, a header already in the asked state, or a
// row past the end change nothing.
TEST_F(SpellsTabTest, HeaderStepsOnTheWrongRowDoNothing) {
    giveSpells();
    show();
    struct Case {
        const char* what;
        bool expand;
        std::uint32_t index;
    };
    for (const Case& c : {Case{"a spell row", false, 1}, Case{"an expanded header", true, 0},
                          Case{"past the end", false, 40}, Case{"past the end", true, 40}}) {
        UIHarness::reportListRow(list("spellsList"), c.index, c.expand ? "expandContents" : "contractContents");
        step();
        step();
        EXPECT_EQ(captions("spellsList"), arcaneRows) << c.what;
    }
    pressHeaderButton("spellsList", 0);
    UIHarness::reportListRow(list("spellsList"), 0, "contractContents");
    step();
    step();
    EXPECT_EQ(captions("spellsList").size(), arcaneRows.size() - 2) << "a collapsed header collapses nothing more";
}

TEST_F(SpellsTabTest, AfterDetachEveryStepFindsNoListAndClearsItsFlags) {
    giveSpells();
    show();
    // Reports that arrive as the tab lets its lists go act on nothing.
    for (const char* name : {"spellsList", "divineSpellsList"}) {
        UIHarness::reportListRow(list(name), 0);
        UIHarness::reportListRow(list(name), 0, "expandContents");
        UIHarness::reportListRow(list(name), 0, "contractContents");
    }
    tab.detach();
    EXPECT_EQ(tab.arcane.list, nullptr);
    EXPECT_EQ(tab.divine.list, nullptr);
    EXPECT_EQ(tab.descriptionBox, nullptr);
    step();
    for (BRAVUISpellsTab::SpellColumn* column : {&tab.arcane, &tab.divine}) {
        EXPECT_EQ(column->chosen + column->expand + column->contract, 0);
    }
    // The lists are still in the panel but no longer report to the tab.
    list("spellsList").selectItem(1);
    step();
    EXPECT_EQ(tab.arcane.chosen, 0);
}

} // namespace
