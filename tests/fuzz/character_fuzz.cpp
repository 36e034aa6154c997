// Fuzz target: a saved character file read into a record over the fixture rules tree; what
// loads is saved, loaded and saved again, and the two saves must be the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

std::unique_ptr<CharacterSheet> newSheet() {
    const RulesCatalogues& rules = catalogues();
    return std::make_unique<CharacterSheet>(nullptr, rules.classes, rules.proficiencies, rules.equipment, rules.spells);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::scratchFolder() + "character.xml";
    fuzz::writeInput(path, data, size);
    auto sheet = newSheet();
    if (!sheet->load(path)) return 0;

    const std::string first = fuzz::scratchFolder() + "first.xml";
    const std::string second = fuzz::scratchFolder() + "second.xml";
    if (!sheet->save(first)) std::abort();
    auto reloaded = newSheet();
    if (!reloaded->load(first)) {
        std::printf("a saved character does not load again\n");
        std::fflush(stdout);
        std::abort();
    }
    if (!reloaded->save(second)) std::abort();
    fuzz::requireSameSaves("character", fuzz::readBytes(first), fuzz::readBytes(second));
    return 0;
}
