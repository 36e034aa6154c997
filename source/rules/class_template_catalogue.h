#pragma once
// The class templates of every class, by class id, in listing order.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "rules/class_template.h"

using ClassTemplateList = std::vector<std::unique_ptr<ClassTemplate>>;

class ClassTemplateCatalogue {
public:
    // The catalogues resolve the ids templates name; they must outlive this catalogue.
    ClassTemplateCatalogue(std::string baseFolder, const ProficiencyCatalogue& proficiencyCatalogue,
                           const EquipmentCatalogue& equipmentCatalogue, const SpellCatalogue& spellCatalogue);
    ClassTemplateCatalogue(const ClassTemplateCatalogue&) = delete;
    ClassTemplateCatalogue& operator=(const ClassTemplateCatalogue&) = delete;

    // Reads every "xml" file of folder (relative to the base folder) as a template of classId;
    // every file yields a template, readable or not. A class id that already has templates
    // keeps them.
    void loadClassTemplates(const std::string& classId, const std::string& folder);

    // The templates of classId, or an empty list.
    const ClassTemplateList& templatesOf(const std::string& classId) const;

private:
    std::string baseFolder_;
    const ProficiencyCatalogue* proficiencyCatalogue_;
    const EquipmentCatalogue* equipmentCatalogue_;
    const SpellCatalogue* spellCatalogue_;
    std::map<std::string, ClassTemplateList> templates_;
    ClassTemplateList noTemplates_;
};
