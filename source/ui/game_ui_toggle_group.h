#pragma once
// A set of toggle buttons that behave as a radio group: pressing one turns the selected one off.
#include <cstdint>
#include <string>
#include <vector>

#include "render/render_interface.h"
#include "ui/game_ui_base_element.h"

class GameUIToggleButton;

class GameUIToggleGroup : public GameUIBaseElement {
public:
    GameUIToggleGroup(bool withBackdrop, std::uint32_t tag, UIContext* owner, const Theme* theme,
                      const std::string& name, const std::string& toolTip, const float topLeft[2],
                      const float bottomRight[2], GameUIBaseElement* parent);
    ~GameUIToggleGroup() override;

    bool onMouseButton(MouseEvent::Data& event) override;
    bool onMouseMove(MouseEvent::Data& event) override;
    void onEnabled() override;
    void onDisabled() override;
    const std::string& getToolTipText() override;
    void fillEventData(UIEvent::Data& out) override;

    std::string ownToolTip;
    std::uint32_t tag;
    // Owned; filled by the owner with buttons built with the group as parent.
    std::vector<GameUIToggleButton*> buttons;
    GameUIToggleButton* selected = nullptr;
    std::uint32_t selectedIndex = 0;
    RenderInterface::UIObject* backdrop = nullptr;
    UIEvent::Data eventData;
};
