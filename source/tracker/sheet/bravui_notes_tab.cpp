#include "tracker/sheet/bravui_notes_tab.h"

#include "rules/character_sheet.h"
#include "ui/game_ui_element_group.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_scrollable_text_box.h"

BRAVUINotesTab::BRAVUINotesTab(std::uint32_t tag, UIContext* owner, const Theme* theme, CharacterSheet* sheet)
    : tag(tag), owner(owner), theme(theme), sheet(sheet) {}

BRAVUINotesTab::~BRAVUINotesTab() { detach(); }

void BRAVUINotesTab::attach(GameUIElementGroup* panel) {
    if (!panel || !sheet) return;
    const float labelTopLeft[2] = {-0.9f, 0.95f}, labelBottomRight[2] = {0.9f, 0.85f};
    panel->addElement(new GameUILabel(
        owner, theme, "notesLabel", "[*Notes]",
        "Miscellaneous notes about this character that don't fit elsewhere. Click in the box to edit.", labelTopLeft,
        labelBottomRight, panel, labelflag::notRightAligned, labelflag::notCentred, labelflag::atTop));
    const float boxTopLeft[2] = {-0.9f, 0.85f}, boxBottomRight[2] = {0.9f, -0.85f};
    notesBox = new GameUIScrollableTextBox(tag, owner, theme, "notesTextBox", sheet->notes,
                                           "Miscellaneous notes about this character that don't fit elsewhere.",
                                           boxTopLeft, boxBottomRight, panel, 0, 0, 0);
    // A scrollable text box is read-only until its owner switches editing on.
    notesBox->editable = 1;
    notesBox->eventSignal.connect(this, &BRAVUINotesTab::onNotesBox);
    panel->addElement(notesBox);
}

void BRAVUINotesTab::detach() {
    // A key typed in the same poll as the tab switch is not lost with the box.
    update();
    if (notesBox) notesBox->eventSignal.disconnect(this);
    notesBox = nullptr;
}

void BRAVUINotesTab::onNotesBox(UIEvent::Data&) { notesEdited = 1; }

void BRAVUINotesTab::update() {
    if (!notesEdited) return;
    notesEdited = 0;
    if (!notesBox || !sheet || notesBox->text == sheet->notes) return;
    sheet->setText(&CharacterSheet::notes, notesBox->text);
}
