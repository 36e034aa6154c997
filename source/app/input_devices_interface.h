#pragma once
// What the input manager reads from the polled keyboard and mouse each frame, and the two
// requests it hands back; the application's device holder implements it.
#include <cstdint>

#include "platform/input/keyboard_device.h"
#include "platform/input/mouse_device.h"

class InputDevicesInterface {
public:
    virtual ~InputDevicesInterface() = default;
    // The 256-byte key state of the last poll, or null when the keyboard could not be read.
    virtual const platform::KeyState* keyboardState() const = 0;
    // The presses and typed characters of the last poll in the order they happened; null when the
    // device reports its key state only, whose presses then come in key-code order.
    virtual const platform::KeyStrokes* keyStrokes() const { return nullptr; }
    virtual const platform::MouseState& mouseState() const = 0;
    // The pointer position the window last recorded, in client pixels.
    virtual float pointerWindowX() const = 0;
    virtual float pointerWindowY() const = 0;
    // The character key code gives under the keyboard layout, 0 when none.
    virtual char characterForKey(std::uint8_t code) const = 0;
    // Moves the system pointer to a client-area position.
    virtual void warpPointer(int x, int y) = 0;
    // Whether the window records the pointer position (the pointer is captured).
    virtual void setAbsolutePointer(bool absolute) = 0;
};
