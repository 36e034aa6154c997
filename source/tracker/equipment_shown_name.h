#pragma once
// The one name an owned item goes by wherever the tracker shows or records it: list rows,
// window titles, confirmation messages and the purse's transaction descriptions.
#include <string>

class BRAVCharacterEquipment;

// The custom name when there is one, else the catalogue record's display name; an item whose
// id the catalogue lacks shows "INVALID_ITEM ID: " and its id, so it can still be told apart.
std::string equipmentShownName(const BRAVCharacterEquipment& item);
// The caption of the item's row in a list: "12x Arrows" above a quantity of 1, else the shown
// name alone.
std::string equipmentRowText(const BRAVCharacterEquipment& item);
