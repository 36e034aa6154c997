#pragma once
// A character's (or a class template's) possessions: the top-level items and the two equipped
// slots, worn armour and held shield, which point into the tree.
#include <memory>

#include <tinyxml2.h>

#include "rules/character_equipment.h"

class EquipmentCatalogue;

// What became of a request to pack an item somewhere.
enum class PackResult {
    Moved,
    // The item, or the place, is not in this inventory.
    NotInInventory,
    // The place is the item itself or lies inside it.
    IntoItself,
    // The item would lie deeper than a saved file is read back.
    TooDeep,
};

class Inventory {
public:
    Inventory(void* owner, const EquipmentCatalogue* catalogue);
    Inventory(const Inventory&) = delete;
    Inventory& operator=(const Inventory&) = delete;

    void* owner = nullptr;
    EquipmentList items;
    // Not owned; always an item of this tree or null. Every operation that takes an item out
    // of the tree empties a slot whose item is that item or lies inside it.
    BRAVCharacterEquipment* equippedArmour = nullptr;
    BRAVCharacterEquipment* equippedShield = nullptr;
    const EquipmentCatalogue* catalogue = nullptr;

    // Deletes every item and empties both slots.
    void clear();
    // Deletes item with its contents; false (nothing changed) when it is not in the tree.
    bool removeEquipment(const BRAVCharacterEquipment* item);
    // Takes item out of the tree and hands it over (parent cleared); slots on it are emptied.
    std::unique_ptr<BRAVCharacterEquipment> detachEquipment(const BRAVCharacterEquipment* item);
    // Appends item to container's contents, or to the top level when container is null.
    void attachEquipment(std::unique_ptr<BRAVCharacterEquipment> item, BRAVCharacterEquipment* container);
    // Moves item into container (null: the top level). Packing takes off the worn armour or
    // shield when it is the item or lies inside it, because only top-level items are saved as
    // worn. Refused (nothing changes) when the item or the place is not in the tree, the place
    // is inside the item, or the item's contents would lie deeper than the loader reads.
    PackResult moveEquipment(const BRAVCharacterEquipment* item, BRAVCharacterEquipment* container);
    // Moves container's contents to the container's own place in the list that holds it, in
    // order. Only top-level items are saved as worn, so a worn item still inside a container
    // after the move is taken off, as packing does.
    void unpackInPlace(BRAVCharacterEquipment& container);
    // True for armour and shields with a record: what a slot can hold.
    static bool isWearable(const BRAVCharacterEquipment& item);
    // Wears armour or holds a shield, in its slot. A worn item inside a container would be saved
    // unmarked and come back not worn, so it is moved to the top level first. False (nothing
    // changes) for an item that can't be worn or is not in the tree.
    bool equip(BRAVCharacterEquipment* item);
    bool moveEquipmentUp(const BRAVCharacterEquipment* item) { return ::moveEquipmentUp(items, item); }
    bool moveEquipmentDown(const BRAVCharacterEquipment* item) { return ::moveEquipmentDown(items, item); }
    // True when item is anywhere in the tree.
    bool holds(const BRAVCharacterEquipment* item) const;
    // The catalogue price of one piece of item, as a sale of one offers it: the record's price
    // when it is sold singly; for a record sold in bundles (arrows come 20 to the price) that
    // price divided by the bundle's size, rounded down to whole copper and given in copper;
    // nothing for an item without record.
    static Money priceOfOne(const BRAVCharacterEquipment& item);

    // Appends one "Equipment" child per "Equipment" child of element; the first item marked
    // "isEquippedArmour" ("isEquippedShield") fills the slot. A mark on an item whose record
    // is not armour (a shield) is refused; an item without record keeps its mark, since what
    // it is can't be told. Answers how many marks were refused. Does not clear first.
    int readInventory(const tinyxml2::XMLElement& element);
    // Fills element with one "Equipment" child per top-level item; the worn armour, else the
    // held shield, carries its mark (only at the top level).
    void writeInventory(tinyxml2::XMLElement& element) const;

private:
    void emptySlotsWithin(const BRAVCharacterEquipment& item);
};

// Rows of the expandable inventory list: each top-level item and the contents shown below it.
int countInventoryRows(const Inventory& inventory);
// Rows of the packing window's list of places: each top-level container or carrier and the
// containers visible inside it.
int countContainerRows(const Inventory& inventory);
