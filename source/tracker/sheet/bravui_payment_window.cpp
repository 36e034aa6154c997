#include "tracker/sheet/bravui_payment_window.h"

#include <optional>

#include "rules/character_sheet.h"
#include "tracker/wizard/window_parts.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_label.h"

BRAVUIPaymentWindow::BRAVUIPaymentWindow(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                         CharacterSheet* character, bool spending, const float topLeft[2],
                                         const float bottomRight[2], const std::string& title, std::uint32_t depth)
    : BRAVUIConfirmWindow(tag, owner, theme, "paymentWindow", title, topLeft, bottomRight, depth), spending(spending),
      character(character) {
    const float labelTopLeft[2] = {-0.85f, 0.8f}, labelBottomRight[2] = {-0.55f, 0.4f};
    addChild(new GameUILabel(owner, theme, "descriptionLabel", "Description: ", "Description of this payment",
                             labelTopLeft, labelBottomRight, this, labelflag::notRightAligned, labelflag::notCentred,
                             labelflag::vertCentred));
    const float boxTopLeft[2] = {-0.5f, 0.8f}, boxBottomRight[2] = {0.85f, 0.4f};
    descriptionBox = new GameUIEditableTextLineBox(owner, theme, "descriptionBox",
                                                   spending ? "Spent money" : "Earned money", windowparts::mainFont(*this),
                                                   "A description of how or why this payment changed hands",
                                                   boxTopLeft, boxBottomRight, this, false);
    addChild(descriptionBox);
    addCoins(Money{}, 0.2f, -0.2f, -0.25f, -0.55f);
    addButtons({"Confirm", "Confirm", 0.65f, -0.65f, 0.95f, -0.95f}, {"Cancel", "Cancel", -0.95f, -0.65f, -0.65f, -0.95f});
}

const char* BRAVUIPaymentWindow::refusal(const Money& amount) const {
    // The coins may be made up by change, but not the total.
    if (spending && character && amount.totalInCopper() > character->wealth.current.totalInCopper()) {
        return coinentry::unaffordableMessage;
    }
    return nullptr;
}

void BRAVUIPaymentWindow::update(float dt) {
    const std::optional<Money> amount = checkAmount();
    if (confirmPressed) {
        confirmPressed = 0;
        if (amount && character) {
            if (spending) {
                character->spendMoney(descriptionBox->text, *amount);
            } else {
                character->earnMoney(descriptionBox->text, *amount);
            }
            reportEvent(confirmEvent);
        }
    }
    if (cancelPressed) {
        cancelPressed = 0;
        reportEvent(cancelEvent);
    }
    GameUIStandardElement::update(dt);
}
