#include "app/xml_file.h"

#include "app/log.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/text_encoding.h"

bool loadXmlFile(tinyxml2::XMLDocument& document, const std::string& path) {
    std::string bytes;
    if (platform::isDirectory(path) || !platform::readWholeFile(path, bytes)) {
        LOG_MESSAGE("Unable to find XML File at path : %s", path.c_str());
        return false;
    }
    const std::string text = platform::fileTextToWindows1252(bytes);
    if (document.Parse(text.data(), text.size()) != tinyxml2::XML_SUCCESS) {
        LOG_MESSAGE("XML File at path %s could not be read: %s", path.c_str(),
                    document.ErrorStr() ? document.ErrorStr() : "");
        return false;
    }
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
