#pragma once
// Keyboard key codes as the engine counts them: the PC set-1 scan codes that index the 256-byte
// key state (extended keys have 0x80 added), and the translation from SDL's scancodes.
#include <cstdint>

namespace platform::key {

constexpr std::uint8_t Escape = 0x01;
constexpr std::uint8_t Back = 0x0E;
constexpr std::uint8_t Tab = 0x0F;
constexpr std::uint8_t Return = 0x1C;
constexpr std::uint8_t LeftControl = 0x1D;
constexpr std::uint8_t A = 0x1E;
constexpr std::uint8_t LeftShift = 0x2A;
constexpr std::uint8_t V = 0x2F;
constexpr std::uint8_t RightShift = 0x36;
constexpr std::uint8_t LeftAlt = 0x38;
constexpr std::uint8_t Space = 0x39;
constexpr std::uint8_t F1 = 0x3B;
constexpr std::uint8_t NumpadEnter = 0x9C;
constexpr std::uint8_t RightControl = 0x9D;
constexpr std::uint8_t RightAlt = 0xB8;
constexpr std::uint8_t Home = 0xC7;
constexpr std::uint8_t Up = 0xC8;
constexpr std::uint8_t Left = 0xCB;
constexpr std::uint8_t Right = 0xCD;
constexpr std::uint8_t End = 0xCF;
constexpr std::uint8_t Down = 0xD0;
constexpr std::uint8_t Delete = 0xD3;

} // namespace platform::key

namespace platform {

// The key code of an SDL scancode; 0 for keys the engine has no code for.
std::uint8_t keyCodeFromScancode(int sdlScancode);

} // namespace platform
