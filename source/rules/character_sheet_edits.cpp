// The edits the sheet's screens make to the character: scores, hit points, experience, texts,
// the purse and the inventory. Each marks the record unsaved when it changes something.
#include "rules/character_sheet.h"

bool CharacterSheet::setScore(Attribute attribute, std::int32_t score) {
    AttributeValue& value = attributes[attribute];
    if (value.current == score && value.natural == score) return false;
    value.current = score;
    value.natural = score;
    saved = false;
    return true;
}

void CharacterSheet::setCreationScore(Attribute attribute, std::int32_t score) {
    attributes[attribute].current = score;
    attributes[attribute].natural = score;
    saved = false;
}

void CharacterSheet::setCurrentHitPoints(std::int32_t value) {
    if (currentHitPoints == value) return;
    currentHitPoints = value;
    saved = false;
}

void CharacterSheet::setExperience(std::uint32_t value) {
    if (experience == value) return;
    experience = value;
    saved = false;
}

void CharacterSheet::setText(std::string CharacterSheet::*field, const std::string& value) {
    if (this->*field == value) return;
    this->*field = value;
    saved = false;
}

void CharacterSheet::setCount(std::int32_t CharacterSheet::*field, std::int32_t value) {
    if (this->*field == value) return;
    this->*field = value;
    saved = false;
}

void CharacterSheet::setBiography(const Biography& given) {
    name = given.name;
    age = given.age;
    weight = given.weight;
    setAlignment(given.alignment);
    belief = given.belief;
    instinct = given.instinct;
    opinion = given.opinion;
    biography = given.biography;
    saved = false;
}

void CharacterSheet::spendMoney(const std::string& description, const Money& amount) {
    wealth.spendMoney(description, amount);
    saved = false;
}

void CharacterSheet::earnMoney(const std::string& description, const Money& amount) {
    wealth.earnMoney(description, amount);
    saved = false;
}

int CharacterSheet::purchaseEquipment(const BRAVCharacterEquipment& item, const std::string& shownName,
                                      const Money& price) {
    spendMoney("Bought equipment: " + shownName, price);
    return buyEquipment(item);
}

void CharacterSheet::sellOneEquipment(BRAVCharacterEquipment* item, const std::string& shownName, const Money& price) {
    if (!item || !inventory.holds(item)) return;
    earnMoney("Sold equipment: " + shownName, price);
    useUpOneEquipment(item);
}

void CharacterSheet::useUpOneEquipment(BRAVCharacterEquipment* item) {
    if (!item || !inventory.holds(item)) return;
    // One of a worn stack is used up; the rest is taken off with it.
    if (inventory.equippedArmour == item) inventory.equippedArmour = nullptr;
    if (inventory.equippedShield == item) inventory.equippedShield = nullptr;
    // One item is meant: a container's contents stay with the character.
    if (item->quantity == 1) inventory.unpackInPlace(*item);
    expendEquipment(item);
}

PackResult CharacterSheet::packEquipment(const BRAVCharacterEquipment* item, BRAVCharacterEquipment* container) {
    const PackResult result = inventory.moveEquipment(item, container);
    if (result == PackResult::Moved) saved = false;
    return result;
}

bool CharacterSheet::equipEquipment(BRAVCharacterEquipment* item) {
    if (!inventory.equip(item)) return false;
    saved = false;
    return true;
}

void CharacterSheet::takeOffArmour() {
    inventory.equippedArmour = nullptr;
    saved = false;
}

void CharacterSheet::takeOffShield() {
    inventory.equippedShield = nullptr;
    saved = false;
}

bool CharacterSheet::moveEquipmentUp(const BRAVCharacterEquipment* item) {
    if (!inventory.moveEquipmentUp(item)) return false;
    saved = false;
    return true;
}

bool CharacterSheet::moveEquipmentDown(const BRAVCharacterEquipment* item) {
    if (!inventory.moveEquipmentDown(item)) return false;
    saved = false;
    return true;
}

void CharacterSheet::renameEquipment(BRAVCharacterEquipment* item, const std::string& customName) {
    if (!item || !inventory.holds(item)) return;
    item->customName = customName;
    saved = false;
}
