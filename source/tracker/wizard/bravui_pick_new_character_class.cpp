#include "tracker/wizard/bravui_pick_new_character_class.h"

#include "rules/character_class_catalogue.h"
#include "rules/character_sheet.h"
#include "rules/class_lookups.h"
#include "rules/class_template_catalogue.h"
#include "tracker/wizard/window_parts.h"
#include "ui/game_ui_combo_box.h"
#include "ui/game_ui_push_button.h"
#include "ui/game_ui_toggle_button.h"
#include "ui/game_ui_toggle_group.h"

namespace {

std::uint32_t scoreOf(const CharacterSheet* character, int attribute) {
    const std::int32_t score = character ? character->attributes[attribute].current : 0;
    return score < 0 ? 0u : static_cast<std::uint32_t>(score);
}

bool isComboWord(const std::string& name) { return name == "closingComboBox" || name == "openingComboBox"; }

} // namespace

BRAVUIPickNewCharacterClass::BRAVUIPickNewCharacterClass(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                                         const float topLeft[2], const float bottomRight[2],
                                                         const CharacterClassCatalogue* classCatalogue,
                                                         const ClassTemplateCatalogue* templateCatalogue,
                                                         CharacterSheet* character)
    : GameUIBaseWindow(tag, owner, theme, "createAttributesWindow", "Step 2: Pick Class & Template", topLeft,
                       bottomRight, 7, nullptr, false),
      templateCatalogue(templateCatalogue),
      classCatalogue(classCatalogue),
      character(character) {
    const float classTopLeft[2] = {-0.75f, 0.95f}, classBottomRight[2] = {0.75f, 0.8f};
    classCombo = new GameUIComboBox(tag, owner, theme, theme, "classCombo", classPlaceholderText, "", classTopLeft,
                                    classBottomRight, this, "", "");
    classCombo->eventSignal.connect(this, &BRAVUIPickNewCharacterClass::onClassComboEvent);
    classCombo->addOption(classPlaceholderText);
    // A class without a template could never be finished: it is not offered.
    if (classCatalogue && templateCatalogue) {
        using A = CharacterSheet::Attribute;
        filterPlayableClasses(*classCatalogue, *templateCatalogue, classOptions, scoreOf(character, A::Strength),
                              scoreOf(character, A::Intelligence), scoreOf(character, A::Wisdom),
                              scoreOf(character, A::Dexterity), scoreOf(character, A::Constitution),
                              scoreOf(character, A::Charisma));
    }
    for (const CharacterClass* option : classOptions) classCombo->addOption(option->displayName);
    addChild(classCombo);

    const float templateTopLeft[2] = {-0.75f, 0.65f}, templateBottomRight[2] = {0.75f, 0.5f};
    templateCombo = new GameUIComboBox(tag, owner, theme, theme, "templateCombo", noClassPlaceholderText, "",
                                       templateTopLeft, templateBottomRight, this, "", "");
    templateCombo->eventSignal.connect(this, &BRAVUIPickNewCharacterClass::onTemplateComboEvent);
    templateCombo->addOption(noClassPlaceholderText);
    addChild(templateCombo);
    templateCombo->disable();

    nextStepButton = windowparts::addNextStepButton(*this, 0.5f, -0.75f, 0.9f, -0.95f,
                                                    &BRAVUIPickNewCharacterClass::onNextStepButton);
    topDepth = getMaxChildDepth();
}

BRAVUIPickNewCharacterClass::~BRAVUIPickNewCharacterClass() {
    classCombo->eventSignal.disconnect(this);
    templateCombo->eventSignal.disconnect(this);
    nextStepButton->clickSignal.disconnect(this);
}

std::size_t BRAVUIPickNewCharacterClass::chosenPosition(const GameUIComboBox& combo) {
    const GameUIToggleGroup* group = combo.optionsGroup;
    if (!group || group->selectedIndex >= group->buttons.size()) return 0;
    return group->selectedIndex;
}

void BRAVUIPickNewCharacterClass::onClassComboEvent(UIEvent::Data& event) {
    if (isComboWord(event.name)) return;
    // The box still holds its drop-down while it reports the choice.
    pendingClassPosition = chosenPosition(*classCombo);
    if (pendingClassPosition != 0 && pendingClassPosition <= classOptions.size()) {
        classChosenPending = 1;
    } else {
        classClearedPending = 1;
    }
}

void BRAVUIPickNewCharacterClass::onTemplateComboEvent(UIEvent::Data& event) {
    if (isComboWord(event.name)) return;
    const std::size_t position = chosenPosition(*templateCombo);
    if (position != 0 && position <= templateOptions.size()) {
        chosenTemplate = templateOptions[position - 1];
    } else {
        chosenTemplate = nullptr;
    }
}

void BRAVUIPickNewCharacterClass::onNextStepButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) nextStepPending = 1;
}

void BRAVUIPickNewCharacterClass::refillTemplates() {
    templateCombo->clearOptions();
    templateCombo->addOption(templatePlaceholderText);
    templateCombo->setCurrentText(templatePlaceholderText);
    templateOptions.clear();
    if (templateCatalogue && chosenClass) {
        for (const auto& option : templateCatalogue->templatesOf(chosenClass->id)) {
            templateOptions.push_back(option.get());
            templateCombo->addOption(option->displayName);
        }
    }
    templateCombo->enable();
}

void BRAVUIPickNewCharacterClass::clearTemplates() {
    templateCombo->clearOptions();
    templateCombo->addOption(noClassPlaceholderText);
    templateCombo->setCurrentText(noClassPlaceholderText);
    templateOptions.clear();
    templateCombo->disable();
}

void BRAVUIPickNewCharacterClass::update(float dt) {
    if (classChosenPending) {
        classChosenPending = 0;
        chosenClass = classOptions[pendingClassPosition - 1];
        refillTemplates();
        // After a class change Next Step waits for a template of the new class.
        chosenTemplate = nullptr;
    } else if (classClearedPending) {
        classClearedPending = 0;
        chosenClass = nullptr;
        chosenTemplate = nullptr;
        clearTemplates();
    }
    nextStepButton->setEnabled(chosenClass && chosenTemplate && !applied);
    if (nextStepPending) {
        nextStepPending = 0;
        // A second press before the wizard closes the window gives nothing twice.
        if (!applied && character && chosenClass && chosenTemplate) {
            applied = 1;
            nextStepButton->disable();
            character->applyCharacterClass(*chosenClass);
            character->applyClassTemplate(*chosenTemplate);
            reportEvent("nextStep");
        }
    }
    GameUIStandardElement::update(dt);
}
