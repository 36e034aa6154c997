#pragma once
// Every kind of item, read once at start from the equipment folders; read-only afterwards.
//
// The pattern of every rules catalogue (actions, proficiencies, spells, equipment, and the
// class catalogues built on them):
//  - The catalogue is built with the program's base folder. Each load call takes a folder
//    relative to that base (e.g. "Data/equipment/ammo/") or an absolute one; tests hand in a
//    fixture tree as the base.
//  - The catalogue owns its records (unique_ptr); everyone else holds plain const pointers,
//    which stay valid until the catalogue is destroyed.
//  - Tables keep the first record entered under a key; lookups return null for what they don't
//    hold. Tables are ordered maps, so walks are in id order on every machine.
//  - A file that can't be read is logged and loading goes on; nothing throws.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "rules/equipment.h"

class EquipmentCatalogue {
public:
    explicit EquipmentCatalogue(std::string baseFolder);
    EquipmentCatalogue(const EquipmentCatalogue&) = delete;
    EquipmentCatalogue& operator=(const EquipmentCatalogue&) = delete;

    // The folders the main menu loads, in order; the first file loaded for an id wins.
    static const std::vector<std::string>& standardFolders();

    // Reads every "xml" file of folder (no sub-folders), in listing order. A missing folder
    // adds nothing.
    void loadEquipmentCatalogue(const std::string& folder);
    // All of standardFolders() in order.
    void loadStandardFolders();

    const Equipment* findEquipment(const std::string& id) const;
    // Empties out, then appends each record once per entry of types equal to its type
    // (in id order; a type listed twice adds its records twice).
    void collectEquipmentOfTypes(std::vector<const Equipment*>& out, const std::vector<int>& types) const;

    const std::map<std::string, std::unique_ptr<Equipment>>& records() const { return records_; }
    const std::string& baseFolder() const { return baseFolder_; }

private:
    std::string baseFolder_;
    std::map<std::string, std::unique_ptr<Equipment>> records_;
};
