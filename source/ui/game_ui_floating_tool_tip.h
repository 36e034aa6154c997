#pragma once
// The one tool-tip box of the UI: framed text that shows beside the pointer once it has rested
// on an element for a moment, follows it, and goes when the pointer leaves.
#include <cstdint>
#include <string>

#include "render/render_interface.h"
#include "ui/game_ui_base_element.h"
#include "ui/game_ui_tool_tip_interface.h"

class InputManager;

class GameUIFloatingToolTip : public GameUIBaseElement, public GameUIToolTipInterface {
public:
    static constexpr const char* fontKey = "EBGaramond-Regular_64";
    // Where hidden objects are parked: far off screen.
    static constexpr float offScreen = 100.0f;

    GameUIFloatingToolTip(UIContext* owner, const Theme* theme, const std::string& name, const float topLeft[2],
                          const float bottomRight[2], GameUIBaseElement* parent);
    ~GameUIFloatingToolTip() override;

    void update(float dt) override;
    void setText(const std::string& newText) override;
    void show(bool visible) override;

    std::string text = "Default tool tip: good things";
    RenderInterface::UIObject* frame = nullptr;
    RenderInterface::UIObject* textBox = nullptr;
    float textWidth = 0.0f;
    float textHeight = 0.0f;
    std::uint8_t stringShown = 0;
    std::uint8_t visible = 0;
    float delay = 0.75f;
    float timer = 0.0f;
    InputManager* inputManager;
    float lastX = 999.0f;
    float lastY = 999.0f;
    float maxTextWidth = 0.5f;
    std::uint8_t hidePending = 0;
    std::uint8_t showRequested = 0;
    std::uint8_t hideRequested = 0;

private:
    void measure();
    void layOut(float x, float y);
    void park();
};
