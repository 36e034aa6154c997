// The selectable item list: clicks select and report at once, the selection survives relayouts,
// and Up/Down keep the first visible row within the list.
#include <gtest/gtest.h>

#include "support/ui_harness.h"
#include "ui/game_ui_scroll_bar.h"
#include "ui/game_ui_scrollable_selectable_item_list.h"
#include "ui/game_ui_text_list_item.h"
#include "ui/game_ui_toggle_button.h"
#include "ui/game_ui_toggle_group.h"

namespace {

const float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};

class SelectableListTest : public ::testing::Test {
protected:
    GameUIScrollableSelectableItemList* makeList(std::uint32_t rowCount) {
        ui.renderInterface().registerFontName(ui.renderInterface().mainFontName(), 0.05f);
        const float tl[2] = {-0.5f, 0.5f}, br[2] = {0.5f, -0.5f};
        list = ui.addWindow(new GameUIScrollableSelectableItemList(0, &ui.context(), tl, br, ui.theme(), "rows",
                                                                   nullptr, 0),
                            true);
        for (std::uint32_t i = 0; i < rowCount; ++i)
            list->addRow(new GameUITextListItem(0, &ui.context(), ui.theme(), "row" + std::to_string(i),
                                                "row " + std::to_string(i), white));
        list->layoutItems(0);
        ui.record(list->eventSignal);
        return list;
    }
    GameUITextListItem* row(std::uint32_t i) const { return static_cast<GameUITextListItem*>(list->rows[i]); }

    UIHarness ui;
    GameUIScrollableSelectableItemList* list = nullptr;
};

TEST_F(SelectableListTest, ClickSelectsAndReportsAtOnceWithTheRowIndex) {
    makeList(5);
    ASSERT_NE(row(2)->toggle, nullptr);
    float centre[2];
    UIHarness::centreOf(*row(2)->toggle, centre);
    ui.sendMouseButton(ui.mouseRecord(MouseEvent::Press, centre[0], centre[1]));
    ASSERT_EQ(ui.events().size(), 1u);
    EXPECT_EQ(ui.events()[0].value, 2u);
    EXPECT_EQ(ui.events()[0].parentName, "rows");
    EXPECT_EQ(ui.events()[0].source, row(2));
    EXPECT_EQ(list->selectedIndex, 2);
    EXPECT_EQ(list->selectedRow, row(2));

    // A relayout rebuilds the toggles; the selected one comes back on.
    list->layoutItems(list->firstVisible);
    ASSERT_NE(row(2)->toggle, nullptr);
    EXPECT_EQ(row(2)->toggle->active, 1);
    EXPECT_EQ(row(1)->toggle->active, 0);
    EXPECT_EQ(list->group->selected, row(2)->toggle);
}

TEST_F(SelectableListTest, NoRowsNothingToScroll) {
    makeList(0);
    ASSERT_NE(list->scrollBar, nullptr);
    EXPECT_EQ(list->scrollBar->maxPosition, 0u);
    EXPECT_TRUE(list->group->buttons.empty());
    ui.tapKey(208);
    EXPECT_EQ(list->firstVisible, 0);
}

TEST_F(SelectableListTest, UpAndDownStayWithinTheList) {
    struct Case {
        std::uint32_t rows;
        int downs;
        int ups;
        std::int32_t firstVisible;
    };
    // A 0.05 line in a list one unit high gives 15 rows a page: fewer rows never scroll, more stop
    // at the last page, and Up stops at 0.
    const Case cases[] = {{3, 1, 0, 0}, {3, 5, 0, 0}, {60, 2, 0, 2}, {60, 100, 0, 45}, {60, 2, 5, 0}};
    for (const Case& c : cases) {
        makeList(c.rows);
        ASSERT_EQ(list->visibleRows, 15);
        for (int i = 0; i < c.downs; ++i) ui.tapKey(208);
        for (int i = 0; i < c.ups; ++i) ui.tapKey(200);
        EXPECT_EQ(list->firstVisible, c.firstVisible) << c.rows << " rows, " << c.downs << " down, " << c.ups << " up";
        EXPECT_GE(list->firstVisible, 0);
        ui.windowManager().removeWindow(list);
        ui.step();
    }
}

TEST_F(SelectableListTest, RemovedRowsRenumberAndKeepTheViewInside) {
    makeList(60);
    for (int i = 0; i < 100; ++i) ui.tapKey(208);
    for (std::uint32_t i = 59; i >= 5; --i) list->removeRow(i);
    ui.step();
    ASSERT_EQ(list->rows.size(), 5u);
    EXPECT_EQ(list->firstVisible, 0);
    for (std::uint32_t i = 0; i < 5; ++i) EXPECT_EQ(list->rows[i]->getIndex(), i);
    EXPECT_EQ(list->group->buttons.size(), 5u);
}

} // namespace
