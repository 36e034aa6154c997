#pragma once
// A two-state captioned button: a press flips it (or keeps it on, for radio use) and reports the
// press; the second press of a double click reports a double click.
#include <cstdint>
#include <string>

#include "app/sigslot.h"
#include "render/render_interface.h"
#include "ui/game_ui_standard_element.h"

// Names for the constructor's flags, so that a call says what each one means, in its order:
// startActive, stayActive, outlined, centred, hoverWhenActive.
namespace toggleflag {
inline constexpr bool startActive = true, startInactive = false;
// A radio button stays on when pressed again; a plain toggle turns off.
inline constexpr bool stayActive = true, pressAgainTurnsOff = false;
inline constexpr bool outlined = true, flat = false;
inline constexpr bool centred = true, leftAligned = false;
inline constexpr bool hoverWhenActive = true, noHoverWhenActive = false;
} // namespace toggleflag

class GameUIToggleButton : public GameUIStandardElement {
public:
    GameUIToggleButton(std::uint32_t tag, UIContext* owner, const Theme* theme, const std::string& name,
                       const std::string& caption, const std::string& toolTip, const float topLeft[2],
                       const float bottomRight[2], GameUIBaseElement* parent, bool startActive, bool stayActive,
                       bool outlined, bool centred, bool hoverWhenActive);
    ~GameUIToggleButton() override;

    void setCaption(const std::string& newCaption);
    void setCaptionColour(const float colour[4]);

    // Always handled, even when disabled or outside: the button swallows every button event.
    bool onMouseButton(MouseEvent::Data& event) override;
    void onMouseEnter() override;
    void onMouseLeave() override;
    void onEnabled() override;
    void onDisabled() override;
    void onActivated() override;
    void onDeactivated() override;
    void fillEventData(UIEvent::Data& out) override;

    std::string caption;
    RenderInterface::UIObject* fill = nullptr;
    RenderInterface::UIObject* captionBox = nullptr;
    sigslot::signal1<UIEvent::Data&> toggleSignal;
    UIEvent::Data eventData;
    std::uint8_t stayActive;
    std::uint8_t clickedOnce = 0;
    std::uint8_t hoverWhenActive;

private:
    void setFill(std::uint32_t slot);
    void report(std::uint32_t type);
};
