#include "rules/character_equipment.h"

#include <algorithm>
#include <utility>

#include "app/log.h"
#include "rules/catalogue_reader.h"
#include "rules/equipment_catalogue.h"
#include "rules/xml_text.h"

namespace {

// Where an item stands: the list that holds it and its index there.
struct Location {
    EquipmentList* list = nullptr;
    std::size_t index = 0;
};

Location locate(EquipmentList& list, const BRAVCharacterEquipment* item) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].get() == item) return {&list, i};
        const Location inner = locate(list[i]->contents, item);
        if (inner.list) return inner;
    }
    return {};
}

bool matchesOwnName(const BRAVCharacterEquipment& item, const std::string& name, const Equipment* sameRecord) {
    if (sameRecord && item.record != sameRecord) return false;
    if (!item.customName.empty() && item.customName == name) return true;
    return item.record && item.record->displayName == name;
}

} // namespace

BRAVCharacterEquipment::BRAVCharacterEquipment(void* owner, const Equipment* record)
    : id(record ? record->id : std::string()), owner(owner), record(record) {}

BRAVCharacterEquipment::BRAVCharacterEquipment(void* owner, const EquipmentCatalogue* catalogue)
    : owner(owner), catalogue(catalogue) {}

BRAVCharacterEquipment::BRAVCharacterEquipment(const BRAVCharacterEquipment& other)
    : id(other.id),
      quantity(other.quantity),
      areContentsExpanded(other.areContentsExpanded),
      customName(other.customName),
      playerNotes(other.playerNotes),
      customValue(other.customValue),
      spells(other.spells),
      owner(other.owner),
      record(other.record) {
    for (const auto& item : other.contents) attachEquipment(std::make_unique<BRAVCharacterEquipment>(*item));
}

std::string BRAVCharacterEquipment::shownName() const {
    if (!customName.empty()) return customName;
    return record ? record->displayName : std::string();
}

bool BRAVCharacterEquipment::containsOrIs(const BRAVCharacterEquipment* item) const {
    for (const BRAVCharacterEquipment* walk = item; walk; walk = walk->parent) {
        if (walk == this) return true;
    }
    return false;
}

void BRAVCharacterEquipment::attachEquipment(std::unique_ptr<BRAVCharacterEquipment> item) {
    if (!item) return;
    item->parent = this;
    contents.push_back(std::move(item));
}

void BRAVCharacterEquipment::loadFromXml(const tinyxml2::XMLElement& element) { loadFromXml(element, 0); }

void BRAVCharacterEquipment::loadFromXml(const tinyxml2::XMLElement& element, int depth) {
    forEachAttribute(element, [&](const std::string& name, const char* value) {
        if (name == "id") id = value;
        else if (name == "quantity") quantity = readInt(value);
        else if (name == "areContentsExpanded") areContentsExpanded = readFlag(value);
    });
    for (const tinyxml2::XMLElement* child = element.FirstChildElement(); child; child = child->NextSiblingElement()) {
        const std::string name = child->Name();
        if (name == "CustomName") {
            customName = attributeText(*child, "value");
        } else if (name == "PlayerNotes") {
            playerNotes = attributeText(*child, "value");
        } else if (name == "CustomValue") {
            customValue.readMoney(*child);
        } else if (name == "Equipment") {
            if (depth + 1 >= maximumNestingDepth) {
                LOG_MESSAGE("Equipment \"%s\" is packed more than %d deep; its contents are left out", id.c_str(),
                            maximumNestingDepth);
                continue;
            }
            auto item = std::make_unique<BRAVCharacterEquipment>(owner, catalogue);
            item->loadFromXml(*child, depth + 1);
            attachEquipment(std::move(item));
        } else if (name == "Spell") {
            spells.push_back(attributeText(*child, "id"));
        }
    }
    if (catalogue && !id.empty()) record = catalogue->findEquipment(id);
}

void BRAVCharacterEquipment::saveToXml(tinyxml2::XMLElement& element) const {
    tinyxml2::XMLDocument* document = element.GetDocument();
    element.SetAttribute("id", xmlSafeText(id).c_str());
    element.SetAttribute("quantity", formatInt(quantity).c_str());
    if (!contents.empty()) element.SetAttribute("areContentsExpanded", formatInt(areContentsExpanded ? 1 : 0).c_str());
    if (!customName.empty()) {
        tinyxml2::XMLElement* child = document->NewElement("CustomName");
        child->SetAttribute("value", xmlSafeText(customName).c_str());
        element.InsertEndChild(child);
    }
    if (!playerNotes.empty()) {
        tinyxml2::XMLElement* child = document->NewElement("PlayerNotes");
        child->SetAttribute("value", xmlSafeText(playerNotes).c_str());
        element.InsertEndChild(child);
    }
    if (!customValue.isZero()) {
        tinyxml2::XMLElement* child = document->NewElement("CustomValue");
        customValue.writeMoney(*child);
        element.InsertEndChild(child);
    }
    for (const auto& item : contents) {
        tinyxml2::XMLElement* child = document->NewElement("Equipment");
        item->saveToXml(*child);
        element.InsertEndChild(child);
    }
    for (const std::string& spell : spells) {
        tinyxml2::XMLElement* child = document->NewElement("Spell");
        child->SetAttribute("id", xmlSafeText(spell).c_str());
        element.InsertEndChild(child);
    }
}

int nestingDepth(const BRAVCharacterEquipment& item) {
    int depth = 0;
    for (const BRAVCharacterEquipment* walk = item.parent; walk; walk = walk->parent) ++depth;
    return depth;
}

int subtreeHeight(const BRAVCharacterEquipment& item) {
    int height = 0;
    for (const auto& inner : item.contents) height = std::max(height, 1 + subtreeHeight(*inner));
    return height;
}

void expandAncestors(BRAVCharacterEquipment& item) {
    for (BRAVCharacterEquipment* walk = item.parent; walk; walk = walk->parent) walk->areContentsExpanded = true;
}

std::unique_ptr<BRAVCharacterEquipment> detachEquipment(EquipmentList& list, const BRAVCharacterEquipment* item) {
    const Location found = locate(list, item);
    if (!found.list) return nullptr;
    std::unique_ptr<BRAVCharacterEquipment> taken = std::move((*found.list)[found.index]);
    found.list->erase(found.list->begin() + static_cast<std::ptrdiff_t>(found.index));
    // A stale parent would lead later walks up a chain the item no longer belongs to.
    taken->parent = nullptr;
    return taken;
}

bool moveEquipmentUp(EquipmentList& list, const BRAVCharacterEquipment* item) {
    const Location found = locate(list, item);
    if (!found.list || found.index == 0) return false;
    std::swap((*found.list)[found.index], (*found.list)[found.index - 1]);
    return true;
}

bool moveEquipmentDown(EquipmentList& list, const BRAVCharacterEquipment* item) {
    const Location found = locate(list, item);
    if (!found.list || found.index + 1 >= found.list->size()) return false;
    std::swap((*found.list)[found.index], (*found.list)[found.index + 1]);
    return true;
}

BRAVCharacterEquipment* findEquipmentByShownName(const EquipmentList& list, const std::string& name, int& counter,
                                                 const Equipment* sameRecord) {
    BRAVCharacterEquipment* match = nullptr;
    for (const auto& item : list) {
        if (match) {
            if (matchesOwnName(*item, name, sameRecord)) match = item.get();
            continue;
        }
        if (matchesOwnName(*item, name, sameRecord)) {
            match = item.get();
            continue;
        }
        match = findEquipmentByShownName(item->contents, name, counter, sameRecord);
        if (!match) ++counter;
    }
    return match;
}

int countVisibleItems(const BRAVCharacterEquipment& item) {
    if (!item.areContentsExpanded) return 0;
    int rows = 0;
    for (const auto& inner : item.contents) rows += 1 + countVisibleItems(*inner);
    return rows;
}

int countVisibleContainers(const BRAVCharacterEquipment& item, const BRAVCharacterEquipment* excluded) {
    if (!item.areContentsExpanded) return 0;
    int rows = 0;
    for (const auto& inner : item.contents) {
        if (inner.get() == excluded || !inner->isContainer()) continue;
        rows += countVisibleContainers(*inner, excluded) + 1;
    }
    return rows;
}
