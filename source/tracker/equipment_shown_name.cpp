#include "tracker/equipment_shown_name.h"

#include "rules/character_equipment.h"

std::string equipmentShownName(const BRAVCharacterEquipment& item) {
    if (!item.customName.empty()) return item.customName;
    if (item.record) return item.record->displayName;
    return "INVALID_ITEM ID: " + item.id;
}
