#include "tracker/sheet/bravui_payment_window.h"

#include "render/render_interface.h"
#include "rules/character_sheet.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_push_button.h"

BRAVUIPaymentWindow::BRAVUIPaymentWindow(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                         CharacterSheet* character, bool spending, const float topLeft[2],
                                         const float bottomRight[2], const std::string& title, std::uint32_t depth)
    : GameUIBaseWindow(tag, owner, theme, "paymentWindow", title, topLeft, bottomRight, depth, nullptr, true),
      spending(spending), character(character) {
    RenderInterface* ri = renderInterface();
    const std::string font = ri ? ri->mainFontName() : std::string();
    const float labelTopLeft[2] = {-0.85f, 0.8f}, labelBottomRight[2] = {-0.55f, 0.4f};
    addChild(new GameUILabel(owner, theme, "descriptionLabel", "Description: ", "Description of this payment",
                             labelTopLeft, labelBottomRight, this, false, false, true));
    const float boxTopLeft[2] = {-0.5f, 0.8f}, boxBottomRight[2] = {0.85f, 0.4f};
    descriptionBox = new GameUIEditableTextLineBox(owner, theme, "descriptionBox",
                                                   spending ? "Spent money" : "Earned money", font,
                                                   "A description of how or why this payment changed hands",
                                                   boxTopLeft, boxBottomRight, this, false);
    addChild(descriptionBox);
    descriptionBox->eventSignal.connect(this, &BRAVUIPaymentWindow::onAmountEvent);

    coinBoxes = coinentry::addCoinBoxes(this, owner, theme, Money{});
    for (GameUIEditableTextLineBox* box : coinBoxes) box->eventSignal.connect(this, &BRAVUIPaymentWindow::onAmountEvent);
    messageLabel = coinentry::addMessageLine(this, owner, theme);

    const float confirmTopLeft[2] = {0.65f, -0.65f}, confirmBottomRight[2] = {0.95f, -0.95f};
    confirmButton = new GameUIPushButton(owner, theme, "doneButton", "Confirm", "Confirm", confirmTopLeft,
                                         confirmBottomRight, this);
    confirmButton->signalsEnabled = 1;
    confirmButton->clickSignal.connect(this, &BRAVUIPaymentWindow::onConfirmButton);
    addChild(confirmButton);
    const float cancelTopLeft[2] = {-0.95f, -0.65f}, cancelBottomRight[2] = {-0.65f, -0.95f};
    cancelButton = new GameUIPushButton(owner, theme, "cencelButton", "Cancel", "Cancel", cancelTopLeft,
                                        cancelBottomRight, this);
    cancelButton->signalsEnabled = 1;
    cancelButton->clickSignal.connect(this, &BRAVUIPaymentWindow::onCancelButton);
    addChild(cancelButton);
    topDepth = getMaxChildDepth();
}

BRAVUIPaymentWindow::~BRAVUIPaymentWindow() {
    descriptionBox->eventSignal.disconnect(this);
    for (GameUIEditableTextLineBox* box : coinBoxes) box->eventSignal.disconnect(this);
    confirmButton->clickSignal.disconnect(this);
    cancelButton->clickSignal.disconnect(this);
}

void BRAVUIPaymentWindow::onAmountEvent(UIEvent::Data&) { amountChanged = 1; }

void BRAVUIPaymentWindow::onConfirmButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) confirmPressed = 1;
}

void BRAVUIPaymentWindow::onCancelButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) cancelPressed = 1;
}

std::optional<Money> BRAVUIPaymentWindow::checkAmount() {
    std::optional<Money> amount = coinentry::readCoins(coinBoxes);
    const char* message = "";
    if (!amount) {
        message = coinentry::invalidMessage;
    } else if (spending && character && amount->totalInCopper() > character->wealth.current.totalInCopper()) {
        message = coinentry::unaffordableMessage;
        amount.reset();
    }
    if (messageLabel->text != message) messageLabel->setText(message);
    confirmButton->setEnabled(amount.has_value());
    return amount;
}

void BRAVUIPaymentWindow::update(float dt) {
    amountChanged = 0;
    // Checked every frame rather than on box events alone: a pasted or set text raises none.
    const std::optional<Money> amount = checkAmount();
    if (confirmPressed) {
        confirmPressed = 0;
        if (amount && character) {
            if (spending) {
                character->wealth.spendMoney(descriptionBox->text, *amount);
            } else {
                character->wealth.earnMoney(descriptionBox->text, *amount);
            }
            character->saved = false;
            reportEvent(confirmEvent);
        }
    }
    if (cancelPressed) {
        cancelPressed = 0;
        reportEvent(cancelEvent);
    }
    GameUIStandardElement::update(dt);
}
