#pragma once
// The Notes tab of the character sheet: one free-text box for whatever does not fit elsewhere,
// written into the character at the tab's next per-frame step.
#include <cstdint>

#include "app/sigslot.h"
#include "ui/ui_event.h"

class CharacterSheet;
class GameUIElementGroup;
class GameUIScrollableTextBox;
class Theme;
struct UIContext;

class BRAVUINotesTab : public sigslot::has_slots<> {
public:
    BRAVUINotesTab(std::uint32_t tag, UIContext* owner, const Theme* theme, CharacterSheet* sheet);
    ~BRAVUINotesTab() override;
    BRAVUINotesTab(const BRAVUINotesTab&) = delete;
    BRAVUINotesTab& operator=(const BRAVUINotesTab&) = delete;

    // Builds the label and the notes box, filled from the character, as children of panel.
    void attach(GameUIElementGroup* panel);
    // Writes an edit not yet written into the character, then disconnects from the box and
    // clears the pointer; the panel deletes the box right after.
    void detach();
    // Every frame, shown or not: writes an edited box into the character.
    void update();

    void onNotesBox(UIEvent::Data& event);

    std::uint32_t tag;
    UIContext* owner;
    const Theme* theme;
    CharacterSheet* sheet;
    GameUIScrollableTextBox* notesBox = nullptr;
    std::uint8_t notesEdited = 0;
};
