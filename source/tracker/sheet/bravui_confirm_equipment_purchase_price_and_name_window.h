#pragma once
// "Confirm details for: " + the item's name: the price to pay in five coins and an optional custom
// name for an item about to be bought. Pay is offered only while every coin box holds a count and
// the purse can pay the price that will be charged; the line under the boxes says why not. Pay
// writes the name and, when it differs from the catalogue price, the price into the pending item
// and reports "confirmBuyEquipment"; Cancel and the close button report "cancelBuyEquipment". The
// buy window that opened it does the paying and keeps the item.
#include <cstdint>
#include <optional>
#include <string>

#include "rules/money.h"
#include "ui/game_ui_base_window.h"

class BRAVCharacterEquipment;
class CharacterSheet;
class GameUIEditableTextLineBox;
class GameUILabel;

class BRAVUIConfirmEquipmentPurchasePriceAndNameWindow : public GameUIBaseWindow {
public:
    static constexpr const char* windowName = "confirmEquipmentPriceAndNameWindow";
    static constexpr const char* confirmEvent = "confirmBuyEquipment";
    static constexpr const char* cancelEvent = "cancelBuyEquipment";
    static constexpr const char* cannotPayMessage = "The purse cannot pay this amount.";
    static constexpr const char* invalidCoinMessage = "Enter each coin as a whole number from 0 to 999999999.";

    BRAVUIConfirmEquipmentPurchasePriceAndNameWindow(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                                     CharacterSheet* character, BRAVCharacterEquipment* item,
                                                     const float topLeft[2], const float bottomRight[2],
                                                     const std::string& title, std::uint32_t depth);
    ~BRAVUIConfirmEquipmentPurchasePriceAndNameWindow() override;

    void update(float dt) override;

    // The five boxes as money, an empty box counting 0; nothing when any box holds no count.
    std::optional<Money> typedPrice() const;
    // What Pay would charge for a typed price: the typed price, or the catalogue price when every
    // coin is 0.
    Money chargedPrice(const Money& typed) const;

    void onPriceBoxEvent(UIEvent::Data& event);
    void onPayButton(UIEvent::Data& event);
    void onCancelButton(UIEvent::Data& event);

    GameUIEditableTextLineBox* nameBox = nullptr;
    GameUIEditableTextLineBox* platinumBox = nullptr;
    GameUIEditableTextLineBox* goldBox = nullptr;
    GameUIEditableTextLineBox* electrumBox = nullptr;
    GameUIEditableTextLineBox* silverBox = nullptr;
    GameUIEditableTextLineBox* copperBox = nullptr;
    GameUILabel* messageLabel = nullptr;
    GameUIPushButton* payButton = nullptr;
    GameUIPushButton* cancelButton = nullptr;
    std::uint8_t priceChanged = 0;
    std::uint8_t payPressed = 0;
    std::uint8_t cancelPressed = 0;
    BRAVCharacterEquipment* item;
    CharacterSheet* character;

private:
    Money cataloguePrice() const;
    // True when a price box's text is not the one last tested.
    bool boxesChanged() const;
    // Enables Pay and sets the message line for the boxes as they are; true when Pay may go ahead.
    bool refreshPayState();
    void report(const char* eventName);

    // The price boxes' texts when Pay was last enabled or disabled, platinum first.
    std::string testedTexts[5];
};
