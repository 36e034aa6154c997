#pragma once
// Turns the keyboard and mouse state polled once per frame into key and mouse events, and maps
// key codes to the configured actions.
#include <array>
#include <map>
#include <string>
#include <vector>

#include "app/game_settings.h"
#include "app/input_devices_interface.h"
#include "app/key_event.h"
#include "app/mouse_event.h"
#include "app/sigslot.h"

class ThreadResourcePool;

class InputManager {
public:
    static constexpr float doubleClickTime = 0.4f;

    // width and height: the resolution UI units are computed against.
    InputManager(int width, int height, ThreadResourcePool* pool);

    // Once per frame, during the hand-off: emits the presses and typed characters in the order
    // they happened, then compares the devices' fresh buffers with the previous poll for the held
    // and released keys (by ascending key code), then one move event and the button events; then
    // acts on pending pointer requests.
    void update(InputDevicesInterface& devices, float elapsedSeconds);

    // Rebuilds the key-to-action map; a key bound twice keeps its first action.
    void setActionMappings(const std::vector<ActionMapping>& mappings);
    // The action bound to the key, or an empty string.
    const std::string& actionNameForScanCode(int scanCode) const;

    void setResolution(int width, int height);
    int getWidth() const { return width_; }
    int getHeight() const { return height_; }
    // The pointer in UI units as of the last update.
    float pointerX() const { return moveRecord_.x; }
    float pointerY() const { return moveRecord_.y; }

    // Acted on at the end of the next update.
    void requestCursorWarp(int windowX, int windowY);
    void requestPointerCapture() { captureRequested_ = true; }
    void requestPointerRelease() { releaseRequested_ = true; }

    sigslot::signal1<KeyEvent::Data&> keySignal;
    sigslot::signal1<MouseEvent::Data&> mouseMoveSignal;
    sigslot::signal1<MouseEvent::Data&> mouseButtonSignal;

private:
    void updateKeys(InputDevicesInterface& devices);
    void emitKey(std::uint32_t action, std::uint32_t code, char character, bool ctrl, bool shift, bool alt);
    void updateMouse(InputDevicesInterface& devices, float elapsedSeconds);
    void actOnRequests(InputDevicesInterface& devices);

    KeyEvent::Data keyRecord_;
    MouseEvent::Data moveRecord_;
    MouseEvent::Data buttonRecord_;
    // Per key: 0 up, 0x80 pressed at the last poll, 0x40 held since.
    std::array<std::uint8_t, 256> previousKeys_{};
    std::array<bool, 8> buttonDown_{};
    std::array<float, 8> doubleClickTimer_{};
    int width_;
    int height_;
    bool ctrl_ = false;
    bool shift_ = false;
    bool alt_ = false;
    std::map<int, std::string> actionMap_;
    ThreadResourcePool* pool_;
    bool warpRequested_ = false;
    int warpX_ = 0;
    int warpY_ = 0;
    bool captureRequested_ = false;
    bool releaseRequested_ = false;
};
