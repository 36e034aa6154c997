#pragma once
// The first window of a level-up: the class abilities the new level brought, with the
// description of the one selected, and what else changed (hit points, proficiency slots, spell
// castings, throws). "Next Step" reports "nextStep" on the window signal; the close button only
// reports "closeDialog", which the level-up flow does not act on.
#include <cstdint>
#include <string>

#include "ui/game_ui_base_window.h"

class CharacterSheet;
class GameUIPushButton;
class GameUIScrollableTextBox;
class GameUIStandardElementList;

class BRAVUILevelUpChangeReportWindow : public GameUIBaseWindow {
public:
    BRAVUILevelUpChangeReportWindow(std::uint32_t tag, UIContext* owner, const Theme* theme, const std::string& title,
                                    const float topLeft[2], const float bottomRight[2], std::uint32_t depth,
                                    CharacterSheet* character);
    ~BRAVUILevelUpChangeReportWindow() override;

    void update(float dt) override;

    // The other changes of the character's last level-up, one line each, from its level-up
    // report and the record of the level it reached.
    static std::string otherChangesText(const CharacterSheet& character);

    void onAbilitiesListEvent(UIEvent::Data& event);
    void onNextStepButton(UIEvent::Data& event);

    CharacterSheet* character;
    GameUIStandardElementList* abilitiesList = nullptr;
    GameUIScrollableTextBox* changesBox = nullptr;
    GameUIScrollableTextBox* descriptionBox = nullptr;
    GameUIPushButton* nextStepButton = nullptr;
    std::uint8_t nextStepPending = 0;
    std::uint8_t selectionPending = 0;
    std::uint32_t selectedRow = 0;
};
