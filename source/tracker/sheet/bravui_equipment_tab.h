#pragma once
// The Inventory tab of the character sheet: the owned items as an indented list with the contents
// of open containers below them, the selected item's description, the worn armour and held
// shield, and the purse in five coins. Buttons and windows only set pending flags; update acts
// on them in one fixed order and keeps the list, the boxes and the character in step.
#include <cstdint>
#include <string>
#include <unordered_map>

#include "rules/character_equipment.h"
#include "tracker/sheet/bravui_sheet_tab.h"
#include "ui/ui_event.h"

class BRAVUIConfirmSalePriceWindow;
class BRAVUIEquipmentCustomNameWindow;
class BRAVUIEquipmentBuyWindow;
class BRAVUIEquipmentListItem;
class BRAVUIPackingWindow;
class BRAVUIPaymentWindow;
class BRAVUITransactionHistoryWindow;
class CharacterSheet;
class EquipmentCatalogue;
class GameUIBaseWindow;
class GameUIConfirmationDialog;
class GameUIEditableTextLineBox;
class GameUIElementGroup;
class GameUIPushButton;
class GameUIScrollableTextBox;
class GameUIStandardElementList;
class Theme;
struct UIContext;

class BRAVUIEquipmentTab : public BRAVUISheetTab {
public:
    static constexpr const char* noArmourToolTip = "Not wearing armour.";
    static constexpr const char* noShieldToolTip = "Not holding a shield.";

    // The character and catalogue are the sheet's and outlive the tab.
    BRAVUIEquipmentTab(std::uint32_t tag, UIContext* owner, const Theme* theme, CharacterSheet* character,
                       EquipmentCatalogue* catalogue);
    ~BRAVUIEquipmentTab() override;

    void attach(GameUIElementGroup* panel) override;
    void detach() override;
    void update() override;

    static std::string expendMessage(const std::string& shownName);
    // Inserts a row for each item with an id (and below an open container, its contents one
    // level deeper) from rowIndex on, which moves past them.
    void addItemRows(EquipmentList& items, std::int32_t& rowIndex, std::uint32_t indent);
    // Rewrites the five coin boxes from the purse.
    void refreshMoney();

    // Slots: each only records.
    void onListEvent(UIEvent::Data& event);
    void onRenameButton(UIEvent::Data& event);
    void onAddButton(UIEvent::Data& event);
    void onSellButton(UIEvent::Data& event);
    void onExpendButton(UIEvent::Data& event);
    void onEquipButton(UIEvent::Data& event);
    void onPackButton(UIEvent::Data& event);
    void onClearShieldButton(UIEvent::Data& event);
    void onClearArmourButton(UIEvent::Data& event);
    void onTransactionsButton(UIEvent::Data& event);
    void onSpendButton(UIEvent::Data& event);
    void onEarnButton(UIEvent::Data& event);
    void onExpendConfirmationEvent(UIEvent::Data& event);
    void onBuyWindowEvent(UIEvent::Data& event);
    // The sale, rename, packing, payment and history windows (defined with their steps).
    void onCustomNameWindowEvent(UIEvent::Data& event);
    void onSaleWindowEvent(UIEvent::Data& event);
    void onPackingWindowEvent(UIEvent::Data& event);
    void onTransactionWindowEvent(UIEvent::Data& event);
    void onSpendWindowEvent(UIEvent::Data& event);
    void onEarnWindowEvent(UIEvent::Data& event);

    std::uint32_t tag;
    UIContext* owner;
    const Theme* theme;
    EquipmentCatalogue* catalogue;
    CharacterSheet* character;
    // The sheet's inner panel while the tab is shown.
    GameUIElementGroup* panel = nullptr;

    // Widgets, null while the tab is not shown.
    GameUIStandardElementList* inventoryList = nullptr;
    GameUIScrollableTextBox* descriptionBox = nullptr;
    GameUIPushButton* renameButton = nullptr;
    GameUIPushButton* addButton = nullptr;
    GameUIPushButton* sellButton = nullptr;
    GameUIPushButton* expendButton = nullptr;
    GameUIPushButton* equipButton = nullptr;
    GameUIPushButton* packButton = nullptr;
    GameUIEditableTextLineBox* platinumBox = nullptr;
    GameUIEditableTextLineBox* goldBox = nullptr;
    GameUIEditableTextLineBox* electrumBox = nullptr;
    GameUIEditableTextLineBox* silverBox = nullptr;
    GameUIEditableTextLineBox* copperBox = nullptr;
    GameUIEditableTextLineBox* armourBox = nullptr;
    GameUIEditableTextLineBox* shieldBox = nullptr;
    GameUIPushButton* clearShieldButton = nullptr;
    GameUIPushButton* clearArmourButton = nullptr;
    GameUIPushButton* transactionsButton = nullptr;
    GameUIPushButton* spendButton = nullptr;
    GameUIPushButton* earnButton = nullptr;

    // Pending flags, in the order update acts on them.
    std::uint8_t selectionChanged = 0;
    std::uint32_t selectedRow = 0;
    std::uint8_t packPressed = 0;
    std::uint8_t equipPressed = 0;
    std::uint8_t clearShieldPending = 0;
    std::uint8_t clearArmourPending = 0;
    std::uint8_t expandPressed = 0;
    std::uint8_t shuffleUpPressed = 0;
    std::uint8_t shuffleDownPressed = 0;
    std::uint8_t renamePressed = 0;
    std::uint8_t addPressed = 0;
    std::uint8_t buyWindowClosed = 0;
    std::uint8_t inventoryUpdated = 0;
    // The row the buy window reported; shown when the bought item can't be found.
    std::uint32_t rowToSelect = 0;
    std::uint8_t expendPressed = 0;
    std::uint8_t expendConfirmed = 0;
    std::uint8_t expendCancelled = 0;
    std::uint8_t sellPressed = 0;
    std::uint8_t transactionsPressed = 0;
    std::uint8_t spendPressed = 0;
    std::uint8_t earnPressed = 0;

    // Open windows; removed by the tab, at the latest when it is deleted.
    BRAVUIEquipmentBuyWindow* buyWindow = nullptr;
    GameUIConfirmationDialog* expendDialog = nullptr;
    // The item the open expend dialog asks about.
    BRAVCharacterEquipment* expendItem = nullptr;

    // The sale, rename, packing, payment and history windows, each with the item it is about.
    BRAVUIEquipmentCustomNameWindow* customNameWindow = nullptr;
    BRAVCharacterEquipment* renameItem = nullptr;
    std::uint8_t customNameWindowEvent = 0;
    std::uint8_t customNameDone = 0;
    std::string enteredCustomName;
    BRAVUIConfirmSalePriceWindow* saleWindow = nullptr;
    BRAVCharacterEquipment* saleItem = nullptr;
    std::uint8_t saleConfirmed = 0;
    std::uint8_t saleCancelled = 0;
    BRAVUIPackingWindow* packingWindow = nullptr;
    std::uint8_t packingWindowEvent = 0;
    BRAVUITransactionHistoryWindow* transactionWindow = nullptr;
    std::uint8_t transactionWindowClosed = 0;
    BRAVUIPaymentWindow* spendWindow = nullptr;
    std::uint8_t spendWindowClosed = 0;
    BRAVUIPaymentWindow* earnWindow = nullptr;
    std::uint8_t earnWindowClosed = 0;

private:
    void build();
    void buildButtons();
    void buildLootPanel();
    void buildEquippedPanel();
    GameUIPushButton* makeButton(const char* name, const char* caption, const char* toolTip, const float topLeft[2],
                                 const float bottomRight[2], void (BRAVUIEquipmentTab::*slot)(UIEvent::Data&));
    GameUIEditableTextLineBox* makeDisplayBox(const char* name, const std::string& text, const char* toolTip,
                                              const float topLeft[2], const float bottomRight[2]);

    // The row at an index, or null (no list, or no such row).
    BRAVUIEquipmentListItem* rowAt(std::uint32_t index) const;
    // The row listing item, or -1.
    std::int32_t rowOf(const BRAVCharacterEquipment* item) const;
    // The item of the row at selectedRow, or null.
    BRAVCharacterEquipment* selectedItem() const;
    // Empties and refills the list, then scrolls to and selects the row of show when it is listed,
    // else the row at fallbackRow (the last row when that is past the end).
    void rebuildList(const BRAVCharacterEquipment* show, std::uint32_t fallbackRow);
    // The selected item's description, and Equip enabled only for armour and shields.
    void showSelection();
    // Both equipped boxes and their "X" buttons from the inventory's slots.
    void refreshEquipped();

    void stepEquip();
    void stepExpand();
    void stepShuffle(bool up);
    void stepBuy();
    void stepExpend();
    // What each item's quantity was before the buy window's last change, to tell which item a
    // purchase added or stacked onto: the window reports a row count that names no row once
    // containers are open.
    void rememberQuantities();
    BRAVCharacterEquipment* changedItem() const;
    // Expends one of item (the rules take off a worn stack and keep a last container's
    // contents), then shows the result in this same update.
    void useUpOne(BRAVCharacterEquipment* item);
    // After one of item, listed at row, was used up: the list with item (or the row's
    // neighbour) selected, and the equipped boxes.
    void refreshAfterUse(const BRAVCharacterEquipment* item, std::int32_t row);
    // The sale, renaming, packing and money windows: each acts on what its window reported
    // since the last update, then closes it.
    void stepPack();
    void stepRename();
    void stepSaleAndMoney();
    void closeItemWindows();

    // One above the deepest widget of the panel, at most the deepest layer.
    std::uint32_t windowDepth() const;
    void closeExpendDialog();

    std::unordered_map<const BRAVCharacterEquipment*, int> knownQuantities_;
};
