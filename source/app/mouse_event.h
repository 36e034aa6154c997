#pragma once
// The record raised for pointer movement and for mouse button presses, releases and holds.
#include <cstdint>

namespace MouseEvent {

enum Type : std::uint32_t { Press = 0, Release = 1, Held = 2, DoublePress = 3, Move = 4 };

struct Data {
    std::uint32_t type = Press;
    // The pointer in window pixels, as the window last recorded it.
    float windowX = 0;
    float windowY = 0;
    // The device's movement since the last poll, in its own counts.
    float rawDeltaX = 0;
    float rawDeltaY = 0;
    // The pointer in UI units, -1..1 on both axes, y up.
    float x = 0;
    float y = 0;
    // Previous x and y minus the new ones: positive when the pointer moved left or down.
    float deltaX = 0;
    float deltaY = 0;
    // 0 to 7 for button events (0 is the left button), 0 for moves.
    std::uint32_t button = 0;
    // True for press, held and double press.
    bool down = false;
    // The wheel's movement since the last poll, 2 x counts / width, clamped to -1..1.
    float wheel = 0;
};

} // namespace MouseEvent
