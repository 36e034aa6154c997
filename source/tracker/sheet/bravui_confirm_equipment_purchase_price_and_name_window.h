#pragma once
// "Confirm details for: " + the item's name: the price to pay in five coins and an optional custom
// name for an item about to be bought. Pay is offered only while every coin box holds a count and
// the purse can pay the price that will be charged; the line under the boxes says why not. Pay
// writes the name and, when it differs from the catalogue price, the price into the pending item
// and reports "confirmBuyEquipment"; Cancel and the close button report "cancelBuyEquipment". The
// buy window that opened it does the paying and keeps the item.
#include <cstdint>
#include <string>

#include "rules/money.h"
#include "tracker/sheet/bravui_confirm_window.h"

class BRAVCharacterEquipment;
class CharacterSheet;

class BRAVUIConfirmEquipmentPurchasePriceAndNameWindow : public BRAVUIConfirmWindow {
public:
    static constexpr const char* windowName = "confirmEquipmentPriceAndNameWindow";
    static constexpr const char* confirmEvent = "confirmBuyEquipment";
    static constexpr const char* cancelEvent = "cancelBuyEquipment";

    BRAVUIConfirmEquipmentPurchasePriceAndNameWindow(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                                     CharacterSheet* character, BRAVCharacterEquipment* item,
                                                     const float topLeft[2], const float bottomRight[2],
                                                     const std::string& title, std::uint32_t depth);

    void update(float dt) override;

    // What Pay would charge for a typed price: the typed price, or the catalogue price when every
    // coin is 0.
    Money chargedPrice(const Money& typed) const;

    // Written on Pay only: the buy window may delete it while this window waits for removal.
    BRAVCharacterEquipment* item;
    CharacterSheet* character;
    // The price the boxes start at and the one all-zero boxes charge.
    const Money cataloguePrice;

protected:
    const char* refusal(const Money& typed) const override;
};
