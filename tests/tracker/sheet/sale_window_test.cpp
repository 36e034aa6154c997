// The sale price window alone: where its boxes start (the price of one piece), the price Sell
// reports (what the boxes show, typed or not; the item's custom value untouched), the typed-amount
// check, and Cancel and the close button.
#include "tracker/sheet/inventory_fixture.h"

#include <optional>

#include "rules/character_equipment.h"
#include "tracker/sheet/bravui_confirm_sale_price_window.h"
#include "tracker/sheet/coin_entry.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_push_button.h"
#include "ui/text_entry.h"

namespace {

using Window = BRAVUIConfirmSalePriceWindow;

class SaleWindowTest : public WindowAloneTest<Window> {
protected:
    Window* open(BRAVCharacterEquipment& item) {
        const float topLeft[2] = {-0.75f, 0.3f}, bottomRight[2] = {0.75f, -0.3f};
        return show(new Window(0, &ui.context(), ui.theme(), character.get(), &item, topLeft, bottomRight,
                               "Confirm sale price for: " + item.shownName(), 1));
    }
    // Clicks into the coin box, erases what it holds with the keys and types text.
    void typeInto(GameUIEditableTextLineBox& box, const std::string& text) {
        ui.clickElement(box);
        ui.step();
        ASSERT_TRUE(box.active) << box.name;
        for (int i = 0; i < 12; ++i) {
            ui.tapKey(textentry::keyBack);
            ui.tapKey(textentry::keyDelete);
        }
        ui.typeQuickly(text);
        ui.step();
    }
    std::array<std::string, 5> boxTexts() const {
        std::array<std::string, 5> texts;
        for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = window->coinBoxes[i]->text;
        return texts;
    }

    Equipment cloak = fixtureEquipment("cloak", "Cloak", coins(0, 0, 0, 5, 0));
    Equipment arrows = bundle("arrows", "Arrows", coins(0, 1, 0, 0, 0), 20);
    Equipment torches = bundle("torch", "Torch", coins(0, 1, 0, 0, 0), 3);

    static Equipment bundle(const std::string& id, const std::string& name, const Money& price, int size) {
        Equipment record = fixtureEquipment(id, name, price, true);
        record.purchaseQuantity = size;
        return record;
    }
};

TEST_F(SaleWindowTest, TheBoxesStartAtThePriceOfOnePieceNotTheCustomValue) {
    struct Case {
        const char* what;
        const Equipment* record;
        int quantity;
        std::array<std::string, 5> shown;
    };
    const Case cases[] = {
        {"5 sp, bought at 3 gp", &cloak, 1, {"0", "0", "0", "5", "0"}},
        {"one of 12 arrows, 20 to 1 gp", &arrows, 12, {"0", "0", "0", "0", "5"}},
        {"one of 3 torches, 3 to 1 gp", &torches, 3, {"0", "0", "0", "0", "33"}},
        {"an item the catalogue lacks", nullptr, 1, {"0", "0", "0", "0", "0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BRAVCharacterEquipment item(nullptr, c.record);
        item.id = c.record ? c.record->id : "foo";
        item.quantity = c.quantity;
        item.customValue = coins(0, 3, 0, 0, 0);
        open(item);
        EXPECT_EQ(boxTexts(), c.shown);
        EXPECT_FALSE(window->confirmButton->disabled);
        EXPECT_EQ(window->messageLabel->text, "");
        EXPECT_TRUE(window->confirmButton->signalsEnabled && window->cancelButton->signalsEnabled);
        close();
    }
}

TEST_F(SaleWindowTest, SellReportsExactlyThePriceTheBoxesShow) {
    struct Case {
        const char* what;
        const Equipment* item;
        Money customValue;
        std::optional<std::array<std::string, 5>> typed; // none: as the boxes start
        Money soldFor;
    };
    const std::nullopt_t unchanged = std::nullopt;
    const Case cases[] = {
        {"catalogue price", &cloak, {}, unchanged, coins(0, 0, 0, 5, 0)},
        {"catalogue price of one bought at 3 gp", &cloak, coins(0, 3, 0, 0, 0), unchanged, coins(0, 0, 0, 5, 0)},
        {"one arrow as offered", &arrows, {}, unchanged, coins(0, 0, 0, 0, 5)},
        {"typed 2 gp", &arrows, {}, std::array<std::string, 5>{"0", "2", "0", "0", "0"}, coins(0, 2, 0, 0, 0)},
        {"given away", &cloak, coins(0, 3, 0, 0, 0), std::array<std::string, 5>{"0", "0", "0", "0", "0"}, {}},
        {"no record", nullptr, {}, unchanged, {}},
        {"coins as typed", &cloak, {}, std::array<std::string, 5>{"0", "0", "0", "0", "15"}, coins(0, 0, 0, 0, 15)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BRAVCharacterEquipment item(nullptr, c.item);
        item.id = c.item ? c.item->id : "foo";
        item.customValue = c.customValue;
        open(item);
        if (c.typed) {
            for (std::size_t i = 0; i < c.typed->size(); ++i) typeInto(*window->coinBoxes[i], (*c.typed)[i]);
            ASSERT_EQ(boxTexts(), *c.typed);
        }
        press(window->confirmButton);
        ASSERT_EQ(ui.countEvents(UIEvent::Click, "confirmSellEquipment"), 1u);
        EXPECT_EQ(window->soldFor, c.soldFor);
        EXPECT_EQ(item.customValue, c.customValue) << "what the item was bought at stays its own";
        close();
    }
}

TEST_F(SaleWindowTest, AnInvalidBoxKeepsSellOffWithTheMessage) {
    for (const std::string text : {"-5", "abc", "1234567890", "3000000000", "1 "}) {
        SCOPED_TRACE(text);
        BRAVCharacterEquipment item(nullptr, &cloak);
        open(item);
        setBoxes({"0", "0", text, "5", "0"});
        EXPECT_TRUE(window->confirmButton->disabled);
        EXPECT_EQ(window->messageLabel->text, coinentry::invalidMessage);
        press(window->confirmButton);
        ui.step();
        EXPECT_TRUE(ui.events().empty());
        EXPECT_TRUE(item.customValue.isZero());
        setBoxes({"0", "0", "0", "5", "0"});
        EXPECT_FALSE(window->confirmButton->disabled);
        EXPECT_EQ(window->messageLabel->text, "");
        close();
    }
}

TEST_F(SaleWindowTest, CancelAndTheCloseButtonLeaveTheItemAlone) {
    BRAVCharacterEquipment item(nullptr, &cloak);
    open(item);
    setBoxes({"0", "7", "0", "0", "0"});
    press(window->cancelButton);
    press(window->closeButton);
    ASSERT_EQ(ui.events().size(), 2u);
    EXPECT_EQ(ui.events()[0].name, "cancelSellEquipment");
    EXPECT_EQ(ui.events()[1].name, "cancelSellEquipment");
    EXPECT_TRUE(item.customValue.isZero());
}

} // namespace
