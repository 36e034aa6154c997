#include "rules/character_class_level.h"

#include <cstring>

#include <tinyxml2.h>

#include "rules/action_catalogue.h"
#include "rules/catalogue_reader.h"

namespace {

bool isNamed(const tinyxml2::XMLElement& element, const char* name) { return std::strcmp(element.Name(), name) == 0; }

void appendChildNames(const tinyxml2::XMLElement& parent, std::vector<std::string>& names) {
    for (const tinyxml2::XMLElement* child = parent.FirstChildElement(); child != nullptr;
         child = child->NextSiblingElement()) {
        names.emplace_back(child->Name());
    }
}

// "Level" children with "type" (spell level) and "value" (count); the first entry of a level stays.
void readSpellLevels(const tinyxml2::XMLElement& parent, std::map<std::int32_t, std::int32_t>& table) {
    for (const tinyxml2::XMLElement* child = parent.FirstChildElement("Level"); child != nullptr;
         child = child->NextSiblingElement("Level")) {
        table.emplace(readInt(child->Attribute("type")), readInt(child->Attribute("value")));
    }
}

void readThrows(const tinyxml2::XMLElement& parent, std::map<std::string, std::int32_t>& table) {
    for (const tinyxml2::XMLElement* child = parent.FirstChildElement(); child != nullptr;
         child = child->NextSiblingElement()) {
        const char* value = child->Attribute("value");
        table.emplace(child->Name(), value != nullptr ? readInt(value) : 20);
    }
}

bool isAllDigits(const std::string& text) {
    if (text.empty()) return false;
    for (unsigned char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// A bare number is a throw to meet or beat, so it is shown with "+"; any other text is shown
// as written and its leading number, if any, is the value.
CharacterAction readLevelAction(const tinyxml2::XMLElement& element, const ActionCatalogue* catalogue) {
    CharacterAction action;
    action.id = element.Name();
    const char* value = element.Attribute("value");
    std::string text = value != nullptr ? value : "";
    if (isAllDigits(text)) {
        action.throwValue = readInt(text.c_str());
        text += "+";
    } else {
        action.throwValue = readInt(text.c_str());
    }
    if (catalogue != nullptr) {
        if (const CharacterAction* known = catalogue->findAction(action.id)) {
            action.displayName = known->displayName;
            action.description = known->description;
        }
    }
    action.throwText = text;
    return action;
}

} // namespace

void readCharacterClassLevel(CharacterClassLevel& level, const tinyxml2::XMLElement& element, LevelKind kind,
                             const ActionCatalogue* actionCatalogue) {
    for (const tinyxml2::XMLAttribute* attribute = element.FirstAttribute(); attribute != nullptr;
         attribute = attribute->Next()) {
        const std::string name = attribute->Name();
        const char* text = attribute->Value();
        if (name == "value") {
            level.levelNumber = static_cast<std::uint32_t>(readInt(text));
        } else if (name == "title") {
            level.title = text;
        } else if (name == "experience") {
            level.experience = readInt(text);
        } else if (name == "hitDiceType") {
            level.hitDiceType = text;
        } else if (name == "additionalHitDice") {
            level.additionalHitDice = readInt(text);
        } else if (name == "receiveConBonus") {
            level.receiveConBonus = readInt(text) == 1;
        } else if (name == "hitPointBonus") {
            level.hitPointBonus = readInt(text);
        }
    }

    for (const tinyxml2::XMLElement* child = element.FirstChildElement(); child != nullptr;
         child = child->NextSiblingElement()) {
        if (isNamed(*child, "ClassAbilities")) {
            appendChildNames(*child, level.classAbilities);
        } else if (isNamed(*child, "Proficiencies")) {
            appendChildNames(*child, level.proficiencies);
        } else if (isNamed(*child, "ArcaneSpellLevels")) {
            readSpellLevels(*child, level.arcaneSpellLevels);
        } else if (isNamed(*child, "DivineSpellLevels")) {
            readSpellLevels(*child, level.divineSpellLevels);
        } else if (isNamed(*child, "SavingAndAttackThrows")) {
            readThrows(*child, level.savingAndAttackThrows);
        } else if (kind == LevelKind::Class && isNamed(*child, "Actions")) {
            for (const tinyxml2::XMLElement* action = child->FirstChildElement(); action != nullptr;
                 action = action->NextSiblingElement()) {
                level.actions.push_back(readLevelAction(*action, actionCatalogue));
            }
        } else if (kind == LevelKind::SubClass && isNamed(*child, "FreeProficiencies")) {
            appendChildNames(*child, level.freeProficiencies);
        } else if (kind == LevelKind::SubClass && isNamed(*child, "BonusDivineSpells")) {
            appendChildNames(*child, level.bonusDivineSpells);
        } else if (kind == LevelKind::SubClass && isNamed(*child, "BonusArcaneSpells")) {
            appendChildNames(*child, level.bonusArcaneSpells);
        }
    }
}
