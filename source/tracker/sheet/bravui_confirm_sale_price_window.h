#pragma once
// "Confirm sale price for: " an owned item: the price in five coins, starting at the catalogue
// price (0 for an item the catalogue lacks). Sell sets the item's custom value to a changed
// price and reports "confirmSellEquipment"; the opener then earns the price and uses up one of
// the item. Cancel reports "cancelSellEquipment"; the opener treats the close button's
// "closeDialog" as Cancel. Sell stays off while a box holds no count.
#include <cstdint>
#include <optional>
#include <string>

#include "rules/money.h"
#include "tracker/sheet/coin_entry.h"
#include "ui/game_ui_base_window.h"

class BRAVCharacterEquipment;
class CharacterSheet;
class GameUILabel;

class BRAVUIConfirmSalePriceWindow : public GameUIBaseWindow {
public:
    static constexpr const char* confirmEvent = "confirmSellEquipment";
    static constexpr const char* cancelEvent = "cancelSellEquipment";

    BRAVUIConfirmSalePriceWindow(std::uint32_t tag, UIContext* owner, const Theme* theme, CharacterSheet* character,
                                 BRAVCharacterEquipment* item, const float topLeft[2], const float bottomRight[2],
                                 const std::string& title, std::uint32_t depth);
    ~BRAVUIConfirmSalePriceWindow() override;

    void update(float dt) override;

    // The catalogue price of item; nothing for an item without a catalogue record.
    static Money cataloguePrice(const BRAVCharacterEquipment& item);
    // What selling item earns: its custom value when any coin of it is set, else the catalogue
    // price.
    static Money salePrice(const BRAVCharacterEquipment& item);

    void onPriceEvent(UIEvent::Data& event);
    void onSellButton(UIEvent::Data& event);
    void onCancelButton(UIEvent::Data& event);

    coinentry::CoinBoxes priceBoxes{};
    GameUILabel* messageLabel = nullptr;
    GameUIPushButton* sellButton = nullptr;
    GameUIPushButton* cancelButton = nullptr;
    std::uint8_t priceChanged = 0;
    std::uint8_t sellPressed = 0;
    BRAVCharacterEquipment* item;
    CharacterSheet* character;
    std::uint8_t cancelPressed = 0;

private:
    std::optional<Money> checkPrice();
};
