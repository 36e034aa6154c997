#pragma once
// A plain container one depth above its parent, filled with addElement.
#include <cstdint>
#include <string>

#include "render/render_interface.h"
#include "ui/game_ui_standard_element.h"

class GameUIElementGroup : public GameUIStandardElement {
public:
    GameUIElementGroup(std::uint32_t ignored, std::uint32_t tag, UIContext* owner, const Theme* theme,
                       const std::string& name, const std::string& toolTip, const float topLeft[2],
                       const float bottomRight[2], GameUIBaseElement* parent);
    ~GameUIElementGroup() override;

    void addElement(GameUIBaseElement* element);
    void fillEventData(UIEvent::Data& out) override;

    RenderInterface::UIObject* object = nullptr;
    UIEvent::Data eventData;
};
