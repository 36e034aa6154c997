#pragma once
// The sheet's two read-only tabs, Proficiencies and Spells, each on a panel of its own over a
// character of empty catalogues (a test fills what it needs), shown and stepped as the sheet
// shows and steps them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/character_class_catalogue.h"
#include "rules/character_sheet.h"
#include "rules/equipment_catalogue.h"
#include "rules/proficiency_catalogue.h"
#include "rules/spell_catalogue.h"
#include "support/ui_harness.h"
#include "ui/game_ui_base_list_item.h"
#include "ui/game_ui_element_group.h"
#include "ui/game_ui_scrollable_text_box.h"
#include "ui/game_ui_standard_element_list.h"

template <class Tab>
class PanelTabTest : public ::testing::Test {
protected:
    // proficiencyFolder: where the proficiency catalogue would load from ("" for none).
    explicit PanelTabTest(const std::string& proficiencyFolder = "")
        : classes("", nullptr, nullptr), proficiencies(proficiencyFolder), equipment(""), spells(""),
          character(nullptr, classes, proficiencies, equipment, spells), tab(0, &ui.context(), ui.theme(), &character) {
        ui.renderInterface().registerFontName(ui.renderInterface().mainFontName(), 0.05f);
        const float topLeft[2] = {-0.95f, 0.95f}, bottomRight[2] = {0.95f, -0.95f};
        panel = ui.addWindow(new GameUIElementGroup(0, 0, &ui.context(), ui.theme(), "innerPanelGroup", "", topLeft,
                                                    bottomRight, nullptr));
    }

    // What the sheet does to show the tab, then two update cycles: a selection made on showing
    // reaches the tab in the first, which acts on it in the second.
    void show() {
        tab.detach();
        panel->deleteChildren();
        tab.attach(panel);
        step();
        step();
    }
    // One update cycle as the sheet runs it: the tab's step, then the widgets'.
    void step() {
        tab.update();
        ui.step();
    }

    GameUIStandardElementList& list(const std::string& name) {
        auto* found = ui.find<GameUIStandardElementList>(name);
        EXPECT_NE(found, nullptr) << name;
        return *found;
    }
    std::vector<std::string> captions(const std::string& listName) {
        std::vector<std::string> out;
        for (GameUIBaseListItem* row : list(listName).items) out.push_back(row->getSortKey());
        return out;
    }
    std::string description() {
        auto* box = ui.find<GameUIScrollableTextBox>("descriptionTextBox");
        return box ? box->text : "<no description box>";
    }
    void clickRow(const std::string& listName, std::size_t index) {
        GameUIStandardElementList& rows = list(listName);
        ASSERT_LT(index, rows.items.size());
        ASSERT_TRUE(rows.items[index]->placed());
        ui.clickElement(*rows.items[index]);
        step();
    }

    UIHarness ui;
    CharacterClassCatalogue classes;
    ProficiencyCatalogue proficiencies;
    EquipmentCatalogue equipment;
    SpellCatalogue spells;
    CharacterSheet character;
    Tab tab;
    GameUIElementGroup* panel = nullptr;
};
