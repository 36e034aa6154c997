#include "app/xml_file.h"

#include <cerrno>
#include <cstring>

#include "app/log.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/text_encoding.h"

namespace {

bool hasHighBytes(const char* text) {
    for (; text && *text; ++text) {
        if (static_cast<unsigned char>(*text) >= 0x80) return true;
    }
    return false;
}

// Converts the element names, attribute values and texts of a tree parsed from UTF-8.
void convertTreeToWindows1252(tinyxml2::XMLNode* node) {
    for (; node; node = node->NextSibling()) {
        if (hasHighBytes(node->Value())) node->SetValue(platform::utf8ToWindows1252(node->Value()).c_str());
        if (tinyxml2::XMLElement* element = node->ToElement()) {
            for (const tinyxml2::XMLAttribute* a = element->FirstAttribute(); a; a = a->Next()) {
                if (hasHighBytes(a->Value()))
                    const_cast<tinyxml2::XMLAttribute*>(a)->SetAttribute(platform::utf8ToWindows1252(a->Value()).c_str());
            }
        }
        convertTreeToWindows1252(node->FirstChild());
    }
}

} // namespace

bool loadXmlFile(tinyxml2::XMLDocument& document, const std::string& path) {
    const std::string resolved = platform::resolvePath(path);
    if (!platform::pathExists(resolved)) {
        LOG_MESSAGE("Unable to find XML File at path : %s", path.c_str());
        return false;
    }
    if (!platform::isRegularFile(resolved)) {
        LOG_MESSAGE("XML File at path %s is not a file: %s", path.c_str(),
                    platform::isDirectory(resolved) ? "it is a folder" : "it is a device, pipe or socket");
        return false;
    }
    std::string bytes;
    errno = 0;
    if (!platform::readWholeFile(resolved, bytes)) {
        LOG_MESSAGE("XML File at path %s could not be read: %s", path.c_str(),
                    errno ? std::strerror(errno) : "read error");
        return false;
    }
    // The parser expands character references such as "&#233;" into UTF-8, so a UTF-8 file
    // that has them is converted after parsing; converting its bytes first would leave those
    // characters in UTF-8 inside the program.
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
    const bool convertAfterParsing = bytes.find("&#") != std::string::npos && platform::isValidUtf8(bytes);
    const std::string text = convertAfterParsing ? bytes : platform::fileTextToWindows1252(bytes);
    const tinyxml2::XMLError parsed = document.Parse(text.data(), text.size());
    if (parsed == tinyxml2::XML_ERROR_EMPTY_DOCUMENT) {
        LOG_MESSAGE("XML File at path %s could not be read: it holds no XML", path.c_str());
        return false;
    }
    if (parsed != tinyxml2::XML_SUCCESS) {
        LOG_MESSAGE("XML File at path %s could not be read: not well-formed at line %d (%s)", path.c_str(),
                    document.ErrorLineNum(), document.ErrorName() ? document.ErrorName() : "");
        return false;
    }
    if (convertAfterParsing) convertTreeToWindows1252(&document);
    return true;
}

std::string xmlFileText(const tinyxml2::XMLDocument& document) {
    tinyxml2::XMLPrinter printer;
    document.Print(&printer);
    return platform::windows1252ToUtf8(std::string(printer.CStr(), printer.CStrSize() > 0 ? printer.CStrSize() - 1 : 0));
}

bool saveXmlFile(const tinyxml2::XMLDocument& document, const std::string& path) {
    std::string error;
    if (!platform::writeFileAtomically(path, xmlFileText(document), &error)) {
        LOG_MESSAGE("Unable to save XML File at path : %s (%s)", path.c_str(), error.c_str());
        return false;
    }
    return true;
}
