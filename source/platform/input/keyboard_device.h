#pragma once
// The polled keyboard: a 256-byte key state by key code (0x80 = down), built from the window's
// SDL key events, and the character each key produces under the user's keyboard layout.
#include <array>
#include <cstdint>

union SDL_Event;

namespace platform {

using KeyState = std::array<std::uint8_t, 256>;

class KeyboardDevice {
public:
    // Takes key, text and focus events; others are ignored.
    void handleEvent(const SDL_Event& event);
    // The state as of now. A key pressed and released since the last poll still reads as down
    // once, so a quick tap between two frames is not lost.
    void poll(KeyState& out);
    // The Windows-1252 character key produced with its last press (from the layout-aware text
    // events), the control character of the editing keys, or 0 for keys that give none.
    char character(std::uint8_t code) const;
    // Forgets every held key (the window lost the keyboard).
    void releaseAll();

private:
    KeyState down_{};
    KeyState tapped_{};
    std::array<char, 256> characters_{};
    // The key whose press the next text event belongs to; 0 when none waits.
    std::uint8_t awaitingText_ = 0;
    bool ctrlDown() const;
};

} // namespace platform
