#include "tracker/sheet/title_label.h"

#include "tracker/wizard/window_parts.h"
#include "ui/game_ui_element_group.h"
#include "ui/game_ui_label.h"

GameUILabel* makeSheetLabel(UIContext* owner, const Theme* theme, const std::string& name, const std::string& text,
                            const std::string& toolTip, const float topLeft[2], const float bottomRight[2],
                            GameUIBaseElement* parent) {
    auto* label = new GameUILabel(owner, theme, name, text, toolTip, topLeft, bottomRight, parent,
                                  labelflag::notRightAligned, labelflag::notCentred, labelflag::atTop);
    label->setFonts(windowparts::titleFont, windowparts::titleBoldFont);
    return label;
}

GameUILabel* addPanelTitle(GameUIElementGroup* panel, UIContext* owner, const Theme* theme, const std::string& name,
                           const std::string& title, float left, float top, float right, float bottom) {
    const float topLeft[2] = {left, top}, bottomRight[2] = {right, bottom};
    GameUILabel* label =
        makeSheetLabel(owner, theme, name, windowparts::titleText(title), "", topLeft, bottomRight, panel);
    panel->addElement(label);
    return label;
}
