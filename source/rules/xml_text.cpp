#include "rules/xml_text.h"

#include <algorithm>

#include "app/log.h"
#include "app/xml_file.h"
#include "platform/file_io.h"

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

std::string escapeAttributeBreaks(const std::string& printed) {
    std::string out;
    out.reserve(printed.size());
    // The printer escapes quotes inside values, so a quote inside a tag always opens or
    // closes one; the declaration's values are balanced the same way.
    bool inTag = false;
    bool inValue = false;
    for (const char c : printed) {
        if (isForbidden(c)) continue;
        if (inValue) {
            if (c == '"') inValue = false;
            if (c == '\t') out += "&#9;";
            else if (c == '\n') out += "&#10;";
            else if (c == '\r') out += "&#13;";
            else out += c;
            continue;
        }
        if (c == '<') inTag = true;
        else if (c == '>') inTag = false;
        else if (c == '"' && inTag) inValue = true;
        out += c;
    }
    return out;
}

bool saveXmlFileKeepingText(const tinyxml2::XMLDocument& document, const std::string& path) {
    std::string error;
    if (!platform::writeFileAtomically(path, escapeAttributeBreaks(xmlFileText(document)), &error)) {
        LOG_MESSAGE("Unable to save XML File at path : %s (%s)", path.c_str(), error.c_str());
        return false;
    }
    return true;
}
