#include "ui/game_ui_confirmation_dialog.h"

#include "ui/game_ui_label.h"
#include "ui/game_ui_push_button.h"
#include "ui/text_measure.h"

namespace {

const float dialogTopLeft[2] = {-0.5f, 0.4f};
const float dialogBottomRight[2] = {0.5f, -0.3f};

} // namespace

GameUIConfirmationDialog::GameUIConfirmationDialog(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                                   const std::string& title, const std::string& messageText,
                                                   const std::string& name, std::uint32_t depth, std::uint32_t,
                                                   const std::string& okCaption, const std::string& cancelCaption)
    : GameUIBaseWindow(tag, owner, theme, name, title, dialogTopLeft, dialogBottomRight, depth, nullptr, false) {
    const float labelTopLeft[2] = {-0.95f, 0.9f};
    const float labelBottomRight[2] = {0.95f, -0.6f};
    message =
        new GameUILabel(owner, theme, "confirmationMessageMainText", messageText, "", labelTopLeft, labelBottomRight,
                        this, labelflag::notRightAligned, labelflag::notCentred, labelflag::atTop);
    addChild(message);

    const float okWidth = buttonWidth(okCaption);
    const float okTopLeft[2] = {-0.75f, -0.6f};
    const float okBottomRight[2] = {-0.75f + okWidth, -0.9f};
    okButton = new GameUIPushButton(owner, theme, "okButton", okCaption, "", okTopLeft, okBottomRight, this);
    const float cancelWidth = buttonWidth(cancelCaption);
    const float cancelTopLeft[2] = {0.75f - cancelWidth, -0.6f};
    const float cancelBottomRight[2] = {0.75f, -0.9f};
    cancelButton =
        new GameUIPushButton(owner, theme, "cancelButton", cancelCaption, "", cancelTopLeft, cancelBottomRight, this);
    for (GameUIPushButton* button : {okButton, cancelButton}) {
        button->signalsEnabled = 1;
        button->clickSignal.connect(this, &GameUIConfirmationDialog::onButton);
        addChild(button);
    }
    topDepth = getMaxChildDepth();
}

GameUIConfirmationDialog::~GameUIConfirmationDialog() {
    okButton->clickSignal.disconnect(this);
    cancelButton->clickSignal.disconnect(this);
}

float GameUIConfirmationDialog::buttonWidth(const std::string& caption) const {
    const std::string font = renderer ? renderer->mainFontName() : std::string();
    const TextMeasure size = measureUIText(renderer, font, caption, false, 20000.0f);
    return size.width / ((absBottomRight[0] - absTopLeft[0]) * 0.5f) + 0.1f;
}

void GameUIConfirmationDialog::onButton(UIEvent::Data& event) {
    if (event.type != UIEvent::Click) return;
    if (event.name == "okButton" || event.name == "cancelButton") eventSignal.emit(event);
}
