#pragma once
// The level-up tests' rules: one class, "spellblade", whose levels grant in turn abilities,
// proficiency slots, arcane and divine castings and better throws (data/level_up), and
// characters of it at a chosen level with seeded rolls.
#include <memory>
#include <string>

#include "rules/class_lookups.h"
#include "rules/character_sheet.h"
#include "rules/rules_catalogues.h"

inline const RulesCatalogues& levelUpCatalogues() {
    static const std::unique_ptr<RulesCatalogues> catalogues =
        loadRulesCatalogues(std::string(ZODERUD_TEST_DATA_DIR) + "/level_up/");
    return *catalogues;
}

// A spellblade at level, as if it had gained the levels below: one arcane casting of level 1
// and Intelligence 9 (no bonus), so a level-up adds exactly what its level record says.
inline std::unique_ptr<CharacterSheet> spellbladeAt(std::uint32_t level) {
    const RulesCatalogues& catalogues = levelUpCatalogues();
    auto sheet = std::make_unique<CharacterSheet>(nullptr, catalogues.classes, catalogues.proficiencies,
                                                  catalogues.equipment, catalogues.spells);
    sheet->random = RandomSource(20261210);
    sheet->characterClass = findClassById(catalogues.classes, "spellblade");
    sheet->level = level;
    sheet->attributes[CharacterSheet::Intelligence].current = 9;
    sheet->arcaneDailyCastings[1] = 1;
    sheet->currentHitPoints = sheet->maximumHitPoints = 10;
    return sheet;
}
