#include "render/font_list.h"

#include <cstdlib>
#include <cstring>
#include <tinyxml2.h>

#include "app/xml_file.h"

std::vector<FontListEntry> readFontList(const std::string& path) {
    std::vector<FontListEntry> entries;
    tinyxml2::XMLDocument document;
    if (!loadXmlFile(document, path)) return entries;
    const tinyxml2::XMLElement* root = document.FirstChildElement();
    if (!root || std::strcmp(root->Name(), "fonts") != 0) return entries;
    for (const tinyxml2::XMLElement* element = root->FirstChildElement(); element;
         element = element->NextSiblingElement()) {
        FontListEntry entry;
        for (const tinyxml2::XMLAttribute* attribute = element->FirstAttribute(); attribute;
             attribute = attribute->Next()) {
            if (std::strcmp(attribute->Name(), "name") == 0) {
                entry.name = attribute->Value();
            } else if (std::strcmp(attribute->Name(), "size") == 0) {
                entry.size = static_cast<std::uint32_t>(std::atoi(attribute->Value()));
            }
        }
        entries.push_back(entry);
    }
    return entries;
}

std::string fontKey(const std::string& name, std::uint32_t size) { return name + "_" + std::to_string(size); }

std::uint32_t fontPixelSize(std::uint32_t screenWidth, std::uint32_t size) { return size == 0 ? 0 : screenWidth / size; }

std::string fontEntryKey(const FontListEntry& entry) {
    if (entry.pixelHeight != 0) return entry.name + "_" + std::to_string(entry.pixelHeight) + "px";
    return fontKey(entry.name, entry.size);
}

std::uint32_t fontEntryPixelSize(const FontListEntry& entry, std::uint32_t screenWidth) {
    return entry.pixelHeight != 0 ? entry.pixelHeight : fontPixelSize(screenWidth, entry.size);
}
