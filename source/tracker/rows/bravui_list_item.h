#pragma once
// What every tracker row shares: a caption drawn by its own text box, indented by nesting depth,
// buttons rebuilt at every placement as owned children, and button clicks reported on the row's
// signal as the button's event word with the row's index. A row class adds its fields, its
// buttons with their words (buildButtons) and, when it is not by caption, its ordering.
#include <cstdint>
#include <string>
#include <vector>

#include "render/render_interface.h"
#include "ui/game_ui_base_list_item.h"

class GameUIButtonBase;
class GameUIPushButton;

class BRAVUIListItem : public GameUIBaseListItem {
public:
    ~BRAVUIListItem() override;

    void onEnabled() override;
    void onDisabled() override;
    void placeInList(float left, float right, float top, float bottom, bool activate) override;
    std::string getSortKey() override { return text; }
    // By caption, byte by byte as unsigned, a prefix first.
    bool isLessThan(GameUIBaseListItem* other) override { return text < other->getSortKey(); }
    void removeFromList() override;

    // The caption's left edge moves right by this much (screen units) per nesting level: one line
    // of the default font, in pixels; 0 while no default font line height is registered.
    float indentPerLevel() const;

    // The caption; also the sort key.
    std::string text;
    RenderInterface::UIObject* textObject = nullptr;
    // 0 for a top-level row; each level indents the caption by one line height.
    std::uint32_t nestingDepth;
    // 16 pixels in the row's own units (-1..1 across the row), and the margin that centres a
    // 16-pixel button vertically; set at each placement.
    float buttonWidth = 0.0f;
    float buttonHeight = 0.0f;
    float buttonMargin = 0.0f;

protected:
    BRAVUIListItem(std::uint32_t tag, UIContext* owner, const Theme* theme, const std::string& name,
                   const std::string& text, const std::string& toolTip, std::uint32_t nestingDepth,
                   GameUIBaseElement* parent);

    // Creates the row's buttons through addPushButton or addButton; called at each placement.
    virtual void buildButtons() {}

    // A captioned button of the row from left to right (row units), centred vertically; its
    // clicks become row events named eventWord.
    GameUIPushButton* addPushButton(const std::string& buttonName, const std::string& caption,
                                    const std::string& toolTip, float left, float right,
                                    const std::string& eventWord);
    // Takes any button built with the row as parent.
    void addButton(GameUIButtonBase* button, const std::string& eventWord);
    // The buttons were deleted (removal or a new placement): forget any pointers kept to them.
    virtual void forgetButtons() {}

    // A further text box of the placed row on its caption's layer, from left to right (screen
    // units), vertically centred and in the colours of the row's state; the caller destroys it.
    RenderInterface::UIObject* addTextObject(float left, float right, const std::string& string,
                                             std::int32_t horizAlignment);
    // Gives a text box of the row the theme's text colours for an enabled or a disabled row.
    void setTextColours(RenderInterface::UIObject* object, bool enabled) const;

private:
    void onButtonClicked(UIEvent::Data& event);
    void dropButtons();

    struct RowButton {
        GameUIButtonBase* button;
        std::string eventWord;
    };
    std::vector<RowButton> buttons_;
};
