#pragma once
// The first step of character creation: the six ability scores, rolled as a set or typed, written
// straight into the new character; "Next Step" opens once one score reaches 9.
#include <array>
#include <cstdint>

#include "app/random_source.h"
#include "ui/game_ui_base_window.h"

class CharacterSheet;
class GameUIPushButton;
class UIAttributeEntryLine;

class BRAVUICreateAttributes : public GameUIBaseWindow {
public:
    static constexpr int attributeCount = 6;
    // A set is kept once one of its scores reaches this.
    static constexpr int usableScore = 9;

    BRAVUICreateAttributes(std::uint32_t tag, UIContext* owner, const Theme* theme, const float topLeft[2],
                           const float bottomRight[2], CharacterSheet* character);
    ~BRAVUICreateAttributes() override;

    void update(float dt) override;
    void refreshRows();

    void onEntryChanged(UIEvent::Data& event);
    void onRerollButton(UIEvent::Data& event);
    void onNextStepButton(UIEvent::Data& event);

    std::uint32_t resourcePool;
    // Strength, Intelligence, Wisdom, Dexterity, Constitution, Charisma.
    std::array<UIAttributeEntryLine*, attributeCount> rows{};
    GameUIPushButton* rerollButton = nullptr;
    GameUIPushButton* nextStepButton = nullptr;
    CharacterSheet* character;
    RandomSource random;
    std::uint8_t rerollPending = 0;
    std::uint8_t nextStepPending = 0;
    std::uint8_t retestPending = 0;
    std::uint8_t entryChangedPending = 0;

private:
    void setScore(int attribute, int score);
    void retest();
    void writeEntries();
    void reroll();
};
