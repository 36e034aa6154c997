#pragma once
// Every rules catalogue the tracker reads at start, loaded from one base folder in the order
// the catalogues depend on each other.
#include <memory>
#include <string>

#include "rules/action_catalogue.h"
#include "rules/character_class_catalogue.h"
#include "rules/class_template_catalogue.h"
#include "rules/equipment_catalogue.h"
#include "rules/proficiency_catalogue.h"
#include "rules/spell_catalogue.h"

struct RulesCatalogues {
    // Empty catalogues over baseFolder (the folder that holds "Data/").
    explicit RulesCatalogues(const std::string& baseFolder);
    RulesCatalogues(const RulesCatalogues&) = delete;
    RulesCatalogues& operator=(const RulesCatalogues&) = delete;

    // Loads, in order: actions, proficiencies, proficiency lists, arcane spells, divine spells,
    // class spell lists, the nine equipment folders, then the classes with their templates.
    // Call once.
    void loadAll();

    // Declared in dependency order, so each is destroyed before what it points into.
    ActionCatalogue actions;
    ProficiencyCatalogue proficiencies;
    SpellCatalogue spells;
    EquipmentCatalogue equipment;
    ClassTemplateCatalogue templates;
    CharacterClassCatalogue classes;
};

// A new aggregate over baseFolder with every catalogue loaded.
std::unique_ptr<RulesCatalogues> loadRulesCatalogues(const std::string& baseFolder);
