// The saved character: one XML document with the root "CharacterSheet".
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <set>
#include <string_view>

#include <tinyxml2.h>

#include "app/log.h"
#include "app/xml_file.h"
#include "rules/catalogue_reader.h"
#include "rules/character_class.h"
#include "rules/character_class_catalogue.h"
#include "rules/clamped_int.h"
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
    // quiet: a second reading of the same file, whose corrections were reported by the first.
    Corrections(const std::string& path, bool quiet) : path_(path), quiet_(quiet) {}
    void note(const std::string& kind, const std::string& what) {
        if (!quiet_ && logged_.insert(kind).second) LOG_MESSAGE("%s: %s", path_.c_str(), what.c_str());
    }
    void note(const std::string& what) { note(what, what); }

private:
    const std::string& path_;
    bool quiet_;
    std::set<std::string> logged_;
};

template <class Find>
void readSpells(const XMLElement& section, std::map<std::int32_t, SpellList>& spells,
                std::vector<std::string>& unresolvedIds, Corrections& corrections, Find find) {
    for (const XMLElement* child = section.FirstChildElement(); child != nullptr; child = child->NextSiblingElement()) {
        const SpellRecord* spell = find(child->Name());
        if (spell == nullptr) {
            // Kept to be written back as it came, which only an XML name can be.
            if (isXmlName(child->Name())) {
                unresolvedIds.emplace_back(child->Name());
            } else {
                corrections.note("unwritable spell id", std::string("the unknown spell \"") + child->Name() +
                                                            "\" can't be saved as it was read; it is left out");
            }
            continue;
        }
        const auto list = spells.find(spell->level);
        if (list != spells.end()) list->second.push_back(spell);
    }
}

// A number of the file: its value inside the 32-bit range the file writes, and what was wrong
// with its text (null when it was a plain whole number in range).
struct WholeNumber {
    std::int32_t value = 0;
    const char* problem = nullptr;
};

bool isCSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

WholeNumber readWholeNumber(std::string_view text) {
    while (!text.empty() && isCSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && isCSpace(text.back())) text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (!text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        std::int64_t value = 0;
        for (const char digit : text) value = std::min<std::int64_t>(value * 10 + (digit - '0'), std::int64_t{1} << 40);
        const std::int32_t clamped = clampToInt32(negative ? -value : value);
        return {clamped, clamped == (negative ? -value : value) ? nullptr : "is beyond the 32-bit range"};
    }
    // "1e39" and "inf" are numbers far out of range; "nan", "0x10" and words are none.
    double real = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), real, std::chars_format::general);
    if (!text.empty() && end == text.data() + text.size() && !std::isnan(real) &&
        (error == std::errc() || error == std::errc::result_out_of_range)) {
        if (error == std::errc::result_out_of_range) {
            const bool tiny = text.find("e-") != std::string_view::npos || text.find("E-") != std::string_view::npos;
            real = tiny ? 0.0 : std::numeric_limits<double>::infinity();
        }
        real = std::trunc(negative ? -real : real);
        const double clamped = std::clamp<double>(real, std::numeric_limits<std::int32_t>::min(),
                                                  std::numeric_limits<std::int32_t>::max());
        return {static_cast<std::int32_t>(clamped), "is not a plain whole number"};
    }
    return {0, "is not a number"};
}

// Where a saved character holds numbers: within a section (the section's own element and
// everything below it), the attributes of elements of a name (null: any name).
struct NumberField {
    const char* element;
    const char* attribute;
};
struct NumberSection {
    const char* section;
    std::vector<NumberField> fields;
};

const std::vector<NumberField> coinFields = {
    {"Copper", "value"}, {"Silver", "value"}, {"Electrum", "value"}, {"Gold", "value"}, {"Platinum", "value"}};

std::vector<NumberField> withCoins(std::vector<NumberField> fields) {
    fields.insert(fields.end(), coinFields.begin(), coinFields.end());
    return fields;
}

const NumberSection* numberSectionOf(const char* name) {
    static const std::vector<NumberSection> sections = {
        {"Biographical", {{"Age", "value"}, {"Weight", "value"}}},
        {"HP", {{"HP", "current"}, {"HP", "currentMaximum"}}},
        {"XP", {{"XP", "value"}}},
        {"Level", {{"Level", "value"}}},
        {"Attributes", {{nullptr, "current"}, {nullptr, "natural"}}},
        {"Proficiencies", {{"Proficiency", "level"}, {"Proficiency", "roll"}}},
        {"UnAllocatedProficiencySlots", {{"Class", "value"}, {"General", "value"}}},
        {"UnAllocatedArcaneSpellSlots", {{"Slots", "level"}, {"Slots", "number"}}},
        {"ArcaneRepetoireSlots", {{"Slots", "level"}, {"Slots", "number"}}},
        {"ArcaneDailyCastings", {{"Castings", "level"}, {"Castings", "number"}}},
        {"DivineDailyCastings", {{"Castings", "level"}, {"Castings", "number"}}},
        {"Inventory", withCoins({{"Equipment", "quantity"}})},
        {"Loot", coinFields},
    };
    for (const NumberSection& section : sections) {
        if (std::strcmp(section.section, name) == 0) return &section;
    }
    return nullptr;
}

void normaliseNumbers(XMLElement& element, const NumberSection& section, Corrections& corrections) {
    for (const NumberField& field : section.fields) {
        if (field.element != nullptr && std::strcmp(field.element, element.Name()) != 0) continue;
        const char* text = element.Attribute(field.attribute);
        if (text == nullptr) continue;
        const WholeNumber number = readWholeNumber(text);
        if (number.problem == nullptr) continue;
        const std::string place = std::string(section.section) +
                                  (std::strcmp(section.section, element.Name()) == 0 ? "" : std::string("/") + element.Name()) +
                                  " " + field.attribute;
        std::string shown(text);
        if (shown.size() > 40) shown = shown.substr(0, 40) + "...";
        corrections.note("number " + place,
                         place + " \"" + shown + "\" " + number.problem + "; it is read as " + formatInt(number.value));
        // The readers then see the number as the next save will write it.
        element.SetAttribute(field.attribute, formatInt(number.value).c_str());
    }
    for (XMLElement* child = element.FirstChildElement(); child != nullptr; child = child->NextSiblingElement()) {
        normaliseNumbers(*child, section, corrections);
    }
}

void correctItems(EquipmentList& items, Corrections& corrections) {
    for (auto& item : items) {
        if (item->quantity < 1) {
            corrections.note("an item quantity below 1 is read as 1");
            item->quantity = 1;
        }
        correctItems(item->contents, corrections);
    }
}

void correctCounts(std::map<std::uint32_t, std::int32_t>& counts, Corrections& corrections) {
    for (auto& [spellLevel, count] : counts) {
        if (count >= 0) continue;
        corrections.note("a negative spell slot or casting count is read as 0");
        count = 0;
    }
}

// The load's last step: brings what the file held into the ranges the rules give.
void correctLoadedValues(CharacterSheet& sheet, Corrections& corrections, std::int32_t readLevel,
                         std::int32_t readExperience, int refusedWornMarks) {
    // A level the class does not have would leave the sheet without throws, actions or a
    // way to level up; a class the catalogues do not hold sets no upper bound.
    std::int64_t topLevel = std::numeric_limits<std::int32_t>::max();
    if (sheet.characterClass != nullptr && sheet.characterClass->maxLevel > 0) topLevel = sheet.characterClass->maxLevel;
    const std::int64_t clampedLevel = std::clamp<std::int64_t>(readLevel, 1, topLevel);
    if (clampedLevel != readLevel) {
        corrections.note("level " + std::to_string(readLevel) + " is read as " + std::to_string(clampedLevel));
    }
    sheet.level = static_cast<std::uint32_t>(clampedLevel);
    if (readExperience < 0) corrections.note("negative experience is read as 0");
    sheet.experience = static_cast<std::uint32_t>(std::max(readExperience, 0));
    if (sheet.maximumHitPoints < 0) {
        corrections.note("negative maximum hit points are read as 0");
        sheet.maximumHitPoints = 0;
    }
    for (AttributeValue& attribute : sheet.attributes) {
        for (std::int32_t* score : {&attribute.current, &attribute.natural}) {
            const std::int32_t clamped = std::clamp(*score, AttributeValue::lowest, AttributeValue::highest);
            if (clamped == *score) continue;
            corrections.note("ability score", attribute.name + " " + std::to_string(*score) + " is read as " +
                                                  std::to_string(clamped) + ", since scores run from 3 to 18");
            *score = clamped;
        }
    }
    for (std::int32_t Money::*coin : {&Money::copper, &Money::silver, &Money::electrum, &Money::gold, &Money::platinum}) {
        if (sheet.wealth.current.*coin >= 0) continue;
        corrections.note("a negative coin count in the purse is read as 0");
        sheet.wealth.current.*coin = 0;
    }
    for (auto& proficiency : sheet.proficiencies) {
        if (proficiency->level >= 0) continue;
        corrections.note("a negative proficiency rank is read as 0");
        proficiency->level = 0;
    }
    for (auto* counts : {&sheet.unallocatedArcaneSpellSlots, &sheet.arcaneRepertoireSlots, &sheet.arcaneDailyCastings,
                         &sheet.divineDailyCastings}) {
        correctCounts(*counts, corrections);
    }
    if (refusedWornMarks > 0) corrections.note("a worn mark on an item that is neither armour nor a shield is ignored");
    correctItems(sheet.inventory.items, corrections);
}

} // namespace

void CharacterSheet::buildDocument(XMLDocument& document) const {
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
}

bool CharacterSheet::save(const std::string& path) {
    XMLDocument document;
    buildDocument(document);
    // A failed write keeps whatever file was there, and the record stays unsaved so that the
    // player is still asked before quitting. Nothing larger than a load accepts is written.
    if (!saveXmlFile(document, path, fileSizeLimit)) return false;
    saved = true;
    return true;
}

bool CharacterSheet::load(const std::string& path) {
    XMLDocument document;
    if (!loadXmlFile(document, path, fileSizeLimit)) return false;
    XMLElement* root = document.FirstChildElement();
    if (root == nullptr || std::strcmp(root->Name(), "CharacterSheet") != 0) {
        LOG_MESSAGE("%s is not a saved character", path.c_str());
        return false;
    }
    // A file can save larger than it is (every item gets its quantity, every payment its five
    // coins), and a save is never larger than a load accepts: a character that would not fit is
    // refused now, read into a record of its own, rather than left impossible to save.
    {
        CharacterSheet probe(owner, *classCatalogue_, *proficiencyCatalogue_, *equipmentCatalogue_, *spellCatalogue_);
        probe.readDocument(*root, path, false);
        XMLDocument saving;
        probe.buildDocument(saving);
        const std::size_t savedSize = xmlFileText(saving).size();
        if (savedSize > fileSizeLimit) {
            LOG_MESSAGE("XML File at path %s could not be read: saved again it would take %zu bytes, more than the %zu "
                        "a character file may hold",
                        path.c_str(), savedSize, fileSizeLimit);
            return false;
        }
    }
    readDocument(*root, path, true);
    bindToPath(path);
    if (characterClass != nullptr) rebuildActions();
    saved = true;
    return true;
}

void CharacterSheet::readDocument(XMLElement& root, const std::string& path, bool quiet) {
    Corrections corrections(path, quiet);
    for (XMLElement* section = root.FirstChildElement(); section != nullptr; section = section->NextSiblingElement()) {
        if (const NumberSection* numbers = numberSectionOf(section->Name())) {
            normaliseNumbers(*section, *numbers, corrections);
        }
    }

    int classSections = 0;
    std::int32_t readLevel = 1;
    std::int32_t readExperience = 0;
    int refusedWornMarks = 0;
    for (const XMLElement* section = root.FirstChildElement(); section != nullptr;
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
            // A character has one class: the last section decides it whole, subclass and
            // abilities with it, so that what is saved is what was read.
            if (++classSections == 2) corrections.note("the file names more than one class; the last one is taken");
            subClass = nullptr;
            classAbilities.clear();
            unresolvedClass.reset();
            const std::string classId = attributeText(*section, "id");
            characterClass = findClassById(*classCatalogue_, classId);
            if (characterClass == nullptr) {
                corrections.note("unknown class " + classId,
                                 "the class \"" + classId + "\" is not in the catalogues; it is kept as it was");
                unresolvedClass = readUnresolvedClass(*section, classId);
                continue;
            }
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
            readSpells(*section, arcaneSpells, unresolvedArcaneSpellIds, corrections, [&](const char* id) { return spellCatalogue_->findArcaneSpell(id); });
        } else if (sectionName == "DivineSpells") {
            readSpells(*section, divineSpells, unresolvedDivineSpellIds, corrections, [&](const char* id) { return spellCatalogue_->findDivineSpell(id); });
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

    correctLoadedValues(*this, corrections, readLevel, readExperience, refusedWornMarks);
}
