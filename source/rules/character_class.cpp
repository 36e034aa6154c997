#include "rules/character_class.h"

#include <tinyxml2.h>

#include "app/xml_file.h"
#include "rules/catalogue_reader.h"

namespace {

void appendChildNames(const tinyxml2::XMLElement& parent, std::vector<std::string>& names) {
    for (const tinyxml2::XMLElement* child = parent.FirstChildElement(); child != nullptr;
         child = child->NextSiblingElement()) {
        names.emplace_back(child->Name());
    }
}

void readRootAttributes(CharacterClass& characterClass, const tinyxml2::XMLElement& root) {
    for (const tinyxml2::XMLAttribute* attribute = root.FirstAttribute(); attribute != nullptr;
         attribute = attribute->Next()) {
        const std::string name = attribute->Name();
        if (name == "id") {
            characterClass.id = attribute->Value();
        } else if (name == "displayName") {
            characterClass.displayName = attribute->Value();
        } else if (name == "maxLevel") {
            characterClass.maxLevel = readInt(attribute->Value());
        } else if (name == "proficiencyList") {
            characterClass.proficiencyList = attribute->Value();
        } else if (name == "templatesPath") {
            characterClass.templatesPath = attribute->Value();
        } else if (name == "classAbilitiesPath") {
            characterClass.classAbilitiesPath = attribute->Value();
        }
    }
}

void readLevels(CharacterClass& characterClass, const tinyxml2::XMLElement& levels) {
    for (const tinyxml2::XMLElement* element = levels.FirstChildElement("Level"); element != nullptr;
         element = element->NextSiblingElement("Level")) {
        CharacterClassLevel level;
        readCharacterClassLevel(level, *element, LevelKind::Class, characterClass.actionCatalogue());
        characterClass.levels.emplace(level.levelNumber, std::move(level));
    }
}

void loadClassAbilities(CharacterClass& characterClass) {
    // An empty path names no folder (not the base folder itself).
    if (characterClass.classAbilitiesPath.empty()) return;
    for (const FileEntry& entry :
         listCatalogueFolder(characterClass.baseFolder(), characterClass.classAbilitiesPath, "xml", false)) {
        ClassAbility ability;
        parseClassAbility(ability, entry.fullPath);
        characterClass.classAbilities.emplace(ability.id, std::move(ability));
    }
}

} // namespace

CharacterClass::CharacterClass(std::string baseFolder, const ActionCatalogue* actionCatalogue)
    : baseFolder_(std::move(baseFolder)), actionCatalogue_(actionCatalogue) {}

const CharacterClassLevel* CharacterClass::getLevel(std::uint32_t levelNumber) const {
    const auto found = levels.find(levelNumber);
    return found != levels.end() ? &found->second : nullptr;
}

const ClassAbility* CharacterClass::findClassAbility(const std::string& abilityId) const {
    const auto found = classAbilities.find(abilityId);
    return found != classAbilities.end() ? &found->second : nullptr;
}

const SubClass* CharacterClass::findSubClass(const std::string& subClassId) const {
    const auto found = subClasses.find(subClassId);
    return found != subClasses.end() ? &found->second : nullptr;
}

bool parseCharacterClass(CharacterClass& characterClass, const std::string& path) {
    tinyxml2::XMLDocument document;
    if (!loadXmlFile(document, path)) return false;
    const tinyxml2::XMLElement* root = rootNamed(document, "CharacterClass");
    if (root == nullptr) return false;

    readRootAttributes(characterClass, *root);
    for (const tinyxml2::XMLElement* child = root->FirstChildElement(); child != nullptr;
         child = child->NextSiblingElement()) {
        const std::string name = child->Name();
        if (name == "PrimeStats") {
            appendChildNames(*child, characterClass.primeStats);
        } else if (name == "AdditionalAttributeRequirements") {
            for (const tinyxml2::XMLElement* entry = child->FirstChildElement(); entry != nullptr;
                 entry = entry->NextSiblingElement()) {
                characterClass.attributeRequirements.emplace(entry->Name(), readInt(entry->Attribute("value")));
            }
        } else if (name == "AllowedWeaponAndArmourTypes") {
            appendChildNames(*child, characterClass.allowedWeaponAndArmourTypes);
        } else if (name == "AllowedFightingStyles") {
            appendChildNames(*child, characterClass.allowedFightingStyles);
        } else if (name == "MovementSpeeds") {
            for (const tinyxml2::XMLElement* entry = child->FirstChildElement(); entry != nullptr;
                 entry = entry->NextSiblingElement()) {
                const char* value = entry->Attribute("value");
                characterClass.movementSpeeds.emplace(entry->Name(), value != nullptr ? readInt(value) : 20);
            }
        } else if (name == "SubClassData") {
            if (const char* subClassPath = child->Attribute("path")) {
                characterClass.subClassDataPath = subClassPath;
                characterClass.hasSubClasses = true;
                loadSubClasses(characterClass, characterClass.subClassDataPath);
            }
        } else if (name == "Levels") {
            readLevels(characterClass, *child);
        }
    }

    loadClassAbilities(characterClass);
    // A file without "maxLevel" (or with a negative one, which reads as huge unsigned) tops
    // out at its last level record rather than at an arbitrary number.
    if (static_cast<std::uint32_t>(characterClass.maxLevel) > characterClass.levels.size()) {
        characterClass.maxLevel = static_cast<std::int32_t>(characterClass.levels.size());
    }
    return true;
}
