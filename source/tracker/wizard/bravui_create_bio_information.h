#pragma once
// The last step of character creation: name (required, and not only spaces), alignment, age, weight, belief,
// instinct, opinion and biography. Nothing reaches the character until "Next Step", which copies
// every field and reports "nextStep".
#include <cstdint>
#include <string>

#include "ui/game_ui_base_window.h"

class CharacterSheet;
class GameUIComboBox;
class GameUIEditableTextLineBox;
class GameUIPushButton;
class GameUIScrollableTextBox;

class BRAVUICreateBioInformation : public GameUIBaseWindow {
public:
    // Ages and weights are kept as signed 32-bit numbers: longer digit strings stop here.
    static constexpr std::uint32_t largestNumber = 2147483647u;

    BRAVUICreateBioInformation(std::uint32_t tag, UIContext* owner, const Theme* theme, const float topLeft[2],
                               const float bottomRight[2], const std::string& title, CharacterSheet* character);
    ~BRAVUICreateBioInformation() override;

    void update(float dt) override;

    void onNameEvent(UIEvent::Data& event);
    void onNumberBoxEvent(UIEvent::Data& event);
    void onNextStepButton(UIEvent::Data& event);

    // An all-digit text as a number, saturating at largestNumber; any other text is 0.
    static std::int32_t readNumberBox(const std::string& text);

    GameUIEditableTextLineBox* nameBox = nullptr;
    GameUIComboBox* alignmentCombo = nullptr;
    GameUIEditableTextLineBox* ageBox = nullptr;
    GameUIEditableTextLineBox* weightBox = nullptr;
    GameUIEditableTextLineBox* beliefBox = nullptr;
    GameUIEditableTextLineBox* instinctBox = nullptr;
    GameUIEditableTextLineBox* opinionBox = nullptr;
    GameUIScrollableTextBox* bioBox = nullptr;
    GameUIPushButton* nextStepButton = nullptr;
    CharacterSheet* character;
    std::uint8_t nameValid = 0;
    std::uint8_t nextStepPending = 0;
    std::uint8_t nameChangedPending = 0;
    std::uint8_t focusLostPending = 0;
    // Set once the fields went into the character: a second press copies nothing again.
    std::uint8_t copied = 0;

private:
    void addLabel(const std::string& name, const std::string& text, const std::string& toolTip, float left,
                  float top, float right, float bottom);
    GameUIEditableTextLineBox* addLine(const std::string& name, const std::string& text, const std::string& toolTip,
                                       float left, float top, float right, float bottom, bool numericOnly);
    // The name box holds a character that shows: a name of only spaces is no name.
    bool hasVisibleName() const;
    void copyIntoCharacter();
};
