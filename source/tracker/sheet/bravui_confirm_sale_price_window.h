#pragma once
// "Confirm sale price for: " an owned item: the price in five coins at which one of it is sold,
// starting at the catalogue price of one piece (0 for an item the catalogue lacks). Sell keeps the
// price as the boxes hold it and reports "confirmSellEquipment"; the opener then earns exactly
// that price and uses up one of the item. Cancel and the close button report
// "cancelSellEquipment". Sell stays off while a box holds no count.
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

    // What Sell was pressed at: the price the boxes showed then.
    Money soldFor;
    BRAVCharacterEquipment* item;
    CharacterSheet* character;
};
