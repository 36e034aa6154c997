// The class-ability row: its caption over the whole row, no buttons, the order of a sorted list
// by caption, and its ability kept for its owner.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/class_ability.h"
#include "support/ui_harness.h"
#include "tracker/rows/bravui_class_ability_list_item.h"
#include "ui/game_ui_standard_element_list.h"

namespace {

TEST(ClassAbilityRow, DrawsItsCaptionOverTheWholeRowWithoutButtons) {
    UIHarness ui;
    ui.renderInterface().registerFontName(ui.renderInterface().mainFontName(), 0.05f);
    const float tl[2] = {-0.5f, 0.8f}, br[2] = {0.5f, -0.8f};
    auto* list = ui.addWindow(new GameUIStandardElementList(0, &ui.context(), tl, br, ui.theme(), "classAbilitiesList",
                                                            "", nullptr, false, ""));
    const ClassAbility cleave{"cleave", "Cleave", "Strikes a second foe."};
    auto* row = new BRAVUIClassAbilityListItem(0, &ui.context(), ui.theme(), "cleave", "Cleave", "", &cleave, 0, list);
    list->addItem(row);
    ui.step();

    ASSERT_NE(row->textObject, nullptr);
    EXPECT_EQ(row->ability, &cleave);
    EXPECT_EQ(UIHarness::stringOf(row->textObject), "Cleave");
    EXPECT_EQ(UIHarness::intOf(row->textObject, "horizAlignment"), -1);
    EXPECT_EQ(UIHarness::intOf(row->textObject, "vertAlignment"), 0);
    const auto textTL = UIHarness::vector2Of(row->textObject, "topLeft");
    const auto textBR = UIHarness::vector2Of(row->textObject, "bottomRight");
    EXPECT_FLOAT_EQ(textTL[0], row->absTopLeft[0]);
    EXPECT_FLOAT_EQ(textTL[1], row->absTopLeft[1]);
    EXPECT_FLOAT_EQ(textBR[0], row->absBottomRight[0]);
    EXPECT_FLOAT_EQ(textBR[1], row->absBottomRight[1]);
    EXPECT_EQ(UIHarness::layerOf(row->textObject), UIHarness::layerOf(row->highlightObject) + 1);
    EXPECT_EQ(row->depth, UIHarness::layerOf(row->textObject));
    EXPECT_TRUE(row->children.empty());
}

TEST(ClassAbilityRow, ASortedListOrdersRowsByCaptionBytes) {
    UIHarness ui;
    const float tl[2] = {-0.5f, 0.8f}, br[2] = {0.5f, -0.8f};
    auto* list = ui.addWindow(new GameUIStandardElementList(0, &ui.context(), tl, br, ui.theme(), "classAbilitiesList",
                                                            "", nullptr, true, ""));
    for (const char* caption : {"Turn Undead", "Backstab", "Turn", "Aura", "backstab"}) {
        list->addItem(new BRAVUIClassAbilityListItem(0, &ui.context(), ui.theme(), caption, caption, "", nullptr, 0,
                                                     list));
    }
    ui.step();
    std::vector<std::string> order;
    for (GameUIBaseListItem* item : list->items) order.push_back(item->getSortKey());
    EXPECT_EQ(order, (std::vector<std::string>{"Aura", "Backstab", "Turn", "Turn Undead", "backstab"}));
}

} // namespace
