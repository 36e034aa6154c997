// The element list: deferred removal and its effect on the selection, sorting behind a queued
// removal, scrolling by keys and scrollTo within the pages, re-emitted row events, and lists with
// no rows or no registered line height.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ui_harness.h"
#include "ui/game_ui_base_list_item.h"
#include "ui/game_ui_image_push_button.h"
#include "ui/game_ui_scroll_bar.h"
#include "ui/game_ui_standard_element_list.h"

namespace {

class TextRow : public GameUIBaseListItem {
public:
    TextRow(UIContext* owner, const Theme* theme, const std::string& key)
        : GameUIBaseListItem(0, owner, theme, "row_" + key, "", nullptr), key(key) {}
    void placeInList(float left, float right, float top, float bottom, bool selected) override {
        GameUIBaseListItem::placeInList(left, right, top, bottom, selected);
        placedSelected = selected;
    }
    std::string getSortKey() override { return key; }
    bool isLessThan(GameUIBaseListItem* other) override { return key < other->getSortKey(); }

    std::string key;
    bool placedSelected = false;
};

const float listTL[2] = {-0.5f, 0.8f};
const float listBR[2] = {0.5f, -0.8f};
// With this line height the list shows ten rows.
constexpr float tenRowLineHeight = 0.128f;

class ElementListTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui.renderInterface().registerFontName(ui.renderInterface().mainFontName(), tenRowLineHeight);
    }
    GameUIStandardElementList* makeList(int rows, bool sorted = false) {
        list = ui.addWindow(new GameUIStandardElementList(0, &ui.context(), listTL, listBR, ui.theme(), "recordList",
                                                          "", nullptr, sorted, ""));
        ui.record(list->eventSignal);
        for (int i = 0; i < rows; ++i) add(std::string(1, static_cast<char>('a' + i)));
        ui.step();
        return list;
    }
    TextRow* add(const std::string& key) {
        auto* row = new TextRow(&ui.context(), ui.theme(), key);
        list->addItem(row);
        return row;
    }
    TextRow* row(int i) const { return static_cast<TextRow*>(list->items[i]); }
    std::vector<std::string> keys() const {
        std::vector<std::string> out;
        for (GameUIBaseListItem* item : list->items) out.push_back(item->getSortKey());
        return out;
    }
    int placedCount() const {
        int placed = 0;
        for (GameUIBaseListItem* item : list->items) placed += item->placed() ? 1 : 0;
        return placed;
    }
    void key(std::uint32_t code) {
        KeyEvent::Data event;
        event.action = KeyEvent::Pressed;
        event.scanCode = code;
        EXPECT_TRUE(list->onKey(event));
        ui.step();
    }

    UIHarness ui;
    GameUIStandardElementList* list = nullptr;
};

TEST_F(ElementListTest, LaysOutAPageOfRowsAndTheScrollBar) {
    makeList(25);
    EXPECT_EQ(list->visibleRows, 10);
    EXPECT_EQ(placedCount(), 10);
    ASSERT_NE(list->scrollBar, nullptr);
    EXPECT_EQ(list->scrollBar->name, "listItemScrollBar");
    EXPECT_EQ(list->scrollBar->maxPosition, 15u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_GT(row(i)->absBottomRight[1], list->absBottomRight[1]);
        EXPECT_LT(row(i)->absTopLeft[1], list->absTopLeft[1]);
        if (i > 0) {
            EXPECT_FLOAT_EQ(row(i)->absTopLeft[1], row(i - 1)->absBottomRight[1]);
        }
    }
    EXPECT_FALSE(row(10)->placed());
}

TEST_F(ElementListTest, RemovalMovesTheSelectionToTheRowTakingItsPlaceOrDropsIt) {
    struct Case {
        const char* what;
        int selected;
        int removed;
        int selectedAfter;
        const char* keyAfter;
        std::size_t events;
    };
    const Case cases[] = {
        {"selected last row", 4, 4, -1, "", 0},
        {"selected middle row", 2, 2, 2, "d", 1},
        {"row above the selection", 3, 1, 2, "d", 1},
        {"row below the selection", 1, 3, 1, "b", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (list) ui.windowManager().removeWindow(list);
        ui.step();
        makeList(5);
        list->selectItem(c.selected);
        ui.step();
        ASSERT_EQ(list->selectedIndex, c.selected);
        ui.clearEvents();
        list->removeItem(c.removed);
        EXPECT_EQ(list->itemCount(), 5) << "removal waits for the update";
        ui.step();
        EXPECT_EQ(list->itemCount(), 4);
        EXPECT_EQ(list->selectedIndex, c.selectedAfter);
        if (c.selectedAfter >= 0) {
            ASSERT_NE(list->selectedItem, nullptr);
            EXPECT_EQ(list->selectedItem->getSortKey(), c.keyAfter);
            EXPECT_TRUE(list->selectedItem->active);
        } else {
            EXPECT_EQ(list->selectedItem, nullptr);
        }
        EXPECT_EQ(ui.events().size(), c.events);
        for (const RecordedUIEvent& event : ui.events()) {
            EXPECT_EQ(event.type, UIEvent::Click);
            EXPECT_EQ(event.parentName, "recordList");
            EXPECT_EQ(static_cast<std::int32_t>(event.value), c.selectedAfter);
        }
        for (int i = 0; i < list->itemCount(); ++i) EXPECT_EQ(list->items[i]->index, static_cast<std::uint32_t>(i));
    }
}

TEST_F(ElementListTest, ClearedThenRefilledPlacesTheRowAtTheOldSelectionAsSelectedWithoutAnEvent) {
    makeList(4);
    list->selectItem(2);
    ui.step();
    list->clearItems();
    EXPECT_EQ(list->scrollBar, nullptr);
    EXPECT_EQ(list->selectedItem, nullptr);
    ui.clearEvents();
    for (const char* k : {"p", "q", "r"}) add(k);
    ui.step();
    EXPECT_TRUE(row(2)->placedSelected);
    EXPECT_FALSE(row(1)->placedSelected);
    EXPECT_EQ(list->selectedItem, row(2));
    EXPECT_NE(list->scrollBar, nullptr);
    EXPECT_TRUE(ui.events().empty());
}

TEST_F(ElementListTest, SortedListSortsOnAddAndAfterAQueuedRemoval) {
    makeList(0, true);
    for (const char* k : {"m", "c", "x", "a"}) add(k);
    EXPECT_EQ(keys(), (std::vector<std::string>{"a", "c", "m", "x"}));
    list->removeItem(1);
    // Rows that compare after the last: the sort waits for the removal.
    row(0)->key = "z";
    list->sortItems();
    EXPECT_EQ(keys(), (std::vector<std::string>{"z", "c", "m", "x"}));
    EXPECT_EQ(list->sortRequested, 1);
    ui.step();
    EXPECT_EQ(keys(), (std::vector<std::string>{"m", "x", "z"}));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(list->items[i]->index, static_cast<std::uint32_t>(i));
}

TEST_F(ElementListTest, SortKeepsTheSelectedRowSelectedAtItsNewPlace) {
    makeList(0, true);
    for (const char* k : {"b", "d"}) add(k);
    list->selectItem(1);
    ui.step();
    ASSERT_EQ(list->selectedItem->getSortKey(), "d");
    add("a");
    ui.step();
    EXPECT_EQ(list->selectedIndex, 2);
    EXPECT_EQ(list->selectedItem->getSortKey(), "d");
}

TEST_F(ElementListTest, KeysAndScrollToStayWithinThePages) {
    struct Case {
        const char* what;
        int rows;
        int start;
        std::uint32_t code;
        int expected;
    };
    const Case cases[] = {
        {"Down at the last page", 25, 15, GameUIStandardElementList::downScanCode, 15},
        {"Down in the middle", 25, 5, GameUIStandardElementList::downScanCode, 6},
        {"Up at 0", 25, 0, GameUIStandardElementList::upScanCode, 0},
        {"Up in the middle", 25, 5, GameUIStandardElementList::upScanCode, 4},
        {"Down with 3 rows and 10 visible", 3, 0, GameUIStandardElementList::downScanCode, 0},
        {"Down with no rows", 0, 0, GameUIStandardElementList::downScanCode, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (list) ui.windowManager().removeWindow(list);
        ui.step();
        makeList(c.rows);
        list->scrollTo(c.start);
        ASSERT_EQ(list->firstVisible, c.start);
        key(c.code);
        EXPECT_EQ(list->firstVisible, c.expected);
        EXPECT_EQ(placedCount(), std::min(c.rows, 10));
        if (c.rows > 0) {
            EXPECT_TRUE(row(c.expected)->placed());
        }
    }
}

TEST_F(ElementListTest, ScrollToOutOfRangeClampsToThePages) {
    const std::pair<int, int> cases[] = {{-1, 0}, {-100, 0}, {3, 3}, {15, 15}, {16, 15}, {1000, 15}};
    makeList(25);
    for (auto [index, expected] : cases) {
        SCOPED_TRACE(index);
        list->scrollTo(index);
        EXPECT_EQ(list->firstVisible, expected);
        EXPECT_EQ(placedCount(), 10);
        EXPECT_EQ(static_cast<int>(list->scrollBar->position), expected);
    }
}

TEST_F(ElementListTest, RowsRemovedFromTheLastPageKeepItFull) {
    makeList(25);
    list->scrollTo(15);
    list->removeItems(10, 24);
    ui.step();
    EXPECT_EQ(list->itemCount(), 10);
    EXPECT_EQ(list->firstVisible, 0);
    EXPECT_EQ(placedCount(), 10);
    list->removeItems(0, 8);
    ui.step();
    EXPECT_EQ(list->firstVisible, 0);
    EXPECT_EQ(placedCount(), 1);
}

TEST_F(ElementListTest, ScrollBarArrowScrollsTheRows) {
    makeList(25);
    ui.clickElement(*list->scrollBar->incrementButton);
    ui.step();
    EXPECT_EQ(list->firstVisible, 1);
    EXPECT_FALSE(row(0)->placed());
    EXPECT_TRUE(row(10)->placed());
}

TEST_F(ElementListTest, ClickAndDoubleClickOnARowAreReEmittedUnderTheListsName) {
    makeList(5);
    float centre[2];
    UIHarness::centreOf(*row(3), centre);
    ui.sendMouseButton(ui.mouseRecord(MouseEvent::Press, centre[0], centre[1]));
    ui.step();
    ui.sendMouseButton(ui.mouseRecord(MouseEvent::DoublePress, centre[0], centre[1]));
    ui.step();
    ASSERT_EQ(ui.events().size(), 2u);
    EXPECT_EQ(ui.events()[0].type, UIEvent::Click);
    EXPECT_EQ(ui.events()[1].type, UIEvent::DoubleClick);
    for (const RecordedUIEvent& event : ui.events()) {
        EXPECT_EQ(event.name, "row_d");
        EXPECT_EQ(event.parentName, "recordList");
        EXPECT_EQ(event.value, 3u);
        EXPECT_EQ(event.source, row(3));
    }
    EXPECT_EQ(list->selectedIndex, 3);
    EXPECT_TRUE(row(3)->active);
}

TEST_F(ElementListTest, SelectionOutOfRangeIsDropped) {
    makeList(3);
    list->selectItem(1);
    ui.step();
    list->selectItem(7);
    list->selectItem(-1);
    ui.step();
    EXPECT_EQ(list->selectedIndex, 1);
    EXPECT_EQ(list->requestedIndex, 1);
}

TEST_F(ElementListTest, NoRegisteredLineHeightPlacesNothingAndScrollsNowhere) {
    ui.renderInterface().registerFontName(ui.renderInterface().mainFontName(), -1.0f);
    makeList(5);
    EXPECT_EQ(list->visibleRows, 0);
    EXPECT_EQ(placedCount(), 0);
    key(GameUIStandardElementList::downScanCode);
    EXPECT_GE(list->firstVisible, 0);
    EXPECT_LE(list->firstVisible, 5);
    list->scrollTo(-1);
    EXPECT_EQ(list->firstVisible, 0);
    ui.renderInterface().registerFontName(ui.renderInterface().mainFontName(), tenRowLineHeight);
    list->layoutItems(0);
    EXPECT_EQ(placedCount(), 5) << "the line height is looked up again once registered";
}

} // namespace
