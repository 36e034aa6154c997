#pragma once
// "Confirm sale price for: " an owned item: the price in five coins, starting at the catalogue
// price (0 for an item the catalogue lacks). Sell sets the item's custom value to a changed
// price and reports "confirmSellEquipment"; the opener then earns the price and uses up one of
// the item. Cancel and the close button report "cancelSellEquipment". Sell stays off while a box
// holds no count.
#include <cstdint>
#include <string>

#include "rules/money.h"
#include "tracker/sheet/bravui_confirm_window.h"

class BRAVCharacterEquipment;
class CharacterSheet;

class BRAVUIConfirmSalePriceWindow : public BRAVUIConfirmWindow {
public:
    static constexpr const char* confirmEvent = "confirmSellEquipment";
    static constexpr const char* cancelEvent = "cancelSellEquipment";

    BRAVUIConfirmSalePriceWindow(std::uint32_t tag, UIContext* owner, const Theme* theme, CharacterSheet* character,
                                 BRAVCharacterEquipment* item, const float topLeft[2], const float bottomRight[2],
                                 const std::string& title, std::uint32_t depth);

    void update(float dt) override;

    // The catalogue price of item; nothing for an item without a catalogue record.
    static Money cataloguePrice(const BRAVCharacterEquipment& item);
    // What selling item earns: its custom value when any coin of it is set, else the catalogue
    // price.
    static Money salePrice(const BRAVCharacterEquipment& item);

    BRAVCharacterEquipment* item;
    CharacterSheet* character;
};
