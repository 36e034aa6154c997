#pragma once
// One ability-score row: the attribute's name, a numeric box holding its score (1 to 18) and its
// signed modifier; an accepted score is reported to the owner on the row's own signal.
#include <cstdint>
#include <string>

#include "app/sigslot.h"
#include "ui/game_ui_base_element.h"
#include "ui/ui_event.h"

class GameUIEditableTextLineBox;
class GameUILabel;

class UIAttributeEntryLine : public GameUIBaseElement, public sigslot::has_slots<> {
public:
    static constexpr int lowestScore = 1;
    static constexpr int highestScore = 18;

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

private:
    void validate();
};
