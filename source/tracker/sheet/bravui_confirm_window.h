#pragma once
// A small window that ends in Confirm or Cancel: the confirm button "doneButton" at the bottom
// right and "cencelButton" at the bottom left only set pending flags, and the close button counts
// as Cancel. The windows that confirm an amount of money add the five coin boxes and the message
// line under them, which says why Confirm is off; those for a catalogue item add its custom name.
#include <cstdint>
#include <optional>
#include <string>

#include "rules/money.h"
#include "tracker/sheet/coin_entry.h"
#include "ui/game_ui_base_window.h"

class GameUIEditableTextLineBox;
class GameUILabel;

class BRAVUIConfirmWindow : public GameUIBaseWindow {
public:
    ~BRAVUIConfirmWindow() override;

    void onConfirmButton(UIEvent::Data& event);
    void onCancelButton(UIEvent::Data& event);

    GameUIPushButton* confirmButton = nullptr;
    GameUIPushButton* cancelButton = nullptr;
    std::uint8_t confirmPressed = 0;
    std::uint8_t cancelPressed = 0;
    // Windows of an amount only: PP to CP, and the line that says why Confirm is off.
    coinentry::CoinBoxes coinBoxes{};
    GameUILabel* messageLabel = nullptr;
    // Windows of a catalogue item only: "nameEditBox", its custom name.
    GameUIEditableTextLineBox* nameBox = nullptr;

protected:
    struct Button {
        const char* caption;
        const char* toolTip;
        float left, top, right, bottom;
    };

    BRAVUIConfirmWindow(std::uint32_t tag, UIContext* owner, const Theme* theme, const std::string& name,
                        const std::string& title, const float topLeft[2], const float bottomRight[2],
                        std::uint32_t depth);

    // The two buttons; call last, so that they lie above the other widgets.
    void addButtons(const Button& confirm, const Button& cancel);
    // The coin boxes between top and bottom, starting at start, and the message line under them.
    void addCoins(const Money& start, float top, float bottom, float messageTop, float messageBottom);
    // "Rename: " and the name box, empty, between top and bottom.
    void addNameBox(float top, float bottom);

    // Why an amount the boxes hold as counts still may not be confirmed; null when it may.
    virtual const char* refusal(const Money&) const { return nullptr; }
    // Reads the coin boxes as they are now (a paste or a set text raises no event, so this runs
    // every frame): Confirm is on and the amount given only when every box holds a count and
    // nothing refuses it; otherwise the message line says why.
    std::optional<Money> checkAmount();
};
