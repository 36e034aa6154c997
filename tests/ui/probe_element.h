#pragma once
// An element that records what the window manager and containers ask of it.
#include <string>
#include <vector>

#include "ui/game_ui_base_element.h"

class ProbeElement : public GameUIBaseElement {
public:
    ProbeElement(UIContext* owner, const std::string& name, float left, float top, float right, float bottom,
                 GameUIBaseElement* parent = nullptr)
        : GameUIBaseElement(owner, corner(left, top).data(), corner(right, bottom).data(), nullptr, name, parent) {}

    bool onMouseButton(MouseEvent::Data& event) override {
        buttons.push_back(event.type);
        return handlesButtons;
    }
    bool onMouseMove(MouseEvent::Data& event) override {
        ++moves;
        if (reportsHover && containsPoint(event.x, event.y)) reportUnderPointer();
        return handlesMoves && containsPoint(event.x, event.y);
    }
    bool onKey(KeyEvent::Data&) override {
        ++keys;
        return handlesKeys;
    }
    void onMouseEnter() override { calls += "enter "; }
    void onMouseLeave() override { calls += "leave "; }
    void onActivated() override { calls += "activated "; }
    void onDeactivated() override { calls += "deactivated "; }
    void onDisabled() override { calls += "disabled "; }
    void onEnabled() override { calls += "enabled "; }
    void update(float) override { ++updates; }
    const std::string& getToolTipText() override { return tip; }

    static std::array<float, 2> corner(float x, float y) { return {x, y}; }

    std::vector<std::uint32_t> buttons;
    int moves = 0;
    int keys = 0;
    int updates = 0;
    std::string calls;
    std::string tip;
    bool handlesButtons = true;
    bool handlesMoves = true;
    bool handlesKeys = false;
    bool reportsHover = true;
};
