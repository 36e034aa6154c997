#include "rules/proficiency_catalogue.h"

#include "app/xml_file.h"
#include "rules/catalogue_reader.h"

ProficiencyCatalogue::ProficiencyCatalogue(std::string baseFolder) : baseFolder_(std::move(baseFolder)) {}

void ProficiencyCatalogue::loadProficiencyCatalogue(const std::string& folder) {
    for (const FileEntry& entry : listCatalogueFolder(baseFolder_, folder, "xml", false)) {
        auto record = std::make_unique<Proficiency>();
        parseProficiency(*record, entry.fullPath);
        const std::string id = record->id;
        proficiencies_.try_emplace(id, std::move(record));
    }
}

void ProficiencyCatalogue::loadProficiencyLists(const std::string& folder) {
    for (const FileEntry& entry : listCatalogueFolder(baseFolder_, folder, "xml", false)) {
        tinyxml2::XMLDocument document;
        if (!loadXmlFile(document, entry.fullPath)) continue;
        const tinyxml2::XMLElement* root = rootNamed(document, "ProficiencyList");
        if (!root) continue;
        auto list = std::make_unique<ProficiencyList>();
        list->id = attributeText(*root, "id");
        list->name = attributeText(*root, "name");
        for (const tinyxml2::XMLElement* child = root->FirstChildElement(); child; child = child->NextSiblingElement()) {
            list->entries.push_back({child->Name(), attributeText(*child, "domain")});
        }
        const std::string id = list->id;
        lists_.try_emplace(id, std::move(list));
    }
}

const Proficiency* ProficiencyCatalogue::findProficiency(const std::string& id) const {
    const auto found = proficiencies_.find(id);
    return found == proficiencies_.end() ? nullptr : found->second.get();
}

const ProficiencyList* ProficiencyCatalogue::findProficiencyList(const std::string& id) const {
    const auto found = lists_.find(id);
    return found == lists_.end() ? nullptr : found->second.get();
}
