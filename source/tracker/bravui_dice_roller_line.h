#pragma once
// One die type of the dice roller: how many to roll, a modifier added or subtracted, the Roll
// button and the latest total; keeps the records of its rolls until its history is cleared.
#include <cstdint>
#include <string>
#include <vector>

#include "app/random_source.h"
#include "app/sigslot.h"
#include "tracker/dice_roll.h"
#include "ui/game_ui_standard_element.h"
#include "ui/ui_event.h"

class GameUIEditableTextLineBox;
class GameUILabel;
class GameUIPushButton;
class GameUIToggleButton;
class GameUIToggleGroup;

class BRAVUIDiceRollerLine : public GameUIStandardElement, public sigslot::has_slots<> {
public:
    // The largest count or modifier a box keeps.
    static constexpr std::uint32_t largestEntry = 999;

    BRAVUIDiceRollerLine(std::uint32_t tag, UIContext* owner, const Theme* theme, const std::string& name,
                         const std::string& label, std::uint32_t sides, const float topLeft[2],
                         const float bottomRight[2], GameUIBaseElement* parent);
    ~BRAVUIDiceRollerLine() override;

    void update(float dt) override;
    // Deletes the row's records.
    void clearHistory();

    void onEntryEvent(UIEvent::Data& event);
    void onRollButton(UIEvent::Data& event);

    std::uint32_t resourcePool;
    std::string label;
    std::uint32_t sides;
    GameUILabel* nameLabel = nullptr;
    GameUIEditableTextLineBox* countBox = nullptr;
    GameUIToggleGroup* signToggleGroup = nullptr;
    GameUIToggleButton* plusToggle = nullptr;
    GameUIToggleButton* minusToggle = nullptr;
    GameUIEditableTextLineBox* modifierBox = nullptr;
    GameUIPushButton* rollButton = nullptr;
    GameUIEditableTextLineBox* resultBox = nullptr;
    sigslot::signal1<UIEvent::Data&> eventSignal;
    UIEvent::Data eventData;
    RandomSource random;
    std::uint8_t validatePending = 0;
    std::uint8_t rollPending = 0;
    DiceRoll* latestRoll = nullptr;
    std::vector<DiceRoll*> history;

private:
    void validate();
    void roll();
};
