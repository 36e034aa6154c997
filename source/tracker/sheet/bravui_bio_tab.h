#pragma once
// The Bio tab of the character sheet: edit boxes for the character's name, age, weight, belief,
// instinct, opinion and biography. Every edit reaches the character at the tab's next per-frame
// step and marks it unsaved.
#include <cstdint>
#include <string>

#include "app/sigslot.h"
#include "ui/ui_event.h"

class CharacterSheet;
class GameUIEditableTextLineBox;
class GameUIElementGroup;
class GameUIScrollableTextBox;
class Theme;
struct UIContext;

class BRAVUIBioTab : public sigslot::has_slots<> {
public:
    BRAVUIBioTab(std::uint32_t tag, UIContext* owner, const Theme* theme, CharacterSheet* sheet);
    ~BRAVUIBioTab() override;
    BRAVUIBioTab(const BRAVUIBioTab&) = delete;
    BRAVUIBioTab& operator=(const BRAVUIBioTab&) = delete;

    // Builds the labels and boxes, filled from the character, as children of panel.
    void attach(GameUIElementGroup* panel);
    // Writes the edits not yet written into the character, then disconnects from the boxes and
    // clears every pointer; the panel deletes the boxes right after.
    void detach();
    // Every frame, shown or not: writes the edited boxes into the character.
    void update();

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
    void writeText(std::uint8_t& edited, const std::string* boxText, std::string& field);
    void writeCount(std::uint8_t& edited, GameUIEditableTextLineBox* box, std::int32_t& field);
    // A box that lost the focus shows the stored count, so text that was not a count goes away.
    void showCount(std::uint8_t& left, GameUIEditableTextLineBox* box, std::int32_t field);
};
