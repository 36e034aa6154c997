#pragma once
// One proficiency a character has: which one, in which domain, at which level, its throw and
// the player's notes; and its "Proficiency" element in saved characters and class templates.
#include <string>

#include <tinyxml2.h>

#include "rules/proficiency.h"

class ProficiencyCatalogue;

class CharacterProficiency {
public:
    // Of a catalogue record (may be null: the id is then empty).
    explicit CharacterProficiency(const Proficiency* record);
    // Of an id, looked up in catalogue. The id is kept even when the catalogue doesn't hold it,
    // so the proficiency still saves and compares under its own id.
    CharacterProficiency(const ProficiencyCatalogue& catalogue, const std::string& id);

    std::string id;                      // always written and compared, record or not
    const Proficiency* record = nullptr; // null for an id the catalogue doesn't hold
    std::string playerNotes;
    std::string domain;
    int level = 1;
    int roll = 11;

    ProficiencyKey key() const { return {id, domain}; }
    // The record's display name, or the id when there is no record.
    std::string shownName() const;

    // Appends a "Proficiency" element: "id", "level", "roll", "domain", "playerNotes" in that
    // order, the last two even when empty.
    void writeCharacterProficiency(tinyxml2::XMLElement& parent) const;
};

// An element of another name gives a proficiency with empty id and no record. A missing
// "level" or "roll" keeps 1 or 11.
CharacterProficiency readCharacterProficiency(const ProficiencyCatalogue& catalogue, const tinyxml2::XMLElement& element);
