#pragma once
// Every action, read once at start; the class catalogue copies names and descriptions from it.
// Follows the catalogue pattern of equipment_catalogue.h.
#include <map>
#include <memory>
#include <string>

#include "rules/character_action.h"

class ActionCatalogue {
public:
    explicit ActionCatalogue(std::string baseFolder);
    ActionCatalogue(const ActionCatalogue&) = delete;
    ActionCatalogue& operator=(const ActionCatalogue&) = delete;

    // Every entry of folder ("Data/actions/"), whatever its extension, folders included: each
    // yields a record, so an unreadable one is entered under the empty id if that is free.
    void loadActionCatalogue(const std::string& folder);

    const CharacterAction* findAction(const std::string& id) const;
    const std::map<std::string, std::unique_ptr<CharacterAction>>& actions() const { return actions_; }

private:
    std::string baseFolder_;
    std::map<std::string, std::unique_ptr<CharacterAction>> actions_;
};
