#include "tracker/sheet/bravui_confirm_equipment_purchase_price_and_name_window.h"

#include <optional>

#include "rules/character_equipment.h"
#include "rules/character_sheet.h"
#include "ui/game_ui_editable_text_line_box.h"

using Window = BRAVUIConfirmEquipmentPurchasePriceAndNameWindow;

Window::BRAVUIConfirmEquipmentPurchasePriceAndNameWindow(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                                         CharacterSheet* character, BRAVCharacterEquipment* item,
                                                         const float topLeft[2], const float bottomRight[2],
                                                         const std::string& title, std::uint32_t depth)
    : BRAVUIConfirmWindow(tag, owner, theme, windowName, title, topLeft, bottomRight, depth), item(item),
      character(character), cataloguePrice(item && item->record ? item->record->value : Money{}) {
    addNameBox(0.6f, 0.4f);
    addCoins(cataloguePrice, 0.2f, 0.0f, -0.1f, -0.3f);
    addButtons({"Pay", "Confirm payment of the price above", 0.75f, -0.75f, 0.95f, -0.95f},
               {"Cancel", "Cancel payment", -0.95f, -0.75f, -0.75f, -0.95f});
    checkAmount();
}

Money Window::chargedPrice(const Money& typed) const { return typed.isZero() ? cataloguePrice : typed; }

const char* Window::refusal(const Money& typed) const {
    return character && character->canAfford(chargedPrice(typed)) ? nullptr : coinentry::unaffordableMessage;
}

void Window::update(float dt) {
    const std::optional<Money> typed = checkAmount();
    if (confirmPressed) {
        confirmPressed = 0;
        if (typed && item) {
            item->customName = nameBox->text;
            // The catalogue price, typed as it stands or left at 0 in every coin, is no custom value.
            item->customValue = typed->isZero() || *typed == cataloguePrice ? Money{} : *typed;
            reportEvent(confirmEvent);
        }
    }
    if (cancelPressed) {
        cancelPressed = 0;
        reportEvent(cancelEvent);
    }
    GameUIStandardElement::update(dt);
}
