#pragma once
// The small rules tree under data/catalogue_b, loaded once per test program, and characters
// made over it.
#include <memory>
#include <string>

#include "rules/character_sheet.h"
#include "rules/rules_catalogues.h"

inline std::string catalogueBBase() { return std::string(ZODERUD_TEST_DATA_DIR) + "/catalogue_b/"; }

inline const RulesCatalogues& catalogueB() {
    static const std::unique_ptr<RulesCatalogues> catalogues = loadRulesCatalogues(catalogueBBase());
    return *catalogues;
}

inline std::unique_ptr<CharacterSheet> newCharacter(const RulesCatalogues& catalogues = catalogueB()) {
    return std::make_unique<CharacterSheet>(nullptr, catalogues.classes, catalogues.proficiencies,
                                            catalogues.equipment, catalogues.spells);
}
