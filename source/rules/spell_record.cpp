#include "rules/spell_record.h"

#include <tinyxml2.h>

#include "rules/catalogue_reader.h"

void readSpellRecord(SpellRecord& record, const std::string& path) {
    tinyxml2::XMLDocument document;
    const tinyxml2::XMLElement* root = loadCatalogueFile(document, path, "Spell");
    if (!root) return;
    forEachAttribute(*root, [&](const std::string& name, const char* value) {
        if (name == "id") record.id = value;
        else if (name == "displayName") record.displayName = value;
        else if (name == "level") record.level = readInt(value);
        else if (name == "range") record.range = value;
        else if (name == "duration") record.duration = value;
    });
    for (const tinyxml2::XMLElement* child = root->FirstChildElement("Description"); child;
         child = child->NextSiblingElement("Description")) {
        // "[*" ... "]" sets the name and the two labels apart in the UI text markup.
        record.text = "[*" + record.displayName + "]\n\n" + "[*Range: ]" + record.range + "\n" + "[*Duration: ]" +
                      record.duration + "\n\n";
        for (const tinyxml2::XMLAttribute* attribute = child->FirstAttribute(); attribute; attribute = attribute->Next()) {
            if (std::string(attribute->Name()) == "text") record.text += std::string(attribute->Value()) + "\n";
        }
    }
}

bool isXmlName(const std::string& text) {
    if (text.empty()) return false;
    const auto first = static_cast<unsigned char>(text[0]);
    if (!tinyxml2::XMLUtil::IsNameStartChar(first)) return false;
    for (const char c : text) {
        if (!tinyxml2::XMLUtil::IsNameChar(static_cast<unsigned char>(c))) return false;
    }
    return true;
}
