// Equipment and container rows in an element list: which buttons a row shows and where, the
// events they report, the indent of nested rows, disabled colours, and the catalogue ordering.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "rules/character_equipment.h"
#include "rules/equipment_catalogue.h"
#include "support/ui_harness.h"
#include "tracker/rows/bravui_container_list_item.h"
#include "tracker/rows/bravui_equipment_list_item.h"
#include "ui/game_ui_image_push_button.h"
#include "ui/game_ui_push_button.h"
#include "ui/game_ui_standard_element_list.h"
#include "ui/theme.h"

namespace {

std::array<float, 4> colour(const float* c) { return {c[0], c[1], c[2], c[3]}; }

const float listTL[2] = {-0.5f, 0.8f};
const float listBR[2] = {0.5f, -0.8f};
constexpr float lineHeight = 0.05f;

class EquipmentListItemTest : public ::testing::Test {
protected:
    EquipmentListItemTest() : catalogue(ZODERUD_SOURCE_DIR) {
        catalogue.loadStandardFolders();
        ui.renderInterface().registerFontName(ui.renderInterface().mainFontName(), lineHeight);
    }

    const Equipment* record(const std::string& id) const {
        const Equipment* found = catalogue.findEquipment(id);
        EXPECT_NE(found, nullptr) << id;
        return found;
    }

    std::unique_ptr<BRAVCharacterEquipment> own(const std::string& id) {
        return std::make_unique<BRAVCharacterEquipment>(nullptr, record(id));
    }

    GameUIStandardElementList* makeList(bool sorted = false) {
        list = ui.addWindow(new GameUIStandardElementList(0, &ui.context(), listTL, listBR, ui.theme(),
                                                          "equipmentList", "", nullptr, sorted, ""));
        ui.record(list->eventSignal);
        return list;
    }

    BRAVUIEquipmentListItem* addOwned(BRAVCharacterEquipment* item, std::uint32_t depth, bool up = false,
                                      bool down = false) {
        auto* row = new BRAVUIEquipmentListItem(0, &ui.context(), ui.theme(), item->id, item->shownName(), "", item,
                                                depth, list);
        row->showUp = up;
        row->showDown = down;
        list->addItem(row);
        return row;
    }

    float oneLineAcross() const {
        return lineHeight * static_cast<float>(ui.height()) / static_cast<float>(ui.width());
    }

    UIHarness ui;
    EquipmentCatalogue catalogue;
    GameUIStandardElementList* list = nullptr;
};

TEST_F(EquipmentListItemTest, ExpandButtonOnlyForAnItemThatHoldsSomething) {
    makeList();
    auto empty = own("sack");
    auto arrows = own("arrows");
    auto packed = own("backpack");
    packed->attachEquipment(own("chalk"));
    auto closed = own("backpack");
    closed->attachEquipment(own("torch"));
    closed->areContentsExpanded = false;
    struct Case {
        const char* what;
        BRAVUIEquipmentListItem* row;
        const char* caption; // null: no button
    };
    const Case cases[] = {
        {"an empty container", addOwned(empty.get(), 0), nullptr},
        {"a non-container", addOwned(arrows.get(), 0), nullptr},
        {"an open container", addOwned(packed.get(), 0), "-"},
        {"a closed container", addOwned(closed.get(), 0), "+"},
    };
    ui.step();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(c.row->placed());
        if (!c.caption) {
            EXPECT_EQ(c.row->expandButton, nullptr);
            EXPECT_TRUE(c.row->children.empty());
            continue;
        }
        ASSERT_NE(c.row->expandButton, nullptr);
        EXPECT_EQ(c.row->expandButton->name, "expandContentsButton");
        EXPECT_EQ(c.row->expandButton->caption, c.caption);
        EXPECT_EQ(c.row->expandButton->toolTipText, "Expand contents");
    }
}

TEST_F(EquipmentListItemTest, ArrowsFollowTheFlagsAndKeepTheirPlacesWithoutAnExpandButton) {
    makeList();
    auto bag = own("backpack");
    bag->attachEquipment(own("chalk"));
    auto rope = own("hempen_rope");
    BRAVUIEquipmentListItem* withExpand = addOwned(bag.get(), 0, true, true);
    BRAVUIEquipmentListItem* withoutExpand = addOwned(rope.get(), 0, true, true);
    BRAVUIEquipmentListItem* none = addOwned(rope.get(), 0, false, false);
    BRAVUIEquipmentListItem* upOnly = addOwned(rope.get(), 0, true, false);
    BRAVUIEquipmentListItem* downOnly = addOwned(rope.get(), 0, false, true);
    ui.step();

    EXPECT_EQ(none->upButton, nullptr);
    EXPECT_EQ(none->downButton, nullptr);
    EXPECT_NE(upOnly->upButton, nullptr);
    EXPECT_EQ(upOnly->downButton, nullptr);
    EXPECT_EQ(downOnly->upButton, nullptr);
    EXPECT_NE(downOnly->downButton, nullptr);

    ASSERT_NE(withExpand->upButton, nullptr);
    ASSERT_NE(withExpand->downButton, nullptr);
    EXPECT_EQ(withExpand->upButton->name, "shuffleUpButton");
    EXPECT_EQ(withExpand->downButton->name, "shuffleDownButton");
    EXPECT_EQ(withExpand->upButton->toolTipText, "Shuffle this inventory item up in the list");
    EXPECT_EQ(withExpand->downButton->toolTipText, "Shuffle this inventory item down in the list");
    EXPECT_NE(ui.objects("tex_rect_up_arrow").size(), 0u);
    EXPECT_NE(ui.objects("tex_rect_down_arrow").size(), 0u);
    EXPECT_EQ(withExpand->upButton->image->name(), "tex_rect_up_arrow");
    EXPECT_EQ(withExpand->downButton->image->name(), "tex_rect_down_arrow");

    // From the right: expand, up, down, 16 pixels each with gaps of 0.01 row units.
    const float rowHalf = (withExpand->absBottomRight[0] - withExpand->absTopLeft[0]) * 0.5f;
    const float gap = 0.01f * rowHalf;
    EXPECT_NEAR(withExpand->upButton->absBottomRight[0] + gap, withExpand->expandButton->absTopLeft[0], 1e-5f);
    EXPECT_NEAR(withExpand->downButton->absBottomRight[0] + gap, withExpand->upButton->absTopLeft[0], 1e-5f);
    for (auto* button : {withExpand->upButton, withExpand->downButton}) {
        EXPECT_NEAR((button->absBottomRight[0] - button->absTopLeft[0]) * static_cast<float>(ui.width()) / 2.0f,
                    16.0f, 1e-3f);
    }
    EXPECT_FLOAT_EQ(withoutExpand->upButton->absTopLeft[0] - withoutExpand->absTopLeft[0],
                    withExpand->upButton->absTopLeft[0] - withExpand->absTopLeft[0]);
    EXPECT_FLOAT_EQ(withoutExpand->downButton->absTopLeft[0] - withoutExpand->absTopLeft[0],
                    withExpand->downButton->absTopLeft[0] - withExpand->absTopLeft[0]);
}

TEST_F(EquipmentListItemTest, ButtonsReportTheirWordsWithTheRowsIndex) {
    makeList();
    auto rope = own("hempen_rope");
    auto bag = own("backpack");
    bag->attachEquipment(own("chalk"));
    addOwned(rope.get(), 0, false, true);
    BRAVUIEquipmentListItem* row = addOwned(bag.get(), 0, true, false);
    ui.step();
    struct Case {
        GameUIBaseElement* button;
        const char* word;
    };
    const Case cases[] = {{row->expandButton, "expandOrCollapseContents"}, {row->upButton, "shuffleUp"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        ASSERT_NE(c.button, nullptr);
        ui.clearEvents();
        ui.clickElement(*c.button);
        ASSERT_EQ(ui.countEvents(UIEvent::Click, c.word), 1u);
        EXPECT_EQ(ui.events().back().value, 1u);
        EXPECT_EQ(ui.events().back().source, row);
    }
}

TEST_F(EquipmentListItemTest, CatalogueRowsHaveNoButtonsAndSortByDisplayName) {
    makeList(true);
    // By caption "10x Crossbow Bolts" would come before "20x Arrows".
    const std::vector<std::pair<const char*, const char*>> rows = {
        {"crossbow_bolts", "10x Crossbow Bolts"}, {"backpack", "Backpack"}, {"arrows", "20x Arrows"}};
    for (const auto& [id, text] : rows) {
        list->addItem(
            new BRAVUIEquipmentListItem(0, &ui.context(), ui.theme(), id, text, "", record(id), 0u, list));
    }
    ui.step();
    ASSERT_EQ(list->itemCount(), 3);
    std::vector<std::string> order;
    for (GameUIBaseListItem* item : list->items) {
        auto* row = dynamic_cast<BRAVUIEquipmentListItem*>(item);
        ASSERT_NE(row, nullptr);
        order.push_back(row->text);
        EXPECT_EQ(row->item, nullptr);
        EXPECT_TRUE(row->children.empty()) << row->text << " has buttons";
    }
    EXPECT_EQ(order, (std::vector<std::string>{"20x Arrows", "Backpack", "10x Crossbow Bolts"}));
}

TEST_F(EquipmentListItemTest, NestedRowsIndentByLineHeightsAndSetTextShowsAtOnce) {
    makeList();
    auto rope = own("hempen_rope");
    BRAVUIEquipmentListItem* top = addOwned(rope.get(), 0);
    BRAVUIEquipmentListItem* nested = addOwned(rope.get(), 2);
    ui.step();
    const float topLeft = UIHarness::vector2Of(top->textObject, "topLeft")[0];
    const float nestedLeft = UIHarness::vector2Of(nested->textObject, "topLeft")[0];
    EXPECT_FLOAT_EQ(topLeft, top->absTopLeft[0]);
    EXPECT_NEAR(nestedLeft - topLeft, 2.0f * oneLineAcross(), 1e-5f);

    nested->setText("3x Hempen Rope");
    EXPECT_EQ(UIHarness::stringOf(nested->textObject), "3x Hempen Rope");
    EXPECT_EQ(nested->getSortKey(), "3x Hempen Rope");
}

// No line height to indent by (none registered, or none known yet): every row starts at the left.
TEST_F(EquipmentListItemTest, WithoutADefaultFontLineHeightNestedRowsHaveNoIndent) {
    makeList();
    auto rope = own("hempen_rope");
    BRAVUIEquipmentListItem* top = addOwned(rope.get(), 0);
    BRAVUIEquipmentListItem* nested = addOwned(rope.get(), 2);
    for (float height : {0.0f, -1.0f}) {
        SCOPED_TRACE(height);
        ui.renderInterface().registerFontName(ui.renderInterface().mainFontName(), height);
        list->layoutItems(0);
        ui.step();
        ASSERT_NE(nested->textObject, nullptr);
        EXPECT_FLOAT_EQ(UIHarness::vector2Of(nested->textObject, "topLeft")[0],
                        UIHarness::vector2Of(top->textObject, "topLeft")[0]);
    }
}

TEST_F(EquipmentListItemTest, ADisabledRowPlacedAgainTakesTheDisabledColours) {
    makeList();
    auto bag = own("backpack");
    bag->attachEquipment(own("chalk"));
    BRAVUIEquipmentListItem* row = addOwned(bag.get(), 0, true, true);
    ui.step();
    row->disable();
    list->layoutItems(0);
    const Theme& theme = *ui.theme();
    ASSERT_NE(row->textObject, nullptr);
    EXPECT_EQ(UIHarness::colourOf(row->textObject, "colour"), colour(theme[Theme::TextDisabled]));
    EXPECT_EQ(UIHarness::colourOf(row->textObject, "colour2"), colour(theme[Theme::TextDisabled2]));
    ASSERT_NE(row->upButton, nullptr);
    EXPECT_TRUE(row->upButton->disabled);
    EXPECT_TRUE(row->expandButton->disabled);
}

class ContainerListItemTest : public EquipmentListItemTest {
protected:
    BRAVUIContainerListItem* addPlace(BRAVCharacterEquipment* item, std::uint32_t depth) {
        auto* row = new BRAVUIContainerListItem(0, &ui.context(), ui.theme(), item ? item->id : "hands",
                                                item ? item->shownName() : "Hands", "", item, depth, list);
        list->addItem(row);
        return row;
    }
};

TEST_F(ContainerListItemTest, RootAlwaysExpandsAContainerOnlyWithContentsAndEveryRowCanBePicked) {
    makeList();
    auto empty = own("sack");
    auto full = own("backpack");
    full->attachEquipment(own("belt_pouch"));
    BRAVUIContainerListItem* root = addPlace(nullptr, 0);
    BRAVUIContainerListItem* emptyRow = addPlace(empty.get(), 1);
    BRAVUIContainerListItem* fullRow = addPlace(full.get(), 1);
    fullRow->expanded = 0;
    ui.step();

    ASSERT_NE(root->expandButton, nullptr);
    EXPECT_EQ(root->expandButton->caption, "-");
    EXPECT_EQ(emptyRow->expandButton, nullptr);
    ASSERT_NE(fullRow->expandButton, nullptr);
    EXPECT_EQ(fullRow->expandButton->caption, "+");

    for (BRAVUIContainerListItem* row : {root, emptyRow, fullRow}) {
        ASSERT_NE(row->pickButton, nullptr);
        EXPECT_EQ(row->pickButton->name, "shuffleUpButton");
        EXPECT_EQ(row->pickButton->caption, "Pick");
        EXPECT_EQ(row->pickButton->toolTipText, "put the item in this container");
        // Four 16-pixel widths, ending one gap left of the expand button's place.
        EXPECT_NEAR((row->pickButton->absBottomRight[0] - row->pickButton->absTopLeft[0]) *
                        static_cast<float>(ui.width()) / 2.0f,
                    64.0f, 1e-3f);
    }
    const float rowHalf = (root->absBottomRight[0] - root->absTopLeft[0]) * 0.5f;
    EXPECT_NEAR(root->pickButton->absBottomRight[0] + 0.01f * rowHalf, root->expandButton->absTopLeft[0], 1e-5f);

    ui.clearEvents();
    ui.clickElement(*fullRow->pickButton);
    ASSERT_EQ(ui.countEvents(UIEvent::Click, "pick"), 1u);
    EXPECT_EQ(ui.events().back().value, 2u);
    ui.clearEvents();
    ui.clickElement(*root->expandButton);
    ASSERT_EQ(ui.countEvents(UIEvent::Click, "expandOrCollapseContents"), 1u);
    EXPECT_EQ(ui.events().back().value, 0u);
}

} // namespace
