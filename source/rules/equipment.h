#pragma once
// One kind of item a character can own, as the equipment catalogue reads it from its file.
#include <string>

#include "rules/money.h"

// The kind of an item, compared by number (EquipmentType::Shield...). Stored files name it by
// text ("shield"); the numbers are what the rest of the program compares.
struct EquipmentType {
    enum : int {
        MeleeWeapon = 0,
        RangedWeapon = 1,
        Ammo = 2,
        Armour = 3,
        HorseArmour = 4,
        Shield = 5,
        Food = 6,
        Container = 7,
        Carrier = 8,
        Spellbook = 9,
        MiscMeleeWeapon = 10,
        MiscArmour = 11,
        Other = 12,
    };
};

// The exact text of the file ("shield", not "Shield"); any other text, or none, is 12.
int equipmentTypeFromText(const char* text);

struct Equipment {
    std::string id;
    std::string displayName;
    std::string description;
    int equipmentType = EquipmentType::Other;
    float encumbrance = 0.0f;
    bool isStackable = false;
    int purchaseQuantity = 1;
    float carryingCapacity = 0.0f;
    float liftStrength = 0.0f;
    int portions = 0;
    int armourClassBonus = 0;
    std::string oneHandedDamageDiceType;
    std::string twoHandedDamageDiceType;
    int numberOfDamageDice = 1;
    int damageBonus = 0;
    int attackBonus = 0;
    Money value;

    // Containers and carriers are the kinds whose owned items hold other items.
    bool holdsItems() const { return equipmentType == EquipmentType::Container || equipmentType == EquipmentType::Carrier; }
};

// Fills record from one "Equipment" file. A file that can't be read (logged) or has another
// root leaves the record as it was.
void parseEquipment(Equipment& record, const std::string& path);
