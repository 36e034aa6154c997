// The saved character: one XML document with the root "CharacterSheet".
#include <tinyxml2.h>

#include "app/log.h"
#include "app/xml_file.h"
#include "rules/catalogue_reader.h"
#include "rules/character_class.h"
#include "rules/character_class_catalogue.h"
#include "rules/class_lookups.h"
#include "rules/character_sheet.h"
#include "rules/spell_catalogue.h"
#include "rules/spell_record.h"

namespace {

using tinyxml2::XMLDocument;
using tinyxml2::XMLElement;

XMLElement* appendChild(XMLElement& parent, const char* name) {
    XMLElement* child = parent.GetDocument()->NewElement(name);
    parent.InsertEndChild(child);
    return child;
}

void appendValue(XMLElement& parent, const char* name, const std::string& value) {
    appendChild(parent, name)->SetAttribute("value", value.c_str());
}

void appendValue(XMLElement& parent, const char* name, long long value) {
    appendValue(parent, name, formatInt(static_cast<int>(value)));
}

void writeSpells(XMLElement& section, const std::map<std::int32_t, SpellList>& spells) {
    for (std::int32_t spellLevel = 1; spellLevel <= 9; ++spellLevel) {
        const auto found = spells.find(spellLevel);
        if (found == spells.end()) continue;
        for (const SpellRecord* spell : found->second) appendChild(section, spell->id.c_str());
    }
}

void writeSlots(XMLElement& section, const char* childName, const std::map<std::uint32_t, std::int32_t>& slots) {
    for (const auto& [spellLevel, count] : slots) {
        XMLElement* child = appendChild(section, childName);
        child->SetAttribute("level", formatInt(static_cast<int>(spellLevel)).c_str());
        child->SetAttribute("number", formatInt(count).c_str());
    }
}

void readSlots(const XMLElement& section, const char* childName, std::map<std::uint32_t, std::int32_t>& slots) {
    for (const XMLElement* child = section.FirstChildElement(childName); child != nullptr;
         child = child->NextSiblingElement(childName)) {
        slots.emplace(static_cast<std::uint32_t>(readInt(child->Attribute("level"))),
                      readInt(child->Attribute("number")));
    }
}

template <class Find>
void readSpells(const XMLElement& section, std::map<std::int32_t, SpellList>& spells, Find find) {
    for (const XMLElement* child = section.FirstChildElement(); child != nullptr; child = child->NextSiblingElement()) {
        const SpellRecord* spell = find(child->Name());
        if (spell == nullptr) continue;
        const auto list = spells.find(spell->level);
        if (list != spells.end()) list->second.push_back(spell);
    }
}

} // namespace

bool CharacterSheet::save(const std::string& path) {
    XMLDocument document;
    document.InsertEndChild(document.NewDeclaration());
    XMLElement* root = document.NewElement("CharacterSheet");
    document.InsertEndChild(root);

    XMLElement* biographical = appendChild(*root, "Biographical");
    appendValue(*biographical, "CharacterName", name);
    appendValue(*biographical, "Alignment", alignment);
    appendValue(*biographical, "Age", age);
    appendValue(*biographical, "Weight", weight);
    appendValue(*biographical, "Belief", belief);
    appendValue(*biographical, "Instinct", instinct);
    appendValue(*biographical, "Opinion", opinion);
    appendValue(*biographical, "Biography", biography);
    appendValue(*biographical, "Notes", notes);

    XMLElement* hitPoints = appendChild(*root, "HP");
    hitPoints->SetAttribute("current", formatInt(currentHitPoints).c_str());
    hitPoints->SetAttribute("currentMaximum", formatInt(maximumHitPoints).c_str());
    // Level and experience are unsigned in the record but "%d" in the file, as they always were.
    appendValue(*root, "XP", static_cast<std::int32_t>(experience));
    appendValue(*root, "Level", static_cast<std::int32_t>(level));

    XMLElement* scores = appendChild(*root, "Attributes");
    for (const AttributeValue& attribute : attributes) {
        XMLElement* score = appendChild(*scores, attribute.name.c_str());
        score->SetAttribute("current", formatInt(attribute.current).c_str());
        score->SetAttribute("natural", formatInt(attribute.natural).c_str());
    }

    if (characterClass != nullptr) {
        XMLElement* classElement = appendChild(*root, "CharacterClass");
        classElement->SetAttribute("id", characterClass->id.c_str());
        if (subClass != nullptr) appendChild(*classElement, "SubClass")->SetAttribute("id", subClass->id.c_str());
        XMLElement* abilities = appendChild(*classElement, "ClassAbilities");
        for (const ClassAbility* ability : classAbilities) {
            appendChild(*abilities, "ClassAbility")->SetAttribute("id", ability->id.c_str());
        }
    }

    XMLElement* proficiencySection = appendChild(*root, "Proficiencies");
    for (const auto& proficiency : proficiencies) proficiency->writeCharacterProficiency(*proficiencySection);

    XMLElement* proficiencySlots = appendChild(*root, "UnAllocatedProficiencySlots");
    appendValue(*proficiencySlots, "Class", unallocatedClassProficiencySlots);
    appendValue(*proficiencySlots, "General", unallocatedGeneralProficiencySlots);

    writeSpells(*appendChild(*root, "ArcaneSpells"), arcaneSpells);
    writeSlots(*appendChild(*root, "UnAllocatedArcaneSpellSlots"), "Slots", unallocatedArcaneSpellSlots);
    writeSlots(*appendChild(*root, "ArcaneDailyCastings"), "Castings", arcaneDailyCastings);
    writeSlots(*appendChild(*root, "ArcaneRepetoireSlots"), "Slots", arcaneRepertoireSlots);
    writeSpells(*appendChild(*root, "DivineSpells"), divineSpells);
    writeSlots(*appendChild(*root, "DivineDailyCastings"), "Castings", divineDailyCastings);

    inventory.writeInventory(*appendChild(*root, "Inventory"));
    wealth.writeWealth(*root);

    // A failed write keeps whatever file was there, and the record stays unsaved so that the
    // player is still asked before quitting.
    if (!saveXmlFile(document, path)) return false;
    saved = true;
    return true;
}

bool CharacterSheet::load(const std::string& path) {
    XMLDocument document;
    if (!loadXmlFile(document, path)) return false;
    const XMLElement* root = rootNamed(document, "CharacterSheet");
    if (root == nullptr) {
        LOG_MESSAGE("%s is not a saved character", path.c_str());
        return false;
    }

    for (const XMLElement* section = root->FirstChildElement(); section != nullptr;
         section = section->NextSiblingElement()) {
        const std::string sectionName = section->Name();
        if (sectionName == "Biographical") {
            for (const XMLElement* entry = section->FirstChildElement(); entry != nullptr;
                 entry = entry->NextSiblingElement()) {
                const std::string entryName = entry->Name();
                const std::string value = attributeText(*entry, "value");
                if (entryName == "CharacterName") {
                    name = value;
                } else if (entryName == "Alignment") {
                    // Kept as written; only the three known names set the code.
                    alignment = value;
                    const std::int32_t code = alignmentCodeOf(value);
                    if (code >= 0) alignmentCode = code;
                } else if (entryName == "Age") {
                    age = readInt(value.c_str());
                } else if (entryName == "Weight") {
                    weight = readInt(value.c_str());
                } else if (entryName == "Belief") {
                    belief = value;
                } else if (entryName == "Instinct") {
                    instinct = value;
                } else if (entryName == "Opinion") {
                    opinion = value;
                } else if (entryName == "Biography") {
                    biography = value;
                } else if (entryName == "Notes") {
                    notes = value;
                }
            }
        } else if (sectionName == "HP") {
            if (const char* current = section->Attribute("current")) currentHitPoints = readInt(current);
            if (const char* maximum = section->Attribute("currentMaximum")) maximumHitPoints = readInt(maximum);
        } else if (sectionName == "XP") {
            experience = static_cast<std::uint32_t>(readInt(section->Attribute("value")));
        } else if (sectionName == "Level") {
            level = static_cast<std::uint32_t>(readInt(section->Attribute("value")));
        } else if (sectionName == "Attributes") {
            for (const XMLElement* score = section->FirstChildElement(); score != nullptr;
                 score = score->NextSiblingElement()) {
                for (AttributeValue& attribute : attributes) {
                    if (attribute.name != score->Name()) continue;
                    if (const char* current = score->Attribute("current")) attribute.current = readInt(current);
                    if (const char* natural = score->Attribute("natural")) attribute.natural = readInt(natural);
                }
            }
        } else if (sectionName == "CharacterClass") {
            characterClass = findClassById(*classCatalogue_, attributeText(*section, "id"));
            if (characterClass == nullptr) continue;
            for (const XMLElement* child = section->FirstChildElement(); child != nullptr;
                 child = child->NextSiblingElement()) {
                const std::string childName = child->Name();
                if (childName == "SubClass") {
                    subClass = characterClass->findSubClass(attributeText(*child, "id"));
                } else if (childName == "ClassAbilities") {
                    for (const XMLElement* ability = child->FirstChildElement("ClassAbility"); ability != nullptr;
                         ability = ability->NextSiblingElement("ClassAbility")) {
                        if (const ClassAbility* found = characterClass->findClassAbility(attributeText(*ability, "id"))) {
                            classAbilities.push_back(found);
                        }
                    }
                }
            }
        } else if (sectionName == "Proficiencies") {
            for (const XMLElement* entry = section->FirstChildElement(); entry != nullptr;
                 entry = entry->NextSiblingElement()) {
                proficiencies.push_back(
                    std::make_unique<CharacterProficiency>(readCharacterProficiency(*proficiencyCatalogue_, *entry)));
            }
        } else if (sectionName == "UnAllocatedProficiencySlots") {
            if (const XMLElement* slots = section->FirstChildElement("Class")) {
                unallocatedClassProficiencySlots = readInt(slots->Attribute("value"));
            }
            if (const XMLElement* slots = section->FirstChildElement("General")) {
                unallocatedGeneralProficiencySlots = readInt(slots->Attribute("value"));
            }
        } else if (sectionName == "ArcaneSpells") {
            readSpells(*section, arcaneSpells, [&](const char* id) { return spellCatalogue_->findArcaneSpell(id); });
        } else if (sectionName == "DivineSpells") {
            readSpells(*section, divineSpells, [&](const char* id) { return spellCatalogue_->findDivineSpell(id); });
        } else if (sectionName == "UnAllocatedArcaneSpellSlots") {
            readSlots(*section, "Slots", unallocatedArcaneSpellSlots);
        } else if (sectionName == "ArcaneDailyCastings") {
            readSlots(*section, "Castings", arcaneDailyCastings);
        } else if (sectionName == "ArcaneRepetoireSlots") {
            readSlots(*section, "Slots", arcaneRepertoireSlots);
        } else if (sectionName == "DivineDailyCastings") {
            readSlots(*section, "Castings", divineDailyCastings);
        } else if (sectionName == "Inventory") {
            inventory.readInventory(*section);
        } else if (sectionName == "Loot") {
            wealth.readWealth(*section);
        }
    }

    bindToPath(path);
    if (characterClass != nullptr) rebuildActions();
    saved = true;
    return true;
}
