#pragma once
// A ready-made starting kit for a new character of one class: its subclass, free and
// pre-picked proficiencies, first spells, equipment and money.
#include <map>
#include <string>
#include <vector>

#include "rules/character_proficiency.h"
#include "rules/inventory.h"
#include "rules/money.h"

class EquipmentCatalogue;
class ProficiencyCatalogue;
class SpellCatalogue;
struct SpellRecord;

class ClassTemplate {
public:
    ClassTemplate(const ProficiencyCatalogue& proficiencyCatalogue, const EquipmentCatalogue& equipmentCatalogue,
                  const SpellCatalogue& spellCatalogue);
    ClassTemplate(const ClassTemplate&) = delete;
    ClassTemplate& operator=(const ClassTemplate&) = delete;

    const ProficiencyCatalogue& proficiencyCatalogue() const { return *proficiencyCatalogue_; }
    const SpellCatalogue& spellCatalogue() const { return *spellCatalogue_; }

    std::string displayName;
    std::string subClassId;
    // Given without spending a slot.
    std::vector<CharacterProficiency> freeProficiencies;
    // Position (from 0) to proficiency; taken in order for as many slots as the character has.
    std::map<int, CharacterProficiency> startingProficiencies;
    // Position among the spells found (from 0, no gaps) to spell.
    std::map<int, const SpellRecord*> startingArcaneSpells;
    std::map<int, const SpellRecord*> startingDivineSpells;
    Inventory startingInventory;
    Money startingMoney;

private:
    const ProficiencyCatalogue* proficiencyCatalogue_;
    const SpellCatalogue* spellCatalogue_;
};

// Fills classTemplate from one "ClassTemplate" file; a file that can't be read or has another
// root leaves it empty.
void parseClassTemplate(ClassTemplate& classTemplate, const std::string& path);
