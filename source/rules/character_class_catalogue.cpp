#include "rules/character_class_catalogue.h"

#include "rules/catalogue_reader.h"
#include "rules/class_template_catalogue.h"

CharacterClassCatalogue::CharacterClassCatalogue(std::string baseFolder, ClassTemplateCatalogue* templateCatalogue,
                                                 const ActionCatalogue* actionCatalogue)
    : baseFolder_(std::move(baseFolder)), templateCatalogue_(templateCatalogue), actionCatalogue_(actionCatalogue) {}

void CharacterClassCatalogue::loadCharacterClasses(const std::string& folder) {
    for (const FileEntry& entry : listCatalogueFolder(baseFolder_, folder, "xml", false)) {
        auto characterClass = std::make_unique<CharacterClass>(baseFolder_, actionCatalogue_);
        if (!parseCharacterClass(*characterClass, entry.fullPath)) continue;
        if (templateCatalogue_ != nullptr) {
            templateCatalogue_->loadClassTemplates(characterClass->id, characterClass->templatesPath);
        }
        classes_.push_back(std::move(characterClass));
    }
}
