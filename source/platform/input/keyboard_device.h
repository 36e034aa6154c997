#pragma once
// The polled keyboard: a 256-byte key state by key code (0x80 = down) and the presses and typed
// characters since the last poll in the order they happened, built from the window's SDL key and
// text events.
#include <array>
#include <cstdint>
#include <vector>

union SDL_Event;

namespace platform {

using KeyState = std::array<std::uint8_t, 256>;

// One press, or one typed character, with the modifiers as they were when its key went down.
// Code 0 is a character no key code stands for (the second character of one text event, or a key
// the engine has no code for).
struct KeyStroke {
    std::uint8_t code = 0;
    char character = 0;
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
};
using KeyStrokes = std::vector<KeyStroke>;

class KeyboardDevice {
public:
    // A stuck consumer must not let typing grow without bound; older strokes are kept.
    static constexpr std::size_t maxStrokes = 1024;

    // Takes key, text and focus events; others are ignored.
    void handleEvent(const SDL_Event& event);
    // The state as of now, and the strokes since the last poll. A key pressed and released since
    // the last poll still reads as down once, so a quick tap between two frames is not lost.
    void poll(KeyState& state, KeyStrokes& strokes);
    // The Windows-1252 character key produced with its last press (from the layout-aware text
    // events), the control character of the editing keys, or 0 for keys that give none.
    char character(std::uint8_t code) const;
    // Forgets every held key (the window lost the keyboard).
    void releaseAll();

private:
    KeyStroke strokeNow(std::uint8_t code, char character) const;
    void addStroke(const KeyStroke& stroke);
    void takeText(const char* utf8);

    KeyState down_{};
    KeyState tapped_{};
    std::array<char, 256> characters_{};
    KeyStrokes strokes_;
    // The stroke whose press the next text event types; -1 when none waits.
    int awaitingText_ = -1;
    // The next text event belongs to the system's key repeat, which the held records stand for.
    bool repeatText_ = false;
};

} // namespace platform
