#include "ui/game_ui_push_button.h"

#include "app/sound.h"
#include "app/sound_manager.h"
#include "ui/text_measure.h"
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
    auto fits = [&](const std::string& font) { return measureUIText(ri, font, caption, true, 20000.0f).width <= room; };
    if (fits(ri->mainFontName())) return;
    const std::vector<std::string> regular = ri->smallerSizesOfFont(ri->mainFontName());
    if (regular.empty()) return;
    const std::vector<std::string> bold = ri->smallerSizesOfFont(ri->boldFontName());
    std::size_t chosen = regular.size() - 1;
    for (std::size_t i = 0; i < regular.size(); ++i) {
        if (!fits(regular[i])) continue;
        chosen = i;
        break;
    }
    uiobject::setString(captionBox, TextBoxParameters::font, regular[chosen]);
    if (chosen < bold.size()) uiobject::setString(captionBox, TextBoxParameters::boldFont, bold[chosen]);
}

GameUIPushButton::~GameUIPushButton() { uiobject::destroy(renderInterface(), captionBox); }

void GameUIPushButton::onActivated() {
    if (clickSound) clickSound->play();
    GameUIButtonBase::onActivated();
}
