#pragma once
// The rules content shipped in Data/, loaded the way the main menu loads it, for the tests that
// check the content itself rather than the readers.
#include <string>
#include <vector>

#include "rules/rules_catalogues.h"

// The folder that holds the shipped "Data/" tree, with a trailing "/".
std::string shippedBaseFolder();
// Every catalogue of the shipped tree, loaded once per test program.
const RulesCatalogues& shippedRules();

// The six scores in the order the eligibility filter takes them.
struct Scores {
    unsigned strength, intelligence, wisdom, dexterity, constitution, charisma;
};
std::vector<const CharacterClass*> eligibleClasses(const RulesCatalogues& rules, const Scores& scores);
