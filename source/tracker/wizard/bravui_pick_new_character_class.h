#pragma once
// Step 2 of character creation: one of the classes the new character's scores allow and that offer
// a template, then one of that class's templates; "Next Step" gives both to the character, class first, and reports
// "nextStep".
#include <cstdint>
#include <string>
#include <vector>

#include "ui/game_ui_base_window.h"

class CharacterClass;
class CharacterClassCatalogue;
class CharacterSheet;
class ClassTemplate;
class ClassTemplateCatalogue;
class GameUIComboBox;
class GameUIPushButton;

class BRAVUIPickNewCharacterClass : public GameUIBaseWindow {
public:
    static constexpr const char* classPlaceholderText = "Pick A Class";
    static constexpr const char* noClassPlaceholderText = "Pick Class First";
    static constexpr const char* templatePlaceholderText = "Pick A Template";

    BRAVUIPickNewCharacterClass(std::uint32_t tag, UIContext* owner, const Theme* theme, const float topLeft[2],
                                const float bottomRight[2], const CharacterClassCatalogue* classCatalogue,
                                const ClassTemplateCatalogue* templateCatalogue, CharacterSheet* character);
    ~BRAVUIPickNewCharacterClass() override;

    void update(float dt) override;

    void onClassComboEvent(UIEvent::Data& event);
    void onTemplateComboEvent(UIEvent::Data& event);
    void onNextStepButton(UIEvent::Data& event);

    GameUIComboBox* classCombo = nullptr;
    GameUIComboBox* templateCombo = nullptr;
    GameUIPushButton* nextStepButton = nullptr;
    const ClassTemplateCatalogue* templateCatalogue;
    const CharacterClassCatalogue* classCatalogue;
    CharacterSheet* character;
    std::uint8_t classChosenPending = 0;
    std::uint8_t classClearedPending = 0;
    std::uint8_t nextStepPending = 0;
    // Set once Next Step has given the class and template to the character: they are given once.
    std::uint8_t applied = 0;
    const CharacterClass* chosenClass = nullptr;
    const ClassTemplate* chosenTemplate = nullptr;
    // The records behind the options after each box's placeholder, in option order. Options are
    // display names, which two records may share, so a choice is taken by its position.
    std::vector<const CharacterClass*> classOptions;
    std::vector<const ClassTemplate*> templateOptions;

private:
    void refillTemplates();
    void clearTemplates();
    // The option position of a choice the box just reported; 0 (its placeholder) when unknown.
    static std::size_t chosenPosition(const GameUIComboBox& combo);
    std::size_t pendingClassPosition = 0;
};
