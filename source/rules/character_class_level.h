#pragma once
// What one level of a class or subclass gives: title, experience, hit dice, abilities,
// proficiency slots, spell slots, throws and actions.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "rules/character_action.h"

namespace tinyxml2 {
class XMLElement;
}
class ActionCatalogue;

struct CharacterClassLevel {
    std::uint32_t levelNumber = 0;
    std::string title = "None";
    std::int32_t experience = 0;
    std::string hitDiceType;
    // Zero when the file leaves them out, so such a level rolls no dice and adds nothing.
    std::int32_t additionalHitDice = 0;
    bool receiveConBonus = false;
    std::int32_t hitPointBonus = 0;
    std::vector<std::string> classAbilities;
    // Slot kinds: "GeneralList", "ClassList", "IntBonus".
    std::vector<std::string> proficiencies;
    // Subclass levels only.
    std::vector<std::string> freeProficiencies;
    std::vector<std::string> bonusDivineSpells;
    std::vector<std::string> bonusArcaneSpells;
    // Spell level to count.
    std::map<std::int32_t, std::int32_t> arcaneSpellLevels;
    std::map<std::int32_t, std::int32_t> divineSpellLevels;
    // Throw key ("death", ..., "Attack") to target; lower is better.
    std::map<std::string, std::int32_t> savingAndAttackThrows;
    // Class levels only.
    std::vector<CharacterAction> actions;
};

// Which children a "Level" element may carry: a class level has actions, a subclass level
// has free proficiencies and bonus spells instead.
enum class LevelKind { Class, SubClass };

// Reads one "Level" element. actionCatalogue (may be null) names the class-level actions.
void readCharacterClassLevel(CharacterClassLevel& level, const tinyxml2::XMLElement& element, LevelKind kind,
                             const ActionCatalogue* actionCatalogue);
