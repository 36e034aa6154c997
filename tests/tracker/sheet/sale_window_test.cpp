// The sale price window alone: where its boxes start, what Sell leaves as the item's custom
// value (and so what the sale earns), the typed-amount check, and Cancel and the close button.
#include "tracker/sheet/sheet_fixture.h"

#include <optional>

#include "rules/character_equipment.h"
#include "tracker/sheet/bravui_confirm_sale_price_window.h"
#include "tracker/sheet/coin_entry.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_push_button.h"

namespace {

using Window = BRAVUIConfirmSalePriceWindow;

Money coins(std::int32_t pp, std::int32_t gp, std::int32_t ep, std::int32_t sp, std::int32_t cp) {
    Money money;
    money.platinum = pp;
    money.gold = gp;
    money.electrum = ep;
    money.silver = sp;
    money.copper = cp;
    return money;
}

Equipment record(const std::string& id, const std::string& name, const Money& value) {
    Equipment equipment;
    equipment.id = id;
    equipment.displayName = name;
    equipment.value = value;
    return equipment;
}

class SaleWindowTest : public SheetTest {
protected:
    Window* open(BRAVCharacterEquipment& item) {
        const float topLeft[2] = {-0.75f, 0.3f}, bottomRight[2] = {0.75f, -0.3f};
        window = ui.addWindow(new Window(0, &ui.context(), ui.theme(), character.get(), &item, topLeft, bottomRight,
                                         "Confirm sale price for: " + item.shownName(), 1),
                              true);
        ui.clearEvents();
        ui.record(window->windowSignal);
        ui.step();
        return window;
    }
    void close() {
        ui.windowManager().removeWindow(window);
        ui.windowManager().applyRemovals();
        window = nullptr;
    }
    std::array<std::string, 5> boxTexts() const {
        std::array<std::string, 5> texts;
        for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = window->priceBoxes[i]->text;
        return texts;
    }
    void setBoxes(const std::array<std::string, 5>& texts) {
        for (std::size_t i = 0; i < texts.size(); ++i) window->priceBoxes[i]->setText(texts[i]);
        ui.step();
    }
    void press(GameUIBaseElement* button) {
        ui.clickElement(*button);
        ui.step();
    }
    ~SaleWindowTest() override {
        if (window) close();
    }

    Equipment cloak = record("cloak", "Cloak", coins(0, 0, 0, 5, 0));
    Equipment arrows = record("arrows", "Arrows", coins(0, 1, 0, 0, 0));
    Window* window = nullptr;
};

TEST_F(SaleWindowTest, TheBoxesStartAtTheCataloguePriceNotTheCustomValue) {
    BRAVCharacterEquipment bought(nullptr, &cloak);
    bought.customValue = coins(0, 3, 0, 0, 0);
    open(bought);
    EXPECT_EQ(boxTexts(), (std::array<std::string, 5>{"0", "0", "0", "5", "0"}));
    EXPECT_FALSE(window->sellButton->disabled);
    EXPECT_EQ(window->messageLabel->text, "");
    EXPECT_TRUE(window->sellButton->signalsEnabled && window->cancelButton->signalsEnabled);
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
        press(window->sellButton);
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
        EXPECT_TRUE(window->sellButton->disabled);
        EXPECT_EQ(window->messageLabel->text, coinentry::invalidMessage);
        press(window->sellButton);
        ui.step();
        EXPECT_TRUE(ui.events().empty());
        EXPECT_TRUE(item.customValue.isZero());
        setBoxes({"0", "0", "0", "5", "0"});
        EXPECT_FALSE(window->sellButton->disabled);
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
    EXPECT_EQ(ui.events()[1].name, "closeDialog");
    EXPECT_TRUE(item.customValue.isZero());
}

} // namespace
