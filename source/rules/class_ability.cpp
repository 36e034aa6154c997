#include "rules/class_ability.h"

#include "app/xml_file.h"
#include "rules/catalogue_reader.h"

void parseClassAbility(ClassAbility& ability, const std::string& path) {
    tinyxml2::XMLDocument document;
    if (!loadXmlFile(document, path)) return;
    const tinyxml2::XMLElement* root = rootNamed(document, "ClassAbility");
    if (root == nullptr) return;

    if (const char* id = root->Attribute("id")) ability.id = id;
    if (const char* name = root->Attribute("displayName")) ability.displayName = name;
    for (const tinyxml2::XMLElement* child = root->FirstChildElement("Description"); child != nullptr;
         child = child->NextSiblingElement("Description")) {
        readDescriptionText(*child, ability.description);
    }
}
