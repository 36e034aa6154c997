// Applying the class tables to a character: at creation (class, then template) and at every
// level-up. Without a class, or without a record for the level in question, the class
// operations leave the character as it is.
#include "rules/character_class.h"
#include "rules/character_sheet.h"
#include "rules/clamped_int.h"
#include "rules/class_template.h"
#include "rules/spell_catalogue.h"

namespace {

int hitDieSize(const std::string& type) {
    if (type == "d4") return 4;
    if (type == "d6") return 6;
    if (type == "d8") return 8;
    if (type == "d10") return 10;
    return 6;
}

template <class Map>
void addTo(Map& map, typename Map::key_type key, std::int64_t amount) {
    auto& count = map[key];
    count = saturatingAdd(count, amount);
}

} // namespace

void CharacterSheet::applyCharacterClass(const CharacterClass& newClass) {
    characterClass = &newClass;
    unresolvedClass.reset();
    rollHitPoints(level, true);
    addClassAbilities(level);
    proficiencies.push_back(std::make_unique<CharacterProficiency>(*proficiencyCatalogue_, "adventuring"));
    updateProficiencySlots();
    rebuildActions();
    updateSpellSlots();
    saved = false;
}

void CharacterSheet::applyClassTemplate(const ClassTemplate& classTemplate) {
    saved = false;
    if (characterClass != nullptr && characterClass->hasSubClasses) {
        subClass = characterClass->findSubClass(classTemplate.subClassId);
        addSubClassAbilities(level);
        addSubClassBonusDivineSpells(level);
        addSubClassBonusArcaneSpells(level);
        addSubClassFreeProficiencies(level);
    }

    for (const CharacterProficiency& free : classTemplate.freeProficiencies) {
        proficiencies.push_back(std::make_unique<CharacterProficiency>(free));
    }

    // The template's picks spend the slots the class gave. The general count absorbs the
    // difference, so a template that picks nothing leaves one more general slot.
    std::int64_t picks = 0;
    const std::int64_t slots = std::int64_t{unallocatedClassProficiencySlots} + unallocatedGeneralProficiencySlots;
    for (std::int64_t position = 0; position < slots; ++position) {
        const auto entry = classTemplate.startingProficiencies.find(static_cast<int>(position));
        // Positions are dense from 0: past the last one there is nothing more to pick.
        if (entry == classTemplate.startingProficiencies.end()) break;
        const CharacterProficiency& start = entry->second;
        if (start.record == nullptr) continue;
        bool owned = false;
        for (auto& proficiency : proficiencies) {
            if (proficiency->id != start.id || proficiency->domain != start.domain) continue;
            owned = true;
            if (proficiency->level < start.level) {
                ++proficiency->level;
                ++picks;
            }
        }
        if (!owned) {
            proficiencies.push_back(std::make_unique<CharacterProficiency>(start));
            picks += start.level;
        }
    }
    unallocatedClassProficiencySlots = 0;
    unallocatedGeneralProficiencySlots = saturatingAdd(unallocatedGeneralProficiencySlots, -(picks - 1));

    for (const auto& item : classTemplate.startingInventory.items) {
        inventory.attachEquipment(std::make_unique<BRAVCharacterEquipment>(*item), nullptr);
    }
    wealth.current = classTemplate.startingMoney;

    const auto firstLevelSlots = unallocatedArcaneSpellSlots.find(1);
    if (firstLevelSlots != unallocatedArcaneSpellSlots.end() && firstLevelSlots->second > 0) {
        const std::int32_t count = firstLevelSlots->second;
        for (std::int32_t index = 0; index < count; ++index) {
            const auto spell = classTemplate.startingArcaneSpells.find(index);
            if (spell == classTemplate.startingArcaneSpells.end()) continue;
            // The starting spells fill the first level's slots whatever their own level.
            arcaneSpells[1].push_back(spell->second);
            --firstLevelSlots->second;
        }
    }
}

bool CharacterSheet::levelUp() {
    if (characterClass == nullptr || level == UINT32_MAX || characterClass->getLevel(level + 1) == nullptr) return false;
    levelUpReport = LevelUpReport();
    ++level;
    rollHitPoints(level, false);
    addClassAbilities(level);
    if (subClass != nullptr) {
        addSubClassAbilities(level);
        addSubClassBonusDivineSpells(level);
        addSubClassBonusArcaneSpells(level);
        addSubClassFreeProficiencies(level);
    }
    updateProficiencySlots();
    rebuildActions();
    updateAttackThrow();
    updateSpellSlots();
    saved = false;
    return true;
}

void CharacterSheet::rollHitPoints(std::uint32_t levelNumber, bool maximise) {
    const CharacterClassLevel* record = characterClass != nullptr ? characterClass->getLevel(levelNumber) : nullptr;
    if (record == nullptr) return;
    const int die = hitDieSize(record->hitDiceType);
    std::int64_t total = 0;
    for (std::int32_t dice = 0; dice < record->additionalHitDice; ++dice) {
        total += maximise ? die : 1 + static_cast<int>(random.draw() % static_cast<std::uint32_t>(die));
    }
    total += record->hitPointBonus;
    if (record->receiveConBonus) total += getConstitutionModifier();
    const std::int32_t gained = total < 1 ? 1 : clampToInt32(total);
    currentHitPoints = saturatingAdd(currentHitPoints, gained);
    maximumHitPoints = saturatingAdd(maximumHitPoints, gained);
    levelUpReport.hitPointsGained = gained;
    saved = false;
}

void CharacterSheet::addClassAbilities(std::uint32_t levelNumber) {
    const CharacterClassLevel* record = characterClass != nullptr ? characterClass->getLevel(levelNumber) : nullptr;
    if (record == nullptr) return;
    for (const std::string& id : record->classAbilities) {
        if (const ClassAbility* ability = characterClass->findClassAbility(id)) classAbilities.push_back(ability);
    }
    saved = false;
}

void CharacterSheet::addSubClassAbilities(std::uint32_t levelNumber) {
    const CharacterClassLevel* record = subClass != nullptr ? getSubClassLevel(*subClass, levelNumber) : nullptr;
    const CharacterClass* owningClass = subClass != nullptr ? subClass->parentClass : nullptr;
    if (record == nullptr || owningClass == nullptr) return;
    for (const std::string& id : record->classAbilities) {
        if (const ClassAbility* ability = owningClass->findClassAbility(id)) classAbilities.push_back(ability);
    }
    saved = false;
}

void CharacterSheet::addSubClassBonusDivineSpells(std::uint32_t levelNumber) {
    const CharacterClassLevel* record = subClass != nullptr ? getSubClassLevel(*subClass, levelNumber) : nullptr;
    if (record == nullptr) return;
    for (const std::string& id : record->bonusDivineSpells) addDivineSpell(spellCatalogue_->findDivineSpell(id));
    saved = false;
}

void CharacterSheet::addSubClassBonusArcaneSpells(std::uint32_t levelNumber) {
    const CharacterClassLevel* record = subClass != nullptr ? getSubClassLevel(*subClass, levelNumber) : nullptr;
    if (record == nullptr) return;
    for (const std::string& id : record->bonusArcaneSpells) addArcaneSpell(spellCatalogue_->findArcaneSpell(id));
    saved = false;
}

void CharacterSheet::addSubClassFreeProficiencies(std::uint32_t levelNumber) {
    const CharacterClassLevel* record = subClass != nullptr ? getSubClassLevel(*subClass, levelNumber) : nullptr;
    if (record == nullptr) return;
    for (const std::string& id : record->freeProficiencies) {
        proficiencies.push_back(std::make_unique<CharacterProficiency>(*proficiencyCatalogue_, id));
    }
    saved = false;
}

void CharacterSheet::updateProficiencySlots() {
    const CharacterClassLevel* record = currentLevelRecord();
    if (record == nullptr) return;
    for (const std::string& token : record->proficiencies) {
        if (token == "GeneralList") {
            unallocatedGeneralProficiencySlots = saturatingAdd(unallocatedGeneralProficiencySlots, 1);
        } else if (token == "ClassList") {
            unallocatedClassProficiencySlots = saturatingAdd(unallocatedClassProficiencySlots, 1);
        } else if (token == "IntBonus" && getIntelligenceModifier() > 0) {
            unallocatedGeneralProficiencySlots =
                saturatingAdd(unallocatedGeneralProficiencySlots, getIntelligenceModifier());
        }
    }
    saved = false;
}

void CharacterSheet::updateSpellSlots() {
    const CharacterClassLevel* record = currentLevelRecord();
    if (record == nullptr) return;
    for (const auto& [spellLevel, gained] : record->arcaneSpellLevels) {
        const auto key = static_cast<std::uint32_t>(spellLevel);
        // A spell level opened for the first time brings the Intelligence bonus to the
        // repertoire, not to the castings.
        std::int64_t extra = gained;
        if (getArcaneDailyCastings(key) == 0 && getIntelligenceModifier() > 0) extra += getIntelligenceModifier();
        addTo(unallocatedArcaneSpellSlots, key, extra);
        addTo(arcaneRepertoireSlots, key, extra);
        addTo(arcaneDailyCastings, key, gained);
        levelUpReport.arcaneCastingsGained.emplace(spellLevel, gained);
    }
    const ClassSpellList* classList = spellCatalogue_->divineClassSpellList(characterClass->id);
    for (const auto& [spellLevel, gained] : record->divineSpellLevels) {
        const auto key = static_cast<std::uint32_t>(spellLevel);
        // The first castings of a spell level teach the class's whole list of that level.
        if (getDivineDailyCastings(key) == 0 && classList != nullptr) {
            const auto ids = classList->find(spellLevel);
            if (ids != classList->end()) {
                for (const std::string& id : ids->second) addDivineSpell(spellCatalogue_->findDivineSpell(id));
            }
        }
        addTo(divineDailyCastings, key, gained);
        levelUpReport.divineCastingsGained.emplace(spellLevel, gained);
    }
    saved = false;
}

void CharacterSheet::updateAttackThrow() {
    if (characterClass == nullptr || level == 0) return;
    const CharacterClassLevel* previous = characterClass->getLevel(level - 1);
    if (previous == nullptr) return;
    for (const auto& [key, before] : previous->savingAndAttackThrows) {
        if (getSavingThrow(key) >= before) continue;
        if (key == "Attack") {
            levelUpReport.attackImproved = true;
        } else {
            levelUpReport.savesImproved = true;
        }
    }
}
