#include "rules/character_action.h"

#include "rules/catalogue_reader.h"

void parseActionFile(CharacterAction& record, const std::string& path) {
    tinyxml2::XMLDocument document;
    const tinyxml2::XMLElement* root = loadCatalogueFile(document, path, "Proficiency");
    if (!root) return;
    for (const tinyxml2::XMLAttribute* attribute = root->FirstAttribute(); attribute; attribute = attribute->Next()) {
        const std::string name = attribute->Name();
        const char* value = attribute->Value();
        if (name == "id") record.id = value;
        else if (name == "displayName") record.displayName = value;
        else if (name == "throw") {
            record.throwText = value;
            record.throwValue = readInt(value);
        }
    }
    for (const tinyxml2::XMLElement* child = root->FirstChildElement("Description"); child;
         child = child->NextSiblingElement("Description")) {
        readDescriptionText(*child, record.description);
    }
}
