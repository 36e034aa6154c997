// The tabbed sheet: tab presses are matched exactly and acted on one per frame in tab order,
// every tab's step runs every frame, and a switch loses nothing typed just before it.
#include "tracker/sheet/sheet_fixture.h"

#include "tracker/sheet/bravui_core_stats_tab.h"
#include "tracker/ui_attribute_entry_line.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_element_group.h"
#include "ui/game_ui_toggle_button.h"

namespace {

using Sheet = BRAVUITabbedFullCharacterSheet;

TEST_F(SheetTest, OpensOnCoreWithSixTabButtons) {
    openSheet();
    EXPECT_EQ(sheet->shownTab, Sheet::CoreTab);
    EXPECT_EQ(sheet->depth, 2u);
    EXPECT_NE(ui.find<UIAttributeEntryLine>("strength"), nullptr);
    const char* captions[] = {"Core", "Proficiencies", "Inventory", "Spells", "Bio", "Notes"};
    for (std::uint32_t i = 0; i < Sheet::TabCount; ++i) {
        auto* button = ui.find<GameUIToggleButton>(Sheet::tabIds[i]);
        ASSERT_NE(button, nullptr) << Sheet::tabIds[i];
        EXPECT_EQ(button->caption, captions[i]);
        EXPECT_EQ(button->active != 0, i == Sheet::CoreTab);
    }
}

TEST_F(SheetTest, TwoTabPressesInOneFrameShowTheEarlierTabFirst) {
    openSheet();
    pressTab("bioTab");
    pressTab("spellsTab");
    ui.step();
    EXPECT_EQ(sheet->shownTab, Sheet::SpellsTab);
    // The Core widgets are gone; the Spells tab's lists are in their place.
    EXPECT_EQ(ui.find<UIAttributeEntryLine>("strength"), nullptr);
    EXPECT_NE(ui.find<GameUIBaseElement>("spellsList"), nullptr);
    ui.step();
    EXPECT_EQ(sheet->shownTab, Sheet::BioTab);
    ui.step();
    EXPECT_EQ(sheet->shownTab, Sheet::BioTab);
}

TEST_F(SheetTest, OnlyAClickNamingATabExactlySwitches) {
    openSheet();
    pressTab("spellsTab");
    ui.step();
    ASSERT_EQ(sheet->shownTab, Sheet::SpellsTab);
    const std::string names[] = {"spellsTabX", "coreStatsTa", "core", "CoreStatsTab", "coreStatsTab ", ""};
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        pressTab(name);
        ui.step();
        EXPECT_EQ(sheet->shownTab, Sheet::SpellsTab);
    }
    // A record of another type (a double click, a hover) is no press.
    pressTab("coreStatsTab", UIEvent::DoubleClick);
    ui.step();
    EXPECT_EQ(sheet->shownTab, Sheet::SpellsTab);
}

TEST_F(SheetTest, ClickingATabButtonShowsItsTabAndCoreComesBackFromTheCharacter) {
    openSheet();
    ui.clickElement(*ui.find<GameUIToggleButton>("inventoryTab"));
    ui.step();
    EXPECT_EQ(sheet->shownTab, Sheet::InventoryTab);
    character->name = "Brenna Hale";
    character->level = 4;
    ui.clickElement(*ui.find<GameUIToggleButton>("coreStatsTab"));
    ui.step();
    EXPECT_EQ(sheet->shownTab, Sheet::CoreTab);
    EXPECT_EQ(labelText("attributeDescription"), "[*Name: ]Brenna Hale");
    EXPECT_EQ(labelText("levelLabel"), "[*Level: ]4");
}

TEST_F(SheetTest, AScoreTypedInTheFrameOfATabPressIsKept) {
    openSheet();
    auto* strength = ui.find<UIAttributeEntryLine>("strength");
    strength->valueBox->setText("");
    ui.step();
    ui.clickElement(*strength->valueBox);
    ui.step();
    ASSERT_TRUE(strength->valueBox->active);
    // The keys and the tab press land in one poll; the switch comes before the line reports.
    ui.typeQuickly("17");
    pressTab("notesTab");
    ui.step();
    ASSERT_EQ(sheet->shownTab, Sheet::NotesTab);
    EXPECT_EQ(character->attributes[CharacterSheet::Strength].current, 17);
    EXPECT_EQ(character->attributes[CharacterSheet::Strength].natural, 17);
    EXPECT_FALSE(character->saved);
    // The tab's step keeps running with no widgets, and changes nothing.
    auto* core = static_cast<BRAVUICoreStatsTab*>(sheet->tabs[Sheet::CoreTab].get());
    for (int i = 0; i < 3; ++i) ui.step();
    EXPECT_EQ(core->attributeLines[0], nullptr);
    EXPECT_EQ(core->levelLabel, nullptr);
    EXPECT_EQ(character->attributes[CharacterSheet::Strength].current, 17);
}

} // namespace
