#include "rules/inventory.h"

#include <algorithm>
#include <iterator>

#include "rules/catalogue_reader.h"
#include "rules/clamped_int.h"

namespace {

bool treeHolds(const EquipmentList& list, const BRAVCharacterEquipment* item) {
    for (const auto& entry : list) {
        if (entry.get() == item || treeHolds(entry->contents, item)) return true;
    }
    return false;
}

} // namespace

Inventory::Inventory(void* owner, const EquipmentCatalogue* catalogue) : owner(owner), catalogue(catalogue) {}

void Inventory::clear() {
    equippedArmour = nullptr;
    equippedShield = nullptr;
    items.clear();
}

void Inventory::emptySlotsWithin(const BRAVCharacterEquipment& item) {
    if (item.containsOrIs(equippedArmour)) equippedArmour = nullptr;
    if (item.containsOrIs(equippedShield)) equippedShield = nullptr;
}

bool Inventory::holds(const BRAVCharacterEquipment* item) const { return item && treeHolds(items, item); }

Money Inventory::priceOfOne(const BRAVCharacterEquipment& item) {
    if (!item.record) return {};
    const Money& bundlePrice = item.record->value;
    const int bundleSize = item.record->purchaseQuantity;
    if (bundleSize <= 1) return bundlePrice;
    const std::int64_t total = bundlePrice.totalInCopper();
    Money one;
    one.copper = total <= 0 ? 0 : clampToInt32(total / bundleSize);
    return one;
}

bool Inventory::removeEquipment(const BRAVCharacterEquipment* item) {
    return detachEquipment(item) != nullptr;
}

std::unique_ptr<BRAVCharacterEquipment> Inventory::detachEquipment(const BRAVCharacterEquipment* item) {
    if (!holds(item)) return nullptr;
    // Checked while the parent chain still leads up from the slot's item to the detached one.
    emptySlotsWithin(*item);
    return ::detachEquipment(items, item);
}

void Inventory::attachEquipment(std::unique_ptr<BRAVCharacterEquipment> item, BRAVCharacterEquipment* container) {
    if (!item) return;
    if (container) {
        container->attachEquipment(std::move(item));
        return;
    }
    item->parent = nullptr;
    items.push_back(std::move(item));
}

void Inventory::unpackInPlace(BRAVCharacterEquipment& container) {
    if (container.contents.empty() || !holds(&container)) return;
    BRAVCharacterEquipment* holder = container.parent;
    EquipmentList& list = holder ? holder->contents : items;
    auto place = std::find_if(list.begin(), list.end(), [&](const auto& entry) { return entry.get() == &container; });
    if (place == list.end()) return;
    EquipmentList moved;
    moved.swap(container.contents);
    for (auto& item : moved) {
        item->parent = holder;
        for (BRAVCharacterEquipment** slot : {&equippedArmour, &equippedShield}) {
            if (*slot && item->containsOrIs(*slot) && (holder || *slot != item.get())) *slot = nullptr;
        }
    }
    list.insert(place, std::make_move_iterator(moved.begin()), std::make_move_iterator(moved.end()));
}

bool Inventory::isWearable(const BRAVCharacterEquipment& item) {
    return item.record &&
           (item.record->equipmentType == EquipmentType::Armour || item.record->equipmentType == EquipmentType::Shield);
}

bool Inventory::equip(BRAVCharacterEquipment* item) {
    if (!item || !isWearable(*item) || !holds(item)) return false;
    if (item->parent) moveEquipment(item, nullptr);
    if (item->record->equipmentType == EquipmentType::Armour) {
        equippedArmour = item;
    } else {
        equippedShield = item;
    }
    return true;
}

PackResult Inventory::moveEquipment(const BRAVCharacterEquipment* item, BRAVCharacterEquipment* container) {
    if (!holds(item)) return PackResult::NotInInventory;
    if (container && !holds(container)) return PackResult::NotInInventory;
    if (container && item->containsOrIs(container)) return PackResult::IntoItself;
    // A top-level item stands at depth 0; the loader reads depths below the limit.
    const int deepest = (container ? nestingDepth(*container) + 1 : 0) + subtreeHeight(*item);
    if (deepest >= BRAVCharacterEquipment::maximumNestingDepth) return PackResult::TooDeep;
    BRAVCharacterEquipment* armour = equippedArmour;
    BRAVCharacterEquipment* shield = equippedShield;
    if (container) {
        if (item->containsOrIs(armour)) armour = nullptr;
        if (item->containsOrIs(shield)) shield = nullptr;
    }
    attachEquipment(::detachEquipment(items, item), container);
    // The item never left this tree, so the slots still point at living items.
    equippedArmour = armour;
    equippedShield = shield;
    return PackResult::Moved;
}

namespace {

bool canBeWornAs(const BRAVCharacterEquipment& item, int type) {
    return item.record == nullptr || item.record->equipmentType == type;
}

} // namespace

int Inventory::readInventory(const tinyxml2::XMLElement& element) {
    int refused = 0;
    for (const tinyxml2::XMLElement* child = element.FirstChildElement("Equipment"); child;
         child = child->NextSiblingElement("Equipment")) {
        auto item = std::make_unique<BRAVCharacterEquipment>(owner, catalogue);
        item->loadFromXml(*child);
        if (readFlag(child->Attribute("isEquippedArmour"))) {
            if (!canBeWornAs(*item, EquipmentType::Armour)) ++refused;
            else if (!equippedArmour) equippedArmour = item.get();
        }
        if (readFlag(child->Attribute("isEquippedShield"))) {
            if (!canBeWornAs(*item, EquipmentType::Shield)) ++refused;
            else if (!equippedShield) equippedShield = item.get();
        }
        items.push_back(std::move(item));
    }
    return refused;
}

void Inventory::writeInventory(tinyxml2::XMLElement& element) const {
    tinyxml2::XMLDocument* document = element.GetDocument();
    for (const auto& item : items) {
        tinyxml2::XMLElement* child = document->NewElement("Equipment");
        item->saveToXml(*child);
        if (item.get() == equippedArmour) child->SetAttribute("isEquippedArmour", "1");
        else if (item.get() == equippedShield) child->SetAttribute("isEquippedShield", "1");
        element.InsertEndChild(child);
    }
}

int countInventoryRows(const Inventory& inventory) {
    int rows = 0;
    for (const auto& item : inventory.items) rows += 1 + countVisibleItems(*item);
    return rows;
}

int countContainerRows(const Inventory& inventory) {
    int rows = 0;
    for (const auto& item : inventory.items) {
        if (item->isContainer()) rows += 1 + countVisibleContainers(*item, nullptr);
    }
    return rows;
}
