#include "tracker/sheet/bravui_confirm_window.h"

#include "tracker/wizard/window_parts.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_push_button.h"

namespace {

constexpr const char* renameToolTip =
    "A custom name for this piece of equipment, good for adding simple descriptive detail e.g. 'Black cloak' "
    "instead of just 'cloak'. The custom name will be used in place of the default name if entered.";

} // namespace

BRAVUIConfirmWindow::BRAVUIConfirmWindow(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                         const std::string& name, const std::string& title, const float topLeft[2],
                                         const float bottomRight[2], std::uint32_t depth)
    : GameUIBaseWindow(tag, owner, theme, name, title, topLeft, bottomRight, depth, nullptr, true) {
    // Closing the window is cancelling it.
    if (closeButton) {
        closeButton->clickSignal.disconnect(this);
        closeButton->clickSignal.connect(this, &BRAVUIConfirmWindow::onCancelButton);
    }
}

BRAVUIConfirmWindow::~BRAVUIConfirmWindow() {
    if (confirmButton) confirmButton->clickSignal.disconnect(this);
    if (cancelButton) cancelButton->clickSignal.disconnect(this);
}

void BRAVUIConfirmWindow::addButtons(const Button& confirm, const Button& cancel) {
    const auto make = [this](const char* name, const Button& wanted,
                             void (BRAVUIConfirmWindow::*slot)(UIEvent::Data&)) {
        return windowparts::addReportingButton(*this, name, wanted.caption, wanted.toolTip, wanted.left, wanted.top,
                                               wanted.right, wanted.bottom, slot);
    };
    confirmButton = make("doneButton", confirm, &BRAVUIConfirmWindow::onConfirmButton);
    cancelButton = make("cencelButton", cancel, &BRAVUIConfirmWindow::onCancelButton);
    topDepth = getMaxChildDepth();
}

void BRAVUIConfirmWindow::addCoins(const Money& start, float top, float bottom, float messageTop,
                                   float messageBottom) {
    coinBoxes = coinentry::addCoinBoxes(this, context, theme, start, top, bottom);
    messageLabel = coinentry::addMessageLine(this, context, theme, messageTop, messageBottom);
}

void BRAVUIConfirmWindow::addNameBox(float top, float bottom) {
    const float labelTopLeft[2] = {-0.99f, top}, labelBottomRight[2] = {-0.75f, bottom};
    addChild(new GameUILabel(context, theme, "attributeDescription", "Rename: ", renameToolTip, labelTopLeft,
                             labelBottomRight, this, labelflag::notRightAligned, labelflag::notCentred,
                             labelflag::vertCentred));
    const float boxTopLeft[2] = {-0.75f, top}, boxBottomRight[2] = {0.85f, bottom};
    nameBox = new GameUIEditableTextLineBox(context, theme, "nameEditBox", "", windowparts::mainFont(*this),
                                            "Enter a custom name for this item'", boxTopLeft, boxBottomRight, this,
                                            false);
    addChild(nameBox);
}

void BRAVUIConfirmWindow::onConfirmButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) confirmPressed = 1;
}

void BRAVUIConfirmWindow::onCancelButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) cancelPressed = 1;
}

std::optional<Money> BRAVUIConfirmWindow::checkAmount() {
    std::optional<Money> amount = coinentry::readCoins(coinBoxes);
    const char* message = amount ? refusal(*amount) : coinentry::invalidMessage;
    if (!message) message = "";
    if (*message) amount.reset();
    if (messageLabel && messageLabel->text != message) messageLabel->setText(message);
    if (confirmButton) confirmButton->setEnabled(amount.has_value());
    return amount;
}
