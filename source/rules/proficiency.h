#pragma once
// A trained skill of the catalogue, the key that names one on a list or on a character, and
// the lists classes pick from.
#include <string>
#include <vector>

struct Proficiency {
    std::string id = "no_id";
    std::string displayName = "FAILED TO LOAD";
    std::string description = "-";
    bool canBeUpgraded = false;
    bool hasDomain = false; // taken once per domain the player names
    int maxLevel = 3;
};

// A proficiency id with a domain (empty when none).
struct ProficiencyKey {
    std::string id;
    std::string domain;

    bool operator==(const ProficiencyKey&) const = default;
    auto operator<=>(const ProficiencyKey&) const = default;
};

struct ProficiencyList {
    std::string id;
    std::string name;
    std::vector<ProficiencyKey> entries; // in file order; not checked against the catalogue
};

// Fills record from one "Proficiency" file; a file that can't be read (logged) or has another
// root leaves the defaults.
void parseProficiency(Proficiency& record, const std::string& path);
