#pragma once
// The arcane and divine spells grouped by spell level, and for each class the spell ids it
// may learn per level. Follows the catalogue pattern of equipment_catalogue.h.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "rules/spell_record.h"

// The spells of one level folder, in listing order.
using SpellGroup = std::vector<const SpellRecord*>;
// One class and magic kind: spell level to the spell ids of that level, in file order.
using ClassSpellList = std::map<int, std::vector<std::string>>;

class SpellCatalogue {
public:
    explicit SpellCatalogue(std::string baseFolder);
    SpellCatalogue(const SpellCatalogue&) = delete;
    SpellCatalogue& operator=(const SpellCatalogue&) = delete;

    // Each sub-folder of folder ("Data/spells/arcane/") is one group, stored under the level
    // of its last spell (the folder's name plays no part); a level already taken keeps its
    // first group. Files directly in folder are not read. A spell whose id is not an XML name
    // is logged and left out.
    void loadArcaneSpells(const std::string& folder);
    void loadDivineSpells(const std::string& folder);
    // Every "AllClassSpellLists" file directly in folder ("Data/spells/").
    void loadClassSpellLists(const std::string& folder);

    // The first spell with id, walking the levels upwards and each group in order.
    const SpellRecord* findArcaneSpell(const std::string& id) const;
    const SpellRecord* findDivineSpell(const std::string& id) const;
    const SpellGroup* arcaneSpellsOfLevel(int level) const;
    const SpellGroup* divineSpellsOfLevel(int level) const;
    const ClassSpellList* arcaneClassSpellList(const std::string& classId) const;
    const ClassSpellList* divineClassSpellList(const std::string& classId) const;

    const std::map<int, SpellGroup>& arcaneSpells() const { return arcaneGroups_; }
    const std::map<int, SpellGroup>& divineSpells() const { return divineGroups_; }

private:
    void loadSpells(const std::string& folder, std::map<int, SpellGroup>& groups);

    std::string baseFolder_;
    std::vector<std::unique_ptr<SpellRecord>> records_; // every reachable spell of both kinds
    std::map<int, SpellGroup> arcaneGroups_;
    std::map<int, SpellGroup> divineGroups_;
    std::map<std::string, ClassSpellList> arcaneClassLists_;
    std::map<std::string, ClassSpellList> divineClassLists_;
};
