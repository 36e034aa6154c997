#include "ui/game_ui_info_popup_dialog.h"

#include "ui/game_ui_push_button.h"
#include "ui/theme.h"
#include "ui/ui_object_params.h"

namespace {

const float popupTopLeft[2] = {-0.5f, 0.3f};
const float popupBottomRight[2] = {0.5f, -0.3f};
constexpr std::uint32_t windowDepth = 9;
// Above the dialogs opened before it.
constexpr std::uint32_t popupDepth = 18;

} // namespace

GameUIInfoPopupDialog::GameUIInfoPopupDialog(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                             const std::string& title, const std::string& messageText,
                                             const std::string& name, std::uint32_t)
    : GameUIBaseWindow(tag, owner, theme, name, title, popupTopLeft, popupBottomRight, windowDepth, nullptr, false),
      message(messageText) {
    depth = parent ? childDepth(parent) : popupDepth;
    backgroundObject = uiobject::create(renderer, "ui_simple_rectangle", depth);
    uiobject::setCorners(backgroundObject, absTopLeft, absBottomRight);
    textObject = uiobject::create(renderer, "TextBox", depth + 1);
    uiobject::setCorners(textObject, absTopLeft[0] + 0.05f, absTopLeft[1] - 0.1f, absBottomRight[0] - 0.05f,
                         absBottomRight[1] + 0.1f);
    uiobject::setString(textObject, "string", message);
    uiobject::setInt(textObject, "horizAlignment", -1);
    uiobject::setInt(textObject, "vertAlignment", -1);
    if (theme) {
        uiobject::setColour(backgroundObject, "colour", (*theme)[Theme::SolidPanelNormal]);
        uiobject::setColour(textObject, "colour", (*theme)[Theme::TextNormal]);
        uiobject::setColour(textObject, "colour2", (*theme)[Theme::TextNormal2]);
    }
    const float okTopLeft[2] = {-0.15f, -0.7f};
    const float okBottomRight[2] = {0.15f, -0.9f};
    okButton = new GameUIPushButton(owner, theme, "okButton", "OK", "", okTopLeft, okBottomRight, this);
    okButton->signalsEnabled = 1;
    okButton->clickSignal.connect(this, &GameUIInfoPopupDialog::onButton);
    addChild(okButton);
    topDepth = getMaxChildDepth();
}

GameUIInfoPopupDialog::~GameUIInfoPopupDialog() {
    okButton->clickSignal.disconnect(this);
    uiobject::destroy(renderer, backgroundObject);
    uiobject::destroy(renderer, textObject);
}

void GameUIInfoPopupDialog::onButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click && event.name == "okButton") eventSignal.emit(event);
}
