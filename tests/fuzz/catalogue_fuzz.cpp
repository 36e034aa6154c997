// Fuzz target: one rules catalogue file, as each catalogue reader under Data/ meets it. Every
// reader checks the root name itself, so each input reaches the reader it is written for and
// the others turn it away.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>

#include "fuzz_files.h"
#include "rules/character_action.h"
#include "rules/character_class.h"
#include "rules/class_ability.h"
#include "rules/class_template.h"
#include "rules/equipment.h"
#include "rules/proficiency.h"
#include "rules/rules_catalogues.h"
#include "rules/spell_record.h"
#include "rules/sub_class.h"

namespace {

// What class templates point into.
const RulesCatalogues& catalogues() {
    static const std::unique_ptr<RulesCatalogues> loaded =
        loadRulesCatalogues(ZODERUD_SOURCE_DIR "/tests/rules/data/catalogue_b/");
    return *loaded;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const RulesCatalogues& rules = catalogues();
    // The folders a class file names are looked up below the scratch folder, where there are none.
    const std::string base = fuzz::scratchFolder();
    const std::string folder = base + "catalogue/";
    std::filesystem::create_directories(folder);
    const std::string path = folder + "input.xml";
    fuzz::writeInput(path, data, size);

    CharacterAction action;
    parseActionFile(action, path);
    Proficiency proficiency;
    parseProficiency(proficiency, path);
    SpellRecord spell;
    readSpellRecord(spell, path);
    Equipment equipment;
    parseEquipment(equipment, path);
    ClassAbility ability;
    parseClassAbility(ability, path);
    ClassTemplate classTemplate(rules.proficiencies, rules.equipment, rules.spells);
    parseClassTemplate(classTemplate, path);
    CharacterClass characterClass(base, &rules.actions);
    parseCharacterClass(characterClass, path);
    SubClass subClass(&characterClass);
    parseSubClass(subClass, path);
    ProficiencyCatalogue lists(base);
    lists.loadProficiencyLists(folder);
    SpellCatalogue spellLists(base);
    spellLists.loadClassSpellLists(folder);
    return 0;
}
