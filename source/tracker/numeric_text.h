#pragma once
// Reading the numbers typed into numeric boxes: only an all-digit text counts, and a long one
// saturates at the caller's ceiling instead of overflowing.
#include <cstdint>
#include <string>

namespace numerictext {

// At least one character, every one a decimal digit.
bool isAllDigits(const std::string& text);

// The decimal value of an all-digit text, no more than ceiling; 0 for any other text.
std::uint32_t readNumber(const std::string& text, std::uint32_t ceiling);

} // namespace numerictext
