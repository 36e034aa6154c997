#include "rules/class_lookups.h"

#include <array>

#include "rules/character_class_catalogue.h"
#include "rules/class_template_catalogue.h"

namespace {

struct Scores {
    std::array<std::uint32_t, 6> values;

    // Null for a name that is not exactly one of the six.
    const std::uint32_t* find(const std::string& name) const {
        static const std::array<const char*, 6> names = {"strength",  "intelligence", "wisdom",
                                                         "dexterity", "constitution", "charisma"};
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (name == names[i]) return &values[i];
        }
        return nullptr;
    }
};

} // namespace

bool meetsClassRequirements(const CharacterClass& characterClass, std::uint32_t strength, std::uint32_t intelligence,
                            std::uint32_t wisdom, std::uint32_t dexterity, std::uint32_t constitution,
                            std::uint32_t charisma) {
    const Scores scores{{strength, intelligence, wisdom, dexterity, constitution, charisma}};
    for (const std::string& stat : characterClass.primeStats) {
        const std::uint32_t* score = scores.find(stat);
        if (score != nullptr && *score < 9u) return false;
    }
    for (const auto& [name, minimum] : characterClass.attributeRequirements) {
        const std::uint32_t* score = scores.find(name);
        if (score != nullptr && *score < static_cast<std::uint32_t>(minimum)) return false;
    }
    return true;
}

void filterEligibleClasses(const CharacterClassCatalogue& catalogue, std::vector<const CharacterClass*>& out,
                           std::uint32_t strength, std::uint32_t intelligence, std::uint32_t wisdom,
                           std::uint32_t dexterity, std::uint32_t constitution, std::uint32_t charisma) {
    for (const auto& characterClass : catalogue.classes()) {
        if (meetsClassRequirements(*characterClass, strength, intelligence, wisdom, dexterity, constitution,
                                   charisma)) {
            out.push_back(characterClass.get());
        }
    }
}

void filterPlayableClasses(const CharacterClassCatalogue& catalogue, const ClassTemplateCatalogue& templates,
                           std::vector<const CharacterClass*>& out, std::uint32_t strength,
                           std::uint32_t intelligence, std::uint32_t wisdom, std::uint32_t dexterity,
                           std::uint32_t constitution, std::uint32_t charisma) {
    std::vector<const CharacterClass*> eligible;
    filterEligibleClasses(catalogue, eligible, strength, intelligence, wisdom, dexterity, constitution, charisma);
    for (const CharacterClass* characterClass : eligible) {
        if (!templates.templatesOf(characterClass->id).empty()) out.push_back(characterClass);
    }
}

const CharacterClass* findClassByName(const CharacterClassCatalogue& catalogue, const std::string& displayName) {
    const CharacterClass* found = nullptr;
    for (const auto& characterClass : catalogue.classes()) {
        if (characterClass->displayName == displayName) found = characterClass.get();
    }
    return found;
}

const CharacterClass* findClassById(const CharacterClassCatalogue& catalogue, const std::string& id) {
    const CharacterClass* found = nullptr;
    for (const auto& characterClass : catalogue.classes()) {
        if (characterClass->id == id) found = characterClass.get();
    }
    return found;
}

const ClassTemplate* findClassTemplate(const ClassTemplateCatalogue& catalogue, const std::string& classId,
                                       const std::string& displayName) {
    const ClassTemplate* found = nullptr;
    for (const auto& classTemplate : catalogue.templatesOf(classId)) {
        if (classTemplate->displayName == displayName) found = classTemplate.get();
    }
    return found;
}
