#include "tracker/sheet/level_up_flow.h"

#include "app/ui_context.h"
#include "rules/character_class.h"
#include "rules/character_sheet.h"
#include "rules/rules_catalogues.h"
#include "tracker/sheet/bravui_level_up_change_report_window.h"
#include "tracker/sheet/bravui_sheet_tab.h"
#include "tracker/wizard/bravui_arcane_spell_picker.h"
#include "tracker/wizard/bravui_pick_proficiencies.h"
#include "ui/window_manager.h"

namespace {

const float reportTopLeft[2] = {-0.95f, 0.9f};
const float reportBottomRight[2] = {0.95f, -0.7f};

} // namespace

LevelUpFlow::LevelUpFlow(std::uint32_t tag, UIContext* owner, const Theme* theme, const RulesCatalogues* catalogues,
                         CharacterSheet* character)
    : tag(tag), owner(owner), theme(theme), catalogues(catalogues), character(character) {}

LevelUpFlow::~LevelUpFlow() {
    close(reportWindow);
    close(generalPicker);
    close(classPicker);
    close(spellPicker);
}

bool LevelUpFlow::inProgress() const { return reportWindow || generalPicker || classPicker || spellPicker; }

void LevelUpFlow::onReportEvent(UIEvent::Data& event) {
    if (event.name == "nextStep") reportClosed = 1;
}

void LevelUpFlow::onGeneralPickerEvent(UIEvent::Data& event) {
    if (event.name == "nextStep") generalPickerClosed = 1;
}

void LevelUpFlow::onClassPickerEvent(UIEvent::Data& event) {
    if (event.name == "nextStep") classPickerClosed = 1;
}

void LevelUpFlow::onSpellPickerEvent(UIEvent::Data& event) {
    if (event.name == "nextStep") spellPickerClosed = 1;
}

template <class Window>
void LevelUpFlow::close(Window*& window) {
    if (!window) return;
    window->windowSignal.disconnect(this);
    if (owner && owner->windowManager) owner->windowManager->removeWindow(window);
    window = nullptr;
}

bool LevelUpFlow::update(std::uint32_t depth) {
    // Windows can be shown only through a window manager.
    if (!owner || !owner->windowManager) return false;
    // A closed window opens the next one in the same frame, so these hold only within one step.
    bool generalPickerDue = false, classPickerDue = false, spellPickerDue = false, finished = false;
    if (levelUpClicked) {
        levelUpClicked = 0;
        // One sequence at a time; and without a next level record nothing changed to report.
        if (!inProgress() && character->levelUp()) {
            reportWindow = new BRAVUILevelUpChangeReportWindow(tag, owner, theme, "Level Up Report", reportTopLeft,
                                                               reportBottomRight, depth, character);
            BRAVUISheetTab::showTabWindow(owner, reportWindow);
            reportWindow->windowSignal.connect(this, &LevelUpFlow::onReportEvent);
        }
    }
    if (reportClosed) {
        reportClosed = 0;
        close(reportWindow);
        generalPickerDue = true;
    }
    if (generalPickerDue) {
        const std::int32_t slots = character->unallocatedGeneralProficiencySlots;
        if (slots <= 0) {
            classPickerDue = true;
        } else {
            generalPicker = new BRAVUIPickProficiencies(tag, owner, theme, reportTopLeft, reportBottomRight,
                                                        depth, "general", static_cast<std::uint32_t>(slots),
                                                        "Pick or upgrade proficiencies from general list",
                                                        &catalogues->proficiencies, character);
            BRAVUISheetTab::showTabWindow(owner, generalPicker);
            generalPicker->windowSignal.connect(this, &LevelUpFlow::onGeneralPickerEvent);
        }
    }
    if (generalPickerClosed) {
        generalPickerClosed = 0;
        close(generalPicker);
        classPickerDue = true;
    }
    if (classPickerDue) {
        const std::int32_t slots = character->unallocatedClassProficiencySlots;
        if (slots <= 0 || !character->characterClass) {
            spellPickerDue = true;
        } else {
            classPicker = new BRAVUIPickProficiencies(tag, owner, theme, reportTopLeft, reportBottomRight,
                                                      depth, character->characterClass->proficiencyList,
                                                      static_cast<std::uint32_t>(slots),
                                                      "Pick or upgrade proficiencies from class list",
                                                      &catalogues->proficiencies, character);
            BRAVUISheetTab::showTabWindow(owner, classPicker);
            classPicker->windowSignal.connect(this, &LevelUpFlow::onClassPickerEvent);
        }
    }
    if (classPickerClosed) {
        classPickerClosed = 0;
        close(classPicker);
        spellPickerDue = true;
    }
    if (spellPickerDue) {
        if (character->countUnallocatedArcaneSpellSlots() <= 0) {
            finished = true;
        } else {
            spellPicker = new BRAVUIArcaneSpellPicker(tag, owner, theme, reportTopLeft, reportBottomRight,
                                                      depth, "Pick, or roll for, new arcane spells",
                                                      &catalogues->spells, character);
            BRAVUISheetTab::showTabWindow(owner, spellPicker);
            spellPicker->windowSignal.connect(this, &LevelUpFlow::onSpellPickerEvent);
        }
    }
    if (spellPickerClosed) {
        spellPickerClosed = 0;
        close(spellPicker);
        finished = true;
    }
    return finished;
}
