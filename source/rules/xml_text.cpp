#include "rules/xml_text.h"

#include <algorithm>

namespace {

bool isForbidden(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 && c != '\t' && c != '\n' && c != '\r';
}

} // namespace

bool makeXmlSafe(std::string& text) {
    const auto end = std::remove_if(text.begin(), text.end(), isForbidden);
    if (end == text.end()) return false;
    text.erase(end, text.end());
    return true;
}

std::string xmlSafeText(const std::string& text) {
    std::string safe = text;
    makeXmlSafe(safe);
    return safe;
}
