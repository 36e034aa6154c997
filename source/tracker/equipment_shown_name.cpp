#include "tracker/equipment_shown_name.h"

#include "render/text_markup.h"
#include "rules/character_equipment.h"

std::string equipmentShownName(const BRAVCharacterEquipment& item) {
    if (!item.customName.empty()) return item.customName;
    if (item.record) return item.record->displayName;
    return "INVALID_ITEM ID: " + item.id;
}

std::string equipmentRowText(const BRAVCharacterEquipment& item) {
    const std::string name = equipmentShownName(item);
    const std::string shown = literalText(name);
    return item.quantity > 1 ? std::to_string(item.quantity) + "x " + shown : shown;
}
