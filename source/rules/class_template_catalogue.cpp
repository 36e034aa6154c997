#include "rules/class_template_catalogue.h"

#include "rules/catalogue_reader.h"

ClassTemplateCatalogue::ClassTemplateCatalogue(std::string baseFolder, const ProficiencyCatalogue& proficiencyCatalogue,
                                               const EquipmentCatalogue& equipmentCatalogue,
                                               const SpellCatalogue& spellCatalogue)
    : baseFolder_(std::move(baseFolder)),
      proficiencyCatalogue_(&proficiencyCatalogue),
      equipmentCatalogue_(&equipmentCatalogue),
      spellCatalogue_(&spellCatalogue) {}

void ClassTemplateCatalogue::loadClassTemplates(const std::string& classId, const std::string& folder) {
    // A second class with the same id can never reach its templates, so they are not read.
    if (templates_.count(classId) != 0) return;
    ClassTemplateList list;
    // An empty path names no folder (not the base folder itself).
    if (!folder.empty()) {
        for (const FileEntry& entry : listCatalogueFolder(baseFolder_, folder, "xml", false)) {
            auto classTemplate =
                std::make_unique<ClassTemplate>(*proficiencyCatalogue_, *equipmentCatalogue_, *spellCatalogue_);
            parseClassTemplate(*classTemplate, entry.fullPath);
            list.push_back(std::move(classTemplate));
        }
    }
    templates_.emplace(classId, std::move(list));
}

const ClassTemplateList& ClassTemplateCatalogue::templatesOf(const std::string& classId) const {
    const auto found = templates_.find(classId);
    return found != templates_.end() ? found->second : noTemplates_;
}
