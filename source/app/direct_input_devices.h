#pragma once
// The keyboard and mouse as polled devices: their state is taken once per frame, on the main
// thread, and read by the input manager during the hand-off.
#include <atomic>
#include <cstdint>

#include "app/input_devices_interface.h"
#include "platform/input/keyboard_device.h"
#include "platform/input/mouse_device.h"

class ThreadResourcePool;
class QelApp;

// The pointer position the window last recorded (client pixels). Written on the main thread,
// read by the mouse pointer on the update thread too.
void setWindowPointerPosition(std::int32_t x, std::int32_t y);
std::int32_t windowPointerX();
std::int32_t windowPointerY();

class DirectInputDevices : public InputDevicesInterface {
public:
    DirectInputDevices(ThreadResourcePool* renderPool, QelApp* application);
    ~DirectInputDevices() override;
    DirectInputDevices(const DirectInputDevices&) = delete;
    DirectInputDevices& operator=(const DirectInputDevices&) = delete;

    // One window event, on the main thread (the window's pump delivers them here).
    void handleEvent(const SDL_Event& event);
    // Takes the devices' state since the last poll into the buffers. Called in the hand-off, just
    // before the input manager reads them: what happened while the update cycle ran late stays
    // latched until then.
    void poll();
    // Stops listening to the window's events.
    void release();

    const platform::KeyState* keyboardState() const override { return &keyboardState_; }
    const platform::KeyStrokes* keyStrokes() const override { return &keyStrokes_; }
    const platform::MouseState& mouseState() const override { return mouseState_; }
    float pointerWindowX() const override { return static_cast<float>(windowPointerX()); }
    float pointerWindowY() const override { return static_cast<float>(windowPointerY()); }
    char characterForKey(std::uint8_t code) const override { return keyboard_.character(code); }
    void warpPointer(int x, int y) override;
    void setAbsolutePointer(bool absolute) override { absolutePointer_ = absolute; }
    bool absolutePointer() const { return absolutePointer_; }

private:
    ThreadResourcePool* renderPool_;
    QelApp* application_;
    platform::KeyboardDevice keyboard_;
    platform::MouseDevice mouse_;
    platform::KeyState keyboardState_{};
    platform::KeyStrokes keyStrokes_;
    platform::MouseState mouseState_{};
    bool absolutePointer_ = true;
    int observerId_ = 0;
};
