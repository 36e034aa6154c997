// The transaction history: rows in the order made, the amount texts as stored, the two halves
// of a placed row, and Finish.
#include "tracker/sheet/inventory_fixture.h"

#include "tracker/rows/bravui_transacton_history_list_item.h"
#include "tracker/sheet/bravui_transaction_history_window.h"
#include "ui/game_ui_push_button.h"
#include "ui/game_ui_standard_element_list.h"
#include "ui/theme.h"

namespace {

using Window = BRAVUITransactionHistoryWindow;
using Row = BRAVUITransactonHistoryListItem;

class HistoryWindowTest : public WindowAloneTest<Window> {
protected:
    Window* open() {
        // The list lays rows out by the default font's line height, as the renderer registers it.
        ui.renderInterface().registerFontName(ui.renderInterface().mainFontName(), 0.04f);
        const float topLeft[2] = {-0.5f, 0.95f}, bottomRight[2] = {0.5f, -0.75f};
        show(new Window(0, &ui.context(), ui.theme(), topLeft, bottomRight, "Accounts - Transactions History", 1,
                        character.get()));
        ui.step();
        return window;
    }
    Row* row(std::size_t index) const { return dynamic_cast<Row*>(window->list->items.at(index)); }
};

TEST_F(HistoryWindowTest, AmountsShowEachCoinAsStoredLargestFirst) {
    const std::pair<Money, std::string> cases[] = {
        {coins(1, 0, 0, 0, 2), "[*1]pp, [*2]cp"},
        {coins(0, 0, 0, 10, 0), "[*10]sp"},
        {coins(0, -3, 0, -5, 0), "[*-3]gp, [*-5]sp"},
        {coins(0, 0, 4, 0, 0), "[*4]ep"},
        {coins(0, 0, 0, 0, 0), ""},
    };
    for (const auto& [amount, text] : cases) EXPECT_EQ(Row::amountText(amount), text);
}

TEST_F(HistoryWindowTest, RowsKeepTheOrderMadeAndShowAmountLeftDescriptionRight) {
    character->wealth.earnMoney("Dragon hoard", coins(1, 0, 0, 0, 2));
    character->wealth.spendMoney("Rope", coins(0, 0, 0, 0, 1));
    character->wealth.earnMoney("Alms", coins(0, 0, 0, 10, 0));
    open();
    ASSERT_EQ(window->list->itemCount(), 3);
    const std::string descriptions[] = {"Dragon hoard", "Rope", "Alms"};
    const std::string amounts[] = {"[*1]pp, [*2]cp", "[*-1]cp", "[*10]sp"};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        Row* placed = row(i);
        ASSERT_NE(placed, nullptr);
        EXPECT_EQ(placed->name, "listItem");
        EXPECT_EQ(placed->getSortKey(), descriptions[i]);
        ASSERT_NE(placed->textObject, nullptr);
        ASSERT_NE(placed->descriptionObject, nullptr);
        EXPECT_EQ(UIHarness::stringOf(placed->textObject), amounts[i]);
        EXPECT_EQ(UIHarness::stringOf(placed->descriptionObject), descriptions[i]);
        // The amount takes the left quarter of the row, the description the rest.
        const float left = placed->absTopLeft[0], right = placed->absBottomRight[0];
        const float split = right - (right - left) * 0.75f;
        EXPECT_FLOAT_EQ(UIHarness::vector2Of(placed->textObject, "topLeft")[0], left);
        EXPECT_FLOAT_EQ(UIHarness::vector2Of(placed->textObject, "bottomRight")[0], split);
        EXPECT_FLOAT_EQ(UIHarness::vector2Of(placed->descriptionObject, "topLeft")[0], split);
        EXPECT_FLOAT_EQ(UIHarness::vector2Of(placed->descriptionObject, "bottomRight")[0], right);
    }
    // Ordered by worth, the rope would come first; the list keeps the stored order.
    EXPECT_TRUE(row(1)->isLessThan(row(2)));
    EXPECT_EQ(ui.windowManager().activeWindow, window);
}

TEST_F(HistoryWindowTest, NoTransactionsGiveAnEmptyListAndFinishClosesAFrameLater) {
    open();
    EXPECT_EQ(window->list->itemCount(), 0);
    EXPECT_EQ(window->list->name, "proficienciesList");
    EXPECT_EQ(window->finishButton->caption, "Finish");
    EXPECT_TRUE(window->finishButton->signalsEnabled);
    ui.clickElement(*window->finishButton);
    ui.step();
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "closeWindow"), 1u);
}

TEST_F(HistoryWindowTest, ADisabledRowPlacedAgainShowsBothTextsDisabled) {
    character->wealth.earnMoney("Alms", coins(0, 0, 0, 10, 0));
    open();
    Row* placed = row(0);
    placed->disable();
    placed->placeInList(placed->localTopLeft[0], placed->localBottomRight[0], placed->localTopLeft[1],
                        placed->localBottomRight[1], false);
    const auto disabled = (*ui.theme())[Theme::TextDisabled];
    for (auto* object : {placed->textObject, placed->descriptionObject}) {
        const auto colour = UIHarness::colourOf(object);
        for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(colour[i], disabled[i]);
    }
}

} // namespace
