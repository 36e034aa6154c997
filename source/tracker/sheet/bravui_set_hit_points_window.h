#pragma once
// "Set Current HP - Max: " + the maximum: the character's current hit points, typed after healing
// or damage. Leaving the box or pressing Done checks the text: a whole 32-bit number stays unless
// it is above the maximum; anything else, and a number above it, becomes the maximum. Done
// writes the number and reports "closeWindow"; the close button reports "closeDialog" and
// changes nothing.
#include <cstdint>
#include <optional>
#include <string>

#include "ui/game_ui_base_window.h"

class CharacterSheet;
class GameUIEditableTextLineBox;

class BRAVUISetHitPointsWindow : public GameUIBaseWindow {
public:
    static constexpr const char* titlePrefix = "Set Current HP - Max: ";

    BRAVUISetHitPointsWindow(std::uint32_t tag, UIContext* owner, const Theme* theme, const std::string& title,
                             const float topLeft[2], const float bottomRight[2], std::uint32_t depth,
                             CharacterSheet* character);
    ~BRAVUISetHitPointsWindow() override;

    void update(float dt) override;

    // A whole signed 32-bit decimal number: an optional sign, then digits only.
    static std::optional<std::int32_t> parseHitPoints(const std::string& text);

    void onEntryEvent(UIEvent::Data& event);
    void onDoneButton(UIEvent::Data& event);

    CharacterSheet* character;
    GameUIEditableTextLineBox* entryBox = nullptr;
    GameUIPushButton* doneButton = nullptr;
    std::uint8_t lostFocusPending = 0;
    std::uint8_t donePending = 0;

private:
    // Replaces a text that is no number, or a number above the maximum, by the maximum.
    std::int32_t validateEntry();
};
