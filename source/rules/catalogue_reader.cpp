#include "rules/catalogue_reader.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

#include "app/xml_file.h"

namespace {

bool isCSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

} // namespace

int readInt(const char* text) {
    if (!text) return 0;
    while (isCSpace(*text)) ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') negative = *text++ == '-';
    std::int64_t value = 0;
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<int>::max()} + 1;
    for (; *text >= '0' && *text <= '9'; ++text) {
        if (value <= limit) value = value * 10 + (*text - '0');
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

float readFloat(const char* text) {
    if (!text) return 0.0f;
    while (isCSpace(*text)) ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') negative = *text++ == '-';
    // from_chars ignores the locale, which is exactly what data files need.
    const char* end = text;
    while (*end) ++end;
    double value = 0.0;
    const auto result = std::from_chars(text, end, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // atof gives HUGE_VAL for huge magnitudes and 0 for tiny ones (a negative exponent).
        const std::string number(text, result.ptr);
        const bool tiny = number.find("e-") != std::string::npos || number.find("E-") != std::string::npos;
        value = tiny ? 0.0 : std::numeric_limits<double>::max();
    } else if (result.ec != std::errc()) {
        value = 0.0;
    }
    if (std::isnan(value)) value = 0.0;
    if (value > FLT_MAX) value = FLT_MAX;
    const float magnitude = static_cast<float>(value);
    return negative ? -magnitude : magnitude;
}

bool readFlag(const char* text) { return readInt(text) == 1; }

std::string attributeText(const tinyxml2::XMLElement& element, const char* name) {
    const char* value = element.Attribute(name);
    return value ? value : "";
}

void readDescriptionText(const tinyxml2::XMLElement& description, std::string& out) {
    if (const char* text = description.Attribute("text")) out = text;
}

void readDescriptions(const tinyxml2::XMLElement& element, std::string& out) {
    for (const tinyxml2::XMLElement* child = element.FirstChildElement("Description"); child;
         child = child->NextSiblingElement("Description")) {
        readDescriptionText(*child, out);
    }
}

std::string formatInt(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%d", value);
    return buffer;
}

std::string catalogueFolderPath(const std::string& baseFolder, const std::string& folder) {
    std::string path = folder;
    toAbsoluteWindowsPath(path, baseFolder);
    return path;
}

std::list<FileEntry> listCatalogueFolder(const std::string& baseFolder, const std::string& folder,
                                         const std::string& extension, bool includeFolders) {
    std::string path = catalogueFolderPath(baseFolder, folder);
    std::list<FileEntry> entries;
    listFiles(baseFolder, path, extension, entries, includeFolders, false);
    return entries;
}

const tinyxml2::XMLElement* rootNamed(const tinyxml2::XMLDocument& document, const char* name) {
    const tinyxml2::XMLElement* root = document.FirstChildElement();
    if (!root || std::string(root->Name()) != name) return nullptr;
    return root;
}

const tinyxml2::XMLElement* loadCatalogueFile(tinyxml2::XMLDocument& document, const std::string& path,
                                              const char* rootName) {
    if (!loadXmlFile(document, path)) return nullptr;
    return rootNamed(document, rootName);
}
