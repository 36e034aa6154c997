#pragma once
// Every proficiency and every proficiency list, read once at start. Follows the catalogue
// pattern of equipment_catalogue.h (base folder given, first key wins, null lookups).
#include <map>
#include <memory>
#include <string>

#include "rules/proficiency.h"

class ProficiencyCatalogue {
public:
    explicit ProficiencyCatalogue(std::string baseFolder);
    ProficiencyCatalogue(const ProficiencyCatalogue&) = delete;
    ProficiencyCatalogue& operator=(const ProficiencyCatalogue&) = delete;

    // Every "xml" file of folder ("Data/proficiencies/all_proficiencies/"), one proficiency each.
    void loadProficiencyCatalogue(const std::string& folder);
    // Every "xml" file directly in folder ("Data/proficiencies/") whose root is "ProficiencyList".
    void loadProficiencyLists(const std::string& folder);

    const Proficiency* findProficiency(const std::string& id) const;
    // "general" is the list every character picks from; classes name their own.
    const ProficiencyList* findProficiencyList(const std::string& id) const;

    const std::map<std::string, std::unique_ptr<Proficiency>>& proficiencies() const { return proficiencies_; }
    const std::map<std::string, std::unique_ptr<ProficiencyList>>& lists() const { return lists_; }

private:
    std::string baseFolder_;
    std::map<std::string, std::unique_ptr<Proficiency>> proficiencies_;
    std::map<std::string, std::unique_ptr<ProficiencyList>> lists_;
};
