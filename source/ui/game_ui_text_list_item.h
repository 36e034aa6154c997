#pragma once
// The selectable list's text row: a caption in its own colour.
#include <cstdint>
#include <string>

#include "ui/game_ui_base_element.h"
#include "ui/game_ui_list_item_interface.h"

class GameUIToggleButton;

class GameUITextListItem : public GameUIBaseElement, public GameUIListItemInterface {
public:
    GameUITextListItem(std::uint32_t tag, UIContext* owner, const Theme* theme, const std::string& name,
                       const std::string& text, const float captionColour[4]);
    ~GameUITextListItem() override;

    void createListElement(float top, float bottom, bool selected, GameUIToggleGroup* group) override;
    const std::string& getText() const override { return text; }
    void destroyListElement() override;
    std::uint32_t getIndex() const override { return index; }
    void setIndex(std::uint32_t newIndex) override { index = newIndex; }

    bool onMouseButton(MouseEvent::Data& event) override;
    bool onMouseMove(MouseEvent::Data& event) override;
    bool onKey(KeyEvent::Data&) override { return false; }
    void update(float) override {}
    void onMouseEnter() override;
    void onMouseLeave() override;
    void onEnabled() override;
    void onDisabled() override;
    void onActivated() override;
    void onDeactivated() override;
    void fillEventData(UIEvent::Data& out) override;

    std::uint32_t index = 0;
    std::uint32_t tag;
    std::string text;
    float captionColour[4];
    // Present only while placed; owned by the group.
    GameUIToggleButton* toggle = nullptr;

private:
    void onToggle(UIEvent::Data& event);
};
