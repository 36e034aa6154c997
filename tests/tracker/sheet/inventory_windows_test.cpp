// The Inventory tab's item and money windows as the user drives them: selling (prices, stacks,
// items without a record, worn items, containers), renaming (what Done, an emptied box and the
// close button do, and what is saved), spending and earning, the history, and packing (which
// places are listed, where Pick puts the item, what stays worn, what is saved).
#include "tracker/sheet/inventory_fixture.h"

#include <optional>
#include <string>
#include <vector>

#include "tracker/equipment_shown_name.h"
#include "tracker/rows/bravui_container_list_item.h"
#include "tracker/rows/bravui_transacton_history_list_item.h"
#include "tracker/sheet/bravui_confirm_sale_price_window.h"
#include "tracker/sheet/bravui_equipment_custom_name_window.h"
#include "tracker/sheet/bravui_packing_window.h"
#include "tracker/sheet/bravui_payment_window.h"
#include "tracker/sheet/bravui_transaction_history_window.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_push_button.h"

namespace {

class InventoryWindowsTest : public InventoryTest {
protected:
    void setBoxes(const coinentry::CoinBoxes& boxes, const std::array<std::string, 5>& texts) {
        for (std::size_t i = 0; i < texts.size(); ++i) boxes[i]->setText(texts[i]);
        settle();
    }
    std::array<std::string, 5> purseBoxes() const {
        return {tab()->platinumBox->text, tab()->goldBox->text, tab()->electrumBox->text, tab()->silverBox->text,
                tab()->copperBox->text};
    }

    Equipment cloak = fixtureEquipment("cloak", "Cloak", coins(0, 0, 0, 5, 0));
    Equipment arrows = fixtureEquipment("arrows", "Arrows", coins(0, 1, 0, 0, 0), true);
    // Bought 20 to the price.
    Equipment bundledArrows = [] {
        Equipment record = fixtureEquipment("arrows", "Arrows", coins(0, 1, 0, 0, 0), true);
        record.purchaseQuantity = 20;
        return record;
    }();
};

// --- Selling -----------------------------------------------------------------------------------

TEST_F(InventoryWindowsTest, SellingEarnsThePriceRecordsItAndUsesUpOne) {
    struct Case {
        const char* what;
        const Equipment* record;
        int quantity;
        Money customValue;
        std::optional<std::array<std::string, 5>> boxes;
        Money purseAfter;
        std::vector<std::string> rowsAfter;
        std::string description;
    };
    // Each sale earns exactly what the window shows when Sell is pressed.
    const Case cases[] = {
        {"catalogue price", &cloak, 1, {}, std::nullopt, coins(0, 0, 0, 5, 0), {}, "Sold equipment: Cloak"},
        {"catalogue price of one bought at 3 gp", &cloak, 1, coins(0, 3, 0, 0, 0), std::nullopt,
         coins(0, 0, 0, 5, 0), {}, "Sold equipment: Cloak"},
        {"one of a stack", &arrows, 12, {}, std::array<std::string, 5>{"0", "2", "0", "0", "0"}, coins(0, 2, 0, 0, 0),
         {"11x Arrows"}, "Sold equipment: Arrows"},
        {"one arrow of a bundle of 20 at its share", &bundledArrows, 12, {}, std::nullopt, coins(0, 0, 0, 0, 5),
         {"11x Arrows"}, "Sold equipment: Arrows"},
        {"all zero", &cloak, 1, coins(0, 3, 0, 0, 0), std::array<std::string, 5>{"0", "0", "0", "0", "0"},
         coins(0, 0, 0, 0, 0), {}, "Sold equipment: Cloak"},
        {"no record", nullptr, 1, {}, std::nullopt, coins(0, 0, 0, 0, 0), {}, "Sold equipment: INVALID_ITEM ID: foo"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        character->inventory.clear();
        character->wealth = Wealth{};
        BRAVCharacterEquipment* item = give(c.record, c.quantity);
        if (!c.record) item->id = "foo";
        item->customValue = c.customValue;
        openInventory();
        select(0);
        click(tab()->sellButton);
        auto* window = ui.find<BRAVUIConfirmSalePriceWindow>("confirmEquipmentPriceAndNameWindow");
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->title, "Confirm sale price for: " + equipmentShownName(*item));
        if (c.boxes) setBoxes(window->coinBoxes, *c.boxes);
        clickOnce(window->confirmButton);
        ui.step();
        // The purse boxes and the rows follow in the update that sells.
        EXPECT_EQ(character->wealth.current, c.purseAfter);
        EXPECT_EQ(purseBoxes()[1], std::to_string(c.purseAfter.gold));
        EXPECT_EQ(purseBoxes()[3], std::to_string(c.purseAfter.silver));
        EXPECT_EQ(rowTexts(), c.rowsAfter);
        ASSERT_EQ(character->wealth.history.size(), 1u);
        EXPECT_EQ(character->wealth.history[0].description, c.description);
        EXPECT_EQ(character->wealth.history[0].amount, c.purseAfter);
        if (!c.rowsAfter.empty()) {
            EXPECT_EQ(character->inventory.items[0]->customValue, c.customValue) << "the sale keeps what it was bought at";
        }
        EXPECT_FALSE(character->saved);
        settle();
        EXPECT_EQ(ui.find<BRAVUIConfirmSalePriceWindow>("confirmEquipmentPriceAndNameWindow"), nullptr);
        ui.windowManager().removeWindow(sheet);
        ui.windowManager().applyRemovals();
        sheet = nullptr;
    }
}

TEST_F(InventoryWindowsTest, CancelAndTheCloseButtonSellNothing) {
    give(&cloak);
    openInventory();
    for (bool useClose : {false, true}) {
        select(0);
        click(tab()->sellButton);
        auto* window = ui.find<BRAVUIConfirmSalePriceWindow>("confirmEquipmentPriceAndNameWindow");
        ASSERT_NE(window, nullptr);
        setBoxes(window->coinBoxes, {"0", "9", "0", "0", "0"});
        click(useClose ? window->closeButton : window->cancelButton);
        EXPECT_EQ(ui.find<BRAVUIConfirmSalePriceWindow>("confirmEquipmentPriceAndNameWindow"), nullptr);
        EXPECT_EQ(rowTexts(), std::vector<std::string>{"Cloak"});
        EXPECT_TRUE(character->wealth.current.isZero());
        EXPECT_TRUE(character->wealth.history.empty());
        EXPECT_TRUE(character->saved);
    }
}

TEST_F(InventoryWindowsTest, SellingWornArmourOrAContainerClearsTheBoxesAndKeepsTheContents) {
    BRAVCharacterEquipment* backpack = give("backpack");
    BRAVCharacterEquipment* armour = give("leather_armour", 1, backpack);
    give("torch", 3, backpack);
    // Worn inside a container only until the next save: the rules allow the slot anywhere.
    character->inventory.equippedArmour = armour;
    openInventory();
    ASSERT_EQ(tab()->armourBox->text, "Leather Armour");
    select(0);
    click(tab()->sellButton);
    auto* window = ui.find<BRAVUIConfirmSalePriceWindow>("confirmEquipmentPriceAndNameWindow");
    ASSERT_NE(window, nullptr);
    clickOnce(window->confirmButton);
    ui.step();
    // The contents move out to the backpack's place; being packed no more, the armour stays worn.
    EXPECT_EQ(rowTexts(), (std::vector<std::string>{"Leather Armour", "3x Torch"}));
    ASSERT_EQ(character->inventory.items.size(), 2u);
    EXPECT_EQ(character->inventory.equippedArmour, character->inventory.items[0].get());
    EXPECT_EQ(tab()->armourBox->text, "Leather Armour");
    settle();
    // Selling the worn armour itself empties the box in the same update.
    select(0);
    click(tab()->sellButton);
    window = ui.find<BRAVUIConfirmSalePriceWindow>("confirmEquipmentPriceAndNameWindow");
    ASSERT_NE(window, nullptr);
    clickOnce(window->confirmButton);
    ui.step();
    EXPECT_EQ(character->inventory.equippedArmour, nullptr);
    EXPECT_EQ(tab()->armourBox->text, "None");
    EXPECT_EQ(rowTexts(), std::vector<std::string>{"3x Torch"});
}

// --- Renaming ----------------------------------------------------------------------------------

TEST_F(InventoryWindowsTest, OnlyDoneRenamesAndTheNameIsSaved) {
    give("backpack");
    openInventory();
    select(0);
    const auto rename = [&](const std::string& name, bool useClose) {
        click(tab()->renameButton);
        auto* window = ui.find<BRAVUIEquipmentCustomNameWindow>("equipmentCustomNameWindow");
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->title, "Set Custom Name for: " + equipmentShownName(*character->inventory.items[0]));
        EXPECT_EQ(window->nameBox->text, character->inventory.items[0]->customName);
        window->setCustomName("x");
        window->nameBox->setText(name);
        click(useClose ? window->closeButton : window->doneButton);
        EXPECT_EQ(ui.find<BRAVUIEquipmentCustomNameWindow>("equipmentCustomNameWindow"), nullptr);
    };
    rename("Black pack", false);
    EXPECT_EQ(rowTexts(), std::vector<std::string>{"Black pack"});
    EXPECT_FALSE(character->saved);
    EXPECT_NE(saveText().find("<CustomName value=\"Black pack\"/>"), std::string::npos);

    rename("Grey pack", true);
    EXPECT_EQ(rowTexts(), std::vector<std::string>{"Black pack"});

    rename("closeDialog", false);
    EXPECT_EQ(rowTexts(), std::vector<std::string>{"closeDialog"});

    rename("", false);
    EXPECT_EQ(rowTexts(), std::vector<std::string>{"Backpack"});
    EXPECT_EQ(saveText().find("CustomName"), std::string::npos);
}

TEST_F(InventoryWindowsTest, RenamingTheWornArmourRenamesItsBox) {
    BRAVCharacterEquipment* armour = give("leather_armour");
    character->inventory.equippedArmour = armour;
    openInventory();
    select(0);
    click(tab()->renameButton);
    auto* window = ui.find<BRAVUIEquipmentCustomNameWindow>("equipmentCustomNameWindow");
    ASSERT_NE(window, nullptr);
    window->setCustomName("Lucky jerkin");
    clickOnce(window->doneButton);
    ui.step();
    EXPECT_EQ(tab()->armourBox->text, "Lucky jerkin");
}

// Names and texts as the program has always shown them, typos included.
TEST_F(InventoryWindowsTest, RenamePackAndPaymentKeepTheirTextsAsWritten) {
    give("backpack");
    openInventory();
    select(0);
    EXPECT_EQ(tab()->packButton->getToolTipText(), "Pack or unpack a item from a container");
    click(tab()->renameButton);
    auto* rename = ui.find<BRAVUIEquipmentCustomNameWindow>("equipmentCustomNameWindow");
    ASSERT_NE(rename, nullptr);
    EXPECT_EQ(rename->nameBox->name, "domainDisplay");
    EXPECT_EQ(rename->doneButton->getToolTipText(), "Finish editing this profciency's domain");
    click(rename->closeButton);

    click(tab()->spendButton);
    auto* payment = ui.find<BRAVUIPaymentWindow>("paymentWindow");
    ASSERT_NE(payment, nullptr);
    const char* coins[] = {"platinum", "gold", "electrum", "silver", "copper"};
    for (std::size_t i = 0; i < payment->coinBoxes.size(); ++i) {
        EXPECT_EQ(payment->coinBoxes[i]->getToolTipText(),
                  std::string("the part of the items cost in ") + coins[i] + " pieces");
    }
    EXPECT_EQ(payment->confirmButton->name, "doneButton");
    EXPECT_EQ(payment->cancelButton->name, "cencelButton");
    click(payment->cancelButton);
    EXPECT_EQ(ui.find<BRAVUIPaymentWindow>("paymentWindow"), nullptr);
}

// --- Money -------------------------------------------------------------------------------------

TEST_F(InventoryWindowsTest, SpendAndEarnOpenTheirWindowsAndThePurseFollows) {
    character->wealth.current = coins(0, 0, 0, 2, 0);
    openInventory();
    click(tab()->spendButton);
    auto* spend = ui.find<BRAVUIPaymentWindow>("paymentWindow");
    ASSERT_NE(spend, nullptr);
    EXPECT_EQ(spend->title, "Spend Money");
    EXPECT_EQ(ui.windowManager().activeWindow, spend);
    setBoxes(spend->coinBoxes, {"0", "0", "0", "0", "15"});
    clickOnce(spend->confirmButton);
    ui.step();
    ui.step();
    EXPECT_EQ(purseBoxes(), (std::array<std::string, 5>{"0", "0", "0", "0", "5"}));
    settle();
    EXPECT_EQ(ui.find<BRAVUIPaymentWindow>("paymentWindow"), nullptr);

    click(tab()->earnButton);
    auto* earn = ui.find<BRAVUIPaymentWindow>("paymentWindow");
    ASSERT_NE(earn, nullptr);
    EXPECT_EQ(earn->title, "Earn Money");
    setBoxes(earn->coinBoxes, {"1", "0", "0", "0", "0"});
    click(earn->closeButton);
    EXPECT_EQ(ui.find<BRAVUIPaymentWindow>("paymentWindow"), nullptr);
    EXPECT_EQ(purseBoxes(), (std::array<std::string, 5>{"0", "0", "0", "0", "5"}));
    ASSERT_EQ(character->wealth.history.size(), 1u);

    click(tab()->transactionsButton);
    auto* history = ui.find<BRAVUITransactionHistoryWindow>("transactionHistoryWindow");
    ASSERT_NE(history, nullptr);
    EXPECT_EQ(history->title, "Accounts - Transactions History");
    ASSERT_EQ(history->list->itemCount(), 1);
    EXPECT_EQ(history->list->items[0]->getSortKey(), "Spent money");
    click(history->finishButton);
    EXPECT_EQ(ui.find<BRAVUITransactionHistoryWindow>("transactionHistoryWindow"), nullptr);
}

// Any event closes the history and the packing window, the close button's too; while either is
// open it keeps the tab's buttons out of reach, so nothing changes the history its rows point into.
TEST_F(InventoryWindowsTest, TheCloseButtonClosesTheHistoryAndPackingWindowsWhichAreModal) {
    give("backpack");
    give("torch");
    character->wealth.earnMoney("Alms", coins(0, 0, 0, 10, 0));
    character->saved = true;
    openInventory();
    select(1);
    const std::pair<GameUIPushButton* BRAVUIEquipmentTab::*, const char*> cases[] = {
        {&BRAVUIEquipmentTab::transactionsButton, "transactionHistoryWindow"},
        {&BRAVUIEquipmentTab::packButton, "equipmentBuyWindow"},
    };
    for (const auto& [button, name] : cases) {
        SCOPED_TRACE(name);
        click(tab()->*button);
        auto* window = ui.find<GameUIBaseWindow>(name);
        ASSERT_NE(window, nullptr);
        click(tab()->earnButton);
        EXPECT_EQ(ui.find<BRAVUIPaymentWindow>("paymentWindow"), nullptr);
        click(window->closeButton);
        EXPECT_EQ(ui.find<GameUIBaseWindow>(name), nullptr);
    }
    EXPECT_EQ(rowTexts(), (std::vector<std::string>{"Backpack", "Torch"}));
    EXPECT_EQ(character->wealth.history.size(), 1u);
    EXPECT_TRUE(character->saved);
}

// --- Packing -----------------------------------------------------------------------------------

class PackingTest : public InventoryWindowsTest {
protected:
    BRAVUIPackingWindow* openPacking(std::int32_t row) {
        if (!sheet) openInventory();
        select(row);
        click(tab()->packButton);
        auto* window = ui.find<BRAVUIPackingWindow>("equipmentBuyWindow");
        EXPECT_NE(window, nullptr);
        return window;
    }
    std::vector<std::string> placeTexts(const BRAVUIPackingWindow* window) const {
        std::vector<std::string> texts;
        for (auto* item : window->list->items) texts.push_back(item->getSortKey());
        return texts;
    }
    BRAVUIContainerListItem* place(const BRAVUIPackingWindow* window, std::size_t index) const {
        return dynamic_cast<BRAVUIContainerListItem*>(window->list->items.at(index));
    }
    void pick(BRAVUIPackingWindow* window, std::size_t index) {
        BRAVUIContainerListItem* row = place(window, index);
        ASSERT_NE(row, nullptr);
        ASSERT_NE(row->pickButton, nullptr);
        click(row->pickButton);
        // The window moves the item, then closes a frame later.
        settle();
        EXPECT_EQ(ui.find<BRAVUIPackingWindow>("equipmentBuyWindow"), nullptr);
    }
    void toggle(BRAVUIPackingWindow* window, std::size_t index) {
        BRAVUIContainerListItem* row = place(window, index);
        ASSERT_NE(row, nullptr);
        ASSERT_NE(row->expandButton, nullptr);
        click(row->expandButton);
    }
};

TEST_F(PackingTest, WithoutContainersOnlyTheHandsAreListedAndPickMovesToTheEnd) {
    give("torch", 3);
    give("leather_armour");
    BRAVUIPackingWindow* window = openPacking(0);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->title, "Pack or unpack");
    EXPECT_EQ(window->titleLabel->text, "3 x Torch");
    EXPECT_EQ(placeTexts(window), std::vector<std::string>{"Held, or upacked"});
    EXPECT_EQ(window->finishButton->toolTipText, "Finish buying and acquiring new items");
    pick(window, 0);
    EXPECT_EQ(rowTexts(), (std::vector<std::string>{"Leather Armour", "3x Torch"}));
    EXPECT_FALSE(character->saved);
}

TEST_F(PackingTest, AContainerAndWhatIsInsideItAreNeverListed) {
    BRAVCharacterEquipment* backpack = give("backpack");
    give("sack", 1, backpack);
    give("sack");
    BRAVUIPackingWindow* window = openPacking(0);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(placeTexts(window), (std::vector<std::string>{"Held, or upacked", "Sack"}));
    EXPECT_EQ(place(window, 1)->item, character->inventory.items[1].get());
}

TEST_F(PackingTest, PickAContainerAppendsTheItemAndTheSaveNestsIt) {
    BRAVCharacterEquipment* backpack = give("backpack");
    give("sack", 1, backpack);
    give("hempen_rope", 1, backpack);
    give("torch", 3);
    character->saved = true;
    BRAVUIPackingWindow* window = openPacking(3);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(placeTexts(window), (std::vector<std::string>{"Held, or upacked", "Backpack", "Sack"}));
    pick(window, 1);
    ASSERT_EQ(backpack->contents.size(), 3u);
    EXPECT_EQ(backpack->contents[2]->id, "torch");
    EXPECT_EQ(backpack->contents[2]->parent, backpack);
    EXPECT_FALSE(character->saved);
    // The rows were rebuilt with row 0 selected.
    EXPECT_EQ(rowTexts(), (std::vector<std::string>{"Backpack", "Sack", "Hempen Rope (50 feet)", "3x Torch"}));
    const std::unique_ptr<CharacterSheet> loaded = saveAndLoad();
    ASSERT_EQ(loaded->inventory.items.size(), 1u);
    ASSERT_EQ(loaded->inventory.items[0]->contents.size(), 3u);
    EXPECT_EQ(loaded->inventory.items[0]->contents[2]->id, "torch");
}

TEST_F(PackingTest, APickRefusedForDepthSaysWhyAndKeepsTheWindowOpen) {
    give("backpack");
    // A sack holding sacks 63 deep: inside the backpack it would lie deeper than a file is read.
    BRAVCharacterEquipment* nest = give("sack");
    for (BRAVCharacterEquipment* holder = nest; subtreeHeight(*nest) < 63;) holder = give("sack", 1, holder);
    BRAVUIPackingWindow* window = openPacking(1);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(placeTexts(window), (std::vector<std::string>{"Held, or upacked", "Backpack"}));
    EXPECT_EQ(window->messageLabel->text, "");
    click(place(window, 1)->pickButton);
    settle();
    ASSERT_EQ(ui.find<BRAVUIPackingWindow>("equipmentBuyWindow"), window) << "the window stays open";
    EXPECT_EQ(window->messageLabel->text, BRAVUIPackingWindow::tooDeepMessage);
    EXPECT_EQ(UIHarness::stringOf(window->messageLabel->textBox), BRAVUIPackingWindow::tooDeepMessage);
    EXPECT_TRUE(character->inventory.items[0]->contents.empty());
    EXPECT_EQ(character->inventory.items[1].get(), nest);
    // Another place is still taken.
    pick(window, 0);
    EXPECT_EQ(character->inventory.items.back().get(), nest);
}

TEST_F(PackingTest, TheRootAndContainersCollapseAndExpandWithoutLosingOrDoublingRows) {
    BRAVCharacterEquipment* backpack = give("backpack");
    BRAVCharacterEquipment* sack = give("sack", 1, backpack);
    give("sack", 1, sack);
    BRAVCharacterEquipment* closed = give("backpack");
    give("sack", 1, closed);
    closed->areContentsExpanded = false;
    give("torch");
    BRAVUIPackingWindow* window = openPacking(4);
    ASSERT_NE(window, nullptr);
    const std::vector<std::string> all = {"Held, or upacked", "Backpack", "Sack", "Sack", "Backpack"};
    ASSERT_EQ(placeTexts(window), all);
    EXPECT_EQ(place(window, 3)->nestingDepth, 3u);
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        toggle(window, 0);
        EXPECT_EQ(placeTexts(window), std::vector<std::string>{"Held, or upacked"});
        toggle(window, 0);
        EXPECT_EQ(placeTexts(window), all);
        toggle(window, 1);
        EXPECT_EQ(placeTexts(window), (std::vector<std::string>{"Held, or upacked", "Backpack", "Backpack"}));
        toggle(window, 1);
        EXPECT_EQ(placeTexts(window), all);
    }
    // The closed backpack's row starts expanded: its first press only clears the flag.
    toggle(window, 4);
    EXPECT_EQ(placeTexts(window), all);
    toggle(window, 4);
    EXPECT_EQ(placeTexts(window), (std::vector<std::string>{"Held, or upacked", "Backpack", "Sack", "Sack", "Backpack",
                                                            "Sack"}));
    EXPECT_FALSE(closed->areContentsExpanded);
    EXPECT_TRUE(character->saved);
}

TEST_F(PackingTest, PackingWornArmourTakesItOffForGoodAndTheTopLevelKeepsItWorn) {
    give("backpack");
    BRAVCharacterEquipment* armour = give("leather_armour");
    character->inventory.equippedArmour = armour;
    const std::int32_t wornClass = character->getArmourClass();
    // To the hands first: still worn.
    BRAVUIPackingWindow* window = openPacking(1);
    ASSERT_NE(window, nullptr);
    pick(window, 0);
    EXPECT_EQ(character->inventory.equippedArmour, armour);
    EXPECT_EQ(tab()->armourBox->text, "Leather Armour");
    // Into the backpack: taken off in the same update.
    window = openPacking(1);
    ASSERT_NE(window, nullptr);
    click(place(window, 1)->pickButton);
    EXPECT_EQ(character->inventory.equippedArmour, nullptr);
    settle();
    EXPECT_EQ(tab()->armourBox->text, "None");
    EXPECT_EQ(character->getArmourClass(), wornClass - armour->armourClassBonus());
    const std::unique_ptr<CharacterSheet> loaded = saveAndLoad();
    EXPECT_EQ(loaded->inventory.equippedArmour, nullptr);
}

TEST_F(PackingTest, FinishChangesNothing) {
    BRAVCharacterEquipment* backpack = give("backpack");
    give("torch");
    character->saved = true;
    BRAVUIPackingWindow* window = openPacking(1);
    ASSERT_NE(window, nullptr);
    click(window->finishButton);
    EXPECT_EQ(ui.find<BRAVUIPackingWindow>("equipmentBuyWindow"), nullptr);
    EXPECT_TRUE(backpack->contents.empty());
    EXPECT_EQ(rowTexts(), (std::vector<std::string>{"Backpack", "Torch"}));
    EXPECT_TRUE(character->saved);
}

} // namespace
