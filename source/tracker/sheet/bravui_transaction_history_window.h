#pragma once
// "Accounts - Transactions History": every money transaction of the character, one row each in
// the order made, and "Finish". It only shows; it reports "closeWindow" a frame after Finish.
// Its rows point into the history, so it stays modal while open.
#include <cstdint>
#include <string>

#include "ui/game_ui_base_window.h"

class CharacterSheet;
class GameUIStandardElementList;

class BRAVUITransactionHistoryWindow : public GameUIBaseWindow {
public:
    static constexpr const char* closeEvent = "closeWindow";

    BRAVUITransactionHistoryWindow(std::uint32_t tag, UIContext* owner, const Theme* theme, const float topLeft[2],
                                   const float bottomRight[2], const std::string& title, std::uint32_t depth,
                                   CharacterSheet* sheet);
    ~BRAVUITransactionHistoryWindow() override;

    void update(float dt) override;

    void onFinishButton(UIEvent::Data& event);

    GameUIPushButton* finishButton = nullptr;
    CharacterSheet* sheet;
    std::uint8_t closeRequested = 0;
    GameUIStandardElementList* list = nullptr;
};
