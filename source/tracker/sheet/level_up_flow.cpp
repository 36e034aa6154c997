#include "tracker/sheet/level_up_flow.h"

#include "app/ui_context.h"
#include "rules/character_class.h"
#include "rules/character_sheet.h"
#include "rules/rules_catalogues.h"
#include "tracker/sheet/bravui_level_up_change_report_window.h"
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

bool LevelUpFlow::inProgress() const {
    return reportWindow || generalPicker || classPicker || spellPicker || reportClosed || generalPickerDue ||
           generalPickerClosed || classPickerDue || classPickerClosed || spellPickerDue || spellPickerClosed ||
           finished;
}

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

void LevelUpFlow::show(GameUIBaseElement* window) {
    owner->windowManager->addWindow(window);
    owner->windowManager->setActiveWindow(window);
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
    if (levelUpClicked) {
        levelUpClicked = 0;
        // One sequence at a time; and without a next level record nothing changed to report.
        if (!inProgress() && character->levelUp()) {
            reportWindow = new BRAVUILevelUpChangeReportWindow(tag, owner, theme, "Level Up Report", reportTopLeft,
                                                               reportBottomRight, depth, character);
            show(reportWindow);
            reportWindow->windowSignal.connect(this, &LevelUpFlow::onReportEvent);
        }
    }
    if (reportClosed) {
        reportClosed = 0;
        close(reportWindow);
        generalPickerDue = 1;
    }
    if (generalPickerDue) {
        generalPickerDue = 0;
        const std::int32_t slots = character->unallocatedGeneralProficiencySlots;
        if (slots <= 0) {
            classPickerDue = 1;
        } else {
            generalPicker = new BRAVUIPickProficiencies(tag, owner, theme, reportTopLeft, reportBottomRight,
                                                        depth, "general", static_cast<std::uint32_t>(slots),
                                                        "Pick or upgrade proficiencies from general list",
                                                        &catalogues->proficiencies, character);
            show(generalPicker);
            generalPicker->windowSignal.connect(this, &LevelUpFlow::onGeneralPickerEvent);
        }
    }
    if (generalPickerClosed) {
        generalPickerClosed = 0;
        close(generalPicker);
        classPickerDue = 1;
    }
    if (classPickerDue) {
        classPickerDue = 0;
        const std::int32_t slots = character->unallocatedClassProficiencySlots;
        if (slots <= 0 || !character->characterClass) {
            spellPickerDue = 1;
        } else {
            classPicker = new BRAVUIPickProficiencies(tag, owner, theme, reportTopLeft, reportBottomRight,
                                                      depth, character->characterClass->proficiencyList,
                                                      static_cast<std::uint32_t>(slots),
                                                      "Pick or upgrade proficiencies from class list",
                                                      &catalogues->proficiencies, character);
            show(classPicker);
            classPicker->windowSignal.connect(this, &LevelUpFlow::onClassPickerEvent);
        }
    }
    if (classPickerClosed) {
        classPickerClosed = 0;
        close(classPicker);
        spellPickerDue = 1;
    }
    if (spellPickerDue) {
        spellPickerDue = 0;
        if (character->countUnallocatedArcaneSpellSlots() <= 0) {
            finished = 1;
        } else {
            spellPicker = new BRAVUIArcaneSpellPicker(tag, owner, theme, reportTopLeft, reportBottomRight,
                                                      depth, "Pick, or roll for, new arcane spells",
                                                      &catalogues->spells, character);
            show(spellPicker);
            spellPicker->windowSignal.connect(this, &LevelUpFlow::onSpellPickerEvent);
        }
    }
    if (spellPickerClosed) {
        spellPickerClosed = 0;
        close(spellPicker);
        finished = 1;
    }
    if (finished) {
        finished = 0;
        return true;
    }
    return false;
}
