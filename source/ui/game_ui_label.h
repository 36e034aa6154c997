#pragma once
// One text on screen.
#include <cstdint>
#include <string>

#include "render/render_interface.h"
#include "ui/game_ui_base_element.h"

// Names for the constructor's flags, so that a call says what each one means, in its order:
// rightAligned, centred, vertCentred.
namespace labelflag {
inline constexpr bool rightAligned = true, notRightAligned = false;
inline constexpr bool centred = true, notCentred = false;
inline constexpr bool vertCentred = true, atTop = false;
} // namespace labelflag

class GameUILabel : public GameUIBaseElement {
public:
    GameUILabel(UIContext* owner, const Theme* theme, const std::string& name, const std::string& text,
                const std::string& toolTip, const float topLeft[2], const float bottomRight[2],
                GameUIBaseElement* parent, bool rightAligned, bool centred, bool vertCentred);
    ~GameUILabel() override;

    void setText(const std::string& newText);
    void setFonts(const std::string& font, const std::string& boldFont);
    // From now on the text stays on one line: cut with "..." at the box when it is wider.
    void keepOnOneLine();
    // A caption wider than its box is drawn at the largest smaller size of the main font that fits.
    void shrinkToFit();

    bool onMouseMove(MouseEvent::Data& event) override;
    void onEnabled() override;
    void onDisabled() override;
    void fillEventData(UIEvent::Data& out) override;

    std::string text;
    RenderInterface::UIObject* textBox = nullptr;

private:
    void showText();

    std::string fontName;
    std::uint8_t oneLine = 0;
};
