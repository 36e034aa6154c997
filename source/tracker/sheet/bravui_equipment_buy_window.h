#pragma once
// "Buy or Aquire Equipment": the equipment catalogue by category ("Misc", "Weapons", "Armour",
// "Food", "Horses & Transport"), sorted by name, with the chosen record's description. Buy and
// Acquire open a confirmation for the chosen record; once it is confirmed the item is paid for
// (Buy) and added to the character, and "updatedInventory" reports the inventory row to show.
// Finish and the close button report "closeWindow". The window may stay open for any number of
// purchases; its opener removes it.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/game_ui_base_window.h"

class BRAVCharacterEquipment;
class BRAVUIConfirmAcquireEquipmentDetailsWindow;
class BRAVUIConfirmEquipmentPurchasePriceAndNameWindow;
class CharacterSheet;
class EquipmentCatalogue;
class GameUIComboBox;
class GameUIScrollableTextBox;
class GameUIStandardElementList;
struct Equipment;

class BRAVUIEquipmentBuyWindow : public GameUIBaseWindow {
public:
    static constexpr const char* windowName = "equipmentBuyWindow";
    static constexpr const char* closeEvent = "closeWindow";
    static constexpr const char* updatedEvent = "updatedInventory";
    static constexpr const char* titlePrefix = "Confirm details for: ";

    BRAVUIEquipmentBuyWindow(std::uint32_t tag, UIContext* owner, const Theme* theme, const float topLeft[2],
                             const float bottomRight[2], const std::string& title, std::uint32_t depth,
                             const EquipmentCatalogue* catalogue, CharacterSheet* character);
    // Also takes away a confirmation still open and the item it was confirming.
    ~BRAVUIEquipmentBuyWindow() override;

    void update(float dt) override;

    // The equipment types a category lists, in the order they are collected; none for other text.
    static std::vector<int> categoryTypes(const std::string& category);
    // A catalogue row's caption: "20x Arrows" for a record sold by twenty, else the name alone.
    static std::string rowText(const Equipment& record);

    // The record of the selected row, or null.
    const Equipment* selectedRecord() const;

    void onFinishButton(UIEvent::Data& event);
    void onBuyButton(UIEvent::Data& event);
    void onAcquireButton(UIEvent::Data& event);
    void onListEvent(UIEvent::Data& event);
    void onCategoryEvent(UIEvent::Data& event);
    void onPurchaseWindowEvent(UIEvent::Data& event);
    void onAcquireWindowEvent(UIEvent::Data& event);

    GameUIPushButton* finishButton = nullptr;
    GameUIPushButton* buyButton = nullptr;
    GameUIPushButton* acquireButton = nullptr;
    const EquipmentCatalogue* catalogue;
    CharacterSheet* character;
    std::uint8_t finishPressed = 0;
    GameUILabel* listTitleLabel = nullptr;
    GameUIStandardElementList* equipmentList = nullptr;
    GameUILabel* descriptionLabel = nullptr;
    GameUIScrollableTextBox* descriptionBox = nullptr;
    std::uint8_t selectionChanged = 0;
    std::uint8_t buyPressed = 0;
    std::uint8_t acquirePressed = 0;
    std::uint8_t buyConfirmed = 0;
    std::uint8_t acquireConfirmed = 0;
    std::uint8_t buyCancelled = 0;
    std::uint8_t acquireCancelled = 0;
    BRAVUIConfirmEquipmentPurchasePriceAndNameWindow* purchaseWindow = nullptr;
    BRAVUIConfirmAcquireEquipmentDetailsWindow* acquireWindow = nullptr;
    // The item a confirmation is open for; the purchase and the acquisition share it, so only one
    // confirmation is ever open.
    std::unique_ptr<BRAVCharacterEquipment> pendingItem;
    GameUIComboBox* categoryCombo = nullptr;
    std::uint8_t categoryChanged = 0;

private:
    // Lists the catalogue's records of the category, none selected.
    void fillList(const std::string& category);
    std::uint32_t confirmationDepth() const;
    void openConfirmation(GameUIBaseWindow* window);
    // Stops hearing a confirmation (null: none) and has the window manager take it away.
    void closeConfirmation(GameUIBaseWindow* window);
    // A new pending item of the selected record (given back in record); null when no row is
    // selected or a confirmation is already open.
    BRAVCharacterEquipment* startPending(const Equipment*& record);
    // Closes the confirmation, drops the pending item and makes this window active again.
    void finishPending(GameUIBaseWindow* window);
    void stepBuying();
    void stepAcquiring();
};
