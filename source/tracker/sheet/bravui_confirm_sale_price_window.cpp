#include "tracker/sheet/bravui_confirm_sale_price_window.h"

#include "rules/character_equipment.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_push_button.h"

BRAVUIConfirmSalePriceWindow::BRAVUIConfirmSalePriceWindow(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                                           CharacterSheet* character, BRAVCharacterEquipment* item,
                                                           const float topLeft[2], const float bottomRight[2],
                                                           const std::string& title, std::uint32_t depth)
    : GameUIBaseWindow(tag, owner, theme, "confirmEquipmentPriceAndNameWindow", title, topLeft, bottomRight, depth,
                       nullptr, true),
      item(item), character(character) {
    priceBoxes = coinentry::addCoinBoxes(this, owner, theme, item ? cataloguePrice(*item) : Money{});
    for (GameUIEditableTextLineBox* box : priceBoxes) box->eventSignal.connect(this, &BRAVUIConfirmSalePriceWindow::onPriceEvent);
    messageLabel = coinentry::addMessageLine(this, owner, theme);

    const float sellTopLeft[2] = {0.65f, -0.65f}, sellBottomRight[2] = {0.95f, -0.95f};
    sellButton = new GameUIPushButton(owner, theme, "doneButton", "Sell",
                                      "Confirm selling this item of equipment for the price entered above.",
                                      sellTopLeft, sellBottomRight, this);
    sellButton->signalsEnabled = 1;
    sellButton->clickSignal.connect(this, &BRAVUIConfirmSalePriceWindow::onSellButton);
    addChild(sellButton);
    const float cancelTopLeft[2] = {-0.95f, -0.65f}, cancelBottomRight[2] = {-0.65f, -0.95f};
    cancelButton = new GameUIPushButton(owner, theme, "cencelButton", "Cancel", "Cancel sale", cancelTopLeft,
                                        cancelBottomRight, this);
    cancelButton->signalsEnabled = 1;
    cancelButton->clickSignal.connect(this, &BRAVUIConfirmSalePriceWindow::onCancelButton);
    addChild(cancelButton);
    topDepth = getMaxChildDepth();
}

BRAVUIConfirmSalePriceWindow::~BRAVUIConfirmSalePriceWindow() {
    for (GameUIEditableTextLineBox* box : priceBoxes) box->eventSignal.disconnect(this);
    sellButton->clickSignal.disconnect(this);
    cancelButton->clickSignal.disconnect(this);
}

Money BRAVUIConfirmSalePriceWindow::cataloguePrice(const BRAVCharacterEquipment& item) {
    return item.record ? item.record->value : Money{};
}

Money BRAVUIConfirmSalePriceWindow::salePrice(const BRAVCharacterEquipment& item) {
    return item.customValue.isZero() ? cataloguePrice(item) : item.customValue;
}

void BRAVUIConfirmSalePriceWindow::onPriceEvent(UIEvent::Data&) { priceChanged = 1; }

void BRAVUIConfirmSalePriceWindow::onSellButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) sellPressed = 1;
}

void BRAVUIConfirmSalePriceWindow::onCancelButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) cancelPressed = 1;
}

std::optional<Money> BRAVUIConfirmSalePriceWindow::checkPrice() {
    const std::optional<Money> price = coinentry::readCoins(priceBoxes);
    const char* message = price ? "" : coinentry::invalidMessage;
    if (messageLabel->text != message) messageLabel->setText(message);
    sellButton->setEnabled(price.has_value());
    return price;
}

void BRAVUIConfirmSalePriceWindow::update(float dt) {
    priceChanged = 0;
    // Checked every frame rather than on box events alone: a pasted or set text raises none.
    const std::optional<Money> price = checkPrice();
    if (sellPressed) {
        sellPressed = 0;
        if (price) {
            // The unchanged catalogue price keeps a custom value the item was bought at.
            if (item && *price != cataloguePrice(*item)) item->customValue = *price;
            reportEvent(confirmEvent);
        }
    }
    if (cancelPressed) {
        cancelPressed = 0;
        reportEvent(cancelEvent);
    }
    GameUIStandardElement::update(dt);
}
