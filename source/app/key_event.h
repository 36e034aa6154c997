#pragma once
// The record raised for every key press, release and held key on each poll.
#include <cstdint>
#include <string>

namespace KeyEvent {

enum Action : std::uint32_t { Released = 0, Pressed = 1, Held = 2 };

struct Data {
    std::uint32_t action = Released;
    // The key code (0 to 255) that indexes the key state.
    std::uint32_t scanCode = 0;
    // The Windows-1252 character the key gives under the keyboard layout, 0 when none.
    char character = 0;
    // The action bound to the key, empty when none.
    std::string actionName;
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
};

} // namespace KeyEvent
