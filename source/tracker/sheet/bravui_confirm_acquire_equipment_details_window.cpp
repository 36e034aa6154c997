#include "tracker/sheet/bravui_confirm_acquire_equipment_details_window.h"

#include <optional>

#include "render/render_interface.h"
#include "rules/character_equipment.h"
#include "tracker/typed_count.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_push_button.h"

namespace {

using Window = BRAVUIConfirmAcquireEquipmentDetailsWindow;

constexpr const char* renameToolTip =
    "A custom name for this piece of equipment, good for adding simple descriptive detail e.g. 'Black cloak' "
    "instead of just 'cloak'. The custom name will be used in place of the default name if entered.";

GameUIPushButton* makeButton(UIContext* owner, const Theme* theme, const char* name, const char* caption,
                             const char* toolTip, float left, float right, GameUIBaseElement* parent) {
    const float topLeft[2] = {left, -0.55f}, bottomRight[2] = {right, -0.95f};
    auto* button = new GameUIPushButton(owner, theme, name, caption, toolTip, topLeft, bottomRight, parent);
    button->signalsEnabled = 1;
    return button;
}

} // namespace

Window::BRAVUIConfirmAcquireEquipmentDetailsWindow(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                                   CharacterSheet* character, BRAVCharacterEquipment* item,
                                                   const float topLeft[2], const float bottomRight[2],
                                                   const std::string& title, std::uint32_t depth)
    : GameUIBaseWindow(tag, owner, theme, windowName, title, topLeft, bottomRight, depth, nullptr, true), item(item),
      character(character) {
    RenderInterface* ri = renderInterface();
    const std::string font = ri ? ri->mainFontName() : std::string();

    const float renameTopLeft[2] = {-0.99f, 0.8f}, renameBottomRight[2] = {-0.75f, 0.4f};
    addChild(new GameUILabel(owner, theme, "attributeDescription", "Rename: ", renameToolTip, renameTopLeft,
                             renameBottomRight, this, false, false, true));
    const float nameTopLeft[2] = {-0.75f, 0.8f}, nameBottomRight[2] = {0.85f, 0.4f};
    nameBox = new GameUIEditableTextLineBox(owner, theme, "nameEditBox", "", font, "Enter a custom name for this item'",
                                            nameTopLeft, nameBottomRight, this, false);
    addChild(nameBox);

    const float quantityLabelTopLeft[2] = {-0.99f, 0.2f}, quantityLabelBottomRight[2] = {-0.75f, -0.2f};
    addChild(new GameUILabel(owner, theme, "attributeDescription", "Quantity: ",
                             "How many of the item we have acquired e.g. 30 arrows", quantityLabelTopLeft,
                             quantityLabelBottomRight, this, false, false, true));
    const float quantityTopLeft[2] = {-0.75f, 0.2f}, quantityBottomRight[2] = {-0.25f, -0.2f};
    const int purchaseQuantity = item && item->record ? item->record->purchaseQuantity : 1;
    quantityBox = new GameUIEditableTextLineBox(owner, theme, "quantityEditBox", std::to_string(purchaseQuantity), font,
                                                "Enter a quantity for this item'", quantityTopLeft,
                                                quantityBottomRight, this, true);
    quantityBox->eventSignal.connect(this, &Window::onQuantityBoxEvent);
    addChild(quantityBox);

    acquireButton = makeButton(owner, theme, "doneButton", "Acquire", "Confirm aquiring of the item described above.",
                               0.55f, 0.95f, this);
    acquireButton->clickSignal.connect(this, &Window::onAcquireButton);
    addChild(acquireButton);
    cancelButton = makeButton(owner, theme, "cencelButton", "Cancel", "Cancel acquisition", -0.95f, -0.55f, this);
    cancelButton->clickSignal.connect(this, &Window::onCancelButton);
    addChild(cancelButton);
    // Closing the window is cancelling the acquisition.
    if (closeButton) {
        closeButton->clickSignal.disconnect(this);
        closeButton->clickSignal.connect(this, &Window::onCancelButton);
    }
    topDepth = getMaxChildDepth();
}

Window::~BRAVUIConfirmAcquireEquipmentDetailsWindow() {
    quantityBox->eventSignal.disconnect(this);
    acquireButton->clickSignal.disconnect(this);
    cancelButton->clickSignal.disconnect(this);
}

void Window::onQuantityBoxEvent(UIEvent::Data& event) {
    if (event.name == "keyPressed") {
        keyPressed = 1;
    } else if (event.name == "lostEditFocus") {
        quantityLostFocus = 1;
    }
}

void Window::onAcquireButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) acquirePressed = 1;
}

void Window::onCancelButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) cancelPressed = 1;
}

std::int32_t Window::checkedQuantity() {
    const std::optional<std::uint32_t> count = typedcount::parse(quantityBox->text);
    if (count && *count > 0) return static_cast<std::int32_t>(*count);
    quantityBox->setText("1");
    return 1;
}

void Window::report(const char* eventName) {
    eventData.type = UIEvent::Click;
    eventData.name = eventName;
    eventData.source = this;
    eventData.value = 0;
    windowSignal.emit(eventData);
}

void Window::update(float dt) {
    keyPressed = 0;
    if (quantityLostFocus) {
        quantityLostFocus = 0;
        checkedQuantity();
    }
    if (acquirePressed) {
        acquirePressed = 0;
        // Acquire may come before the box has lost the focus: it checks the text the same way.
        const std::int32_t quantity = checkedQuantity();
        if (item) {
            if (item->record && nameBox->text != item->record->displayName) item->customName = nameBox->text;
            item->quantity = quantity;
        }
        report(confirmEvent);
    }
    if (cancelPressed) {
        cancelPressed = 0;
        report(cancelEvent);
    }
    GameUIStandardElement::update(dt);
}
