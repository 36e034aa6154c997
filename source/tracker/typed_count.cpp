#include "tracker/typed_count.h"

namespace typedcount {

std::optional<std::uint32_t> parse(const std::string& text) {
    if (text.empty() || text.size() > maxDigits) return std::nullopt;
    std::uint32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return value;
}

} // namespace typedcount
