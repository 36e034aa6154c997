#include "rules/class_template.h"

#include <tinyxml2.h>

#include "rules/catalogue_reader.h"
#include "rules/spell_catalogue.h"

ClassTemplate::ClassTemplate(const ProficiencyCatalogue& proficiencyCatalogue,
                             const EquipmentCatalogue& equipmentCatalogue, const SpellCatalogue& spellCatalogue)
    : startingInventory(nullptr, &equipmentCatalogue),
      proficiencyCatalogue_(&proficiencyCatalogue),
      spellCatalogue_(&spellCatalogue) {}

namespace {

// Only the spells found take positions, so the list has no gaps.
template <class Find>
void readStartingSpells(const tinyxml2::XMLElement& parent, std::map<int, const SpellRecord*>& spells, Find find) {
    for (const tinyxml2::XMLElement* child = parent.FirstChildElement(); child != nullptr;
         child = child->NextSiblingElement()) {
        if (const SpellRecord* spell = find(child->Name())) {
            spells.emplace(static_cast<int>(spells.size()), spell);
        }
    }
}

} // namespace

void parseClassTemplate(ClassTemplate& classTemplate, const std::string& path) {
    tinyxml2::XMLDocument document;
    const tinyxml2::XMLElement* root = loadCatalogueFile(document, path, "ClassTemplate");
    if (root == nullptr) return;

    if (const char* name = root->Attribute("displayName")) classTemplate.displayName = name;
    const ProficiencyCatalogue& proficiencies = classTemplate.proficiencyCatalogue();
    const SpellCatalogue& spells = classTemplate.spellCatalogue();
    for (const tinyxml2::XMLElement* child = root->FirstChildElement(); child != nullptr;
         child = child->NextSiblingElement()) {
        const std::string name = child->Name();
        if (name == "SubClass") {
            if (const char* id = child->Attribute("id")) classTemplate.subClassId = id;
        } else if (name == "StartingProficiencies") {
            int position = 0;
            for (const tinyxml2::XMLElement* entry = child->FirstChildElement(); entry != nullptr;
                 entry = entry->NextSiblingElement()) {
                classTemplate.startingProficiencies.emplace(position++, readCharacterProficiency(proficiencies, *entry));
            }
        } else if (name == "FreeProficiencies") {
            for (const tinyxml2::XMLElement* entry = child->FirstChildElement(); entry != nullptr;
                 entry = entry->NextSiblingElement()) {
                classTemplate.freeProficiencies.push_back(readCharacterProficiency(proficiencies, *entry));
            }
        } else if (name == "StartingArcaneSpells") {
            readStartingSpells(*child, classTemplate.startingArcaneSpells,
                               [&](const std::string& id) { return spells.findArcaneSpell(id); });
        } else if (name == "StartingDivineSpells") {
            readStartingSpells(*child, classTemplate.startingDivineSpells,
                               [&](const std::string& id) { return spells.findDivineSpell(id); });
        } else if (name == "Inventory") {
            classTemplate.startingInventory.readInventory(*child);
        } else if (name == "StartingMoney") {
            classTemplate.startingMoney.readMoney(*child);
        }
    }
}
