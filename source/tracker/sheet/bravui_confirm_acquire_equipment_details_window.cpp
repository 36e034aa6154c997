#include "tracker/sheet/bravui_confirm_acquire_equipment_details_window.h"

#include <optional>

#include "rules/character_equipment.h"
#include "tracker/typed_count.h"
#include "tracker/wizard/window_parts.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_label.h"

using Window = BRAVUIConfirmAcquireEquipmentDetailsWindow;

Window::BRAVUIConfirmAcquireEquipmentDetailsWindow(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                                   CharacterSheet* character, BRAVCharacterEquipment* item,
                                                   const float topLeft[2], const float bottomRight[2],
                                                   const std::string& title, std::uint32_t depth)
    : BRAVUIConfirmWindow(tag, owner, theme, windowName, title, topLeft, bottomRight, depth), item(item),
      character(character) {
    addNameBox(0.8f, 0.4f);

    const float labelTopLeft[2] = {-0.99f, 0.2f}, labelBottomRight[2] = {-0.75f, -0.2f};
    addChild(new GameUILabel(owner, theme, "attributeDescription", "Quantity: ",
                             "How many of the item we have acquired e.g. 30 arrows", labelTopLeft, labelBottomRight,
                             this, labelflag::notRightAligned, labelflag::notCentred, labelflag::vertCentred));
    const float boxTopLeft[2] = {-0.75f, 0.2f}, boxBottomRight[2] = {-0.25f, -0.2f};
    const int purchaseQuantity = item && item->record ? item->record->purchaseQuantity : 1;
    quantityBox = new GameUIEditableTextLineBox(owner, theme, "quantityEditBox", std::to_string(purchaseQuantity),
                                                windowparts::mainFont(*this),
                                                "Enter a quantity for this item'", boxTopLeft, boxBottomRight, this,
                                                true);
    quantityBox->eventSignal.connect(this, &Window::onQuantityBoxEvent);
    addChild(quantityBox);

    addButtons({"Acquire", "Confirm aquiring of the item described above.", 0.55f, -0.55f, 0.95f, -0.95f},
               {"Cancel", "Cancel acquisition", -0.95f, -0.55f, -0.55f, -0.95f});
}

Window::~BRAVUIConfirmAcquireEquipmentDetailsWindow() { quantityBox->eventSignal.disconnect(this); }

void Window::onQuantityBoxEvent(UIEvent::Data& event) {
    if (event.name == "keyPressed") {
        keyPressed = 1;
    } else if (event.name == "lostEditFocus") {
        quantityLostFocus = 1;
    }
}

std::int32_t Window::checkedQuantity() {
    const std::optional<std::uint32_t> count = typedcount::parse(quantityBox->text);
    if (count && *count > 0) return static_cast<std::int32_t>(*count);
    quantityBox->setText("1");
    return 1;
}

void Window::update(float dt) {
    keyPressed = 0;
    if (quantityLostFocus) {
        quantityLostFocus = 0;
        checkedQuantity();
    }
    if (confirmPressed) {
        confirmPressed = 0;
        // Acquire may come before the box has lost the focus: it checks the text the same way.
        const std::int32_t quantity = checkedQuantity();
        if (item) {
            if (item->record && nameBox->text != item->record->displayName) item->customName = nameBox->text;
            item->quantity = quantity;
        }
        reportEvent(confirmEvent);
    }
    if (cancelPressed) {
        cancelPressed = 0;
        reportEvent(cancelEvent);
    }
    GameUIStandardElement::update(dt);
}
