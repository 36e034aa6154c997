#include "rules/sub_class.h"


#include <tinyxml2.h>

#include "app/xml_file.h"
#include "rules/catalogue_reader.h"
#include "rules/character_class.h"

namespace {

void appendChildNames(const tinyxml2::XMLElement& parent, std::vector<std::string>& names) {
    for (const tinyxml2::XMLElement* child = parent.FirstChildElement(); child != nullptr;
         child = child->NextSiblingElement()) {
        names.emplace_back(child->Name());
    }
}

} // namespace

bool parseSubClass(SubClass& subClass, const std::string& path) {
    tinyxml2::XMLDocument document;
    if (!loadXmlFile(document, path)) return false;
    const tinyxml2::XMLElement* root = rootNamed(document, "SubClass");
    if (root == nullptr) return false;

    if (const char* id = root->Attribute("id")) subClass.id = id;
    if (const char* name = root->Attribute("displayName")) subClass.displayName = name;
    if (const char* type = root->Attribute("typeName")) subClass.typeName = type;

    for (const tinyxml2::XMLElement* child = root->FirstChildElement(); child != nullptr;
         child = child->NextSiblingElement()) {
        const std::string name = child->Name();
        if (name == "AllowedWeaponAndArmourTypes") {
            appendChildNames(*child, subClass.allowedWeaponAndArmourTypes);
        } else if (name == "AllowedFightingStyles") {
            appendChildNames(*child, subClass.allowedFightingStyles);
        } else if (name == "Levels") {
            for (const tinyxml2::XMLElement* levelElement = child->FirstChildElement("Level"); levelElement != nullptr;
                 levelElement = levelElement->NextSiblingElement("Level")) {
                CharacterClassLevel level;
                readCharacterClassLevel(level, *levelElement, LevelKind::SubClass, nullptr);
                subClass.levels.emplace(level.levelNumber, std::move(level));
            }
        }
    }
    return true;
}

void loadSubClasses(CharacterClass& characterClass, const std::string& folder) {
    // An empty path names no folder (not the base folder itself).
    if (folder.empty()) return;
    for (const FileEntry& entry : listCatalogueFolder(characterClass.baseFolder(), folder, "*", true)) {
        SubClass subClass(&characterClass);
        // Whatever the entry is, it takes its place under its id (empty for anything but a
        // subclass file), so a stray file can't shadow a real subclass listed before it.
        parseSubClass(subClass, entry.fullPath);
        characterClass.subClasses.emplace(subClass.id, std::move(subClass));
    }
}

const CharacterClassLevel* getSubClassLevel(const SubClass& subClass, std::uint32_t levelNumber) {
    const auto found = subClass.levels.find(levelNumber);
    return found != subClass.levels.end() ? &found->second : nullptr;
}
