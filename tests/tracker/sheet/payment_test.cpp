// Spending and earning money: what reaches the purse and the history, the affordability and
// typed-amount checks that keep Confirm off, and that Cancel and the close button change nothing.
#include "tracker/sheet/inventory_fixture.h"

#include <limits>

#include "tracker/rows/bravui_transacton_history_list_item.h"
#include "tracker/sheet/bravui_payment_window.h"
#include "tracker/sheet/coin_entry.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_push_button.h"

namespace {

using Window = BRAVUIPaymentWindow;

class PaymentTest : public WindowAloneTest<Window> {
protected:
    Window* open(bool spending) {
        const float topLeft[2] = {-0.75f, 0.3f}, bottomRight[2] = {0.75f, -0.3f};
        return show(new Window(0, &ui.context(), ui.theme(), character.get(), spending, topLeft, bottomRight,
                               spending ? "Spend Money" : "Earn Money", 1));
    }
};

TEST_F(PaymentTest, OpensWithItsDescriptionZeroBoxesAndConfirmOn) {
    for (bool spending : {true, false}) {
        SCOPED_TRACE(spending);
        open(spending);
        EXPECT_EQ(window->descriptionBox->text, spending ? "Spent money" : "Earned money");
        for (GameUIEditableTextLineBox* box : window->coinBoxes) EXPECT_EQ(box->text, "0");
        EXPECT_FALSE(window->confirmButton->disabled);
        EXPECT_EQ(window->messageLabel->text, "");
        EXPECT_TRUE(window->confirmButton->signalsEnabled && window->cancelButton->signalsEnabled);
        close();
    }
}

TEST_F(PaymentTest, ConfirmAppliesTheAmountAndRecordsIt) {
    struct Case {
        bool spending;
        Money purse;
        std::array<std::string, 5> boxes;
        Money after;
        std::string row;
    };
    const Case cases[] = {
        {false, coins(0, 0, 0, 0, 0), {"0", "0", "0", "0", "15"}, coins(0, 0, 0, 0, 15), "[*15]cp"},
        {true, coins(0, 0, 0, 2, 0), {"0", "0", "0", "0", "15"}, coins(0, 0, 0, 0, 5), "[*-15]cp"},
        {true, coins(1, 0, 0, 0, 0), {"0", "3", "0", "0", "0"}, coins(0, 2, 0, 0, 0), "[*-3]gp"},
        // An empty box counts as 0; the whole purse may be spent.
        {true, coins(0, 0, 0, 1, 0), {"", "", "", "1", ""}, coins(0, 0, 0, 0, 0), "[*-1]sp"},
        {false, coins(0, 0, 0, 0, 0), {"999999999", "", "", "", ""}, coins(999999999, 0, 0, 0, 0), "[*999999999]pp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        character->wealth = Wealth{};
        character->wealth.current = c.purse;
        character->saved = true;
        ui.clearEvents();
        open(c.spending);
        setBoxes(c.boxes);
        ASSERT_FALSE(window->confirmButton->disabled);
        press(window->confirmButton);
        EXPECT_EQ(character->wealth.current, c.after);
        ASSERT_EQ(character->wealth.history.size(), 1u);
        EXPECT_EQ(character->wealth.history[0].description, c.spending ? "Spent money" : "Earned money");
        EXPECT_EQ(BRAVUITransactonHistoryListItem::amountText(character->wealth.history[0].amount), c.row);
        EXPECT_FALSE(character->saved);
        EXPECT_EQ(eventNames(), std::vector<std::string>{"confirmPayment"});
        close();
    }
}

TEST_F(PaymentTest, ASpendBeyondThePurseOrAnInvalidBoxKeepsConfirmOffAndSaysWhy) {
    struct Case {
        bool spending;
        std::array<std::string, 5> boxes;
        const char* message;
    };
    const Case cases[] = {
        {true, {"0", "1", "0", "0", "0"}, coinentry::unaffordableMessage},
        {true, {"0", "0", "0", "0", "6"}, coinentry::unaffordableMessage},
        {true, {"0", "0", "0", "0", "-5"}, coinentry::invalidMessage},
        {false, {"0", "0", "0", "0", "-5"}, coinentry::invalidMessage},
        {false, {"abc", "0", "0", "0", "0"}, coinentry::invalidMessage},
        {true, {"0", "0", "1234567890", "0", "0"}, coinentry::invalidMessage},
        {false, {"0", "3000000000", "0", "0", "0"}, coinentry::invalidMessage},
        {false, {"0", "0", "0", " 1", "0"}, coinentry::invalidMessage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.boxes[0] + "|" + c.boxes[1] + "|" + c.boxes[2] + "|" + c.boxes[3] + "|" + c.boxes[4]);
        character->wealth = Wealth{};
        character->wealth.current = coins(0, 0, 0, 0, 5);
        character->saved = true;
        ui.clearEvents();
        open(c.spending);
        setBoxes(c.boxes);
        EXPECT_TRUE(window->confirmButton->disabled);
        EXPECT_EQ(window->messageLabel->text, c.message);
        press(window->confirmButton);
        ui.step();
        EXPECT_EQ(character->wealth.current, coins(0, 0, 0, 0, 5));
        EXPECT_TRUE(character->wealth.history.empty());
        EXPECT_TRUE(character->saved);
        EXPECT_TRUE(ui.events().empty());
        // Corrected, Confirm is on again and the message goes.
        setBoxes({"0", "0", "0", "0", "5"});
        EXPECT_FALSE(window->confirmButton->disabled);
        EXPECT_EQ(window->messageLabel->text, "");
        close();
    }
}

TEST_F(PaymentTest, TheDescriptionIsSavedAsTypedEvenEmpty) {
    for (const std::string& description : {std::string("Bribed the gate guard"), std::string()}) {
        character->wealth = Wealth{};
        open(false);
        window->descriptionBox->setText(description);
        setBoxes({"0", "0", "0", "1", "0"});
        press(window->confirmButton);
        ASSERT_EQ(character->wealth.history.size(), 1u);
        EXPECT_EQ(character->wealth.history[0].description, description);
        close();
    }
}

TEST_F(PaymentTest, EarningNearTheTopOfACoinNeverWraps) {
    character->wealth.current = coins(0, std::numeric_limits<std::int32_t>::max() - 5, 0, 0, 0);
    open(false);
    setBoxes({"0", "999999999", "0", "0", "0"});
    press(window->confirmButton);
    EXPECT_EQ(character->wealth.current.gold, std::numeric_limits<std::int32_t>::max());
}

TEST_F(PaymentTest, CancelAndTheCloseButtonChangeNothing) {
    character->wealth.current = coins(0, 0, 0, 2, 0);
    open(true);
    setBoxes({"0", "0", "0", "1", "0"});
    press(window->cancelButton);
    press(window->closeButton);
    EXPECT_EQ(eventNames(), (std::vector<std::string>{"cancelPayment", "cancelPayment"}));
    EXPECT_EQ(character->wealth.current, coins(0, 0, 0, 2, 0));
    EXPECT_TRUE(character->wealth.history.empty());
    EXPECT_TRUE(character->saved);
}

} // namespace
