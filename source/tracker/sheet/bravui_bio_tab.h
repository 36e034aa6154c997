#pragma once
// The Bio tab of the character sheet: edit boxes for the character's name, age, weight, belief,
// instinct, opinion and biography. Every edit reaches the character at the tab's next per-frame
// step and marks it unsaved.
#include <cstdint>
#include <string>

#include "tracker/sheet/bravui_sheet_tab.h"
#include "ui/ui_event.h"

class CharacterSheet;
class GameUIEditableTextLineBox;
class GameUIElementGroup;
class GameUIScrollableTextBox;
class Theme;
struct UIContext;

class BRAVUIBioTab : public BRAVUISheetTab {
public:
    BRAVUIBioTab(std::uint32_t tag, UIContext* owner, const Theme* theme, CharacterSheet* sheet);
    ~BRAVUIBioTab() override;

    // Builds the labels and boxes, filled from the character, as children of panel.
    void attach(GameUIElementGroup* panel) override;
    // Writes the edits not yet written into the character, then disconnects from the boxes and
    // clears every pointer; the panel deletes the boxes right after.
    void detach() override;
    // Every frame, shown or not: writes the edited boxes into the character.
    void update() override;

    void onNameBox(UIEvent::Data& event);
    void onAgeBox(UIEvent::Data& event);
    void onWeightBox(UIEvent::Data& event);
    void onBeliefBox(UIEvent::Data& event);
    void onInstinctBox(UIEvent::Data& event);
    void onOpinionBox(UIEvent::Data& event);
    void onBiographyBox(UIEvent::Data& event);

    std::uint32_t tag;
    UIContext* owner;
    const Theme* theme;
    CharacterSheet* sheet;
    GameUIEditableTextLineBox* nameBox = nullptr;
    GameUIEditableTextLineBox* ageBox = nullptr;
    GameUIEditableTextLineBox* weightBox = nullptr;
    GameUIEditableTextLineBox* beliefBox = nullptr;
    GameUIEditableTextLineBox* instinctBox = nullptr;
    GameUIEditableTextLineBox* opinionBox = nullptr;
    GameUIScrollableTextBox* biographyBox = nullptr;
    std::uint8_t ageLeft = 0;
    std::uint8_t weightLeft = 0;
    std::uint8_t nameEdited = 0;
    std::uint8_t ageEdited = 0;
    std::uint8_t weightEdited = 0;
    std::uint8_t beliefEdited = 0;
    std::uint8_t instinctEdited = 0;
    std::uint8_t opinionEdited = 0;
    std::uint8_t biographyEdited = 0;

private:
    // The steps of update and detach, each clearing its flag.
    void writeEdits();
    void writeText(std::uint8_t& edited, const std::string* boxText, std::string CharacterSheet::*field);
    void writeCount(std::uint8_t& edited, GameUIEditableTextLineBox* box, std::int32_t CharacterSheet::*field);
    // A box left empty stores 0; every box left shows the stored count, so text that was no
    // count goes away.
    void leaveCount(std::uint8_t& left, GameUIEditableTextLineBox* box, std::int32_t CharacterSheet::*field);
};
