#include "platform/input/mouse_device.h"

#include <SDL.h>

namespace platform {

int MouseDevice::buttonIndex(int sdlButton) {
    switch (sdlButton) {
    case SDL_BUTTON_LEFT: return 0;
    case SDL_BUTTON_RIGHT: return 1;
    case SDL_BUTTON_MIDDLE: return 2;
    default: return sdlButton >= SDL_BUTTON_X1 && sdlButton <= 8 ? sdlButton - 1 : -1;
    }
}

void MouseDevice::handleEvent(const SDL_Event& event) {
    switch (event.type) {
    case SDL_MOUSEMOTION:
        pending_.x += event.motion.xrel;
        pending_.y += event.motion.yrel;
        break;
    case SDL_MOUSEWHEEL: {
        const int notches = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
        pending_.wheel += notches * wheelStep;
        break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        const int index = buttonIndex(event.button.button);
        if (index < 0) break;
        const bool pressed = event.type == SDL_MOUSEBUTTONDOWN;
        down_[index] = pressed ? 0x80 : 0;
        if (pressed) tapped_[index] = 0x80;
        break;
    }
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) releaseAll();
        break;
    default: break;
    }
}

MouseState MouseDevice::poll() {
    MouseState state = pending_;
    for (std::size_t i = 0; i < state.buttons.size(); ++i) state.buttons[i] = down_[i] | tapped_[i];
    pending_ = MouseState{};
    tapped_.fill(0);
    return state;
}

void MouseDevice::releaseAll() {
    pending_ = MouseState{};
    down_.fill(0);
    tapped_.fill(0);
}

} // namespace platform
