#pragma once
// A captioned button that reports a click on release after a press inside it, repeats while
// held, and plays the click sound when pressed.
#include <string>

#include "ui/game_ui_button_base.h"

class GameUIPushButton : public GameUIButtonBase {
public:
    static constexpr const char* clickSoundFile = "Data/sound/button_press.ogg";

    GameUIPushButton(UIContext* owner, const Theme* theme, const std::string& name, const std::string& caption,
                     const std::string& toolTip, const float topLeft[2], const float bottomRight[2],
                     GameUIBaseElement* parent);
    ~GameUIPushButton() override;

    void onActivated() override;

    std::string caption;
    RenderInterface::UIObject* captionBox = nullptr;

private:
    // A caption wider than the button is drawn at the largest smaller size of the same font in
    // the font list that it fits, else at the smallest.
    void fitCaption();
};
