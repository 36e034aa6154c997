#pragma once
// The polled mouse: movement, wheel and eight buttons since the last poll, built from the
// window's SDL mouse events.
#include <array>
#include <cstdint>

union SDL_Event;

namespace platform {

// 20 bytes, as the engine reads it: relative x and y in device counts, the wheel in steps of
// 120 per notch (positive away from the user), then one byte per button (0x80 = down) in the
// order left, right, middle, first and second side button, three more.
struct MouseState {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t wheel = 0;
    std::array<std::uint8_t, 8> buttons{};
};
static_assert(sizeof(MouseState) == 20);

class MouseDevice {
public:
    static constexpr std::int32_t wheelStep = 120;

    void handleEvent(const SDL_Event& event);
    // The movement and wheel since the last poll, and the buttons: one pressed and released
    // since then still reads as down once.
    MouseState poll();
    void releaseAll();

    // The button slot of an SDL button number; -1 beyond the eighth.
    static int buttonIndex(int sdlButton);

private:
    MouseState pending_;
    std::array<std::uint8_t, 8> down_{};
    std::array<std::uint8_t, 8> tapped_{};
};

} // namespace platform
