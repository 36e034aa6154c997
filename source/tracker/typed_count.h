#pragma once
// Reading a count that a user typed (an amount of experience, a quantity, an age): one to nine
// decimal digits and nothing else. A sign, a point, a letter, a space or ten or more digits make
// the text no count at all; it is never wrapped round or cut down. An empty text is no count
// either, and each caller decides what empty means for its box.
#include <cstdint>
#include <optional>
#include <string>

namespace typedcount {

// The longest count: nine digits, so every count fits a signed 32-bit field too.
constexpr std::size_t maxDigits = 9;

// The value of a count of 1 to 9 digits ("000" is 0); nothing for any other text.
std::optional<std::uint32_t> parse(const std::string& text);

} // namespace typedcount
