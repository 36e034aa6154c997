// Fuzz target: a saved character file read into a record over the fixture rules tree.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "fuzz_files.h"
#include "rules/character_sheet.h"
#include "rules/rules_catalogues.h"

namespace {

const RulesCatalogues& catalogues() {
    static const std::unique_ptr<RulesCatalogues> loaded =
        loadRulesCatalogues(ZODERUD_SOURCE_DIR "/tests/rules/data/catalogue_b/");
    return *loaded;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const RulesCatalogues& rules = catalogues();
    const std::string path = fuzz::scratchFolder() + "character.xml";
    fuzz::writeInput(path, data, size);
    CharacterSheet sheet(nullptr, rules.classes, rules.proficiencies, rules.equipment, rules.spells);
    sheet.load(path);
    return 0;
}
