// The buy window: categories and the sorted catalogue list, Finish and the close button, one
// confirmation at a time, and what a purchase or an acquisition does to the purse and the
// inventory; destroying it with a confirmation open.
#include "tracker/sheet/buy_fixture.h"

#include <array>
#include <optional>
#include <vector>

#include "ui/game_ui_label.h"
#include "ui/game_ui_layout_rectangle.h"
#include "ui/game_ui_scrollable_text_box.h"

namespace {

TEST_F(BuyTest, EachCategoryListsItsTypesSortedByDisplayName) {
    openWindow();
    EXPECT_EQ(window->title, "Buy or Aquire Equipment");
    EXPECT_EQ(window->categoryCombo->text, "Misc");
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"Weapons", {"20x Arrows", "Axe", "Bow", "Sword"}},
        {"Armour", {"Barding", "Chain Mail", "Helm", "Round Shield"}},
        {"Food", {"Rations"}},
        {"Horses & Transport", {"Cart"}},
        {"Misc", {"Backpack", "Cloak", "Club", "Spellbook"}},
    };
    // The window opens on Misc.
    EXPECT_EQ(rowTexts(), cases[4].second);
    for (const auto& [category, rows] : cases) {
        SCOPED_TRACE(category);
        chooseCategory(category);
        EXPECT_EQ(window->categoryCombo->text, category);
        EXPECT_EQ(rowTexts(), rows);
        for (GameUIBaseListItem* row : window->equipmentList->items) {
            auto* equipmentRow = dynamic_cast<BRAVUIEquipmentListItem*>(row);
            ASSERT_NE(equipmentRow, nullptr);
            EXPECT_EQ(equipmentRow->item, nullptr) << "catalogue rows own nothing";
            EXPECT_EQ(equipmentRow->getSortKey(), BRAVUIEquipmentBuyWindow::rowText(*equipmentRow->record));
        }
    }
}

// Names other code looks for and texts as the program has always shown them, typos included.
TEST_F(BuyTest, TheWindowsKeepTheirNamesAndTextsAsWritten) {
    openWindow();
    EXPECT_EQ(window->categoryCombo->name, "classCombo");
    EXPECT_EQ(window->listTitleLabel->name, "proficienciesListTitleLabel");
    const std::vector<std::string> coinLabels = {"PP: ", "GP: ", "EP: ", "SP: ", "CP: "};
    const auto check = [&](const BRAVUIConfirmWindow& confirmation, const char* confirmCaption,
                           std::vector<std::string> labels) {
        SCOPED_TRACE(confirmation.name);
        EXPECT_EQ(confirmation.confirmButton->name, "doneButton");
        EXPECT_EQ(confirmation.confirmButton->caption, confirmCaption);
        EXPECT_EQ(confirmation.cancelButton->name, "cencelButton");
        EXPECT_EQ(confirmation.nameBox->getToolTipText(), "Enter a custom name for this item'");
        labels.insert(labels.begin(), "Rename: ");
        EXPECT_EQ(labelTexts(confirmation, "attributeDescription"), labels);
    };
    pickRow("Misc", "Cloak");
    PurchaseWindow* purchase = pressBuy();
    ASSERT_NE(purchase, nullptr);
    check(*purchase, "Pay", coinLabels);
    press(purchase->cancelButton);
    AcquireWindow* acquire = pressAcquire();
    ASSERT_NE(acquire, nullptr);
    check(*acquire, "Acquire", {"Quantity: "});
    EXPECT_EQ(acquire->confirmButton->getToolTipText(), "Confirm aquiring of the item described above.");
    EXPECT_EQ(acquire->quantityBox->getToolTipText(), "Enter a quantity for this item'");
}

TEST_F(BuyTest, ASelectedRowShowsItsDescriptionUntilTheCategoryChanges) {
    openWindow();
    pickRow("Weapons", "Bow");
    EXPECT_EQ(window->descriptionBox->text, "A short bow.");
    chooseCategory("Food");
    EXPECT_EQ(window->descriptionBox->text, "");
    EXPECT_EQ(window->selectedRecord(), nullptr);
    // Nothing chosen: Buy and Acquire open nothing.
    EXPECT_EQ(pressBuy(), nullptr);
    EXPECT_EQ(pressAcquire(), nullptr);
}

TEST_F(BuyTest, FinishAndTheCloseButtonBothReportCloseWindow) {
    openWindow();
    press(window->finishButton);
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "closeWindow"), 1u);
    press(window->closeButton);
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "closeWindow"), 2u);
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "closeDialog"), 0u);
}

TEST_F(BuyTest, PayingChargesThePriceInTheBoxesOnlyWhenThePurseCoversIt) {
    struct Case {
        const char* what;
        Money purse;
        // PP, GP, EP, SP, CP as typed ("" is an emptied box).
        std::array<std::string, 5> boxes;
        bool payEnabled;
        std::string message;
        Money purseAfter;
        // The history's amount; none when nothing may be paid.
        std::optional<Money> stored;
    };
    const std::string cannotPay = "The purse cannot pay this amount.";
    const std::string invalid = "Enter each coin as a whole number from 0 to 999999999.";
    const Case cases[] = {
        {"1 pp buys 5 gp", coins(1, 0, 0, 0, 0), {"0", "5", "0", "0", "0"}, true, "", Money{}, coins(0, -5, 0, 0, 0)},
        {"1 pp can't buy 6 gp", coins(1, 0, 0, 0, 0), {"0", "6", "0", "0", "0"}, false, cannotPay,
         coins(1, 0, 0, 0, 0), std::nullopt},
        {"1 ep buys 5 sp", coins(0, 0, 1, 0, 0), {"0", "0", "0", "5", "0"}, true, "", Money{}, coins(0, 0, 0, -5, 0)},
        {"1 ep can't buy 6 sp", coins(0, 0, 1, 0, 0), {"0", "0", "0", "6", "0"}, false, cannotPay,
         coins(0, 0, 1, 0, 0), std::nullopt},
        {"2 gp pay 3 sp 5 cp, empty boxes are 0", coins(0, 2, 0, 0, 0), {"", "", "", "3", "5"}, true, "",
         coins(0, 1, 0, 0, 65), coins(0, 0, 0, -3, -5)},
        {"3 gp pay 1 sp", coins(0, 3, 0, 0, 0), {"0", "0", "0", "1", "0"}, true, "", coins(0, 2, 0, 9, 0),
         coins(0, 0, 0, -1, 0)},
        {"all zero charges the 5 gp catalogue price", coins(0, 4, 0, 9, 0), {"0", "0", "0", "0", "0"}, false,
         cannotPay, coins(0, 4, 0, 9, 0), std::nullopt},
        {"all zero with enough for the catalogue price", coins(0, 5, 0, 0, 0), {"0", "", "0", "0", ""}, true, "",
         Money{}, coins(0, -5, 0, 0, 0)},
        {"a minus sign", coins(10, 0, 0, 0, 0), {"0", "-5", "0", "0", "0"}, false, invalid, coins(10, 0, 0, 0, 0),
         std::nullopt},
        {"pasted letters", coins(10, 0, 0, 0, 0), {"0", "0", "abc", "0", "0"}, false, invalid,
         coins(10, 0, 0, 0, 0), std::nullopt},
        {"ten digits", coins(10, 0, 0, 0, 0), {"0", "0", "0", "0", "1234567890"}, false, invalid,
         coins(10, 0, 0, 0, 0), std::nullopt},
        {"three thousand million", coins(10, 0, 0, 0, 0), {"3000000000", "0", "0", "0", "0"}, false, invalid,
         coins(10, 0, 0, 0, 0), std::nullopt},
        {"nine digits are a count, too many for the purse", coins(10, 0, 0, 0, 0), {"999999999", "0", "0", "0", "0"},
         false, cannotPay, coins(10, 0, 0, 0, 0), std::nullopt},
    };
    openWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        character->wealth = Wealth{};
        character->wealth.current = c.purse;
        character->inventory.clear();
        character->saved = true;
        ui.clearEvents();
        pickRow("Misc", "Cloak");
        PurchaseWindow* purchase = pressBuy();
        ASSERT_NE(purchase, nullptr);
        EXPECT_EQ(purchase->title, "Confirm details for: Cloak");
        EXPECT_EQ(ui.windowManager().activeWindow, purchase);
        for (int i = 0; i < 5; ++i) enter(purchase->coinBoxes[i], c.boxes[i]);
        ui.step();
        EXPECT_EQ(purchase->confirmButton->disabled == 0, c.payEnabled);
        EXPECT_EQ(purchase->messageLabel->text, c.message);
        press(purchase->confirmButton);
        if (c.stored) {
            EXPECT_EQ(ui.find<PurchaseWindow>(PurchaseWindow::windowName), nullptr);
            EXPECT_EQ(ui.windowManager().activeWindow, window);
            ASSERT_EQ(character->wealth.history.size(), 1u);
            EXPECT_EQ(character->wealth.history[0].description, "Bought equipment: Cloak");
            EXPECT_EQ(character->wealth.history[0].amount, *c.stored);
            ASSERT_EQ(character->inventory.items.size(), 1u);
            EXPECT_EQ(character->inventory.items[0]->id, "cloak");
            // A price other than the catalogue's stays with the item (a later sale earns it).
            const Money paid = c.stored->negated();
            EXPECT_EQ(character->inventory.items[0]->customValue, paid == coins(0, 5, 0, 0, 0) ? Money{} : paid);
            EXPECT_FALSE(character->saved);
            EXPECT_EQ(ui.countEvents(UIEvent::Click, "updatedInventory"), 1u);
        } else {
            EXPECT_EQ(ui.find<PurchaseWindow>(PurchaseWindow::windowName), purchase) << "Pay is off";
            EXPECT_TRUE(character->wealth.history.empty());
            EXPECT_TRUE(character->inventory.items.empty());
            EXPECT_TRUE(character->saved);
            press(purchase->cancelButton);
            EXPECT_EQ(ui.find<PurchaseWindow>(PurchaseWindow::windowName), nullptr);
        }
        EXPECT_EQ(character->wealth.current, c.purseAfter);
    }
}

TEST_F(BuyTest, PayIsOffFromTheStartWhenTheCataloguePriceIsTooHigh) {
    character->wealth.current = coins(0, 4, 0, 9, 0);
    openWindow();
    pickRow("Misc", "Cloak");
    PurchaseWindow* purchase = pressBuy();
    ASSERT_NE(purchase, nullptr);
    EXPECT_EQ(purchase->coinBoxes[1]->text, "5");
    EXPECT_EQ(purchase->coinBoxes[0]->text, "0");
    EXPECT_TRUE(purchase->confirmButton->disabled);
    EXPECT_EQ(purchase->messageLabel->text, "The purse cannot pay this amount.");
    // Typing the price down to what the purse holds turns it on, and the line empties.
    enter(purchase->coinBoxes[1], "4");
    ui.step();
    EXPECT_FALSE(purchase->confirmButton->disabled);
    EXPECT_EQ(purchase->messageLabel->text, "");
}

TEST_F(BuyTest, ACustomNameIsKeptAndNamesTheTransactionAndAStackMerges) {
    character->wealth.current = coins(10, 0, 0, 0, 0);
    openWindow();
    pickRow("Misc", "Cloak");
    PurchaseWindow* purchase = pressBuy();
    ASSERT_NE(purchase, nullptr);
    enter(purchase->nameBox, "Black cloak");
    press(purchase->confirmButton);
    ASSERT_EQ(character->wealth.history.size(), 1u);
    EXPECT_EQ(character->wealth.history[0].description, "Bought equipment: Black cloak");
    ASSERT_EQ(character->inventory.items.size(), 1u);
    EXPECT_EQ(character->inventory.items[0]->customName, "Black cloak");
    EXPECT_TRUE(character->inventory.items[0]->customValue.isZero()) << "the catalogue price is no custom value";

    // Arrows twice: one stack of 40, reported at the stack's row.
    for (int i = 0; i < 2; ++i) {
        pickRow("Weapons", "Arrows");
        ASSERT_NE(pressBuy(), nullptr);
        press(ui.find<PurchaseWindow>(PurchaseWindow::windowName)->confirmButton);
    }
    ASSERT_EQ(character->inventory.items.size(), 2u);
    EXPECT_EQ(character->inventory.items[1]->quantity, 40);
    const auto& events = ui.events();
    ASSERT_GE(events.size(), 3u);
    std::vector<std::uint32_t> rows;
    for (const RecordedUIEvent& event : events) {
        if (event.name == "updatedInventory") rows.push_back(event.value);
    }
    EXPECT_EQ(rows, (std::vector<std::uint32_t>{0, 1, 1}));
}

TEST_F(BuyTest, AStackInAClosedBagGrowsAndTheBagOpens) {
    character->wealth.current = coins(1, 0, 0, 0, 0);
    auto bag = std::make_unique<BRAVCharacterEquipment>(nullptr, catalogue.findEquipment("backpack"));
    bag->attachEquipment(std::make_unique<BRAVCharacterEquipment>(nullptr, catalogue.findEquipment("arrows")));
    bag->areContentsExpanded = false;
    BRAVCharacterEquipment* arrows = bag->contents[0].get();
    character->inventory.attachEquipment(std::move(bag), nullptr);
    openWindow();
    pickRow("Weapons", "Arrows");
    ASSERT_NE(pressBuy(), nullptr);
    press(ui.find<PurchaseWindow>(PurchaseWindow::windowName)->confirmButton);
    ASSERT_EQ(character->inventory.items.size(), 1u);
    EXPECT_EQ(arrows->quantity, 21);
    EXPECT_TRUE(character->inventory.items[0]->areContentsExpanded);
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "updatedInventory"), 1u);
}

TEST_F(BuyTest, CancelAndTheCloseButtonChangeNothingAndGiveTheFocusBack) {
    character->wealth.current = coins(1, 0, 0, 0, 0);
    openWindow();
    for (bool viaCloseButton : {false, true}) {
        for (bool purchase : {true, false}) {
            SCOPED_TRACE(std::string(viaCloseButton ? "close button" : "Cancel") + (purchase ? " of Pay" : " of Acquire"));
            pickRow("Misc", "Cloak");
            BRAVUIConfirmWindow* confirmation = purchase ? static_cast<BRAVUIConfirmWindow*>(pressBuy()) : pressAcquire();
            ASSERT_NE(confirmation, nullptr);
            const std::string name = confirmation->name;
            enter(confirmation->nameBox, "Black cloak");
            press(viaCloseButton ? confirmation->closeButton : confirmation->cancelButton);
            EXPECT_EQ(ui.find<BRAVUIConfirmWindow>(name), nullptr);
            EXPECT_EQ(window->pendingItem, nullptr);
            EXPECT_EQ(ui.windowManager().activeWindow, window);
        }
    }
    EXPECT_EQ(character->wealth.current, coins(1, 0, 0, 0, 0));
    EXPECT_TRUE(character->wealth.history.empty());
    EXPECT_TRUE(character->inventory.items.empty());
    EXPECT_TRUE(character->saved);
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "updatedInventory"), 0u);
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "closeWindow"), 0u);
}

TEST_F(BuyTest, AcquiringReadsTheQuantityAsACountOfAtLeastOneAndMovesNoMoney) {
    struct Case {
        std::string typed;
        // Acquire pressed while the box still holds the focus.
        bool straightToAcquire;
        std::string shown;
        int quantity;
    };
    const Case cases[] = {
        {"", false, "1", 1},   {"0", false, "1", 1},  {"abc", false, "1", 1},  {"30", false, "30", 30},
        {"", true, "1", 1},    {"000", true, "1", 1}, {"-4", true, "1", 1},    {"1234567890", false, "1", 1},
        {"12", true, "12", 12},
    };
    character->wealth.current = coins(0, 1, 0, 0, 0);
    openWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        character->inventory.clear();
        pickRow("Weapons", "Arrows");
        AcquireWindow* acquire = pressAcquire();
        ASSERT_NE(acquire, nullptr);
        EXPECT_EQ(acquire->title, "Confirm details for: Arrows");
        EXPECT_EQ(acquire->quantityBox->text, "20");
        enter(acquire->quantityBox, c.typed);
        if (!c.straightToAcquire) {
            clickAway();
            EXPECT_EQ(acquire->quantityBox->text, c.shown);
        }
        // The catalogue's own name is no custom name.
        enter(acquire->nameBox, "Arrows");
        press(acquire->confirmButton);
        EXPECT_EQ(ui.find<AcquireWindow>(AcquireWindow::windowName), nullptr);
        ASSERT_EQ(character->inventory.items.size(), 1u);
        EXPECT_EQ(character->inventory.items[0]->quantity, c.quantity);
        EXPECT_EQ(character->inventory.items[0]->customName, "");
    }
    EXPECT_EQ(character->wealth.current, coins(0, 1, 0, 0, 0));
    EXPECT_TRUE(character->wealth.history.empty());
}

TEST_F(BuyTest, AcquiringUnderAnotherNameStartsItsOwnStack) {
    openWindow();
    for (const char* name : {"", "Black arrows"}) {
        pickRow("Weapons", "Arrows");
        AcquireWindow* acquire = pressAcquire();
        ASSERT_NE(acquire, nullptr);
        enter(acquire->nameBox, name);
        press(acquire->confirmButton);
    }
    ASSERT_EQ(character->inventory.items.size(), 2u);
    EXPECT_EQ(character->inventory.items[0]->customName, "");
    EXPECT_EQ(character->inventory.items[1]->customName, "Black arrows");
    EXPECT_EQ(character->inventory.items[1]->quantity, 20);
}

TEST_F(BuyTest, OnlyOneConfirmationIsOpenAtATimeAndItLiesAboveTheList) {
    character->wealth.current = coins(1, 0, 0, 0, 0);
    openWindow();
    pickRow("Misc", "Cloak");
    PurchaseWindow* purchase = pressBuy();
    ASSERT_NE(purchase, nullptr);
    // Straight to the slots: the modal confirmation keeps clicks off the buy window.
    UIEvent::Data click;
    click.type = UIEvent::Click;
    window->onAcquireButton(click);
    window->onBuyButton(click);
    ui.step();
    EXPECT_EQ(ui.find<AcquireWindow>(AcquireWindow::windowName), nullptr);
    std::size_t purchases = 0;
    for (GameUIBaseElement* open : ui.windowManager().windows) purchases += dynamic_cast<PurchaseWindow*>(open) != nullptr;
    EXPECT_EQ(purchases, 1u);

    auto* row = dynamic_cast<BRAVUIListItem*>(window->equipmentList->items[0]);
    ASSERT_NE(row, nullptr);
    ASSERT_NE(row->textObject, nullptr);
    EXPECT_GT(purchase->frameRectangle->depth, UIHarness::layerOf(row->textObject));
    EXPECT_GT(purchase->depth, window->getMaxChildDepth());
}

TEST_F(BuyTest, RemovingTheWindowWithAConfirmationOpenTakesBothAway) {
    character->wealth.current = coins(1, 0, 0, 0, 0);
    openWindow();
    for (bool purchase : {true, false}) {
        if (!window) openWindow();
        pickRow("Misc", "Cloak");
        ASSERT_NE(purchase ? static_cast<GameUIBaseWindow*>(pressBuy()) : pressAcquire(), nullptr);
        ui.windowManager().removeWindow(window);
        window = nullptr;
        ui.step();
        ui.step();
        EXPECT_EQ(ui.find<PurchaseWindow>(PurchaseWindow::windowName), nullptr);
        EXPECT_EQ(ui.find<AcquireWindow>(AcquireWindow::windowName), nullptr);
        for (GameUIBaseElement* open : ui.windowManager().windows) {
            EXPECT_EQ(dynamic_cast<GameUIBaseWindow*>(open), nullptr) << open->name;
        }
    }
    EXPECT_TRUE(character->inventory.items.empty());
}

} // namespace
