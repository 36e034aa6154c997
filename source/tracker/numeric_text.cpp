#include "tracker/numeric_text.h"

namespace numerictext {

bool isAllDigits(const std::string& text) {
    if (text.empty()) return false;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < '0' || byte > '9') return false;
    }
    return true;
}

std::uint32_t readNumber(const std::string& text, std::uint32_t ceiling) {
    if (!isAllDigits(text)) return 0;
    std::uint64_t value = 0;
    for (const char c : text) {
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        // Stop before the 64-bit value could overflow: past the ceiling nothing more matters.
        if (value >= ceiling) return ceiling;
    }
    return static_cast<std::uint32_t>(value);
}

} // namespace numerictext
