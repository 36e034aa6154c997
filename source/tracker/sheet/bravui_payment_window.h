#pragma once
// "Spend Money" / "Earn Money": money the character spends or earns outside the equipment
// windows, with a description. On Confirm the window itself takes the amount from the purse
// (spending, with change made) or adds it coin by coin (earning), which records the transaction,
// and reports "confirmPayment"; Cancel reports "cancelPayment". Confirm stays off while a coin
// box holds no count, or while a spend is more than the purse holds.
#include <cstdint>
#include <optional>
#include <string>

#include "tracker/sheet/coin_entry.h"
#include "ui/game_ui_base_window.h"

class CharacterSheet;
class GameUIEditableTextLineBox;
class GameUILabel;

class BRAVUIPaymentWindow : public GameUIBaseWindow {
public:
    static constexpr const char* confirmEvent = "confirmPayment";
    static constexpr const char* cancelEvent = "cancelPayment";

    BRAVUIPaymentWindow(std::uint32_t tag, UIContext* owner, const Theme* theme, CharacterSheet* character,
                        bool spending, const float topLeft[2], const float bottomRight[2], const std::string& title,
                        std::uint32_t depth);
    ~BRAVUIPaymentWindow() override;

    void update(float dt) override;

    void onAmountEvent(UIEvent::Data& event);
    void onConfirmButton(UIEvent::Data& event);
    void onCancelButton(UIEvent::Data& event);

    bool spending;
    CharacterSheet* character;
    GameUIEditableTextLineBox* descriptionBox = nullptr;
    coinentry::CoinBoxes coinBoxes{};
    GameUILabel* messageLabel = nullptr;
    GameUIPushButton* confirmButton = nullptr;
    GameUIPushButton* cancelButton = nullptr;
    std::uint8_t amountChanged = 0;
    std::uint8_t confirmPressed = 0;
    std::uint8_t cancelPressed = 0;

private:
    // The amount when Confirm may apply it; otherwise the message says why not.
    std::optional<Money> checkAmount();
};
