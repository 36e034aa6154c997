#pragma once
// The read-only questions asked of the class catalogue: which classes six scores allow, and
// classes and templates by name or id.
#include <cstdint>
#include <string>
#include <vector>

class CharacterClass;
class CharacterClassCatalogue;
class ClassTemplate;
class ClassTemplateCatalogue;

// Every prime stat needs 9 and every listed requirement its minimum; names other than the six
// lower-case score names impose nothing.
bool meetsClassRequirements(const CharacterClass& characterClass, std::uint32_t strength, std::uint32_t intelligence,
                            std::uint32_t wisdom, std::uint32_t dexterity, std::uint32_t constitution,
                            std::uint32_t charisma);
// Appends (without emptying out first) every eligible class in catalogue order.
void filterEligibleClasses(const CharacterClassCatalogue& catalogue, std::vector<const CharacterClass*>& out,
                           std::uint32_t strength, std::uint32_t intelligence, std::uint32_t wisdom,
                           std::uint32_t dexterity, std::uint32_t constitution, std::uint32_t charisma);
// The eligible classes (as filterEligibleClasses) that offer at least one template, appended in
// catalogue order: only these can be taken by a new character, which needs a class and a template.
void filterPlayableClasses(const CharacterClassCatalogue& catalogue, const ClassTemplateCatalogue& templates,
                           std::vector<const CharacterClass*>& out, std::uint32_t strength,
                           std::uint32_t intelligence, std::uint32_t wisdom, std::uint32_t dexterity,
                           std::uint32_t constitution, std::uint32_t charisma);
// The last class in loading order with that display name (id), or null.
const CharacterClass* findClassByName(const CharacterClassCatalogue& catalogue, const std::string& displayName);
const CharacterClass* findClassById(const CharacterClassCatalogue& catalogue, const std::string& id);
// The last template of the class with that display name, or null.
const ClassTemplate* findClassTemplate(const ClassTemplateCatalogue& catalogue, const std::string& classId,
                                       const std::string& displayName);
