#include "ui/game_ui_image_push_button.h"

#include "ui/ui_object_params.h"

GameUIImagePushButton::GameUIImagePushButton(UIContext* owner, const Theme* theme, const std::string& name,
                                             const std::string& imageName, const std::string& toolTip,
                                             const float topLeft[2], const float bottomRight[2],
                                             GameUIBaseElement* parent)
    : GameUIButtonBase(owner, theme, name, toolTip, topLeft, bottomRight, parent) {
    image = uiobject::create(renderInterface(), imageName, contentLayer());
    content_ = image;
    uiobject::setCorners<TexturedRectangleParameters>(image, absTopLeft, absBottomRight);
    uiobject::setBool(image, TexturedRectangleParameters::usePointSampler, true);
    depth = topDepth = contentLayer();
}

GameUIImagePushButton::~GameUIImagePushButton() { uiobject::destroy(renderInterface(), image); }
