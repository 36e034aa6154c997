#pragma once
// One ability-score row: the attribute's name, a numeric box holding its score and its signed
// modifier. A typed score is brought into 3..18 in the box itself (above 18 at once, below 3 when
// the edit ends, so that a 1 may still become 12) and reported to the owner on the row's signal
// when it changes; a box left empty, or holding a sign or a point, shows the held score again.
#include <cstdint>
#include <string>

#include "app/sigslot.h"
#include "ui/game_ui_base_element.h"
#include "ui/ui_event.h"

class GameUIEditableTextLineBox;
class GameUILabel;

class UIAttributeEntryLine : public GameUIBaseElement, public sigslot::has_slots<> {
public:
    // The scores a row shows as they are; a file may hold 1 or 2.
    static constexpr int lowestScore = 1;
    static constexpr int highestScore = 18;
    // The lowest score a player can type.
    static constexpr int lowestTypedScore = 3;

    UIAttributeEntryLine(std::uint32_t tag, UIContext* owner, const std::string& description, int score, int modifier,
                         const std::string& name, const std::string& toolTip, const Theme* theme,
                         const float topLeft[2], const float bottomRight[2], GameUIBaseElement* parent);
    ~UIAttributeEntryLine() override;

    // A score outside 1..18 changes nothing.
    void setValue(int score);
    void setModifierText(int modifier);
    bool hasNumericValue() const;
    // The box's score when it holds only digits, else 0.
    int value() const;
    // The score the row holds for its owner: the one it was made or set with, or the last it
    // reported; the box's text while an edit is under way may differ.
    int score() const { return heldScore; }
    // Acts at once on an edit not yet validated, for an owner about to take the row away.
    void validateNow();

    bool onMouseButton(MouseEvent::Data& event) override;
    bool onMouseMove(MouseEvent::Data& event) override;
    bool onKey(KeyEvent::Data& event) override;
    void update(float dt) override;

    void onValueBoxEvent(UIEvent::Data& event);

    std::uint32_t resourcePool;
    GameUILabel* descriptionLabel = nullptr;
    GameUIEditableTextLineBox* valueBox = nullptr;
    GameUILabel* modifierLabel = nullptr;
    sigslot::signal1<UIEvent::Data&> eventSignal;
    UIEvent::Data eventData;
    std::uint8_t validatePending = 0;
    // The box lost the edit focus or took Enter since the last validation.
    std::uint8_t editEndedPending = 0;

private:
    void validate();
    // Holds score and reports it, when it differs from the score held.
    void accept(int score);
    int heldScore;
};
