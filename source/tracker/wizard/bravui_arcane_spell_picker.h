#pragma once
// The arcane spell step: the character's open spell slots filled level by level from the arcane
// catalogue, by hand (Pick, and Drop to take a pick back) or at random (Roll Random). Picks are
// held in the character as pending spells and count against the slots at once; "Next Step"
// commits them and reports "nextStep" on the window signal. Next Step opens once no open level
// has a spell left to choose, so slots that cannot be filled stay unallocated.
#include <cstdint>
#include <string>

#include "app/random_source.h"
#include "rules/spell_catalogue.h"
#include "ui/game_ui_base_window.h"

class BRAVUISpellListItem;
class CharacterSheet;
class GameUIPushButton;
class GameUIScrollableTextBox;
class GameUIStandardElementList;

class BRAVUIArcaneSpellPicker : public GameUIBaseWindow {
public:
    static constexpr int firstSpellLevel = 1;
    static constexpr int lastSpellLevel = 9;

    BRAVUIArcaneSpellPicker(std::uint32_t tag, UIContext* owner, const Theme* theme, const float topLeft[2],
                            const float bottomRight[2], std::uint32_t depth, const std::string& title,
                            const SpellCatalogue* spellCatalogue, CharacterSheet* character);
    ~BRAVUIArcaneSpellPicker() override;

    void update(float dt) override;

    void onToPickListEvent(UIEvent::Data& event);
    void onKnownListEvent(UIEvent::Data& event);
    void onPickButton(UIEvent::Data& event);
    void onRollButton(UIEvent::Data& event);
    void onDropButton(UIEvent::Data& event);
    void onNextStepButton(UIEvent::Data& event);

    // The catalogue spells of a level that the character neither knows nor has picked, in
    // catalogue order.
    SpellGroup candidates(int level) const;

    GameUIPushButton* nextStepButton = nullptr;
    GameUIPushButton* pickButton = nullptr;
    GameUIPushButton* rollButton = nullptr;
    const SpellCatalogue* spellCatalogue;
    CharacterSheet* character;
    std::uint8_t nextStepPending = 0;
    GameUIStandardElementList* toPickList = nullptr;
    GameUIStandardElementList* knownList = nullptr;
    GameUIScrollableTextBox* descriptionBox = nullptr;
    GameUIPushButton* dropButton = nullptr;
    std::uint8_t knownRowClickedPending = 0;
    std::uint8_t toPickRowClickedPending = 0;
    std::uint32_t toPickRow = 0;
    std::uint32_t knownRow = 0;
    std::uint8_t pickPending = 0;
    std::uint8_t dropPending = 0;
    std::uint8_t rollPending = 0;
    // Seeded with 42, then from system entropy; tests give it a seed of their own.
    RandomSource random;
    std::uint8_t knownExpandPending = 0;
    std::uint8_t knownContractPending = 0;
    std::uint8_t toPickExpandPending = 0;
    std::uint8_t toPickContractPending = 0;

private:
    void buildToPickList();
    // Selects and shows the row of the spell with selectId when there is one.
    void buildKnownList(const std::string& selectId);
    // The spell rows below a header of either list, built as the lists build them.
    void insertKnownSpellRows(int level, std::int32_t at);
    void insertCandidateRows(int level, std::int32_t at);
    std::int32_t knownRowCount(int level) const;
    // The spell row or header at index, or null when the index is out of range.
    static BRAVUISpellListItem* rowAt(GameUIStandardElementList* list, std::uint32_t index);
    static BRAVUISpellListItem* selectedRow(GameUIStandardElementList* list);
    bool isPendingPick(const SpellRecord* spell) const;
    bool isKnownOrPicked(const SpellRecord* spell) const;
    void rollRandom();
    void pick();
    void drop();
    void showDescription(const BRAVUISpellListItem* row);
    // Open while an open level still has a spell to choose; otherwise Next Step may go on.
    void refreshNextStep();
};
