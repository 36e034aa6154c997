#include "rules/equipment_catalogue.h"

#include "rules/catalogue_reader.h"

EquipmentCatalogue::EquipmentCatalogue(std::string baseFolder) : baseFolder_(std::move(baseFolder)) {}

const std::vector<std::string>& EquipmentCatalogue::standardFolders() {
    static const std::vector<std::string> folders = {
        "Data/equipment/ammo/",  "Data/equipment/armour/", "Data/equipment/clothing/",
        "Data/equipment/food/",  "Data/equipment/horse_armour/", "Data/equipment/horses/",
        "Data/equipment/animals/", "Data/equipment/misc/", "Data/equipment/weapons/"};
    return folders;
}

void EquipmentCatalogue::loadEquipmentCatalogue(const std::string& folder) {
    for (const FileEntry& entry : listCatalogueFolder(baseFolder_, folder, "xml", false)) {
        auto record = std::make_unique<Equipment>();
        parseEquipment(*record, entry.fullPath);
        const std::string id = record->id;
        records_.try_emplace(id, std::move(record));
    }
}

void EquipmentCatalogue::loadStandardFolders() {
    for (const std::string& folder : standardFolders()) loadEquipmentCatalogue(folder);
}

const Equipment* EquipmentCatalogue::findEquipment(const std::string& id) const {
    const auto found = records_.find(id);
    return found == records_.end() ? nullptr : found->second.get();
}

void EquipmentCatalogue::collectEquipmentOfTypes(std::vector<const Equipment*>& out,
                                                 const std::vector<int>& types) const {
    out.clear();
    for (const auto& [id, record] : records_) {
        for (int type : types) {
            if (type == record->equipmentType) out.push_back(record.get());
        }
    }
}
