#include "shipped_rules.h"

#include <memory>

#include "rules/class_lookups.h"

std::string shippedBaseFolder() { return std::string(ZODERUD_SOURCE_DIR) + "/"; }

const RulesCatalogues& shippedRules() {
    static const std::unique_ptr<RulesCatalogues> rules = loadRulesCatalogues(shippedBaseFolder());
    return *rules;
}

std::vector<const CharacterClass*> eligibleClasses(const RulesCatalogues& rules, const Scores& scores) {
    std::vector<const CharacterClass*> classes;
    filterEligibleClasses(rules.classes, classes, scores.strength, scores.intelligence, scores.wisdom,
                          scores.dexterity, scores.constitution, scores.charisma);
    return classes;
}
