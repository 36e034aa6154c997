#include "tracker/sheet/bravui_confirm_sale_price_window.h"

#include <optional>

#include "rules/character_equipment.h"
#include "rules/inventory.h"

BRAVUIConfirmSalePriceWindow::BRAVUIConfirmSalePriceWindow(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                                           CharacterSheet* character, BRAVCharacterEquipment* item,
                                                           const float topLeft[2], const float bottomRight[2],
                                                           const std::string& title, std::uint32_t depth)
    : BRAVUIConfirmWindow(tag, owner, theme, "confirmEquipmentPriceAndNameWindow", title, topLeft, bottomRight, depth),
      item(item), character(character) {
    addCoins(item ? Inventory::priceOfOne(*item) : Money{}, 0.2f, -0.2f, -0.25f, -0.55f);
    addButtons({"Sell", "Confirm selling this item of equipment for the price entered above.", 0.65f, -0.65f, 0.95f,
                -0.95f},
               {"Cancel", "Cancel sale", -0.95f, -0.65f, -0.65f, -0.95f});
}

void BRAVUIConfirmSalePriceWindow::update(float dt) {
    const std::optional<Money> price = checkAmount();
    if (confirmPressed) {
        confirmPressed = 0;
        if (price) {
            // The sale earns what the player sees; the price the item was bought at is its own.
            soldFor = *price;
            reportEvent(confirmEvent);
        }
    }
    if (cancelPressed) {
        cancelPressed = 0;
        reportEvent(cancelEvent);
    }
    GameUIStandardElement::update(dt);
}
