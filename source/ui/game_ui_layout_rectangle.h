#pragma once
// A decorative filled rectangle (plain, outlined, or outlined with a shadow) in screen space.
#include <cstdint>
#include <string>

#include "render/render_interface.h"
#include "ui/game_ui_base_element.h"

class GameUILayoutRectangle : public GameUIBaseElement {
public:
    GameUILayoutRectangle(std::uint32_t tag, UIContext* owner, const Theme* theme, const std::string& name,
                          const float topLeft[2], const float bottomRight[2], std::uint32_t depth,
                          const float* ignoredColour, const float colour[4], bool outlined, std::uint32_t borderWidth,
                          bool shadowed, const float borderColour[4]);
    ~GameUILayoutRectangle() override;

    void setColour(const float colour[4]);
    void setBorderColour(const float colour[4]);

    std::uint32_t tag;
    RenderInterface::UIObject* rectangle = nullptr;
    std::uint8_t shadowed;
};
