#pragma once
// "Spend Money" / "Earn Money": money the character spends or earns outside the equipment
// windows, with a description. On Confirm the window itself takes the amount from the purse
// (spending, with change made) or adds it coin by coin (earning), which records the transaction,
// and reports "confirmPayment"; Cancel and the close button report "cancelPayment". Confirm stays
// off while a coin box holds no count, or while a spend is more than the purse holds.
#include <cstdint>
#include <string>

#include "tracker/sheet/bravui_confirm_window.h"

class CharacterSheet;

class BRAVUIPaymentWindow : public BRAVUIConfirmWindow {
public:
    static constexpr const char* confirmEvent = "confirmPayment";
    static constexpr const char* cancelEvent = "cancelPayment";

    // Names for the constructor's spending flag.
    static constexpr bool spendingMoney = true, earningMoney = false;

    BRAVUIPaymentWindow(std::uint32_t tag, UIContext* owner, const Theme* theme, CharacterSheet* character,
                        bool spending, const float topLeft[2], const float bottomRight[2], const std::string& title,
                        std::uint32_t depth);

    void update(float dt) override;

    bool spending;
    CharacterSheet* character;
    GameUIEditableTextLineBox* descriptionBox = nullptr;

protected:
    const char* refusal(const Money& amount) const override;
};
