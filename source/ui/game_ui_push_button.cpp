#include "ui/game_ui_push_button.h"

#include "app/sound.h"
#include "app/sound_manager.h"
#include "ui/one_line_text.h"
#include "ui/theme.h"
#include "ui/ui_object_params.h"

GameUIPushButton::GameUIPushButton(UIContext* owner, const Theme* theme, const std::string& name,
                                   const std::string& caption, const std::string& toolTip, const float topLeft[2],
                                   const float bottomRight[2], GameUIBaseElement* parent)
    : GameUIButtonBase(owner, theme, name, toolTip, topLeft, bottomRight, parent), caption(caption) {
    captionBox = uiobject::create(renderInterface(), "TextBox", contentLayer());
    content_ = captionBox;
    captionFollowsState_ = true;
    if (theme) {
        uiobject::setColour(captionBox, TextBoxParameters::colour, (*theme)[Theme::TextNormal]);
        uiobject::setColour(captionBox, TextBoxParameters::colour2, (*theme)[Theme::TextNormal2]);
    }
    uiobject::setCorners<TextBoxParameters>(captionBox, absTopLeft, absBottomRight);
    uiobject::setString(captionBox, TextBoxParameters::string, caption);
    uiobject::setInt(captionBox, TextBoxParameters::horizAlignment, 0);
    uiobject::setInt(captionBox, TextBoxParameters::vertAlignment, 0);
    fitCaption();
    if (owner && owner->soundManager) clickSound = owner->soundManager->getSound(clickSoundFile);
}

void GameUIPushButton::fitCaption() {
    const RenderInterface* ri = renderInterface();
    if (!ri || caption.empty()) return;
    constexpr float marginPixels = 3.0f;
    const float room = absBottomRight[0] - absTopLeft[0] - 2.0f * marginPixels * pixelWidth();
    const FittingFonts fonts = fontsThatFit(ri, caption, room);
    if (fonts.regular == ri->mainFontName()) return;
    uiobject::setString(captionBox, TextBoxParameters::font, fonts.regular);
    if (!fonts.bold.empty()) uiobject::setString(captionBox, TextBoxParameters::boldFont, fonts.bold);
}

GameUIPushButton::~GameUIPushButton() { uiobject::destroy(renderInterface(), captionBox); }

void GameUIPushButton::onActivated() {
    if (clickSound) clickSound->play();
    GameUIButtonBase::onActivated();
}
