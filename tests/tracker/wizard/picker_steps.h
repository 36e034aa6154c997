#pragma once
// Leaving the creation and level-up pickers as a user does: the picks spent on the first rows
// that offer "pick", else on a "+" of one held (a domain typed when one is asked for), or rolled at random, then Next Step, which
// stays disabled while picks are left.
#include <functional>
#include <string>

#include "support/ui_harness.h"
#include "tracker/wizard/bravui_arcane_spell_picker.h"
#include "tracker/wizard/bravui_pick_proficiencies.h"
#include "tracker/wizard/bravui_pick_proficiency_list_item.h"
#include "tracker/wizard/bravui_proficiency_domain_picker.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_push_button.h"
#include "ui/game_ui_standard_element_list.h"

namespace pickersteps {

// A click on element, then frame run twice.
inline void press(UIHarness& ui, const GameUIBaseElement& element, const std::function<void()>& frame) {
    ui.clickElement(element);
    frame();
    frame();
}

inline void spendProficiencyPicks(UIHarness& ui, BRAVUIPickProficiencies& picker, const std::function<void()>& frame) {
    // A window just opened lays its rows, and their buttons, out in its first update.
    frame();
    for (int domain = 1; picker.picksLeft > 0 && domain < 100; ++domain) {
        if (BRAVUIProficiencyDomainPicker* domains = picker.domainPicker) {
            press(ui, *domains->domainLine, frame);
            ui.typeQuickly("Field " + std::to_string(domain));
            frame();
            press(ui, *domains->doneButton, frame);
            continue;
        }
        // A new proficiency when one is offered, else a "+" on one already held.
        const GameUIPushButton* pick = nullptr;
        for (GameUIBaseListItem* item : picker.availableList->items) {
            auto* row = dynamic_cast<BRAVUIPickProficiencyListItem*>(item);
            if (!pick && row && row->pickDumpButton && !row->pickDumpButton->disabled) pick = row->pickDumpButton;
        }
        for (GameUIBaseListItem* item : picker.pickedList->items) {
            auto* row = dynamic_cast<BRAVUIPickProficiencyListItem*>(item);
            if (!pick && row && row->upgradeButton && !row->upgradeButton->disabled) pick = row->upgradeButton;
        }
        if (!pick) break;
        press(ui, *pick, frame);
    }
}

// Spends the picks, then presses Next Step.
inline void finishProficiencyPicker(UIHarness& ui, BRAVUIPickProficiencies& picker,
                                    const std::function<void()>& frame) {
    spendProficiencyPicks(ui, picker, frame);
    ui.clickElement(*picker.nextStepButton);
}

// Roll Random with a seed, so a failure can be replayed, then Next Step.
inline void finishSpellPicker(UIHarness& ui, BRAVUIArcaneSpellPicker& picker, const std::function<void()>& frame) {
    picker.random = RandomSource(20261212);
    press(ui, *picker.rollButton, frame);
    ui.clickElement(*picker.nextStepButton);
}

} // namespace pickersteps
