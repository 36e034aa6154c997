#pragma once
// The Proficiencies tab of the character sheet: the character's proficiencies (with domain and
// rank), class abilities and actions (with their throws) in three lists of the character's own
// order, and a read-only box with the description of the entry last selected in any of them.
// Showing it rebuilds the character's actions, which are not saved, so it changes nothing that
// needs saving.
#include <cstdint>
#include <string>

#include "tracker/sheet/bravui_sheet_tab.h"
#include "ui/ui_event.h"

class CharacterProficiency;
class CharacterSheet;
class GameUIElementGroup;
class GameUIScrollableTextBox;
class GameUIStandardElementList;
class Theme;
struct UIContext;

class BRAVUIProficienciesTab : public BRAVUISheetTab {
public:
    BRAVUIProficienciesTab(std::uint32_t tag, UIContext* owner, const Theme* theme, CharacterSheet* sheet);
    ~BRAVUIProficienciesTab() override;

    // The caption of a proficiency row: its shown name, then " (domain)" and " Rank: n" when
    // they say something.
    static std::string rowCaption(const CharacterProficiency& proficiency);

    // Builds the titles, the three lists and the description box as children of panel; rebuilds
    // the character's actions first and selects the first proficiency.
    void attach(GameUIElementGroup* panel) override;
    // Disconnects from the three lists and clears every widget pointer.
    void detach() override;
    // Every frame, shown or not: shows the description of the rows selected since the last step.
    void update() override;

    void onProficienciesList(UIEvent::Data& event);
    void onClassAbilitiesList(UIEvent::Data& event);
    void onActionsList(UIEvent::Data& event);

    std::uint32_t tag;
    UIContext* owner;
    const Theme* theme;
    CharacterSheet* sheet;
    GameUIStandardElementList* proficienciesList = nullptr;
    GameUIStandardElementList* classAbilitiesList = nullptr;
    GameUIStandardElementList* actionsList = nullptr;
    GameUIScrollableTextBox* descriptionBox = nullptr;
    std::uint8_t proficiencyChosen = 0;
    std::uint32_t proficiencyIndex = 0;
    std::uint8_t abilityChosen = 0;
    std::uint32_t abilityIndex = 0;
    std::uint8_t actionChosen = 0;
    std::uint32_t actionIndex = 0;

private:
    void showDescription(const std::string& text);
};
