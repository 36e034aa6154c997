// The saved character: one XML document with the root "CharacterSheet".
#include <algorithm>
#include <limits>
#include <set>

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
#include "rules/xml_text.h"

namespace {

using tinyxml2::XMLDocument;
using tinyxml2::XMLElement;

XMLElement* appendChild(XMLElement& parent, const char* name) {
    XMLElement* child = parent.GetDocument()->NewElement(name);
    parent.InsertEndChild(child);
    return child;
}

void appendValue(XMLElement& parent, const char* name, const std::string& value) {
    // A NUL would end the text early, so the forbidden characters go before it is set.
    appendChild(parent, name)->SetAttribute("value", xmlSafeText(value).c_str());
}

void appendValue(XMLElement& parent, const char* name, long long value) {
    appendValue(parent, name, formatInt(static_cast<int>(value)));
}

void writeSpells(XMLElement& section, const std::map<std::int32_t, SpellList>& spells,
                 const std::vector<std::string>& unresolvedIds) {
    for (std::int32_t spellLevel = 1; spellLevel <= 9; ++spellLevel) {
        const auto found = spells.find(spellLevel);
        if (found == spells.end()) continue;
        for (const SpellRecord* spell : found->second) appendChild(section, spell->id.c_str());
    }
    // Their level is unknown, so they follow the known ones.
    for (const std::string& id : unresolvedIds) appendChild(section, id.c_str());
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
void readSpells(const XMLElement& section, std::map<std::int32_t, SpellList>& spells,
                std::vector<std::string>& unresolvedIds, Find find) {
    for (const XMLElement* child = section.FirstChildElement(); child != nullptr; child = child->NextSiblingElement()) {
        const SpellRecord* spell = find(child->Name());
        if (spell == nullptr) {
            unresolvedIds.emplace_back(child->Name());
            continue;
        }
        const auto list = spells.find(spell->level);
        if (list != spells.end()) list->second.push_back(spell);
    }
}

UnresolvedClass readUnresolvedClass(const XMLElement& section, const std::string& id) {
    UnresolvedClass kept;
    kept.id = id;
    for (const XMLElement* child = section.FirstChildElement(); child != nullptr; child = child->NextSiblingElement()) {
        const std::string childName = child->Name();
        if (childName == "SubClass") {
            kept.hasSubClass = true;
            kept.subClassId = attributeText(*child, "id");
        } else if (childName == "ClassAbilities") {
            for (const XMLElement* ability = child->FirstChildElement("ClassAbility"); ability != nullptr;
                 ability = ability->NextSiblingElement("ClassAbility")) {
                kept.abilityIds.push_back(attributeText(*ability, "id"));
            }
        }
    }
    return kept;
}

// One log line per kind of correction and file: a file with a hundred bad quantities is one
// problem, not a hundred.
class Corrections {
public:
    explicit Corrections(const std::string& path) : path_(path) {}
    void note(const std::string& what) {
        if (logged_.insert(what).second) LOG_MESSAGE("%s: %s", path_.c_str(), what.c_str());
    }

private:
    const std::string& path_;
    std::set<std::string> logged_;
};

void correctItems(EquipmentList& items, Corrections& corrections) {
    for (auto& item : items) {
        if (item->quantity < 1) {
            corrections.note("an item quantity below 1 is read as 1");
            item->quantity = 1;
        }
        makeXmlSafe(item->customName);
        makeXmlSafe(item->playerNotes);
        correctItems(item->contents, corrections);
    }
}

} // namespace

void CharacterSheet::correctLoadedValues(const std::string& path, std::int32_t readLevel, std::int32_t readExperience,
                                         int refusedWornMarks) {
    Corrections corrections(path);
    // A level the class does not have would leave the sheet without throws, actions or a
    // way to level up; a class the catalogues do not hold sets no upper bound.
    std::int64_t topLevel = std::numeric_limits<std::int32_t>::max();
    if (characterClass != nullptr && characterClass->maxLevel > 0) topLevel = characterClass->maxLevel;
    const std::int64_t clampedLevel = std::clamp<std::int64_t>(readLevel, 1, topLevel);
    if (clampedLevel != readLevel) {
        corrections.note("level " + std::to_string(readLevel) + " is read as " + std::to_string(clampedLevel));
    }
    level = static_cast<std::uint32_t>(clampedLevel);
    if (readExperience < 0) corrections.note("negative experience is read as 0");
    experience = static_cast<std::uint32_t>(std::max(readExperience, 0));
    if (maximumHitPoints < 0) {
        corrections.note("negative maximum hit points are read as 0");
        maximumHitPoints = 0;
    }
    if (refusedWornMarks > 0) corrections.note("a worn mark on an item that is neither armour nor a shield is ignored");
    correctItems(inventory.items, corrections);

    for (std::string* text : {&name, &alignment, &belief, &instinct, &opinion, &biography, &notes}) makeXmlSafe(*text);
    for (auto& proficiency : proficiencies) {
        makeXmlSafe(proficiency->domain);
        makeXmlSafe(proficiency->playerNotes);
    }
    for (Transaction& transaction : wealth.history) makeXmlSafe(transaction.description);
}

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
    } else if (unresolvedClass) {
        XMLElement* classElement = appendChild(*root, "CharacterClass");
        classElement->SetAttribute("id", unresolvedClass->id.c_str());
        if (unresolvedClass->hasSubClass) {
            appendChild(*classElement, "SubClass")->SetAttribute("id", unresolvedClass->subClassId.c_str());
        }
        XMLElement* abilities = appendChild(*classElement, "ClassAbilities");
        for (const std::string& id : unresolvedClass->abilityIds) {
            appendChild(*abilities, "ClassAbility")->SetAttribute("id", id.c_str());
        }
    }

    XMLElement* proficiencySection = appendChild(*root, "Proficiencies");
    for (const auto& proficiency : proficiencies) proficiency->writeCharacterProficiency(*proficiencySection);

    XMLElement* proficiencySlots = appendChild(*root, "UnAllocatedProficiencySlots");
    appendValue(*proficiencySlots, "Class", unallocatedClassProficiencySlots);
    appendValue(*proficiencySlots, "General", unallocatedGeneralProficiencySlots);

    writeSpells(*appendChild(*root, "ArcaneSpells"), arcaneSpellsToSave(), unresolvedArcaneSpellIds);
    writeSlots(*appendChild(*root, "UnAllocatedArcaneSpellSlots"), "Slots", unallocatedArcaneSpellSlots);
    writeSlots(*appendChild(*root, "ArcaneDailyCastings"), "Castings", arcaneDailyCastings);
    writeSlots(*appendChild(*root, "ArcaneRepetoireSlots"), "Slots", arcaneRepertoireSlots);
    writeSpells(*appendChild(*root, "DivineSpells"), divineSpells, unresolvedDivineSpellIds);
    writeSlots(*appendChild(*root, "DivineDailyCastings"), "Castings", divineDailyCastings);

    inventory.writeInventory(*appendChild(*root, "Inventory"));
    wealth.writeWealth(*root);

    // A failed write keeps whatever file was there, and the record stays unsaved so that the
    // player is still asked before quitting.
    if (!saveXmlFileKeepingText(document, path)) return false;
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

    std::int32_t readLevel = 1;
    std::int32_t readExperience = 0;
    int refusedWornMarks = 0;
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
            // Kept signed until the end, so that a negative number is seen as one.
            readExperience = readInt(section->Attribute("value"));
        } else if (sectionName == "Level") {
            readLevel = readInt(section->Attribute("value"));
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
            const std::string classId = attributeText(*section, "id");
            characterClass = findClassById(*classCatalogue_, classId);
            if (characterClass == nullptr) {
                LOG_MESSAGE("%s: the class \"%s\" is not in the catalogues; it is kept as it was", path.c_str(),
                            classId.c_str());
                unresolvedClass = readUnresolvedClass(*section, classId);
                continue;
            }
            unresolvedClass.reset();
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
            readSpells(*section, arcaneSpells, unresolvedArcaneSpellIds, [&](const char* id) { return spellCatalogue_->findArcaneSpell(id); });
        } else if (sectionName == "DivineSpells") {
            readSpells(*section, divineSpells, unresolvedDivineSpellIds, [&](const char* id) { return spellCatalogue_->findDivineSpell(id); });
        } else if (sectionName == "UnAllocatedArcaneSpellSlots") {
            readSlots(*section, "Slots", unallocatedArcaneSpellSlots);
        } else if (sectionName == "ArcaneDailyCastings") {
            readSlots(*section, "Castings", arcaneDailyCastings);
        } else if (sectionName == "ArcaneRepetoireSlots") {
            readSlots(*section, "Slots", arcaneRepertoireSlots);
        } else if (sectionName == "DivineDailyCastings") {
            readSlots(*section, "Castings", divineDailyCastings);
        } else if (sectionName == "Inventory") {
            refusedWornMarks += inventory.readInventory(*section);
        } else if (sectionName == "Loot") {
            wealth.readWealth(*section);
        }
    }

    correctLoadedValues(path, readLevel, readExperience, refusedWornMarks);

    bindToPath(path);
    if (characterClass != nullptr) rebuildActions();
    saved = true;
    return true;
}
