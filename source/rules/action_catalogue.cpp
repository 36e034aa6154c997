#include "rules/action_catalogue.h"

#include "rules/catalogue_reader.h"

ActionCatalogue::ActionCatalogue(std::string baseFolder) : baseFolder_(std::move(baseFolder)) {}

void ActionCatalogue::loadActionCatalogue(const std::string& folder) {
    for (const FileEntry& entry : listCatalogueFolder(baseFolder_, folder, "*", true)) {
        auto action = std::make_unique<CharacterAction>();
        parseActionFile(*action, entry.fullPath);
        const std::string id = action->id;
        actions_.try_emplace(id, std::move(action));
    }
}

const CharacterAction* ActionCatalogue::findAction(const std::string& id) const {
    const auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second.get();
}
