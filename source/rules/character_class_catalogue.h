#pragma once
// Every character class of the rules, one per file, in loading order.
#include <memory>
#include <string>
#include <vector>

#include "rules/character_class.h"

class ActionCatalogue;
class ClassTemplateCatalogue;

class CharacterClassCatalogue {
public:
    // templateCatalogue receives each class's templates as it loads; actionCatalogue names the
    // level actions. Either may be null (then no templates are registered, actions stay unnamed).
    CharacterClassCatalogue(std::string baseFolder, ClassTemplateCatalogue* templateCatalogue,
                            const ActionCatalogue* actionCatalogue);

    // Reads every "xml" file of folder (relative to the base folder) as a class, then the
    // templates of each class that was read.
    void loadCharacterClasses(const std::string& folder);

    const std::vector<std::unique_ptr<CharacterClass>>& classes() const { return classes_; }

private:
    std::string baseFolder_;
    ClassTemplateCatalogue* templateCatalogue_ = nullptr;
    const ActionCatalogue* actionCatalogue_ = nullptr;
    std::vector<std::unique_ptr<CharacterClass>> classes_;
};
