#include "tracker/wizard/brav_sub_state_character_creation.h"

#include "rules/character_class.h"
#include "rules/character_sheet.h"
#include "rules/rules_catalogues.h"
#include "tracker/bravui_create_attributes.h"
#include "tracker/wizard/bravui_arcane_spell_picker.h"
#include "tracker/wizard/bravui_create_bio_information.h"
#include "tracker/wizard/bravui_pick_new_character_class.h"
#include "tracker/wizard/bravui_pick_proficiencies.h"
#include "ui/game_ui_base_element.h"
#include "ui/window_manager.h"

namespace {

bool isNextStep(const UIEvent::Data& event) { return event.name == "nextStep"; }

} // namespace

BRAVSubStateCharacterCreation::BRAVSubStateCharacterCreation(std::uint32_t tag, UIContext* owner,
                                                             WindowManager* windowManager,
                                                             RulesCatalogues* catalogues, CharacterSheet* character)
    : tag(tag), owner(owner), windowManager(windowManager), catalogues(catalogues), character(character) {
    const float topLeft[2] = {-0.5f, 0.9f}, bottomRight[2] = {0.5f, -0.7f};
    attributesWindow = new BRAVUICreateAttributes(tag, owner, theme(), topLeft, bottomRight, character,
                                                  catalogues ? &catalogues->templates : nullptr);
    openWindow(attributesWindow, &BRAVSubStateCharacterCreation::onAttributesEvent);
}

BRAVSubStateCharacterCreation::~BRAVSubStateCharacterCreation() { signal.disconnect_all(); }

const Theme* BRAVSubStateCharacterCreation::theme() const {
    return windowManager ? windowManager->getTheme(themeName) : nullptr;
}

std::string BRAVSubStateCharacterCreation::stepTitle(const char* caption) const {
    return "Step " + std::to_string(stepNumber) + caption;
}

std::uint32_t BRAVSubStateCharacterCreation::depthAboveWindows() const {
    const std::uint32_t top = windowManager ? windowManager->getTopDepth() : 0;
    return top >= GameUIBaseElement::maxDepth ? GameUIBaseElement::maxDepth : top + 1;
}

void BRAVSubStateCharacterCreation::openWindow(GameUIBaseWindow* window,
                                               void (BRAVSubStateCharacterCreation::*slot)(UIEvent::Data&)) {
    if (windowManager) {
        windowManager->addWindow(window);
        windowManager->setActiveWindow(window);
    }
    window->windowSignal.connect(this, slot);
}

template <class W>
void BRAVSubStateCharacterCreation::closeWindow(W*& window) {
    if (!window) return;
    window->windowSignal.disconnect(this);
    if (windowManager) windowManager->removeWindow(window);
    window = nullptr;
}

void BRAVSubStateCharacterCreation::onAttributesEvent(UIEvent::Data& event) {
    if (!isNextStep(event)) return;
    attributesDonePending = 1;
    openClassStepPending = 1;
}

void BRAVSubStateCharacterCreation::onClassEvent(UIEvent::Data& event) {
    if (!isNextStep(event)) return;
    classDonePending = 1;
    proficiencyStepPending = 1;
}

void BRAVSubStateCharacterCreation::onProficiencyEvent(UIEvent::Data& event) {
    if (isNextStep(event)) proficiencyStepPending = 1;
}

void BRAVSubStateCharacterCreation::onBioEvent(UIEvent::Data& event) {
    if (isNextStep(event)) bioDonePending = 1;
}

void BRAVSubStateCharacterCreation::onSpellsEvent(UIEvent::Data& event) {
    if (isNextStep(event)) spellsDonePending = 1;
}

void BRAVSubStateCharacterCreation::openProficiencyStep(const std::string& listId, std::int32_t picks,
                                                        const char* caption) {
    ++stepNumber;
    const float topLeft[2] = {-0.95f, 0.9f}, bottomRight[2] = {0.95f, -0.7f};
    proficiencyWindow = new BRAVUIPickProficiencies(tag, owner, theme(), topLeft, bottomRight, depthAboveWindows(),
                                                    listId, static_cast<std::uint32_t>(picks), stepTitle(caption),
                                                    catalogues ? &catalogues->proficiencies : nullptr, character);
    openWindow(proficiencyWindow, &BRAVSubStateCharacterCreation::onProficiencyEvent);
}

void BRAVSubStateCharacterCreation::routeAfterProficiencies() {
    closeWindow(proficiencyWindow);
    if (!character) return;
    const std::int32_t classPicks = character->unallocatedClassProficiencySlots;
    const std::int32_t generalPicks = character->unallocatedGeneralProficiencySlots;
    if (classPicks > 0 && !classListOffered && character->characterClass) {
        classListOffered = 1;
        openProficiencyStep(character->characterClass->proficiencyList, classPicks,
                            ": Pick or upgrade proficiencies from class list");
    } else if (generalPicks > 0 && !generalListOffered) {
        generalListOffered = 1;
        openProficiencyStep("general", generalPicks, ": Pick or upgrade proficiencies from general list");
    } else if (character->countUnallocatedArcaneSpellSlots() != 0) {
        openSpellStepPending = 1;
    } else {
        openBioStepPending = 1;
    }
}

void BRAVSubStateCharacterCreation::goToStep() {
    if (attributesDonePending) {
        attributesDonePending = 0;
        closeWindow(attributesWindow);
    }
    if (openClassStepPending && character) {
        openClassStepPending = 0;
        ++stepNumber;
        const float topLeft[2] = {-0.5f, 0.9f}, bottomRight[2] = {0.5f, -0.7f};
        classWindow = new BRAVUIPickNewCharacterClass(tag, owner, theme(), topLeft, bottomRight,
                                                      catalogues ? &catalogues->classes : nullptr,
                                                      catalogues ? &catalogues->templates : nullptr, character);
        openWindow(classWindow, &BRAVSubStateCharacterCreation::onClassEvent);
    }
    if (classDonePending) {
        classDonePending = 0;
        closeWindow(classWindow);
    }
    if (proficiencyStepPending) {
        proficiencyStepPending = 0;
        routeAfterProficiencies();
    }
    if (openSpellStepPending) {
        openSpellStepPending = 0;
        ++stepNumber;
        const float topLeft[2] = {-0.95f, 0.9f}, bottomRight[2] = {0.95f, -0.7f};
        spellWindow = new BRAVUIArcaneSpellPicker(tag, owner, theme(), topLeft, bottomRight, depthAboveWindows(),
                                                  stepTitle(": Pick, or roll for, new arcane spells"),
                                                  catalogues ? &catalogues->spells : nullptr, character);
        openWindow(spellWindow, &BRAVSubStateCharacterCreation::onSpellsEvent);
    }
    if (spellsDonePending && spellWindow) {
        spellsDonePending = 0;
        closeWindow(spellWindow);
        openBioStepPending = 1;
    }
    if (openBioStepPending) {
        openBioStepPending = 0;
        ++stepNumber;
        const float topLeft[2] = {-0.75f, 0.9f}, bottomRight[2] = {0.75f, -0.7f};
        bioWindow = new BRAVUICreateBioInformation(tag, owner, theme(), topLeft, bottomRight,
                                                   stepTitle(": Complete biographical information"), character);
        openWindow(bioWindow, &BRAVSubStateCharacterCreation::onBioEvent);
    }
    if (bioDonePending && bioWindow) {
        bioDonePending = 0;
        closeWindow(bioWindow);
        finishedPending = 1;
    }
    if (finishedPending) {
        finishedPending = 0;
        eventData.name = finishedEvent;
        signal.emit(eventData);
    }
}
