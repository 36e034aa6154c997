#pragma once
// The labels of the sheet's tabs and the windows they open: titles over lists and boxes in the
// title bar's style, and captions, all in the two Garamond fonts, left- and top-aligned.
#include <string>

class GameUIBaseElement;
class GameUIElementGroup;
class GameUILabel;
class Theme;
struct UIContext;

// A label with text as given; the caller adds it to parent.
GameUILabel* makeSheetLabel(UIContext* owner, const Theme* theme, const std::string& name, const std::string& text,
                            const std::string& toolTip, const float topLeft[2], const float bottomRight[2],
                            GameUIBaseElement* parent);
// A title in the title bar's style, added to a tab's panel.
GameUILabel* addPanelTitle(GameUIElementGroup* panel, UIContext* owner, const Theme* theme, const std::string& name,
                           const std::string& title, float left, float top, float right, float bottom);
