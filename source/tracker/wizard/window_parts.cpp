#include "tracker/wizard/window_parts.h"

#include "render/render_interface.h"
#include "ui/game_ui_label.h"

namespace windowparts {

std::string titleText(const std::string& title) { return "<id='TitleBarText'[*" + title + "]>"; }

GameUILabel* addTitleLabel(GameUIStandardElement& parent, const std::string& name, const std::string& title,
                           float left, float top, float right, float bottom) {
    const float topLeft[2] = {left, top}, bottomRight[2] = {right, bottom};
    auto* label = new GameUILabel(parent.owner, parent.theme, name, titleText(title), "", topLeft, bottomRight, &parent,
                                  labelflag::notRightAligned, labelflag::notCentred, labelflag::atTop);
    label->setFonts(titleFont, titleBoldFont);
    parent.addChild(label);
    return label;
}

std::string mainFont(const GameUIBaseElement& element) {
    const RenderInterface* ri = element.renderInterface();
    return ri ? ri->mainFontName() : std::string();
}

} // namespace windowparts
