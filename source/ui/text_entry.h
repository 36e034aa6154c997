#pragma once
// What the text-entry widgets share: the key codes they edit with, which typed characters they
// take, clipboard pastes, and the key-repeat clock they run from their update.
#include <cstdint>
#include <string>

#include "app/key_event.h"

class RenderInterface;
struct UIContext;

namespace textentry {

constexpr std::uint32_t keyBack = 14;
constexpr std::uint32_t keyReturn = 28;
constexpr std::uint32_t keyLeftShift = 42;
constexpr std::uint32_t keyV = 47;
constexpr std::uint32_t keyRightShift = 54;
constexpr std::uint32_t keyUp = 200;
constexpr std::uint32_t keyLeft = 203;
constexpr std::uint32_t keyRight = 205;
constexpr std::uint32_t keyDown = 208;
constexpr std::uint32_t keyDelete = 211;
// The character a layout gives for Ctrl+V, wherever it puts the V.
constexpr unsigned char ctrlVCharacter = 0x16;

// Numeric boxes take digits, '-' and '.'; others the characters the fonts have glyphs for.
bool acceptsCharacter(const RenderInterface* renderInterface, char character, bool numericOnly);
// Whether the record asks for a paste.
bool isPaste(const KeyEvent::Data& event);
// The clipboard's text (already Windows-1252), empty without an OS interface.
std::string clipboardText(const UIContext* owner);
// A paste into a one-line box: each CR LF, LF, CR and tab becomes one space.
std::string asOneLine(const std::string& text);
// A paste into a multi-line box: each CR LF, LF and CR becomes the stored line break "\n".
std::string withStoredLineBreaks(const std::string& text);

// A held key acts once at the press, again after the delay, then at the interval; the clock
// runs only in update, so the frame time drives it.
struct KeyRepeat {
    float delay = 0.4f;
    float interval = 0.05f;
    float timer = 0.0f;
    std::uint8_t ready = 0;

    void pressed() {
        timer = -delay;
        ready = 0;
    }
    void update(float dt) {
        if (timer > interval) {
            timer = 0.0f;
            ready = 1;
        } else {
            timer += dt;
        }
    }
};

} // namespace textentry
