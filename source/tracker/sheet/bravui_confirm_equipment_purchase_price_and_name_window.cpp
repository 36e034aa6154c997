#include "tracker/sheet/bravui_confirm_equipment_purchase_price_and_name_window.h"

#include <iterator>

#include "render/render_interface.h"
#include "rules/character_equipment.h"
#include "rules/character_sheet.h"
#include "tracker/sheet/coin_entry.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_push_button.h"

namespace {

using Window = BRAVUIConfirmEquipmentPurchasePriceAndNameWindow;

constexpr const char* renameToolTip =
    "A custom name for this piece of equipment, good for adding simple descriptive detail e.g. 'Black cloak' "
    "instead of just 'cloak'. The custom name will be used in place of the default name if entered.";

constexpr float coinTop = 0.2f, coinBottom = 0.0f;

GameUIPushButton* makeButton(UIContext* owner, const Theme* theme, const char* name, const char* caption,
                             const char* toolTip, float left, float right, GameUIBaseElement* parent) {
    const float topLeft[2] = {left, -0.75f}, bottomRight[2] = {right, -0.95f};
    auto* button = new GameUIPushButton(owner, theme, name, caption, toolTip, topLeft, bottomRight, parent);
    button->signalsEnabled = 1;
    return button;
}

} // namespace

Window::BRAVUIConfirmEquipmentPurchasePriceAndNameWindow(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                                         CharacterSheet* character, BRAVCharacterEquipment* item,
                                                         const float topLeft[2], const float bottomRight[2],
                                                         const std::string& title, std::uint32_t depth)
    : GameUIBaseWindow(tag, owner, theme, windowName, title, topLeft, bottomRight, depth, nullptr, true), item(item),
      character(character) {
    RenderInterface* ri = renderInterface();
    const std::string font = ri ? ri->mainFontName() : std::string();

    const float renameTopLeft[2] = {-0.99f, 0.6f}, renameBottomRight[2] = {-0.75f, 0.4f};
    addChild(new GameUILabel(owner, theme, "attributeDescription", "Rename: ", renameToolTip, renameTopLeft,
                             renameBottomRight, this, false, false, true));
    const float nameTopLeft[2] = {-0.75f, 0.6f}, nameBottomRight[2] = {0.85f, 0.4f};
    nameBox = new GameUIEditableTextLineBox(owner, theme, "nameEditBox", "", font, "Enter a custom name for this item'",
                                            nameTopLeft, nameBottomRight, this, false);
    addChild(nameBox);

    const Money price = cataloguePrice();
    const coinentry::CoinBoxes boxes = coinentry::addCoinBoxes(this, owner, theme, price, coinTop, coinBottom);
    for (GameUIEditableTextLineBox* box : boxes) box->eventSignal.connect(this, &Window::onPriceBoxEvent);
    platinumBox = boxes[0];
    goldBox = boxes[1];
    electrumBox = boxes[2];
    silverBox = boxes[3];
    copperBox = boxes[4];

    const float messageTopLeft[2] = {-0.85f, -0.1f}, messageBottomRight[2] = {0.85f, -0.3f};
    messageLabel = new GameUILabel(owner, theme, "priceMessageLabel", "", "", messageTopLeft, messageBottomRight, this,
                                   false, false, true);
    addChild(messageLabel);

    payButton = makeButton(owner, theme, "doneButton", "Pay", "Confirm payment of the price above", 0.75f, 0.95f, this);
    payButton->clickSignal.connect(this, &Window::onPayButton);
    addChild(payButton);
    cancelButton = makeButton(owner, theme, "cencelButton", "Cancel", "Cancel payment", -0.95f, -0.75f, this);
    cancelButton->clickSignal.connect(this, &Window::onCancelButton);
    addChild(cancelButton);
    // Closing the window is cancelling the purchase.
    if (closeButton) {
        closeButton->clickSignal.disconnect(this);
        closeButton->clickSignal.connect(this, &Window::onCancelButton);
    }
    refreshPayState();
    topDepth = getMaxChildDepth();
}

Window::~BRAVUIConfirmEquipmentPurchasePriceAndNameWindow() {
    for (GameUIEditableTextLineBox* box : {platinumBox, goldBox, electrumBox, silverBox, copperBox}) {
        box->eventSignal.disconnect(this);
    }
    payButton->clickSignal.disconnect(this);
    cancelButton->clickSignal.disconnect(this);
}

Money Window::cataloguePrice() const { return item && item->record ? item->record->value : Money{}; }

std::optional<Money> Window::typedPrice() const {
    return coinentry::readCoins({platinumBox, goldBox, electrumBox, silverBox, copperBox});
}

Money Window::chargedPrice(const Money& typed) const { return typed.isZero() ? cataloguePrice() : typed; }

bool Window::boxesChanged() const {
    const GameUIEditableTextLineBox* boxes[] = {platinumBox, goldBox, electrumBox, silverBox, copperBox};
    for (std::size_t i = 0; i < std::size(boxes); ++i) {
        if (boxes[i]->text != testedTexts[i]) return true;
    }
    return false;
}

bool Window::refreshPayState() {
    const GameUIEditableTextLineBox* boxes[] = {platinumBox, goldBox, electrumBox, silverBox, copperBox};
    for (std::size_t i = 0; i < std::size(boxes); ++i) testedTexts[i] = boxes[i]->text;
    const std::optional<Money> typed = typedPrice();
    const bool affordable = typed && character && character->canAfford(chargedPrice(*typed));
    payButton->setEnabled(affordable);
    const char* message = !typed ? coinentry::invalidMessage : affordable ? "" : coinentry::unaffordableMessage;
    if (messageLabel->text != message) messageLabel->setText(message);
    return affordable;
}

void Window::onPriceBoxEvent(UIEvent::Data&) { priceChanged = 1; }

void Window::onPayButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) payPressed = 1;
}

void Window::onCancelButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) cancelPressed = 1;
}

void Window::report(const char* eventName) {
    eventData.type = UIEvent::Click;
    eventData.name = eventName;
    eventData.source = this;
    eventData.value = 0;
    windowSignal.emit(eventData);
}

void Window::update(float dt) {
    // A paste reports nothing, so the texts themselves are compared too.
    if (priceChanged || boxesChanged()) {
        priceChanged = 0;
        refreshPayState();
    }
    if (payPressed) {
        payPressed = 0;
        // The boxes are read again: a paste or a key in this frame may have changed them.
        if (refreshPayState() && item) {
            const Money typed = *typedPrice();
            item->customName = nameBox->text;
            // The catalogue price, typed as it stands or left at 0 in every coin, is no custom value.
            item->customValue = typed.isZero() || typed == cataloguePrice() ? Money{} : typed;
            report(confirmEvent);
        }
    }
    if (cancelPressed) {
        cancelPressed = 0;
        report(cancelEvent);
    }
    GameUIStandardElement::update(dt);
}
