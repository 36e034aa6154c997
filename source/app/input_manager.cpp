#include "app/input_manager.h"

#include <algorithm>

#include "platform/input/key_codes.h"

namespace {

const std::string noAction;

float clampUnit(float value) { return std::clamp(value, -1.0f, 1.0f); }

} // namespace

InputManager::InputManager(int width, int height, ThreadResourcePool* pool)
    : width_(width), height_(height), pool_(pool) {}

void InputManager::setResolution(int width, int height) {
    width_ = width;
    height_ = height;
}

void InputManager::requestCursorWarp(int windowX, int windowY) {
    warpRequested_ = true;
    warpX_ = windowX;
    warpY_ = windowY;
}

void InputManager::setActionMappings(const std::vector<ActionMapping>& mappings) {
    actionMap_.clear();
    for (const ActionMapping& mapping : mappings) {
        if (!mapping.key1.empty()) actionMap_.emplace(mapping.scan1, mapping.name);
        if (!mapping.key2.empty()) actionMap_.emplace(mapping.scan2, mapping.name);
    }
}

const std::string& InputManager::actionNameForScanCode(int scanCode) const {
    const auto found = actionMap_.find(scanCode);
    return found == actionMap_.end() ? noAction : found->second;
}

void InputManager::update(InputDevicesInterface& devices, float elapsedSeconds) {
    updateKeys(devices);
    updateMouse(devices, elapsedSeconds);
    actOnRequests(devices);
}

void InputManager::emitKey(std::uint32_t action, std::uint32_t code, char character, bool ctrl, bool shift, bool alt) {
    keyRecord_.action = action;
    keyRecord_.scanCode = code;
    keyRecord_.actionName = actionNameForScanCode(static_cast<int>(code));
    keyRecord_.character = character;
    keyRecord_.ctrl = ctrl;
    keyRecord_.shift = shift;
    keyRecord_.alt = alt;
    keySignal.emit(keyRecord_);
}

void InputManager::updateKeys(InputDevicesInterface& devices) {
    const platform::KeyState* state = devices.keyboardState();
    if (!state) return;
    const platform::KeyState& keys = *state;

    // Presses and typed characters in the order they happened, each with the modifiers of its
    // own moment. A key pressed again since the last poll was let go in between: its release
    // comes first, so every press still has exactly one release.
    std::array<bool, 256> pressedInOrder{};
    if (const platform::KeyStrokes* strokes = devices.keyStrokes()) {
        for (const platform::KeyStroke& stroke : *strokes) {
            if (stroke.code != 0) {
                if (pressedInOrder[stroke.code] || previousKeys_[stroke.code] != 0) {
                    emitKey(KeyEvent::Released, stroke.code, devices.characterForKey(stroke.code), stroke.ctrl,
                            stroke.shift, stroke.alt);
                }
                pressedInOrder[stroke.code] = true;
            }
            emitKey(KeyEvent::Pressed, stroke.code, stroke.character, stroke.ctrl, stroke.shift, stroke.alt);
        }
    }

    for (int k = 0; k < 256; ++k) {
        const bool down = keys[k] != 0;
        const bool wasDown = previousKeys_[k] != 0;
        // Modifiers are refreshed as the scan reaches them, so an event carries the flags as
        // they stand at its own code.
        namespace key = platform::key;
        switch (k) {
        case key::LeftShift: shift_ = keys[key::LeftShift] != 0; break;
        case key::RightShift: shift_ = keys[key::LeftShift] != 0 || keys[key::RightShift] != 0; break;
        case key::LeftControl: ctrl_ = keys[key::LeftControl] != 0; break;
        case key::RightControl: ctrl_ = keys[key::LeftControl] != 0 || keys[key::RightControl] != 0; break;
        case key::LeftAlt: alt_ = keys[key::LeftAlt] != 0; break;
        case key::RightAlt: alt_ = keys[key::LeftAlt] != 0 || keys[key::RightAlt] != 0; break;
        default: break;
        }
        if (pressedInOrder[k]) {
            // Its press went out above; it counts as pressed at this poll.
            previousKeys_[k] = 0x80;
            continue;
        }
        if (down != wasDown || down) {
            const std::uint32_t action = down != wasDown ? (down ? KeyEvent::Pressed : KeyEvent::Released) : KeyEvent::Held;
            emitKey(action, static_cast<std::uint32_t>(k), devices.characterForKey(static_cast<std::uint8_t>(k)), ctrl_,
                    shift_, alt_);
        }
        // Every press produces exactly one release.
        if (previousKeys_[k] == 0) previousKeys_[k] = down ? 0x80 : 0;
        else previousKeys_[k] = down ? 0x40 : 0;
    }
}

void InputManager::updateMouse(InputDevicesInterface& devices, float elapsedSeconds) {
    const platform::MouseState& mouse = devices.mouseState();
    // A zero size (a window not yet sized) must not turn positions into infinities.
    const float width = static_cast<float>(std::max(width_, 1));
    const float height = static_cast<float>(std::max(height_, 1));

    const float previousX = moveRecord_.x;
    const float previousY = moveRecord_.y;
    moveRecord_.windowX = devices.pointerWindowX();
    moveRecord_.windowY = devices.pointerWindowY();
    moveRecord_.rawDeltaX = static_cast<float>(mouse.x);
    moveRecord_.rawDeltaY = static_cast<float>(mouse.y);
    moveRecord_.x = clampUnit(2.0f * moveRecord_.windowX / width - 1.0f);
    moveRecord_.y = clampUnit(1.0f - 2.0f * moveRecord_.windowY / height);
    moveRecord_.deltaX = previousX - moveRecord_.x;
    moveRecord_.deltaY = previousY - moveRecord_.y;
    moveRecord_.wheel = clampUnit(2.0f * static_cast<float>(mouse.wheel) / width);
    moveRecord_.button = 0;
    moveRecord_.down = false;
    buttonRecord_ = moveRecord_;
    moveRecord_.type = MouseEvent::Move;
    mouseMoveSignal.emit(moveRecord_);

    for (std::uint32_t i = 0; i < 8; ++i) {
        const bool down = mouse.buttons[i] != 0;
        buttonRecord_.button = i;
        if (down && !buttonDown_[i]) {
            buttonRecord_.down = true;
            if (doubleClickTimer_[i] > 0) {
                buttonRecord_.type = MouseEvent::DoublePress;
                doubleClickTimer_[i] = 0;
            } else {
                buttonRecord_.type = MouseEvent::Press;
                doubleClickTimer_[i] = doubleClickTime;
            }
            mouseButtonSignal.emit(buttonRecord_);
            buttonDown_[i] = true;
        } else if (down) {
            buttonRecord_.type = MouseEvent::Held;
            buttonRecord_.down = true;
            mouseButtonSignal.emit(buttonRecord_);
        } else if (buttonDown_[i]) {
            buttonRecord_.type = MouseEvent::Release;
            buttonRecord_.down = false;
            mouseButtonSignal.emit(buttonRecord_);
            buttonDown_[i] = false;
        }
        doubleClickTimer_[i] = std::max(0.0f, doubleClickTimer_[i] - elapsedSeconds);
    }
}

void InputManager::actOnRequests(InputDevicesInterface& devices) {
    if (warpRequested_) {
        warpRequested_ = false;
        devices.warpPointer(warpX_, warpY_);
    }
    if (releaseRequested_) {
        releaseRequested_ = false;
        devices.setAbsolutePointer(false);
    } else if (captureRequested_) {
        captureRequested_ = false;
        devices.setAbsolutePointer(true);
    }
}
