#pragma once
// Key presses, releases and typed text written as the SDL events a keyboard would send, for the
// tests that feed them through the input devices.
#include <SDL.h>

#include <cstring>

struct Step {
    enum Kind { Down, Up, Text } kind;
    SDL_Scancode scancode = SDL_SCANCODE_UNKNOWN;
    const char* text = nullptr;
};

inline Step down(SDL_Scancode scancode) { return {Step::Down, scancode, nullptr}; }
inline Step up(SDL_Scancode scancode) { return {Step::Up, scancode, nullptr}; }
inline Step text(const char* utf8) { return {Step::Text, SDL_SCANCODE_UNKNOWN, utf8}; }

// The key symbol comes from the video system's layout, so it must be initialised.
inline SDL_Event sdlEventFor(const Step& step) {
    SDL_Event event{};
    if (step.kind == Step::Text) {
        event.type = SDL_TEXTINPUT;
        std::strncpy(event.text.text, step.text, sizeof event.text.text - 1);
    } else {
        event.type = step.kind == Step::Down ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.state = step.kind == Step::Down ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.scancode = step.scancode;
        event.key.keysym.sym = SDL_GetKeyFromScancode(step.scancode);
    }
    return event;
}
