#pragma once
// Pieces that the creation steps and the sheet's windows build alike: section titles in the style
// of a window title, push buttons that report their clicks to one of the window's handlers, the
// "Next Step" every creation step ends with, and the font of their edit boxes.
#include <string>

#include "ui/game_ui_push_button.h"
#include "ui/game_ui_standard_element.h"
#include "ui/ui_event.h"

class GameUILabel;

namespace windowparts {

// The faces of a section title, as a window's title bar has them: its text is all in the bold span.
constexpr const char* titleFont = "EBGaramond-Regular_48";
constexpr const char* titleBoldFont = "original-garamond-bold-bt_48";

constexpr const char* nextStepToolTip =
    "Advance to the next step of character creation when you have a valid set of stats.";

// "<id='TitleBarText'[*" + title + "]>": the title in bold, coloured as a window title.
std::string titleText(const std::string& title);

// A left-aligned label of parent showing titleText(title) in the title faces, owned by parent.
GameUILabel* addTitleLabel(GameUIStandardElement& parent, const std::string& name, const std::string& title,
                           float left, float top, float right, float bottom);

// The render interface's default font, in which edit boxes show their text; empty without one.
std::string mainFont(const GameUIBaseElement& element);

// A push button of window, owned by it, that reports its clicks to handler: the button is set to
// report them when it is made, since without that it never does.
template <class Window>
GameUIPushButton* addReportingButton(Window& window, const std::string& name, const std::string& caption,
                                     const std::string& toolTip, float left, float top, float right, float bottom,
                                     void (Window::*handler)(UIEvent::Data&)) {
    const float topLeft[2] = {left, top}, bottomRight[2] = {right, bottom};
    auto* button = new GameUIPushButton(window.owner, window.theme, name, caption, toolTip, topLeft, bottomRight,
                                        &window);
    button->signalsEnabled = 1;
    button->clickSignal.connect(&window, handler);
    window.addChild(button);
    return button;
}

// The "Next Step" of a creation step: named "rerollStatsButton" like the attributes step's
// Reroll All, and disabled until the step has what it needs.
template <class Window>
GameUIPushButton* addNextStepButton(Window& window, float left, float top, float right, float bottom,
                                    void (Window::*handler)(UIEvent::Data&)) {
    GameUIPushButton* button = addReportingButton(window, "rerollStatsButton", "Next Step", nextStepToolTip, left,
                                                  top, right, bottom, handler);
    button->disable();
    return button;
}

} // namespace windowparts
