// The sale price window alone: where its boxes start, what Sell leaves as the item's custom
// value (and so what the sale earns), the typed-amount check, and Cancel and the close button.
#include "tracker/sheet/inventory_fixture.h"

#include <optional>

#include "rules/character_equipment.h"
#include "tracker/sheet/bravui_confirm_sale_price_window.h"
#include "tracker/sheet/coin_entry.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_push_button.h"

namespace {

using Window = BRAVUIConfirmSalePriceWindow;

class SaleWindowTest : public WindowAloneTest<Window> {
protected:
    Window* open(BRAVCharacterEquipment& item) {
        const float topLeft[2] = {-0.75f, 0.3f}, bottomRight[2] = {0.75f, -0.3f};
        return show(new Window(0, &ui.context(), ui.theme(), character.get(), &item, topLeft, bottomRight,
                               "Confirm sale price for: " + item.shownName(), 1));
    }
    std::array<std::string, 5> boxTexts() const {
        std::array<std::string, 5> texts;
        for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = window->coinBoxes[i]->text;
        return texts;
    }

    Equipment cloak = fixtureEquipment("cloak", "Cloak", coins(0, 0, 0, 5, 0));
    Equipment arrows = fixtureEquipment("arrows", "Arrows", coins(0, 1, 0, 0, 0));
};

TEST_F(SaleWindowTest, TheBoxesStartAtTheCataloguePriceNotTheCustomValue) {
    BRAVCharacterEquipment bought(nullptr, &cloak);
    bought.customValue = coins(0, 3, 0, 0, 0);
    open(bought);
    EXPECT_EQ(boxTexts(), (std::array<std::string, 5>{"0", "0", "0", "5", "0"}));
    EXPECT_FALSE(window->confirmButton->disabled);
    EXPECT_EQ(window->messageLabel->text, "");
    EXPECT_TRUE(window->confirmButton->signalsEnabled && window->cancelButton->signalsEnabled);
    close();
    // An item the catalogue lacks has no price to start from.
    BRAVCharacterEquipment unknown(nullptr, static_cast<const Equipment*>(nullptr));
    unknown.id = "foo";
    open(unknown);
    EXPECT_EQ(boxTexts(), (std::array<std::string, 5>{"0", "0", "0", "0", "0"}));
}

TEST_F(SaleWindowTest, SellKeepsOrSetsTheCustomValueAndSoTheEarning) {
    struct Case {
        const char* what;
        const Equipment* item;
        Money customValue;
        std::optional<std::array<std::string, 5>> boxes; // none: as started
        Money customAfter;
        Money earns;
    };
    const std::nullopt_t unchanged = std::nullopt;
    const Case cases[] = {
        {"catalogue price", &cloak, {}, unchanged, {}, coins(0, 0, 0, 5, 0)},
        {"bought at 3 gp", &cloak, coins(0, 3, 0, 0, 0), unchanged, coins(0, 3, 0, 0, 0), coins(0, 3, 0, 0, 0)},
        {"typed 2 gp", &arrows, {}, std::array<std::string, 5>{"0", "2", "0", "0", "0"}, coins(0, 2, 0, 0, 0), coins(0, 2, 0, 0, 0)},
        {"all zero", &cloak, {}, std::array<std::string, 5>{"0", "0", "0", "0", "0"}, {}, coins(0, 0, 0, 5, 0)},
        {"all empty", &cloak, coins(0, 3, 0, 0, 0), std::array<std::string, 5>{"", "", "", "", ""}, {}, coins(0, 0, 0, 5, 0)},
        {"no record", nullptr, {}, unchanged, {}, {}},
        {"coins as typed", &cloak, {}, std::array<std::string, 5>{"0", "0", "0", "0", "15"}, coins(0, 0, 0, 0, 15), coins(0, 0, 0, 0, 15)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BRAVCharacterEquipment item(nullptr, c.item);
        item.id = c.item ? c.item->id : "foo";
        item.customValue = c.customValue;
        open(item);
        if (c.boxes) setBoxes(*c.boxes);
        press(window->confirmButton);
        ASSERT_EQ(ui.countEvents(UIEvent::Click, "confirmSellEquipment"), 1u);
        EXPECT_EQ(item.customValue, c.customAfter);
        EXPECT_EQ(Window::salePrice(item), c.earns);
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
