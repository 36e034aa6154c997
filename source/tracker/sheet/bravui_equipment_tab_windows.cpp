// The Inventory tab's steps that open and act on its item and money windows: buying, packing, renaming,
// selling, the transaction history, spending and earning. Each window only reports; these steps
// apply the result and refresh the list, the purse and the equipped boxes in the same update.
#include "tracker/sheet/bravui_equipment_tab.h"

#include "render/text_markup.h"
#include "rules/character_sheet.h"
#include "tracker/equipment_shown_name.h"
#include "tracker/rows/bravui_equipment_list_item.h"
#include "tracker/sheet/bravui_confirm_sale_price_window.h"
#include "tracker/sheet/bravui_equipment_buy_window.h"
#include "tracker/sheet/bravui_equipment_custom_name_window.h"
#include "tracker/sheet/bravui_packing_window.h"
#include "tracker/sheet/bravui_payment_window.h"
#include "tracker/sheet/bravui_transaction_history_window.h"
#include "ui/window_manager.h"

namespace {

constexpr float buyTopLeft[2] = {-0.25f, 0.95f}, buyBottomRight[2] = {0.95f, -0.75f};
constexpr float packingTopLeft[2] = {-0.5f, 0.95f}, packingBottomRight[2] = {0.5f, -0.75f};
constexpr float renameTopLeft[2] = {-0.5f, 0.3f}, renameBottomRight[2] = {0.5f, -0.3f};
constexpr float moneyTopLeft[2] = {-0.75f, 0.3f}, moneyBottomRight[2] = {0.75f, -0.3f};

template <class Visit>
void walk(const EquipmentList& items, Visit& visit) {
    for (const auto& item : items) {
        visit(item.get());
        walk(item->contents, visit);
    }
}

} // namespace

void BRAVUIEquipmentTab::rememberQuantities() {
    knownQuantities_.clear();
    auto remember = [this](const BRAVCharacterEquipment* item) { knownQuantities_[item] = item->quantity; };
    walk(character->inventory.items, remember);
}

BRAVCharacterEquipment* BRAVUIEquipmentTab::changedItem() const {
    BRAVCharacterEquipment* changed = nullptr;
    auto look = [&](BRAVCharacterEquipment* item) {
        if (changed) return;
        const auto known = knownQuantities_.find(item);
        if (known == knownQuantities_.end() || known->second != item->quantity) changed = item;
    };
    walk(character->inventory.items, look);
    return changed;
}

void BRAVUIEquipmentTab::onCustomNameWindowEvent(UIEvent::Data& event) {
    // Only Done renames; the close button's "closeDialog" is told by its sender, not its text.
    customNameDone = customNameWindow && customNameWindow->isDoneEvent(event);
    enteredCustomName = event.name;
    customNameWindowEvent = 1;
}

void BRAVUIEquipmentTab::onBuyWindowEvent(UIEvent::Data& event) {
    // Finish and the close button both report "closeWindow".
    if (event.name == BRAVUIEquipmentBuyWindow::closeEvent) {
        buyWindowClosed = 1;
    } else if (event.name == BRAVUIEquipmentBuyWindow::updatedEvent) {
        inventoryUpdated = 1;
        rowToSelect = event.value;
    }
}

void BRAVUIEquipmentTab::onSaleWindowEvent(UIEvent::Data& event) {
    if (event.name == BRAVUIConfirmSalePriceWindow::confirmEvent) {
        saleConfirmed = 1;
    } else if (event.name == BRAVUIConfirmSalePriceWindow::cancelEvent) {
        saleCancelled = 1;
    }
}

void BRAVUIEquipmentTab::onPackingWindowEvent(UIEvent::Data&) { packingWindowEvent = 1; }
void BRAVUIEquipmentTab::onTransactionWindowEvent(UIEvent::Data&) { transactionWindowClosed = 1; }
void BRAVUIEquipmentTab::onSpendWindowEvent(UIEvent::Data&) { spendWindowClosed = 1; }
void BRAVUIEquipmentTab::onEarnWindowEvent(UIEvent::Data&) { earnWindowClosed = 1; }

void BRAVUIEquipmentTab::stepPack() {
    if (packPressed) {
        packPressed = 0;
        if (BRAVCharacterEquipment* item = selectedItem()) {
            openTabWindow(
                owner, packingWindow,
                [&] {
                    return new BRAVUIPackingWindow(tag, owner, theme, packingTopLeft, packingBottomRight,
                                                   "Pack or unpack", windowDepth(), item, character);
                },
                &BRAVUIEquipmentTab::onPackingWindowEvent);
        }
    }
    if (packingWindowEvent) {
        packingWindowEvent = 0;
        if (packingWindow) {
            // Packing takes off a worn item that went into a container.
            rebuildList(nullptr, 0);
            refreshEquipped();
            closeTabWindow(owner, packingWindow);
        }
    }
}

void BRAVUIEquipmentTab::stepRename() {
    if (renamePressed) {
        renamePressed = 0;
        BRAVCharacterEquipment* item = selectedItem();
        if (item && panel &&
            openTabWindow(
                owner, customNameWindow,
                [&] {
                    const Theme* windowTheme =
                        owner && owner->windowManager ? owner->windowManager->getTheme("default_theme") : theme;
                    auto* window = new BRAVUIEquipmentCustomNameWindow(
                        tag, owner, windowTheme, renameTopLeft, renameBottomRight,
                        "Set Custom Name for: " + literalText(equipmentShownName(*item)), windowDepth());
                    if (!item->customName.empty()) window->setCustomName(item->customName);
                    return window;
                },
                &BRAVUIEquipmentTab::onCustomNameWindowEvent)) {
            renameItem = item;
        }
    }
    if (customNameWindowEvent) {
        customNameWindowEvent = 0;
        if (customNameDone && renameItem && character->inventory.holds(renameItem)) {
            character->renameEquipment(renameItem, enteredCustomName);
            rebuildList(renameItem, selectedRow);
            refreshEquipped();
        }
        customNameDone = 0;
        closeTabWindow(owner, customNameWindow);
        renameItem = nullptr;
    }
}

void BRAVUIEquipmentTab::stepSaleAndMoney() {
    WindowManager* manager = owner ? owner->windowManager : nullptr;
    // Sell.
    if (sellPressed) {
        sellPressed = 0;
        BRAVCharacterEquipment* item = selectedItem();
        if (item && openTabWindow(
                        owner, saleWindow,
                        [&] {
                            const Theme* windowTheme = manager ? manager->getTheme("default_theme") : theme;
                            return new BRAVUIConfirmSalePriceWindow(
                                tag, owner, windowTheme, character, item, moneyTopLeft, moneyBottomRight,
                                "Confirm sale price for: " + literalText(equipmentShownName(*item)), windowDepth());
                        },
                        &BRAVUIEquipmentTab::onSaleWindowEvent)) {
            saleItem = item;
        }
    }
    if (saleCancelled) {
        saleCancelled = 0;
        closeTabWindow(owner, saleWindow);
        saleItem = nullptr;
    }
    if (saleConfirmed) {
        saleConfirmed = 0;
        if (saleWindow && saleItem && character->inventory.holds(saleItem)) {
            const std::int32_t row = rowOf(saleItem);
            character->sellOneEquipment(saleItem, equipmentShownName(*saleItem), saleWindow->soldFor);
            refreshAfterUse(saleItem, row);
            refreshMoney();
        }
        closeTabWindow(owner, saleWindow);
        saleItem = nullptr;
    }
    // Accounts.
    if (transactionsPressed) {
        transactionsPressed = 0;
        openTabWindow(
            owner, transactionWindow,
            [&] {
                return new BRAVUITransactionHistoryWindow(tag, owner, theme, packingTopLeft, packingBottomRight,
                                                          "Accounts - Transactions History", windowDepth(), character);
            },
            &BRAVUIEquipmentTab::onTransactionWindowEvent);
    }
    if (transactionWindowClosed) {
        transactionWindowClosed = 0;
        closeTabWindow(owner, transactionWindow);
    }
    // Spend and Earn.
    if (spendPressed) {
        spendPressed = 0;
        openTabWindow(
            owner, spendWindow,
            [&] {
                return new BRAVUIPaymentWindow(tag, owner, theme, character, BRAVUIPaymentWindow::spendingMoney,
                                               moneyTopLeft, moneyBottomRight, "Spend Money", windowDepth());
            },
            &BRAVUIEquipmentTab::onSpendWindowEvent);
    }
    if (spendWindowClosed) {
        spendWindowClosed = 0;
        closeTabWindow(owner, spendWindow);
        refreshMoney();
    }
    if (earnPressed) {
        earnPressed = 0;
        openTabWindow(
            owner, earnWindow,
            [&] {
                return new BRAVUIPaymentWindow(tag, owner, theme, character, BRAVUIPaymentWindow::earningMoney,
                                               moneyTopLeft, moneyBottomRight, "Earn Money", windowDepth());
            },
            &BRAVUIEquipmentTab::onEarnWindowEvent);
    }
    if (earnWindowClosed) {
        earnWindowClosed = 0;
        closeTabWindow(owner, earnWindow);
        refreshMoney();
    }
}

void BRAVUIEquipmentTab::stepBuy() {
    if (addPressed) {
        addPressed = 0;
        if (WindowManager* manager = owner ? owner->windowManager : nullptr) {
            openTabWindow(
                owner, buyWindow,
                [&] {
                    rememberQuantities();
                    return new BRAVUIEquipmentBuyWindow(tag, owner, manager->getTheme("default_theme"), buyTopLeft,
                                                        buyBottomRight, "Buy or Aquire Equipment", windowDepth(),
                                                        catalogue, character);
                },
                &BRAVUIEquipmentTab::onBuyWindowEvent);
        }
    }
    if (buyWindowClosed) {
        buyWindowClosed = 0;
        closeTabWindow(owner, buyWindow);
        refreshMoney();
    }
    if (inventoryUpdated) {
        inventoryUpdated = 0;
        // A stack in a closed bag has had its bag opened by the purchase: the rebuilt list shows it.
        rebuildList(changedItem(), rowToSelect);
        rememberQuantities();
        refreshMoney();
    }
}

void BRAVUIEquipmentTab::closeItemWindows() {
    // The buy window takes its own confirmation and pending item with it.
    closeTabWindow(owner, buyWindow);
    closeTabWindow(owner, customNameWindow);
    closeTabWindow(owner, saleWindow);
    closeTabWindow(owner, packingWindow);
    closeTabWindow(owner, transactionWindow);
    closeTabWindow(owner, spendWindow);
    closeTabWindow(owner, earnWindow);
    renameItem = nullptr;
    saleItem = nullptr;
}
