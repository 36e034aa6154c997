#pragma once
// A specialisation of a class, chosen through a class template, that adds abilities, free
// proficiencies and bonus spells level by level.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "rules/character_class_level.h"

class CharacterClass;

struct SubClass {
    explicit SubClass(const CharacterClass* parentClass) : parentClass(parentClass) {}

    std::string id;
    std::string displayName;
    // The word the character sheet puts before the subclass name.
    std::string typeName;
    std::vector<std::string> allowedWeaponAndArmourTypes;
    std::vector<std::string> allowedFightingStyles;
    std::map<std::uint32_t, CharacterClassLevel> levels;
    const CharacterClass* parentClass = nullptr;
};

// Fills subClass from one file; false when the file can't be read or its root isn't "SubClass".
bool parseSubClass(SubClass& subClass, const std::string& path);
// Reads every entry of folder (relative to the class's base folder) into its subclasses.
void loadSubClasses(CharacterClass& characterClass, const std::string& folder);
// The level record of exactly that number, or null.
const CharacterClassLevel* getSubClassLevel(const SubClass& subClass, std::uint32_t levelNumber);
