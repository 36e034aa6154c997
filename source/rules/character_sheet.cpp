#include "rules/character_sheet.h"

#include <algorithm>

#include "rules/clamped_int.h"
#include "rules/proficiency_catalogue.h"
#include "rules/spell_record.h"
#include "rules/xml_text.h"

namespace {

// Ability scores in the order the record and its file keep them.
constexpr std::array<const char*, 6> attributeNames = {"Strength",  "Intelligence", "Wisdom",
                                                       "Dexterity", "Constitution", "Charisma"};

} // namespace

CharacterSheet::CharacterSheet(void* owner, const CharacterClassCatalogue& classCatalogue,
                               const ProficiencyCatalogue& proficiencyCatalogue,
                               const EquipmentCatalogue& equipmentCatalogue, const SpellCatalogue& spellCatalogue)
    : owner(owner),
      inventory(owner, &equipmentCatalogue),
      classCatalogue_(&classCatalogue),
      proficiencyCatalogue_(&proficiencyCatalogue),
      equipmentCatalogue_(&equipmentCatalogue),
      spellCatalogue_(&spellCatalogue) {
    for (std::size_t i = 0; i < attributes.size(); ++i) attributes[i].name = attributeNames[i];
    for (std::uint32_t score = 0; score <= 18; ++score) {
        std::int32_t modifier = 3;
        if (score <= 3) {
            modifier = -3;
        } else if (score <= 5) {
            modifier = -2;
        } else if (score <= 8) {
            modifier = -1;
        } else if (score <= 12) {
            modifier = 0;
        } else if (score <= 15) {
            modifier = 1;
        } else if (score <= 17) {
            modifier = 2;
        }
        modifierTable.emplace(score, modifier);
    }
    for (std::int32_t spellLevel = 1; spellLevel <= 9; ++spellLevel) {
        arcaneSpells.emplace(spellLevel, SpellList());
        divineSpells.emplace(spellLevel, SpellList());
    }
}

void CharacterSheet::bindToPath(const std::string& path) {
    filePath = path;
    // The last "." of the file name: a dot in a folder name ("~/.local/...") is no extension.
    const std::size_t nameStart = path.find_last_of("/\\");
    const std::size_t dot = path.rfind('.');
    const bool hasExtension = dot != std::string::npos && (nameStart == std::string::npos || dot > nameStart);
    portraitPath = (hasExtension ? path.substr(0, dot) : path) + ".png";
}

void CharacterSheet::setFilePath(const std::string& path) {
    bindToPath(path);
    saved = false;
}

std::int32_t CharacterSheet::alignmentCodeOf(const std::string& name) {
    if (name == "Lawful") return 0;
    if (name == "Neutral") return 1;
    if (name == "Chaotic") return 2;
    return -1;
}

void CharacterSheet::setAlignment(const std::string& name) {
    const std::int32_t code = alignmentCodeOf(name);
    if (code >= 0) {
        alignment = name;
        alignmentCode = code;
    }
    saved = false;
}

void CharacterSheet::addProficiency(const std::string& proficiencyId, const std::string& domain) {
    auto proficiency = std::make_unique<CharacterProficiency>(*proficiencyCatalogue_, proficiencyId);
    proficiency->domain = xmlSafeText(domain);
    proficiencies.push_back(std::move(proficiency));
    saved = false;
}

void CharacterSheet::upgradeProficiency(const std::string& proficiencyId, const std::string& domain) {
    for (auto& proficiency : proficiencies) {
        if (proficiency->id == proficiencyId && proficiency->domain == domain) {
            proficiency->level = saturatingAdd(proficiency->level, 1);
        }
    }
    saved = false;
}

CharacterProficiency* CharacterSheet::findProficiency(const std::string& proficiencyId, const std::string& domain) {
    CharacterProficiency* found = nullptr;
    for (auto& proficiency : proficiencies) {
        if (proficiency->id == proficiencyId && proficiency->domain == domain) found = proficiency.get();
    }
    return found;
}

int CharacterSheet::addEquipment(const BRAVCharacterEquipment& item, int amount) {
    saved = false;
    if (item.isStackable()) {
        int counter = 0;
        if (BRAVCharacterEquipment* owned = findEquipmentByShownName(inventory.items, item.shownName(), counter, item.record)) {
            owned->quantity = saturatingAdd(owned->quantity, amount);
            expandAncestors(*owned);
            return counter;
        }
    }
    const int row = countInventoryRows(inventory);
    auto copy = std::make_unique<BRAVCharacterEquipment>(item);
    copy->quantity = amount;
    makeXmlSafe(copy->customName);
    makeXmlSafe(copy->playerNotes);
    inventory.attachEquipment(std::move(copy), nullptr);
    return row;
}

int CharacterSheet::buyEquipment(const BRAVCharacterEquipment& item) {
    // An item without a catalogue record has no purchase quantity; it is bought singly.
    return addEquipment(item, item.record != nullptr ? item.record->purchaseQuantity : 1);
}

int CharacterSheet::acquireEquipment(const BRAVCharacterEquipment& item) { return addEquipment(item, item.quantity); }

void CharacterSheet::expendEquipment(BRAVCharacterEquipment* item) {
    saved = false;
    if (item == nullptr) return;
    if (item->quantity > 1) {
        --item->quantity;
    } else if (item->quantity == 1) {
        inventory.removeEquipment(item);
    }
}

bool CharacterSheet::canAfford(const Money& price) const {
    return price.totalInCopper() <= wealth.current.totalInCopper();
}

const SpellList& CharacterSheet::getKnownSpellsOfLevel(std::int32_t spellLevel) const {
    const auto found = knownSpells.find(spellLevel);
    return found != knownSpells.end() ? found->second : emptySpellList_;
}

void CharacterSheet::addKnownSpell(const SpellRecord* spell) {
    if (spell == nullptr) return;
    knownSpells[spell->level].push_back(spell);
}

void CharacterSheet::removeKnownSpell(const SpellRecord* spell) {
    if (spell == nullptr) return;
    const auto found = knownSpells.find(spell->level);
    if (found == knownSpells.end()) return;
    SpellList& list = found->second;
    const auto match =
        std::find_if(list.begin(), list.end(), [&](const SpellRecord* known) { return known->id == spell->id; });
    if (match != list.end()) list.erase(match);
}

void CharacterSheet::addArcaneSpell(const SpellRecord* spell) {
    if (spell == nullptr) return;
    arcaneSpells[spell->level].push_back(spell);
    saved = false;
}

void CharacterSheet::addDivineSpell(const SpellRecord* spell) {
    if (spell == nullptr) return;
    divineSpells[spell->level].push_back(spell);
    saved = false;
}

void CharacterSheet::clearKnownSpells() {
    for (const auto& [spellLevel, spells] : knownSpells) {
        for (const SpellRecord* spell : spells) addArcaneSpell(spell);
    }
    knownSpells.clear();
    saved = false;
}

std::map<std::int32_t, SpellList> CharacterSheet::arcaneSpellsToSave() const {
    std::map<std::int32_t, SpellList> spells = arcaneSpells;
    for (const auto& [spellLevel, picks] : knownSpells) {
        SpellList& level = spells[spellLevel];
        level.insert(level.end(), picks.begin(), picks.end());
    }
    return spells;
}

std::int32_t CharacterSheet::countUnallocatedArcaneSpellSlots() const {
    std::int32_t total = 0;
    for (const auto& [spellLevel, count] : unallocatedArcaneSpellSlots) total = saturatingAdd(total, count);
    return total;
}

std::int32_t CharacterSheet::getUnallocatedArcaneSpellSlots(std::uint32_t spellLevel) const {
    const auto found = unallocatedArcaneSpellSlots.find(spellLevel);
    return found != unallocatedArcaneSpellSlots.end() ? found->second : 0;
}

void CharacterSheet::useUnallocatedArcaneSpellSlot(std::uint32_t spellLevel) {
    const auto found = unallocatedArcaneSpellSlots.find(spellLevel);
    if (found != unallocatedArcaneSpellSlots.end() && found->second != 0) --found->second;
    saved = false;
}

void CharacterSheet::addUnallocatedArcaneSpellSlot(std::uint32_t spellLevel) {
    std::int32_t& count = unallocatedArcaneSpellSlots[spellLevel];
    count = saturatingAdd(count, 1);
    saved = false;
}

std::int32_t CharacterSheet::getArcaneDailyCastings(std::uint32_t spellLevel) const {
    const auto found = arcaneDailyCastings.find(spellLevel);
    return found != arcaneDailyCastings.end() ? found->second : 0;
}

std::int32_t CharacterSheet::getDivineDailyCastings(std::uint32_t spellLevel) const {
    const auto found = divineDailyCastings.find(spellLevel);
    return found != divineDailyCastings.end() ? found->second : 0;
}
