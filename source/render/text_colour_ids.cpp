#include "render/text_colour_ids.h"

#include <cstdlib>
#include <cstring>
#include <tinyxml2.h>

#include "app/xml_file.h"

const TextColour* ColourIdTable::find(const std::string& id) const {
    auto found = colours_.find(id);
    return found == colours_.end() ? nullptr : &found->second;
}

void readColourIdDatabase(const std::string& path, ColourIdTable& table) {
    tinyxml2::XMLDocument document;
    if (!loadXmlFile(document, path)) return;
    const tinyxml2::XMLElement* root = document.FirstChildElement();
    if (!root || std::strcmp(root->Name(), "ColourIDs") != 0) return;
    for (const tinyxml2::XMLElement* element = root->FirstChildElement(); element;
         element = element->NextSiblingElement()) {
        std::string id;
        TextColour colour;
        for (const tinyxml2::XMLAttribute* attribute = element->FirstAttribute(); attribute;
             attribute = attribute->Next()) {
            const char* name = attribute->Name();
            // atof under the program's C locale: always a decimal point.
            float value = static_cast<float>(std::atof(attribute->Value()));
            if (std::strcmp(name, "id") == 0) {
                id = attribute->Value();
            } else if (std::strcmp(name, "r") == 0) {
                colour.r = value;
            } else if (std::strcmp(name, "g") == 0) {
                colour.g = value;
            } else if (std::strcmp(name, "b") == 0) {
                colour.b = value;
            } else if (std::strcmp(name, "a") == 0) {
                colour.a = value;
            }
        }
        table.set(id, colour);
    }
}
