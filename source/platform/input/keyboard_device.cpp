#include "platform/input/keyboard_device.h"

#include <SDL.h>
#include <string>

#include "platform/input/key_codes.h"
#include "platform/text_encoding.h"

namespace platform {

bool KeyboardDevice::ctrlDown() const { return down_[key::LeftControl] || down_[key::RightControl]; }

void KeyboardDevice::handleEvent(const SDL_Event& event) {
    switch (event.type) {
    case SDL_KEYDOWN: {
        if (event.key.repeat) return;
        const std::uint8_t code = keyCodeFromScancode(event.key.keysym.scancode);
        if (code == 0) return;
        down_[code] = 0x80;
        tapped_[code] = 0x80;
        // Keys that type nothing keep the character of the editing keys, or none.
        switch (code) {
        case key::Return:
        case key::NumpadEnter: characters_[code] = '\r'; break;
        case key::Back: characters_[code] = '\b'; break;
        case key::Tab: characters_[code] = '\t'; break;
        case key::Escape: characters_[code] = 0x1B; break;
        default: {
            // With Ctrl held a letter types its control character, as Ctrl+V gives 0x16.
            const SDL_Keycode symbol = SDL_GetKeyFromScancode(event.key.keysym.scancode);
            characters_[code] = ctrlDown() && symbol >= 'a' && symbol <= 'z' ? static_cast<char>(symbol - 'a' + 1) : 0;
        }
        }
        awaitingText_ = code;
        break;
    }
    case SDL_KEYUP: {
        const std::uint8_t code = keyCodeFromScancode(event.key.keysym.scancode);
        if (code != 0) down_[code] = 0;
        break;
    }
    case SDL_TEXTINPUT:
        // The text follows the key press that typed it, under the layout and modifiers.
        if (awaitingText_ != 0) {
            const std::string text = utf8ToWindows1252(event.text.text);
            if (!text.empty()) characters_[awaitingText_] = text[0];
            awaitingText_ = 0;
        }
        break;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) releaseAll();
        break;
    default: break;
    }
}

void KeyboardDevice::poll(KeyState& out) {
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = down_[i] | tapped_[i];
    tapped_.fill(0);
}

char KeyboardDevice::character(std::uint8_t code) const { return characters_[code]; }

void KeyboardDevice::releaseAll() {
    down_.fill(0);
    tapped_.fill(0);
    awaitingText_ = 0;
}

} // namespace platform
