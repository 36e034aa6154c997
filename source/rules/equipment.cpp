#include "rules/equipment.h"

#include <array>
#include <cstring>

#include "rules/catalogue_reader.h"

int equipmentTypeFromText(const char* text) {
    static const std::array<const char*, 12> names = {"melee_weapon", "ranged_weapon", "ammo",        "armour",
                                                      "horse_armour", "shield",        "food",        "container",
                                                      "carrier",      "spellbook",     "misc_m_weapon", "misc_armour"};
    if (!text) return EquipmentType::Other;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (std::strcmp(text, names[i]) == 0) return static_cast<int>(i);
    }
    return EquipmentType::Other;
}

void parseEquipment(Equipment& record, const std::string& path) {
    tinyxml2::XMLDocument document;
    const tinyxml2::XMLElement* root = loadCatalogueFile(document, path, "Equipment");
    if (!root) return;
    forEachAttribute(*root, [&](const std::string& name, const char* value) {
        if (name == "id") record.id = value;
        else if (name == "displayName") record.displayName = value;
        else if (name == "equipmentType") record.equipmentType = equipmentTypeFromText(value);
        else if (name == "encumbrance") record.encumbrance = readFloat(value);
        else if (name == "isStackable") record.isStackable = readFlag(value);
        else if (name == "purchaseQuantity") record.purchaseQuantity = readInt(value);
        else if (name == "carryingCapacity") record.carryingCapacity = readFloat(value);
        else if (name == "liftStrength") record.liftStrength = readFloat(value);
        else if (name == "portions") record.portions = readInt(value);
        else if (name == "armourClassBonus") record.armourClassBonus = readInt(value);
        else if (name == "oneHandedDamageDiceType") record.oneHandedDamageDiceType = value;
        else if (name == "twoHandedDamageDiceType") record.twoHandedDamageDiceType = value;
        else if (name == "numberOfDamageDice") record.numberOfDamageDice = readInt(value);
        else if (name == "damageBonus") record.damageBonus = readInt(value);
        else if (name == "attackBonus") record.attackBonus = readInt(value);
    });
    for (const tinyxml2::XMLElement* child = root->FirstChildElement(); child; child = child->NextSiblingElement()) {
        const std::string name = child->Name();
        if (name == "MonetaryValue") record.value.readMoney(*child);
        else if (name == "Description") readDescriptionText(*child, record.description);
    }
}
