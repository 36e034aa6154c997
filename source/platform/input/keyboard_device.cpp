#include "platform/input/keyboard_device.h"

#include <SDL.h>
#include <string>

#include "platform/input/key_codes.h"
#include "platform/text_encoding.h"

namespace platform {

namespace {

// The character of the keys that type none through text events: the editing keys' control
// characters, and with Ctrl held a letter's control character (Ctrl+V gives 0x16).
char keyCharacter(std::uint8_t code, SDL_Scancode scancode, bool ctrl) {
    switch (code) {
    case key::Return:
    case key::NumpadEnter: return '\r';
    case key::Back: return '\b';
    case key::Tab: return '\t';
    case key::Escape: return 0x1B;
    default: {
        const SDL_Keycode symbol = SDL_GetKeyFromScancode(scancode);
        return ctrl && symbol >= 'a' && symbol <= 'z' ? static_cast<char>(symbol - 'a' + 1) : 0;
    }
    }
}

} // namespace

KeyStroke KeyboardDevice::strokeNow(std::uint8_t code, char character) const {
    KeyStroke stroke;
    stroke.code = code;
    stroke.character = character;
    stroke.ctrl = down_[key::LeftControl] || down_[key::RightControl];
    stroke.shift = down_[key::LeftShift] || down_[key::RightShift];
    stroke.alt = down_[key::LeftAlt] || down_[key::RightAlt];
    return stroke;
}

void KeyboardDevice::addStroke(const KeyStroke& stroke) {
    if (strokes_.size() < maxStrokes) strokes_.push_back(stroke);
}

void KeyboardDevice::handleEvent(const SDL_Event& event) {
    switch (event.type) {
    case SDL_KEYDOWN: {
        awaitingText_ = -1;
        repeatText_ = event.key.repeat != 0;
        if (repeatText_) return;
        const std::uint8_t code = keyCodeFromScancode(event.key.keysym.scancode);
        // A key without a code still types its text, as strokes of code 0.
        if (code == 0) return;
        down_[code] = 0x80;
        tapped_[code] = 0x80;
        KeyStroke stroke = strokeNow(code, 0);
        stroke.character = keyCharacter(code, event.key.keysym.scancode, stroke.ctrl);
        characters_[code] = stroke.character;
        if (strokes_.size() < maxStrokes) {
            strokes_.push_back(stroke);
            awaitingText_ = static_cast<int>(strokes_.size()) - 1;
        }
        break;
    }
    case SDL_KEYUP: {
        repeatText_ = false;
        awaitingText_ = -1;
        const std::uint8_t code = keyCodeFromScancode(event.key.keysym.scancode);
        if (code != 0) down_[code] = 0;
        break;
    }
    case SDL_TEXTINPUT:
        if (repeatText_) {
            repeatText_ = false;
            break;
        }
        takeText(event.text.text);
        break;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) releaseAll();
        break;
    default: break;
    }
}

void KeyboardDevice::takeText(const char* utf8) {
    // The text follows the key press that typed it, under the layout and modifiers; a character
    // the program's code page lacks is left out alone.
    const std::string text = utf8ToWindows1252Dropping(utf8);
    std::size_t i = 0;
    if (awaitingText_ >= 0 && !text.empty()) {
        KeyStroke& stroke = strokes_[static_cast<std::size_t>(awaitingText_)];
        stroke.character = text[0];
        characters_[stroke.code] = text[0];
        i = 1;
    }
    // The further characters of one text event keep the modifiers of the press that typed them.
    KeyStroke extra = awaitingText_ >= 0 ? strokes_[static_cast<std::size_t>(awaitingText_)] : strokeNow(0, 0);
    extra.code = 0;
    for (; i < text.size(); ++i) {
        extra.character = text[i];
        addStroke(extra);
    }
    awaitingText_ = -1;
}

void KeyboardDevice::poll(KeyState& state, KeyStrokes& strokes) {
    for (std::size_t i = 0; i < state.size(); ++i) state[i] = down_[i] | tapped_[i];
    tapped_.fill(0);
    strokes.swap(strokes_);
    strokes_.clear();
    awaitingText_ = -1;
}

char KeyboardDevice::character(std::uint8_t code) const { return characters_[code]; }

void KeyboardDevice::releaseAll() {
    down_.fill(0);
    tapped_.fill(0);
    awaitingText_ = -1;
    repeatText_ = false;
}

} // namespace platform
