#pragma once
// One possession of a character: a catalogue item with its own quantity, name, notes, value,
// the items packed inside it and, for a spellbook, the spells written in it. Possessions form
// a tree; the list operations below walk it depth first.
#include <memory>
#include <string>
#include <vector>

#include <tinyxml2.h>

#include "rules/equipment.h"
#include "rules/money.h"

class EquipmentCatalogue;
class BRAVCharacterEquipment;

// A list of possessions: the inventory's top level or an item's contents. The list owns them.
using EquipmentList = std::vector<std::unique_ptr<BRAVCharacterEquipment>>;

class BRAVCharacterEquipment {
public:
    // Nested "Equipment" elements deeper than this are logged and skipped, so a crafted file
    // can't exhaust the stack.
    static constexpr int maximumNestingDepth = 64;

    // A new possession of a catalogue item (record may be null).
    BRAVCharacterEquipment(void* owner, const Equipment* record);
    // An empty item to be filled by loadFromXml; catalogue resolves its id.
    BRAVCharacterEquipment(void* owner, const EquipmentCatalogue* catalogue);
    // Deep copy: the copy has no parent and no catalogue; its contents are copied in order with
    // their parent set to the copy.
    BRAVCharacterEquipment(const BRAVCharacterEquipment& other);
    BRAVCharacterEquipment& operator=(const BRAVCharacterEquipment&) = delete;

    std::string id;
    int quantity = 1;
    bool areContentsExpanded = true;
    std::string customName;
    std::string playerNotes;
    Money customValue;
    BRAVCharacterEquipment* parent = nullptr;
    EquipmentList contents;
    std::vector<std::string> spells;
    void* owner = nullptr;
    const Equipment* record = nullptr;
    const EquipmentCatalogue* catalogue = nullptr;

    // The custom name when there is one, else the record's display name (empty without record).
    std::string shownName() const;
    // Only containers and carriers hold items; an item without record is neither.
    bool isContainer() const { return record && record->holdsItems(); }
    bool isStackable() const { return record && record->isStackable; }
    int armourClassBonus() const { return record ? record->armourClassBonus : 0; }
    // True when item is this one or lies anywhere inside it.
    bool containsOrIs(const BRAVCharacterEquipment* item) const;

    // Appends item to the contents and makes this its parent.
    void attachEquipment(std::unique_ptr<BRAVCharacterEquipment> item);

    // Reads an owned-item "Equipment" element into this item (attributes and children in any
    // order). Does not empty the item first.
    void loadFromXml(const tinyxml2::XMLElement& element);
    // Writes this item into element (already named "Equipment").
    void saveToXml(tinyxml2::XMLElement& element) const;

private:
    void loadFromXml(const tinyxml2::XMLElement& element, int depth);
};

// How many holders item has above it (0 at the top level).
int nestingDepth(const BRAVCharacterEquipment& item);
// How many levels of contents lie below item (0 for an item that holds nothing).
int subtreeHeight(const BRAVCharacterEquipment& item);
// Sets areContentsExpanded on the item's parent and every further ancestor.
void expandAncestors(BRAVCharacterEquipment& item);

// The list operations search list depth first (each entry, then its contents, then the next).
// Takes item out of whichever list holds it and hands it over with its parent cleared; null
// when it is not in the tree. Use Inventory's operations for an inventory's own tree: they keep
// the equipped slots right.
std::unique_ptr<BRAVCharacterEquipment> detachEquipment(EquipmentList& list, const BRAVCharacterEquipment* item);
// Swaps item with its predecessor (successor) in the list that holds it; false when it is
// first (last) there or not in the tree.
bool moveEquipmentUp(EquipmentList& list, const BRAVCharacterEquipment* item);
bool moveEquipmentDown(EquipmentList& list, const BRAVCharacterEquipment* item);
// The item that shows name (by custom name, or by the record's display name). While nothing
// has matched, an item that doesn't match is searched into, and once it and its whole subtree
// have failed, counter grows by 1. After a match, the rest of that same list is compared by
// the items' own names only, and a later match there replaces the earlier one. The counter is
// therefore not a visible row: callers rely on it as it is.
// With a record, only items of that catalogue record match (a renamed backpack that shows
// "Arrows" is no stack of arrows).
BRAVCharacterEquipment* findEquipmentByShownName(const EquipmentList& list, const std::string& name, int& counter,
                                                 const Equipment* sameRecord = nullptr);
// Rows the expanded contents of item show in the inventory list (recursively).
int countVisibleItems(const BRAVCharacterEquipment& item);
// Visible containers and carriers inside item (when it is expanded), each preceded by its own
// visible containers; excluded (may be null) and its contents are left out.
int countVisibleContainers(const BRAVCharacterEquipment& item, const BRAVCharacterEquipment* excluded);
