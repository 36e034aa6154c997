#include "rules/character_action.h"

#include "rules/catalogue_reader.h"

void parseActionFile(CharacterAction& record, const std::string& path) {
    tinyxml2::XMLDocument document;
    const tinyxml2::XMLElement* root = loadCatalogueFile(document, path, "Proficiency");
    if (!root) return;
    forEachAttribute(*root, [&](const std::string& name, const char* value) {
        if (name == "id") record.id = value;
        else if (name == "displayName") record.displayName = value;
        else if (name == "throw") {
            record.throwText = value;
            record.throwValue = readInt(value);
        }
    });
    readDescriptions(*root, record.description);
}
