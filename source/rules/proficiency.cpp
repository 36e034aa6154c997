#include "rules/proficiency.h"

#include "rules/catalogue_reader.h"

void parseProficiency(Proficiency& record, const std::string& path) {
    tinyxml2::XMLDocument document;
    const tinyxml2::XMLElement* root = loadCatalogueFile(document, path, "Proficiency");
    if (!root) return;
    forEachAttribute(*root, [&](const std::string& name, const char* value) {
        if (name == "id") record.id = value;
        else if (name == "displayName") record.displayName = value;
        else if (name == "canBeUpgraded") record.canBeUpgraded = readFlag(value);
        else if (name == "hasDomain") record.hasDomain = readFlag(value);
        else if (name == "maxLevel") record.maxLevel = readInt(value);
    });
    readDescriptions(*root, record.description);
}
