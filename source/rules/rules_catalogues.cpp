#include "rules/rules_catalogues.h"

RulesCatalogues::RulesCatalogues(const std::string& baseFolder)
    : actions(baseFolder),
      proficiencies(baseFolder),
      spells(baseFolder),
      equipment(baseFolder),
      templates(baseFolder, proficiencies, equipment, spells),
      classes(baseFolder, &templates, &actions) {}

void RulesCatalogues::loadAll() {
    actions.loadActionCatalogue("Data/actions/");
    proficiencies.loadProficiencyCatalogue("Data/proficiencies/all_proficiencies/");
    proficiencies.loadProficiencyLists("Data/proficiencies/");
    spells.loadArcaneSpells("Data/spells/arcane/");
    spells.loadDivineSpells("Data/spells/divine/");
    spells.loadClassSpellLists("Data/spells/");
    equipment.loadStandardFolders();
    classes.loadCharacterClasses("Data/classes/");
}

std::unique_ptr<RulesCatalogues> loadRulesCatalogues(const std::string& baseFolder) {
    auto catalogues = std::make_unique<RulesCatalogues>(baseFolder);
    catalogues->loadAll();
    return catalogues;
}
