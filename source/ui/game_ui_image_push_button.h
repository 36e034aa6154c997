#pragma once
// A push button that shows an image (such as an arrow) instead of a caption, without a sound.
#include <string>

#include "ui/game_ui_button_base.h"

class GameUIImagePushButton : public GameUIButtonBase {
public:
    GameUIImagePushButton(UIContext* owner, const Theme* theme, const std::string& name, const std::string& imageName,
                          const std::string& toolTip, const float topLeft[2], const float bottomRight[2],
                          GameUIBaseElement* parent);
    ~GameUIImagePushButton() override;

    RenderInterface::UIObject* image = nullptr;
};
