#include "ui/game_ui_info_popup_dialog.h"

#include <algorithm>

#include "ui/game_ui_push_button.h"
#include "ui/theme.h"
#include "ui/ui_object_params.h"
#include "ui/window_manager.h"

namespace {

const float popupTopLeft[2] = {-0.5f, 0.3f};
const float popupBottomRight[2] = {0.5f, -0.3f};
// Without a window manager to ask, the depth of a dialog opened on the main menu.
constexpr std::uint32_t fallbackWindowDepth = 9;

// A message goes above every window open, also above the dialog whose error it reports.
std::uint32_t popupWindowDepth(const UIContext* owner) {
    return owner && owner->windowManager ? owner->windowManager->depthForNewWindow() : fallbackWindowDepth;
}

} // namespace

GameUIInfoPopupDialog::GameUIInfoPopupDialog(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                             const std::string& title, const std::string& messageText,
                                             const std::string& name, std::uint32_t)
    : GameUIBaseWindow(tag, owner, theme, name, title, popupTopLeft, popupBottomRight, popupWindowDepth(owner), nullptr,
                       false),
      message(messageText) {
    // The panel and its message lie above the frame and the title drawn at the window's depth.
    depth = std::min(depth + 1, maxDepth);
    backgroundObject = uiobject::create(renderer, "ui_simple_rectangle", depth);
    uiobject::setCorners<SimpleRectangleParameters>(backgroundObject, absTopLeft, absBottomRight);
    textObject = uiobject::create(renderer, "TextBox", depth + 1);
    uiobject::setCorners<TextBoxParameters>(textObject, absTopLeft[0] + 0.05f, absTopLeft[1] - 0.1f,
                                            absBottomRight[0] - 0.05f, absBottomRight[1] + 0.1f);
    uiobject::setString(textObject, TextBoxParameters::string, message);
    uiobject::setInt(textObject, TextBoxParameters::horizAlignment, -1);
    uiobject::setInt(textObject, TextBoxParameters::vertAlignment, -1);
    if (theme) {
        uiobject::setColour(backgroundObject, SimpleRectangleParameters::colour, (*theme)[Theme::SolidPanelNormal]);
        uiobject::setColour(textObject, TextBoxParameters::colour, (*theme)[Theme::TextNormal]);
        uiobject::setColour(textObject, TextBoxParameters::colour2, (*theme)[Theme::TextNormal2]);
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
