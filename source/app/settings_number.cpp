#include "app/settings_number.h"

#include <climits>
#include <cstdint>

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

} // namespace

std::optional<int> readSettingsNumber(const char* text) {
    if (!text) return std::nullopt;
    while (isSpace(*text)) ++text;
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+') ++text;
    if (*text < '0' || *text > '9') return std::nullopt;
    // Saturates one past the range, so any length of digits stays cheap and out of range.
    constexpr std::int64_t kPastRange = std::int64_t(INT_MAX) + 2;
    std::int64_t magnitude = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        magnitude = magnitude * 10 + (*text - '0');
        if (magnitude > kPastRange) magnitude = kPastRange;
    }
    while (isSpace(*text)) ++text;
    if (*text) return std::nullopt;
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < INT_MIN || value > INT_MAX) return std::nullopt;
    return int(value);
}
