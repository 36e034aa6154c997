#include "rules/class_ability.h"

#include "rules/catalogue_reader.h"

void parseClassAbility(ClassAbility& ability, const std::string& path) {
    tinyxml2::XMLDocument document;
    const tinyxml2::XMLElement* root = loadCatalogueFile(document, path, "ClassAbility");
    if (root == nullptr) return;

    if (const char* id = root->Attribute("id")) ability.id = id;
    if (const char* name = root->Attribute("displayName")) ability.displayName = name;
    readDescriptions(*root, ability.description);
}
