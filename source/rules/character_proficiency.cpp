#include "rules/character_proficiency.h"

#include "rules/catalogue_reader.h"
#include "rules/proficiency_catalogue.h"
#include "rules/xml_text.h"

CharacterProficiency::CharacterProficiency(const Proficiency* record) : record(record) {
    if (record) id = record->id;
}

CharacterProficiency::CharacterProficiency(const ProficiencyCatalogue& catalogue, const std::string& id)
    : id(id), record(catalogue.findProficiency(id)) {}

std::string CharacterProficiency::shownName() const { return record ? record->displayName : id; }

void CharacterProficiency::writeCharacterProficiency(tinyxml2::XMLElement& parent) const {
    tinyxml2::XMLElement* element = parent.GetDocument()->NewElement("Proficiency");
    element->SetAttribute("id", xmlSafeText(id).c_str());
    element->SetAttribute("level", formatInt(level).c_str());
    element->SetAttribute("roll", formatInt(roll).c_str());
    element->SetAttribute("domain", xmlSafeText(domain).c_str());
    element->SetAttribute("playerNotes", xmlSafeText(playerNotes).c_str());
    parent.InsertEndChild(element);
}

CharacterProficiency readCharacterProficiency(const ProficiencyCatalogue& catalogue, const tinyxml2::XMLElement& element) {
    CharacterProficiency proficiency(nullptr);
    if (std::string(element.Name()) != "Proficiency") return proficiency;
    forEachAttribute(element, [&](const std::string& name, const char* value) {
        if (name == "id") proficiency.id = value;
        else if (name == "level") proficiency.level = readInt(value);
        else if (name == "roll") proficiency.roll = readInt(value);
        else if (name == "domain") proficiency.domain = value;
        else if (name == "playerNotes") proficiency.playerNotes = value;
    });
    proficiency.record = catalogue.findProficiency(proficiency.id);
    return proficiency;
}
