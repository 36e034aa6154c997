#pragma once
// One character class: what scores it needs, how it moves, what it may wield, and its level
// table, with the subclasses and class abilities it owns.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "rules/character_class_level.h"
#include "rules/class_ability.h"
#include "rules/sub_class.h"

class ActionCatalogue;

class CharacterClass {
public:
    // baseFolder resolves the folders the class file names; actionCatalogue (may be null)
    // names the level actions and is only used while the file is read.
    CharacterClass(std::string baseFolder, const ActionCatalogue* actionCatalogue);
    // Subclasses point back at their class, so a class stays where it was made.
    CharacterClass(const CharacterClass&) = delete;
    CharacterClass& operator=(const CharacterClass&) = delete;

    // The record of exactly that level number, or null.
    const CharacterClassLevel* getLevel(std::uint32_t levelNumber) const;
    const ClassAbility* findClassAbility(const std::string& abilityId) const;
    const SubClass* findSubClass(const std::string& subClassId) const;
    const std::string& getClassAbilitiesPath() const { return classAbilitiesPath; }

    const std::string& baseFolder() const { return baseFolder_; }
    const ActionCatalogue* actionCatalogue() const { return actionCatalogue_; }

    std::string id;
    std::string displayName;
    std::string templatesPath;
    std::string classAbilitiesPath;
    // Compared unsigned; never more than the number of level records once the file is read.
    std::int32_t maxLevel = -1;
    std::string proficiencyList;
    std::vector<std::string> primeStats;
    std::map<std::string, std::int32_t> attributeRequirements;
    std::vector<std::string> allowedWeaponAndArmourTypes;
    std::vector<std::string> allowedFightingStyles;
    std::map<std::uint32_t, CharacterClassLevel> levels;
    std::map<std::string, ClassAbility> classAbilities;
    std::map<std::string, std::int32_t> movementSpeeds;
    bool hasSubClasses = false;
    std::string subClassDataPath;
    std::map<std::string, SubClass> subClasses;

private:
    std::string baseFolder_;
    const ActionCatalogue* actionCatalogue_ = nullptr;
};

// Reads one "CharacterClass" file with its subclasses and class abilities; false when the
// file can't be read or has another root.
bool parseCharacterClass(CharacterClass& characterClass, const std::string& path);
