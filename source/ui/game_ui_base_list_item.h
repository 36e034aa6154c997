#pragma once
// The base of every row of an element list: a highlight while placed, and a click or double click
// reported with the row's place in the list.
#include <cstdint>
#include <string>

#include "app/sigslot.h"
#include "render/render_interface.h"
#include "ui/game_ui_standard_element.h"

class GameUIBaseListItem : public GameUIStandardElement, public sigslot::has_slots<> {
public:
    GameUIBaseListItem(std::uint32_t tag, UIContext* owner, const Theme* theme, const std::string& name,
                       const std::string& toolTip, GameUIBaseElement* parent);
    ~GameUIBaseListItem() override;

    bool onMouseButton(MouseEvent::Data& event) override;
    void onMouseEnter() override;
    void onMouseLeave() override;
    void onEnabled() override;
    void onDisabled() override;
    void onActivated() override;
    void onDeactivated() override;

    // Puts the row at a rectangle in the list's space; derived rows add their own objects.
    virtual void placeInList(float left, float right, float top, float bottom, bool selected);
    virtual std::string getSortKey() = 0;
    // Takes the row off screen until it is placed again.
    virtual void removeFromList();
    virtual bool isLessThan(GameUIBaseListItem* other) = 0;

    bool placed() const { return highlightObject != nullptr; }

    std::uint32_t index = 0;
    sigslot::signal1<UIEvent::Data&> eventSignal;
    UIEvent::Data eventData;
    RenderInterface::UIObject* highlightObject = nullptr;
    std::uint8_t clicked = 0;
    std::uint8_t hoverWhenActive = 1;

private:
    void setHighlight(int slot);
    void emit(std::uint32_t type);
    void setCorners(float left, float top, float right, float bottom);
};
