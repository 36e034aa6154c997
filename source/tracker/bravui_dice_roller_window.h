#pragma once
// The dice roller: one row per die type, the history of every roll newest first, "Clear History"
// and "Finish". Its window signal reports "finish", or "closeDialog" from the "X" button; the
// owner closes it on either.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tracker/dice_roll.h"
#include "ui/game_ui_base_window.h"

class BRAVUIDiceRollerLine;
class GameUIScrollableTextBox;

class BRAVUIDiceRollerWindow : public GameUIBaseWindow {
public:
    static constexpr int rowCount = 6;

    BRAVUIDiceRollerWindow(std::uint32_t tag, UIContext* owner, const Theme* theme, const std::string& title,
                           const float topLeft[2], const float bottomRight[2], std::uint32_t depth);
    ~BRAVUIDiceRollerWindow() override;

    void update(float dt) override;

    // The history text of the records, newest last in the list and first in the text.
    static std::string historyText(const std::vector<DiceRoll*>& records);

    void onRowRolled(UIEvent::Data& event);
    void onClearButton(UIEvent::Data& event);
    void onFinishButton(UIEvent::Data& event);

    // D4, D6, D8, D10, D12, D20.
    std::array<BRAVUIDiceRollerLine*, rowCount> rows{};
    GameUILabel* historyLabel = nullptr;
    GameUIScrollableTextBox* historyBox = nullptr;
    GameUIPushButton* clearButton = nullptr;
    GameUIPushButton* finishButton = nullptr;
    std::uint8_t finishPending = 0;
    std::array<std::uint8_t, rowCount> rowRolledPending{};
    std::uint8_t clearPending = 0;
    std::uint8_t historyDirty = 0;
    // The rows own the records.
    std::vector<DiceRoll*> history;
};
