#pragma once
// The Notes tab of the character sheet: one free-text box for whatever does not fit elsewhere,
// written into the character at the tab's next per-frame step.
#include <cstdint>

#include "tracker/sheet/bravui_sheet_tab.h"
#include "ui/ui_event.h"

class CharacterSheet;
class GameUIElementGroup;
class GameUIScrollableTextBox;
class Theme;
struct UIContext;

class BRAVUINotesTab : public BRAVUISheetTab {
public:
    BRAVUINotesTab(std::uint32_t tag, UIContext* owner, const Theme* theme, CharacterSheet* sheet);
    ~BRAVUINotesTab() override;

    // Builds the label and the notes box, filled from the character, as children of panel.
    void attach(GameUIElementGroup* panel) override;
    // Writes an edit not yet written into the character, then disconnects from the box and
    // clears the pointer; the panel deletes the box right after.
    void detach() override;
    // Every frame, shown or not: writes an edited box into the character.
    void update() override;

    void onNotesBox(UIEvent::Data& event);

    std::uint32_t tag;
    UIContext* owner;
    const Theme* theme;
    CharacterSheet* sheet;
    GameUIScrollableTextBox* notesBox = nullptr;
    std::uint8_t notesEdited = 0;
};
