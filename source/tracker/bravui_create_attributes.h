#pragma once
// The first step of character creation: the six ability scores, rolled as a set or typed, written
// straight into the new character; "Next Step" opens once some class that offers a template
// admits the scores, and its tool tip says why while it stays shut.
#include <array>
#include <cstdint>

#include "app/random_source.h"
#include "ui/game_ui_base_window.h"

class CharacterSheet;
class ClassTemplateCatalogue;
class GameUIPushButton;
class UIAttributeEntryLine;

class BRAVUICreateAttributes : public GameUIBaseWindow {
public:
    static constexpr int attributeCount = 6;
    // A set is kept once one of its scores reaches this.
    static constexpr int usableScore = 9;
    // Next Step's tool tip before any score is rolled or typed, and while no class takes the scores.
    static constexpr const char* noScoresToolTip = "Roll the scores with Reroll All, or type them, first.";
    static constexpr const char* noClassToolTip =
        "No class admits these scores: every class needs 9 or more in its prime attributes, and some ask for more. "
        "Reroll All, or type higher scores.";

    // The classes are the character's catalogue; templates decide which of them can be taken.
    BRAVUICreateAttributes(std::uint32_t tag, UIContext* owner, const Theme* theme, const float topLeft[2],
                           const float bottomRight[2], CharacterSheet* character,
                           const ClassTemplateCatalogue* templateCatalogue);
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
    const ClassTemplateCatalogue* templateCatalogue;
    RandomSource random;
    std::uint8_t rerollPending = 0;
    std::uint8_t nextStepPending = 0;
    std::uint8_t retestPending = 0;
    std::uint8_t entryChangedPending = 0;

private:
    void setScore(int attribute, int score);
    // Some class with a template admits the character's scores.
    bool classAdmitsScores() const;
    void retest();
    void writeEntries();
    void reroll();
};
