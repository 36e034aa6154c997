#pragma once
// One arcane or divine spell as the spell catalogue reads it.
#include <string>

struct SpellRecord {
    int level = 0;
    std::string id;
    std::string displayName;
    std::string range;
    std::string duration;
    // What the spell shows: name, range and duration lines in UI markup, then the description.
    std::string text;
};

// Fills record from one "Spell" file; a file that can't be read (logged) or has another root
// leaves it as it was.
void readSpellRecord(SpellRecord& record, const std::string& path);
// Spell ids become element names in saved characters, so only XML names are accepted.
bool isXmlName(const std::string& text);
