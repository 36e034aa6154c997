// The values that follow from a character's scores, class, level and worn equipment.
#include <algorithm>
#include <cstdio>

#include "rules/character_class.h"
#include "rules/character_sheet.h"
#include "rules/clamped_int.h"

std::int32_t CharacterSheet::getModifier(std::int32_t score) const {
    // A negative score becomes a huge key and, like a score above 18, has no modifier.
    const auto found = modifierTable.find(static_cast<std::uint32_t>(score));
    return found != modifierTable.end() ? found->second : 0;
}

std::int32_t CharacterSheet::getScoreByName(const std::string& name) const {
    if (name == "strength") return getStrength();
    if (name == "intelligence") return getIntelligence();
    if (name == "wisdom") return getWisdom();
    if (name == "constitution") return getConstitution();
    if (name == "dexterity") return getDexterity();
    if (name == "charisma") return getCharisma();
    return 0;
}

const CharacterClassLevel* CharacterSheet::currentLevelRecord() const {
    return characterClass != nullptr ? characterClass->getLevel(level) : nullptr;
}

std::string CharacterSheet::getLevelTitle() const {
    const CharacterClassLevel* record = currentLevelRecord();
    return record != nullptr ? record->title : std::string();
}

std::int32_t CharacterSheet::getSavingThrow(const std::string& key) const {
    const CharacterClassLevel* record = currentLevelRecord();
    if (record == nullptr) return 20;
    const auto found = record->savingAndAttackThrows.find(key);
    return found != record->savingAndAttackThrows.end() ? found->second : 20;
}

std::int32_t CharacterSheet::getMovementSpeed(const std::string& key) const {
    if (characterClass == nullptr) return 20;
    const auto found = characterClass->movementSpeeds.find(key);
    return found != characterClass->movementSpeeds.end() ? found->second : 20;
}

std::int32_t CharacterSheet::getArmourClass() const {
    std::int64_t armourClass = getDexterityModifier();
    if (inventory.equippedArmour != nullptr) armourClass += inventory.equippedArmour->armourClassBonus();
    if (inventory.equippedShield != nullptr) armourClass += inventory.equippedShield->armourClassBonus();
    return clampToInt32(armourClass);
}

float CharacterSheet::getPrimeRequisiteXPBonus() const {
    if (characterClass == nullptr) return 0.0f;
    std::uint32_t lowest = 30;
    for (const std::string& stat : characterClass->primeStats) {
        lowest = std::min(lowest, static_cast<std::uint32_t>(getScoreByName(stat)));
    }
    if (lowest > 15) return 0.10f;
    if (lowest >= 13) return 0.05f;
    return 0.0f;
}

void CharacterSheet::rebuildActions() {
    actions.clear();
    const CharacterClassLevel* record = currentLevelRecord();
    if (record == nullptr) return;
    for (const CharacterAction& action : record->actions) {
        actions.push_back(action);
        CharacterAction& copy = actions.back();
        if (copy.id != "force_door") continue;
        // Strength makes a stuck door easier: each point of modifier is worth four on the throw.
        std::int32_t value = clampToInt32(std::int64_t{copy.throwValue} - 4 * std::int64_t{getStrengthModifier()});
        if (value < 1) value = 1;
        copy.throwValue = value;
        char text[16];
        std::snprintf(text, sizeof text, "%d+", value);
        copy.throwText = text;
    }
}
